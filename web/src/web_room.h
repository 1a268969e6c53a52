// The browser's room: a workroom drawn into an off-screen view, its undo history, and the one
// dispatcher through which the page runs the room commands of workroom/room_commands.h by name.
// Files are paths in the module's in-memory file system: the page writes an uploaded or stored
// layout there before "load" and reads what "save" wrote.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/scoped_window.h"
#include "web/src/undo_history.h"
#include "web/src/web_services.h"
#include "workroom/room_commands.h"

namespace kubisto {
class CWorkRoom;
}

namespace kubisto::web {

class WebRoom {
 public:
  // A room of 5 cells a side drawn at width x height pixels; throws when no view can be made.
  WebRoom(int width, int height, WebServices& services);
  ~WebRoom();
  WebRoom(const WebRoom&) = delete;
  WebRoom& operator=(const WebRoom&) = delete;

  // Runs a room command with its arguments as texts, one per argument of the table (an optional
  // "discard" may be left out). Returns the result as JSON text ("null" for none); throws
  // commands::CommandError or std::runtime_error with the message for the user.
  std::string Run(const std::string& name, const std::vector<std::string>& arguments);

  // The layout file's bytes of the room, as "save" writes them, without counting the room saved
  // (the page keeps, shares and exports the room through them); MarkSaved counts it saved once the
  // page has kept those bytes somewhere.
  std::string LayoutBytes() const;
  void MarkSaved();

  // A click on the view at (x, y) pixels selects the block there, or none.
  void Pick(float x, float y);
  // Steps back or forward through the history; false when there is nothing to undo or redo.
  bool Undo();
  bool Redo();

  // The cell count, the current block, the undo and redo texts, unsaved work, and the sounds and
  // messages since the last call, as JSON text.
  std::string State();
  // The view as RGBA pixels, top row first.
  std::vector<std::uint8_t> Pixels() const;
  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Draws the same room at another size (the view and turns start over).
  void Resize(int width, int height);

 private:
  void Build(int width, int height, const RoomState* keep);
  RoomState TakeState() const;
  void Restore(const RoomState& state);
  std::string Dispatch(const commands::RoomCommand& command,
                       const std::vector<std::string>& arguments);
  void Load(const std::string& path, bool discard);
  void Save(const std::string& path);

  WebServices& m_services;
  int m_width = 0, m_height = 0;
  platform::ScopedWindow m_window;
  std::unique_ptr<CWorkRoom> m_room;
  UndoHistory m_history;
};

// The module's one room, for the module's other exports; throws when there is none yet.
WebRoom& CurrentRoom();

}  // namespace kubisto::web
