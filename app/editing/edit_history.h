// The undo history of the room: every change to the blocks, the cell count included, for the
// whole session. The clean state of the stack is the room as last saved or loaded.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/editing/undo_commands.h"

namespace kubisto::app {

class EditHistory : public QObject {
  Q_OBJECT
 public:
  enum class Kind {
    kBlock,  // one block added, removed, moved or recoloured: undo and redo select that block
    kRoom,   // the whole room replaced (new, load, cell count): undo leaves no block current
  };

  EditHistory(RoomChange::RoomGetter room, QObject* parent);

  QUndoStack* stack() { return &stack_; }

  // Runs change; when it altered the blocks or the cell count (even if it then threw), the change
  // joins the history. A change made while another one runs is not recorded.
  void Record(Kind kind, const QString& text, const std::function<void()>& change);

  // Nothing happens while a recorded change runs (a load lets events run between its records).
  void Undo();
  void Redo();
  bool Busy() const { return busy_; }

  // Work would be lost: the room has changed since the last save or load (the stack is not at
  // its clean state) and its blocks differ from the ones then, or its cell count differs from the
  // one of the file saved or loaded (a file records it too; a fresh room has no file, and a cell
  // count changed on it while it is empty holds no work to lose).
  bool Modified();
  // The room is as saved or loaded now.
  void MarkSaved();

 signals:
  // After an undo or a redo changed the room.
  void restored();

 private:
  RoomChange::RoomGetter room_;
  QUndoStack stack_;
  bool busy_ = false;
  std::vector<LayoutRecord> savedBlocks_;    // a fresh room is empty
  std::optional<std::int32_t> savedDivide_;  // none until the first save or load
};

}  // namespace kubisto::app
