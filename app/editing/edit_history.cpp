#include "app/editing/edit_history.h"

#include <exception>
#include <optional>
#include <utility>

namespace kubisto::app {

namespace {

// Sets a flag for the length of a scope, also when the scope is left by an exception.
class BusyScope {
 public:
  explicit BusyScope(bool& flag) : m_flag(flag) { m_flag = true; }
  ~BusyScope() { m_flag = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& m_flag;
};

}  // namespace

EditHistory::EditHistory(RoomChange::RoomGetter room, QObject* parent)
    : QObject(parent), m_room(std::move(room)), m_stack(this) {}

void EditHistory::Record(Kind kind, const QString& text, const std::function<void()>& change) {
  WorkRoomApi* room = m_room();
  if (m_busy || room == nullptr) {
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
    BusyScope busy(m_busy);
    try {
      change();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  // The room may have been released while the change let events run.
  room = m_room();
  if (before && room != nullptr) {
    try {
      RoomState after = TakeRoomState(*room);
      if (!after.SameBlocks(*before)) {
        const Cell undoCurrent = kind == Kind::kBlock ? TouchedCurrent(*before, after) : Cell{};
        const Cell redoCurrent =
            kind == Kind::kBlock ? TouchedCurrent(after, *before) : after.current;
        m_stack.push(new RoomChange(m_room, std::move(*before), std::move(after), undoCurrent,
                                    redoCurrent, text));
      }
    } catch (const std::exception&) {
    }
  }
  if (failure) std::rethrow_exception(failure);
}

bool EditHistory::Modified() {
  if (m_stack.isClean()) return false;
  WorkRoomApi* room = m_room();
  if (room == nullptr) return false;
  try {
    return room->Blocks() != m_savedBlocks ||
           (m_savedDivide.has_value() && room->Divide() != *m_savedDivide);
  } catch (const std::exception&) {
    return true;  // unknown: rather ask
  }
}

void EditHistory::MarkSaved() {
  m_stack.setClean();
  WorkRoomApi* room = m_room();
  m_savedBlocks.clear();
  m_savedDivide.reset();
  if (room == nullptr) return;
  try {
    m_savedDivide = room->Divide();
    m_savedBlocks = room->Blocks();
  } catch (const std::exception&) {
  }
}

void EditHistory::Undo() {
  if (m_busy || !m_stack.canUndo()) return;
  {
    BusyScope busy(m_busy);
    m_stack.undo();
  }
  emit restored();
}

void EditHistory::Redo() {
  if (m_busy || !m_stack.canRedo()) return;
  {
    BusyScope busy(m_busy);
    m_stack.redo();
  }
  emit restored();
}

}  // namespace kubisto::app
