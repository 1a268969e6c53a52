// One change to the room's blocks as the undo history keeps it: the room before and after, and
// the block each direction leaves current.
#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/editing/work_room_api.h"
#include "workroom/room_state.h"

namespace kubisto::app {

using Cell = RoomCell;
using kubisto::RoomState;

RoomState TakeRoomState(WorkRoomApi& room);

// Puts every block of the state in place at once, then makes `current` the current block (it is put
// back last, as AddBlock makes its block current). A current cell without a block leaves none.
void RestoreRoomState(WorkRoomApi& room, const RoomState& state, const Cell& current);

// The one block a change took away or recoloured (in `from`, not as such in `to`), when it was the
// current block of `from`; none otherwise.
Cell TouchedCurrent(const RoomState& from, const RoomState& to);

class RoomChange : public QUndoCommand {
 public:
  using RoomGetter = std::function<WorkRoomApi*()>;
  // `after` is already the room's state: the first redo (QUndoStack::push runs it) does nothing.
  RoomChange(RoomGetter room, RoomState before, RoomState after, Cell undoCurrent, Cell redoCurrent,
             const QString& text);
  void undo() override;
  void redo() override;

 private:
  RoomGetter room_;
  RoomState before_, after_;
  Cell undoCurrent_, redoCurrent_;
  bool done_ = true;
};

}  // namespace kubisto::app
