// A look at a workroom's grids and scene, for checking that they agree.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "scene/direct3drm.h"
#include "scene/face.h"
#include "scene/frame.h"
#include "scene/mesh_builder.h"
#include "workroom/workroom.h"

namespace kubisto {

struct CWorkRoomTestAccess {
  static const Grid3<std::shared_ptr<Frame>>& Frames(const CWorkRoom& w) { return w.m_frmBlock; }
  static const Grid3<bool>& Occupied(const CWorkRoom& w) { return w.m_bBlock; }
  static const Grid3<std::int32_t>& Colors(const CWorkRoom& w) { return w.m_lngBlockColor; }
};

namespace testing {

using CellKey = std::tuple<int, int, int>;
// The blocks of a layout: cell to Windows colour.
using Blocks = std::map<CellKey, std::int32_t>;

struct CurrentCell {
  int x = -1, y = -1, z = -1;
  bool operator==(const CurrentCell&) const = default;
};

inline CurrentCell Current(CWorkRoom& room) {
  CurrentCell c;
  std::int32_t color = 0;
  room.CurrentBlock(c.x, c.y, c.z, color);
  return c;
}

// The blocks the occupancy and colour grids hold.
inline Blocks GridBlocks(const CWorkRoom& room) {
  Blocks blocks;
  const auto& occupied = CWorkRoomTestAccess::Occupied(room);
  const auto& colors = CWorkRoomTestAccess::Colors(room);
  const int upper = occupied.Upper();
  for (int z = 0; z <= upper; ++z) {
    for (int y = 0; y <= upper; ++y) {
      for (int x = 0; x <= upper; ++x) {
        if (occupied(x, y, z)) blocks[{x, y, z}] = colors(x, y, z);
      }
    }
  }
  return blocks;
}

// What is wrong with the agreement of grids and scene, or "" when nothing: every cell frame holds
// its marker, an occupied cell exactly one block mesh of its colour, an empty one none, cells past
// the playable ones are never occupied, and the current block is an occupied cell or none.
std::string SceneDisagreement(CWorkRoom& room);

}  // namespace testing
}  // namespace kubisto
