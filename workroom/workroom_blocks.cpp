// Placing, removing and moving blocks, and turning the room.
#include <cstdint>
#include <string>

#include "scene/direct3drm.h"
#include "scene/frame.h"
#include "scene/mesh_builder.h"
#include "scene/vantrel_declare.h"
#include "workroom/room_commands.h"
#include "workroom/room_geometry.h"
#include "workroom/steps.h"
#include "workroom/workroom.h"

namespace kubisto {

void CWorkRoom::AddBlock(std::int32_t x, std::int32_t Y, std::int32_t Z, std::int32_t theColor) {
  if (MaxOf3(x, Y, Z) > m_lngDivide - 1 || MinOf3(x, Y, Z) < 0) return;  // silently
  bool occupied = false;
  TryStep([&] { occupied = m_bBlock(x, Y, Z); });
  if (occupied) {
    TryStep([&] { PlayRefuseSound(); });
    return;
  }
  AttachCube(x, Y, Z, theColor);
  TryStep([&] { Render(); });
  TryStep([&] { m_bBlock(x, Y, Z) = true; });
  m_vecCurrentBlock = {static_cast<float>(x), static_cast<float>(Y), static_cast<float>(Z)};
  TryStep([&] { PlayMoveSound(); });
}

bool CWorkRoom::DelBlock() {
  if (m_vecCurrentBlock.x == -1.0f) return false;
  const auto x = static_cast<std::int32_t>(m_vecCurrentBlock.x);
  const auto y = static_cast<std::int32_t>(m_vecCurrentBlock.y);
  const auto z = static_cast<std::int32_t>(m_vecCurrentBlock.z);
  if (!DetachCube(x, y, z)) return false;
  TryStep([&] { Render(); });
  TryStep([&] { m_bBlock(x, y, z) = false; });
  ClearCurrentBlock();
  TryStep([&] { PlayMoveSound(); });
  return true;
}

bool CWorkRoom::Move(const std::string& Direction) {
  bool result = false;
  if (m_vecCurrentBlock.x != -1.0f) {
    const int direction = commands::NameIndex(commands::Arg::kDirection, Direction);
    const auto x = static_cast<std::int32_t>(m_vecCurrentBlock.x);
    const auto y = static_cast<std::int32_t>(m_vecCurrentBlock.y);
    const auto z = static_cast<std::int32_t>(m_vecCurrentBlock.z);
    const std::int32_t last = m_lngDivide - 1;
    std::int32_t color = 0;
    TryStep([&] { color = m_lngBlockColor(x, y, z); });

    // X, -X, Y, -Y, Z, -Z: one cell along the axis, up or down; beyond the room is refused.
    std::int32_t to[3] = {x, y, z};
    const bool known = direction >= 0;
    bool refused = false;
    if (known) {
      std::int32_t& along = to[direction / 2];
      along += direction % 2 == 0 ? 1 : -1;
      refused = along < 0 || along > last;
    }
    const std::int32_t tx = to[0], ty = to[1], tz = to[2];

    if (known && refused) {
      TryStep([&] { PlayRefuseSound(); });
    } else if (known) {
      bool occupied = false;
      TryStep([&] { occupied = m_bBlock(tx, ty, tz); });
      result = true;
      if (occupied) {
        TryStep([&] { PlayRefuseSound(); });  // blocked by another block: stays, but counts as done
      } else {
        TryStep([&] { DelBlock(); });
        TryStep([&] { AddBlock(tx, ty, tz, color); });
        TryStep([&] { m_lngBlockColor(x, y, z) = 0; });
        TryStep([&] { m_lngBlockColor(tx, ty, tz) = color; });
      }
    }
  }
  TryStep([&] { Render(); });
  return result;
}

void CWorkRoom::Turn(const std::string& Axis) {
  const int axis = commands::NameIndex(commands::Arg::kTurnStep, Axis);
  using commands::TurnName;
  float ax = 0, ay = 0, az = 0, angle = 0;
  bool aboutRoom = false;  // otherwise about the scene's axes
  if (axis == static_cast<int>(TurnName::kRight)) {
    ay = 1, angle = 0.1f, aboutRoom = true;
  } else if (axis == static_cast<int>(TurnName::kLeft)) {
    ay = 1, angle = -0.1f, aboutRoom = true;
  } else if (axis == static_cast<int>(TurnName::kUp)) {
    ax = 1, angle = -0.1f;
  } else if (axis == static_cast<int>(TurnName::kDown)) {
    ax = 1, angle = 0.1f;
  }
  TryStep([&] {
    const FramePtr reference = aboutRoom ? m_frmRoom : m_objD3dRM->Scene();
    Need(m_frmRoom).SetRotation(ax, ay, az, angle, reference);
  });
  TryStep([&] { m_objD3dRM->Tick(1.0f); });  // the room turns by the angle once
  TryStep([&] { Render(); });
  TryStep([&] { PlayTurnSound(); });
}

void CWorkRoom::AttachCube(std::int32_t x, std::int32_t Y, std::int32_t Z, std::int32_t theColor) {
  MeshBuilderPtr cube;
  TryStep([&] { cube = m_objD3dRM->CreateMeshBuilder(); });
  TryStep([&] { Need(cube).Cube(static_cast<float>(HalfEdge())); });
  TryStep([&] { Need(cube).Color(vantrel::d3dVBColor(theColor)); });
  TryStep([&] { m_lngBlockColor(x, Y, Z) = theColor; });
  TryStep([&] { Need(m_frmBlock(x, Y, Z)).AddObject(Present(cube)); });
}

bool CWorkRoom::DetachCube(std::int32_t x, std::int32_t Y, std::int32_t Z) {
  FramePtr cell;
  TryStep([&] { cell = m_frmBlock(x, Y, Z); });
  std::int32_t count = 0;
  TryStep([&] { count = Need(cell).VisualCount(); });
  // A block's box is exactly one cell edge wide; the marker sphere's is much narrower.
  const float blockWidth = room::BlockWidth(m_lngDivide);
  for (std::int32_t i = 0; i < count; ++i) {
    MeshBuilderPtr visual;
    TryStep([&] { visual = std::dynamic_pointer_cast<MeshBuilder>(Need(cell).Visual(i)); });
    if (!visual) continue;  // not a mesh builder: not a block
    float box[6] = {0, 0, 0, 0, 0, 0};
    TryStep([&] { visual->GetBox(box); });
    if (static_cast<float>(box[3] - box[0]) != blockWidth) continue;
    TryStep([&] { Need(cell).DeleteObject(visual); });
    return true;
  }
  return false;
}

}  // namespace kubisto
