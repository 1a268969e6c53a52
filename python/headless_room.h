// The scripts' headless room: a workroom drawn into an off-screen window, with the checks and
// errors a script needs on top of the workroom's own operations.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/scoped_window.h"
#include "workroom/layout_file.h"
#include "workroom/room_commands.h"

namespace kubisto {
class CWorkRoom;
}

namespace kubisto::script {

// A file that could not be read, written or parsed (scripts see an OSError).
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CurrentBlock {
  std::int32_t x, y, z, colour;
};

class HeadlessRoom {
 public:
  // dataDir holds the wall pictures (the program's folder). Throws commands::CommandError for a
  // cell count outside 1..16.
  HeadlessRoom(std::int32_t divide, std::string dataDir);
  ~HeadlessRoom();
  HeadlessRoom(const HeadlessRoom&) = delete;
  HeadlessRoom& operator=(const HeadlessRoom&) = delete;

  std::int32_t Divide() const;
  // Throws commands::CommandError when the room holds unsaved work and discard is false.
  void SetDivide(std::int32_t divide, bool discard);

  // Each throws commands::CommandError for a cell outside the room.
  bool Add(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t colour);  // false: occupied
  bool Delete(std::int32_t x, std::int32_t y, std::int32_t z);  // false: the cell was empty
  bool Select(std::int32_t x, std::int32_t y, std::int32_t z);  // false: the cell was empty
  // Throws commands::CommandError for a name other than x, -x, y, -y, z, -z (any case).
  bool Move(const std::string& direction);

  std::optional<CurrentBlock> Current();
  std::vector<LayoutRecord> Blocks() const;
  void Clear(bool discard);  // as SetDivide for unsaved work

  // Unsaved work: the blocks differ from the last load or save (a fresh room is empty), or the
  // cell count from the file's (a fresh room has no file). Load, Clear and SetDivide would throw it
  // away: they throw commands::CommandError naming what (RefuseUnsaved) unless discard is true.
  bool Unsaved() const;
  void RefuseUnsaved(const char* what, bool discard) const;
  // What a script's room does when discard is not given with a call (Room(discard=...)).
  bool Discard() const { return discard_; }
  void SetDiscard(bool discard) { discard_ = discard; }

  // A load in two steps, so that the file can be read while other threads run: ReadLayout touches
  // no room (throws FileError), PlaceLayout puts what it read in place (throws
  // commands::CommandError as SetDivide for unsaved work).
  static Layout ReadLayout(const std::string& file);
  void PlaceLayout(const Layout& layout, bool discard);
  // A save in two steps likewise: the bytes and what they hold, then the writing, which touches no
  // room (throws FileError), and the note that the room is saved.
  struct Saving {
    std::int32_t divide;
    std::vector<LayoutRecord> blocks;
    std::string bytes;
  };
  Saving SaveBytes() const;
  static void WriteLayout(const std::string& file, const std::string& bytes);
  void MarkSaved(const Saving& saved);

  // Load and Save in one step each.
  void Load(const std::string& path, bool discard);
  void Save(const std::string& path);
  // Throws commands::CommandError for an unknown view or step.
  void View(const std::string& name);
  void Turn(const std::string& step);

  // The room as the main window's view shows it, at width x height, written as a PNG; the view
  // and turns so far, or the named view alone.
  void Render(const std::string& path, int width, int height, const std::string& view);
  // The blocks as a 3D model file, its format chosen by the extension.
  void Export(const std::string& path, float cellSize);

 private:
  void CheckCell(std::int32_t x, std::int32_t y, std::int32_t z) const;
  void StartingView();

  std::string dataDir_;
  platform::ScopedWindow window_;  // declared first: it goes after the room
  std::unique_ptr<CWorkRoom> room_;
  // What render repeats: the last fixed view chosen and the turns since.
  std::string view_;
  std::vector<std::string> turns_;
  // The room as last loaded or saved (a cell count of 0: none yet).
  std::int32_t savedDivide_ = 0;
  std::vector<LayoutRecord> savedBlocks_;
  bool discard_ = false;
};

// A script's file path exactly as given ("\\" is an ordinary character in a name), made absolute
// from the script's current folder. Throws FileError for an empty path and
// commands::CommandError for one holding a NUL character.
std::string ScriptPath(const std::string& path);
}  // namespace kubisto::script
