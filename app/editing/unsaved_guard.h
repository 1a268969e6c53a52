// The question before unsaved work is thrown away: "変更を保存しますか？" with Yes (save first),
// No (go on) and Cancel (stop). Asked only when the room is modified.
#pragma once

#include <functional>

class QWidget;

namespace kubisto::app {

struct UnsavedWork {
  std::function<bool()> modified;  // true when the room differs from the last save or load
  std::function<bool()> save;      // saves through the file window; false when cancelled or failed
};

// True when the command may go on: nothing to lose, the user saved, or the user chose No.
bool MayDiscardWork(QWidget* parent, const UnsavedWork& work);

// When the desktop session ends while modified() holds, asks through mayDiscard (the question
// above); false asks the session manager to cancel the shutdown, true runs approved.
void AskBeforeSessionEnds(QWidget* owner, std::function<bool()> modified,
                          std::function<bool()> mayDiscard, std::function<void()> approved);

}  // namespace kubisto::app
