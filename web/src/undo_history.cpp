#include "web/src/undo_history.h"

#include <utility>

#include "workroom/room_commands.h"

namespace kubisto::web {

void UndoHistory::Record(const std::string& text, RoomState before, RoomState after) {
  if (before.SameBlocks(after)) return;
  m_changes.resize(m_done);
  m_changes.push_back({text, std::move(before), std::move(after)});
  if (m_changes.size() > kLimit) m_changes.erase(m_changes.begin());
  m_done = m_changes.size();
}

std::string UndoHistory::UndoText() const { return CanUndo() ? m_changes[m_done - 1].text : ""; }

std::string UndoHistory::RedoText() const { return CanRedo() ? m_changes[m_done].text : ""; }

std::optional<RoomState> UndoHistory::Undo() {
  if (!CanUndo()) return std::nullopt;
  return m_changes[--m_done].before;
}

std::optional<RoomState> UndoHistory::Redo() {
  if (!CanRedo()) return std::nullopt;
  return m_changes[m_done++].after;
}

void UndoHistory::MarkSaved(const RoomState& state) {
  m_savedBlocks = state.blocks;
  m_savedDivide = state.divide;
}

bool UndoHistory::Modified(const RoomState& now) const {
  return commands::UnsavedWork(now.blocks != m_savedBlocks, m_savedDivide.has_value(),
                               m_savedDivide.has_value() && now.divide != *m_savedDivide);
}

void UndoHistory::Clear() {
  m_changes.clear();
  m_done = 0;
}

}  // namespace kubisto::web
