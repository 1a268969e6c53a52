// CWorkRoom: construction, the grids, the cell count, the current block, the event and the
// sounds. The other operations live in workroom_*.cpp, one file per area.
#include "workroom/workroom.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "scene/direct3drm.h"
#include "scene/frame.h"
#include "scene/services.h"
#include "workroom/layout_file.h"
#include "workroom/room_geometry.h"
#include "workroom/steps.h"

namespace kubisto {

CWorkRoom::CWorkRoom() : m_objD3dRM(std::make_unique<Direct3DRM>()) {
  m_lngDivide = 5;
  CreateGrids();
  ClearCurrentBlock();
}

// Members end in reverse order: the room's frames give their references back, then the root
// object quits the engine.
CWorkRoom::~CWorkRoom() = default;

void CWorkRoom::CurrentBlock(std::int32_t& x, std::int32_t& Y, std::int32_t& Z,
                             std::int32_t& Color) {
  // The stored values are always whole; rounding guards against float representation only.
  x = static_cast<std::int32_t>(std::nearbyint(m_vecCurrentBlock.x));
  Y = static_cast<std::int32_t>(std::nearbyint(m_vecCurrentBlock.y));
  Z = static_cast<std::int32_t>(std::nearbyint(m_vecCurrentBlock.z));
  if (x == -1) {
    Color = 0;
    return;
  }
  TryStep([&] { Color = m_lngBlockColor(x, Y, Z); });  // unreadable: Color stays as passed
}

std::int32_t CWorkRoom::Divide() const { return m_lngDivide; }

void CWorkRoom::Divide(std::int32_t NewValue) {
  // The room is built with NewValue³ cell frames: refuse counts that could not be built, before
  // anything changes. The main window offers 3, 4 and 5.
  if (NewValue < 1 || NewValue > kMaxLayoutDivide) {
    throw std::invalid_argument("the cell count " + std::to_string(NewValue) + " is outside 1.." +
                                std::to_string(kMaxLayoutDivide));
  }
  ResetData();
  m_lngDivide = NewValue;
  CreateGrids();
  ResetDivide();
}

std::int32_t CWorkRoom::MaxOf3(std::int32_t a, std::int32_t b, std::int32_t c) {
  return std::max({a, b, c});
}

std::int32_t CWorkRoom::MinOf3(std::int32_t a, std::int32_t b, std::int32_t c) {
  return std::min({a, b, c});
}

// Every sound plays to its end before the helper returns.
void CWorkRoom::PlayMoveSound() {
  services().PlayWave(services().ProgramDir() + "/sound/move.wav", true);
}
void CWorkRoom::PlayTurnSound() {
  services().PlayWave(services().ProgramDir() + "/sound/turn.wav", true);
}
void CWorkRoom::PlayRefuseSound() {
  services().PlayWave(services().ProgramDir() + "/sound/kasha.wav", true);
}
void CWorkRoom::PlayPickSound() {
  services().PlayWave(services().ProgramDir() + "/sound/turn.wav", true);
}

void CWorkRoom::CreateGrids() {
  CreateFrameGrid();
  CreateBlockGrids();
}

void CWorkRoom::CreateFrameGrid() { m_frmBlock.Reset(m_lngDivide); }

void CWorkRoom::CreateBlockGrids() {
  m_bBlock.Reset(m_lngDivide);
  m_lngBlockColor.Reset(m_lngDivide);
}

void CWorkRoom::ClearCurrentBlock() { m_vecCurrentBlock = {-1.0f, -1.0f, -1.0f}; }

void CWorkRoom::RaiseBlockPicked(bool Picked, std::int32_t x, std::int32_t Y, std::int32_t Z) {
  if (BlockPicked) BlockPicked(Picked, x, Y, Z);
}

double CWorkRoom::HalfEdge() const { return room::HalfEdge(m_lngDivide); }

void CWorkRoom::Render() {
  if (m_redraws.PutOff()) return;
  m_objD3dRM->Render();
  m_redraws.Drawn();
}

RedrawPacer::Scope CWorkRoom::PacedRedraws() {
  return RedrawPacer::Scope(m_redraws, !services().SoundsWait(), [this] { Render(); });
}

void CWorkRoom::Redraw() {
  if (m_hWndView == 0) return;
  TryStep([&] { Render(); });
}

}  // namespace kubisto
