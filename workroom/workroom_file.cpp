// The layout: emptying the room, saving it and loading it.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/replace_file.h"
#include "scene/services.h"
#include "workroom/layout_file.h"
#include "workroom/steps.h"
#include "workroom/workroom.h"

namespace kubisto {

void CWorkRoom::ResetData() {
  const RedrawPacer::Scope paced = PacedRedraws();
  const std::int32_t n = m_lngDivide;
  for (std::int32_t z = 0; z < n; ++z) {
    for (std::int32_t y = 0; y < n; ++y) {
      for (std::int32_t x = 0; x < n; ++x) {
        TryStep([&] {
          if (!m_bBlock(x, y, z)) return;
          m_vecCurrentBlock = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
          DelBlock();
        });
      }
    }
  }
}

std::vector<LayoutRecord> CWorkRoom::Blocks() const {
  // The whole extent of the grids, index Divide included, in the order z, y, x.
  std::vector<LayoutRecord> records;
  const std::int32_t upper = m_bBlock.Upper();
  for (std::int32_t z = 0; z <= upper; ++z) {
    for (std::int32_t y = 0; y <= upper; ++y) {
      for (std::int32_t x = 0; x <= upper; ++x) {
        if (m_bBlock(x, y, z)) records.push_back({x, y, z, m_lngBlockColor(x, y, z)});
      }
    }
  }
  return records;
}

void CWorkRoom::SaveData(const std::string& PathAndName) {
  if (PathAndName.empty()) return;
  // The program builds paths with "\\" as well as "/".
  SaveFile(platform::NativePath(PathAndName));
}

void CWorkRoom::SaveFile(const std::string& path) {
  platform::ReplaceFile(path, FormatLayout(m_lngDivide, Blocks()));
}

void CWorkRoom::ReplaceBlocks(std::int32_t divide, const std::vector<LayoutRecord>& blocks) {
  if (divide < 1 || divide > kMaxLayoutDivide) {
    throw std::invalid_argument("the cell count " + std::to_string(divide) + " is outside 1.." +
                                std::to_string(kMaxLayoutDivide));
  }
  if (divide != m_lngDivide) {
    // The rebuild drops the old blocks together with the old room.
    m_lngDivide = divide;
    CreateFrameGrid();
    ResetDivide(false);
  } else {
    for (const LayoutRecord& r : Blocks()) DetachCube(r.x, r.y, r.z);
  }
  CreateBlockGrids();
  for (const LayoutRecord& r : blocks) {
    if (MaxOf3(r.x, r.y, r.z) > m_lngDivide - 1 || MinOf3(r.x, r.y, r.z) < 0) continue;
    if (m_bBlock(r.x, r.y, r.z)) continue;
    AttachCube(r.x, r.y, r.z, r.color);
    m_bBlock(r.x, r.y, r.z) = true;
  }
  ClearCurrentBlock();
  TryStep([&] { Render(); });
}

void CWorkRoom::LoadData(const std::string& PathAndName) {
  if (PathAndName.empty()) return;
  // Read and check everything first: a bad file throws here and the room stays as it was.
  const Layout layout = ReadLayoutFile(platform::NativePath(PathAndName));
  loadedModels_ = layout.models;
  PlaceLayout(layout);
}

bool CWorkRoom::PlaceLayout(const Layout& layout) {
  // Without sounds to wait for, the blocks still appear as they come, at most once a frame.
  const RedrawPacer::Scope paced = PacedRedraws();
  const std::int32_t previous = m_lngDivide;
  ResetData();
  m_lngDivide = layout.divide;
  if (m_lngDivide != previous) {
    CreateFrameGrid();
    ResetDivide();
  }
  CreateBlockGrids();
  for (const LayoutRecord& r : layout.records) {
    AddBlock(r.x, r.y, r.z, r.color);
    // Other commands may run here; the records are a copy, so they cannot be disturbed.
    services().DoEvents();
    // The program is ending: the rest of the layout is not needed.
    if (services().EndRequested()) return false;
  }
  return true;
}

}  // namespace kubisto
