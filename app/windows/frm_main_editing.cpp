// frmMain: the editing comforts around the block commands: undo and redo, the question before
// unsaved work is lost, any colour, and keys for the block commands.
#include <QAction>
#include <QColorDialog>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>

#include "app/editing/command_scope.h"
#include "app/editing/guarded.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"

namespace kubisto::app {

void frmMain::Change(EditHistory::Kind kind, const char* text,
                     const std::function<void()>& change) {
  history_->Record(kind, tr(text), change);
}

void frmMain::RecordChange(bool wholeRoom, const char* text, const std::function<void()>& change) {
  const auto kind = wholeRoom ? EditHistory::Kind::kRoom : EditHistory::Kind::kBlock;
  if (!wholeRoom) return Change(kind, text, change);
  // The divide menu shows the room's cell count afterwards, also after a change that failed.
  try {
    Change(kind, text, change);
  } catch (...) {
    Quietly([this] { SyncDivideMarks(); });
    throw;
  }
  Quietly([this] { SyncDivideMarks(); });
}

void frmMain::NoteSavedOrLoaded() { history_->MarkSaved(); }

void frmMain::CreateUndoItems(QMenu* menu) {
  QAction* undo = menu->addAction(tr("元に戻す"));
  undo->setObjectName("mnuEditUndo");
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undo->setEnabled(false);
  connect(undo, &QAction::triggered, this, [this] {
    Guarded([this] {
      // Like the commands that replace the whole room, never inside another command.
      if (!InsideAnotherCommand()) history_->Undo();
    });
  });
  connect(history_->stack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);

  QAction* redo = menu->addAction(tr("やり直し"));
  redo->setObjectName("mnuEditRedo");
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  redo->setEnabled(false);
  connect(redo, &QAction::triggered, this, [this] {
    Guarded([this] {
      // Like the commands that replace the whole room, never inside another command.
      if (!InsideAnotherCommand()) history_->Redo();
    });
  });
  connect(history_->stack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);

  menu->addSeparator()->setObjectName("mnuEditHifun1");
}

void frmMain::CreateBlockKeys() {
  // Window-wide keys: they act while the main window is active, never inside the file window,
  // and press the tool panel's button as a click would.
  struct Key {
    const char* name;
    QKeyCombination key;
    const char* button;
  };
  static const Key kKeys[] = {
      {"keyAdd", Qt::Key_Insert, "cmdAdd"}, {"keyDelete", Qt::Key_Delete, "cmdDelete"},
      {"keyX", Qt::Key_Left, "cmdX"},       {"keyMX", Qt::Key_Right, "cmdMX"},
      {"keyMZ", Qt::Key_Up, "cmdMZ"},       {"keyZ", Qt::Key_Down, "cmdZ"},
      {"keyY", Qt::Key_PageUp, "cmdY"},     {"keyMY", Qt::Key_PageDown, "cmdMY"},
  };
  for (const Key& key : kKeys) {
    auto* entry = new QAction(this);
    entry->setObjectName(key.name);
    entry->setShortcut(QKeySequence(key.key));
    entry->setShortcutContext(Qt::WindowShortcut);
    QPushButton* target = button(key.button);
    connect(entry, &QAction::triggered, target, &QPushButton::click);
    addAction(entry);
  }
}

void frmMain::SyncDivideMarks() {
  const std::int32_t d = modMain::g_objWorkRoom ? modMain::g_objWorkRoom->Divide() : 0;
  for (size_t i = 0; i < kDivideCounts.size(); ++i)
    m_mnuOptionDivideNum[i]->setChecked(d == kDivideCounts[i]);
}

void frmMain::OnRoomRestored() {
  // The status panel and the divide menu show the restored room at once, as after a pick.
  tmrWatchMan_Timer();
  Quietly([this] { SyncDivideMarks(); });
}

UnsavedWork frmMain::WorkOfRoom() {
  return {[this] { return HasUnsavedWork(); }, [this] { return SaveLayout(); }};
}

bool frmMain::MayDiscardChanges() {
  // A change already running was agreed to when it began, and a load leaves the room as saved.
  // An end of the program already asked for (a signal) is not held up by a question.
  if (history_->Busy() || EndPending()) return true;
  // The question and the file window let events run: an end asked for meanwhile closes them
  // (as Cancel) and is carried out when this returns.
  CommandScope asking;
  return MayDiscardWork(this, WorkOfRoom());
}

void frmMain::RequestExit() {
  if (exitApproved_ || MayDiscardChanges()) modMain::FinKubisto();
}

void frmMain::mnuPopupColorOther_Click() {
  WorkRoomApi* room = modMain::g_objWorkRoom.get();
  if (room == nullptr) return;
  std::int32_t x = -1, y = -1, z = -1, color = 0;
  room->CurrentBlock(x, y, z, color);
  if (x == -1) return;
  // Windows colour values are 0x00BBGGRR.
  const QColor initial(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(initial, this, tr("色の変更"));
  if (!chosen.isValid()) return;
  RecolourCurrentBlock(chosen.red() | chosen.green() << 8 | chosen.blue() << 16);
}

}  // namespace kubisto::app
