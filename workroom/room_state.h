// What an undo restores of a room: the cell count, every block and the current block. The
// desktop's undo stack and the web room's undo history keep the same snapshots.
#pragma once

#include <cstdint>
#include <vector>

#include "workroom/layout_file.h"

namespace kubisto {

// A cell; x == -1 when there is none.
struct RoomCell {
  std::int32_t x = -1, y = -1, z = -1;
  bool operator==(const RoomCell&) const = default;
};

struct RoomState {
  std::int32_t divide = 0;
  std::vector<LayoutRecord> blocks;
  RoomCell current;
  bool SameBlocks(const RoomState& other) const {
    return divide == other.divide && blocks == other.blocks;
  }
};

}  // namespace kubisto
