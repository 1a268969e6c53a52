#include "app/editing/edit_history.h"

#include <exception>
#include <optional>
#include <utility>

namespace kubisto::app {

namespace {

// Sets a flag for the length of a scope, also when the scope is left by an exception.
class BusyScope {
 public:
  explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyScope() { flag_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

EditHistory::EditHistory(RoomChange::RoomGetter room, QObject* parent)
    : QObject(parent), room_(std::move(room)), stack_(this) {}

void EditHistory::Record(Kind kind, const QString& text, const std::function<void()>& change) {
  WorkRoomApi* room = room_();
  if (busy_ || room == nullptr) {
    change();
    return;
  }
  std::optional<RoomState> before;
  try {
    before = TakeRoomState(*room);
  } catch (const std::exception&) {
    // A room that cannot be listed cannot be restored either: the change goes unrecorded.
  }
  std::exception_ptr failure;
  {
    BusyScope busy(busy_);
    try {
      change();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  // The room may have been released while the change let events run.
  room = room_();
  if (before && room != nullptr) {
    try {
      RoomState after = TakeRoomState(*room);
      if (!after.SameBlocks(*before)) {
        const Cell undoCurrent = kind == Kind::kBlock ? TouchedCurrent(*before, after) : Cell{};
        const Cell redoCurrent =
            kind == Kind::kBlock ? TouchedCurrent(after, *before) : after.current;
        stack_.push(new RoomChange(room_, std::move(*before), std::move(after), undoCurrent,
                                   redoCurrent, text));
      }
    } catch (const std::exception&) {
    }
  }
  if (failure) std::rethrow_exception(failure);
}

bool EditHistory::Modified() {
  if (stack_.isClean()) return false;
  WorkRoomApi* room = room_();
  if (room == nullptr) return false;
  try {
    return room->Blocks() != savedBlocks_ ||
           (savedDivide_.has_value() && room->Divide() != *savedDivide_);
  } catch (const std::exception&) {
    return true;  // unknown: rather ask
  }
}

void EditHistory::MarkSaved() {
  stack_.setClean();
  WorkRoomApi* room = room_();
  savedBlocks_.clear();
  savedDivide_.reset();
  if (room == nullptr) return;
  try {
    savedDivide_ = room->Divide();
    savedBlocks_ = room->Blocks();
  } catch (const std::exception&) {
  }
}

void EditHistory::Undo() {
  if (busy_ || !stack_.canUndo()) return;
  {
    BusyScope busy(busy_);
    stack_.undo();
  }
  emit restored();
}

void EditHistory::Redo() {
  if (busy_ || !stack_.canRedo()) return;
  {
    BusyScope busy(busy_);
    stack_.redo();
  }
  emit restored();
}

}  // namespace kubisto::app
