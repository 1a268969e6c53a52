// The web room's undo history: each recorded change keeps the room before and after it (cell
// count, blocks, current block) and the undo entry's text from the room command table. The
// desktop keeps the same snapshots in its own undo stack; this one needs no Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "workroom/layout_file.h"
#include "workroom/room_state.h"

namespace kubisto::web {

using Cell = RoomCell;
using kubisto::RoomState;

class UndoHistory {
 public:
  // Keeps at most this many changes; the oldest go first.
  static constexpr std::size_t kLimit = 1000;

  // Records a change unless it left the blocks and the cell count as they were. A change made
  // after some undos drops the changes that could have been redone.
  void Record(const std::string& text, RoomState before, RoomState after);

  bool CanUndo() const { return m_done > 0; }
  bool CanRedo() const { return m_done < m_changes.size(); }
  // The texts of the entries an undo or a redo would take ("" when there is none).
  std::string UndoText() const;
  std::string RedoText() const;
  // Steps back or forward: the state to restore, or none at the end of the history.
  std::optional<RoomState> Undo();
  std::optional<RoomState> Redo();

  // The room as saved or loaded: unsaved work is any difference from it. A fresh room is empty
  // and has no file, so a cell count changed on an empty room holds no work.
  void MarkSaved(const RoomState& state);
  bool Modified(const RoomState& now) const;
  void Clear();

 private:
  struct Change {
    std::string text;
    RoomState before, after;
  };
  std::vector<Change> m_changes;
  std::size_t m_done = 0;  // changes [0, m_done) are applied
  std::vector<LayoutRecord> m_savedBlocks;
  std::optional<std::int32_t> m_savedDivide;
};

}  // namespace kubisto::web
