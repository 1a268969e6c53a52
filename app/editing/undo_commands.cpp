#include "app/editing/undo_commands.h"

#include <algorithm>
#include <utility>

namespace kubisto::app {

namespace {

bool InCell(const LayoutRecord& r, const Cell& c) { return r.x == c.x && r.y == c.y && r.z == c.z; }

}  // namespace

RoomState TakeRoomState(WorkRoomApi& room) {
  RoomState state;
  state.divide = room.Divide();
  state.blocks = room.Blocks();
  std::int32_t color = 0;
  room.CurrentBlock(state.current.x, state.current.y, state.current.z, color);
  return state;
}

void RestoreRoomState(WorkRoomApi& room, const RoomState& state, const Cell& current) {
  const auto found = std::find_if(state.blocks.begin(), state.blocks.end(),
                                  [&](const LayoutRecord& r) { return InCell(r, current); });
  if (current.x == -1 || found == state.blocks.end()) {
    room.ReplaceBlocks(state.divide, state.blocks);
    return;
  }
  std::vector<LayoutRecord> others;
  others.reserve(state.blocks.size());
  for (const LayoutRecord& r : state.blocks)
    if (!InCell(r, current)) others.push_back(r);
  room.ReplaceBlocks(state.divide, others);
  room.AddBlock(found->x, found->y, found->z, found->color);
}

Cell TouchedCurrent(const RoomState& from, const RoomState& to) {
  if (from.current.x == -1) return {};
  for (const LayoutRecord& r : from.blocks) {
    if (!InCell(r, from.current)) continue;
    const bool kept = std::find(to.blocks.begin(), to.blocks.end(), r) != to.blocks.end();
    return kept ? Cell{} : from.current;
  }
  return {};
}

RoomChange::RoomChange(RoomGetter room, RoomState before, RoomState after, Cell undoCurrent,
                       Cell redoCurrent, const QString& text)
    : QUndoCommand(text),
      room_(std::move(room)),
      before_(std::move(before)),
      after_(std::move(after)),
      undoCurrent_(undoCurrent),
      redoCurrent_(redoCurrent) {}

void RoomChange::undo() {
  if (WorkRoomApi* room = room_()) RestoreRoomState(*room, before_, undoCurrent_);
  done_ = false;
}

void RoomChange::redo() {
  if (done_) return;
  if (WorkRoomApi* room = room_()) RestoreRoomState(*room, after_, redoCurrent_);
  done_ = true;
}

}  // namespace kubisto::app
