// The room's commands as every front end offers them (menus, toolbar, keys, the script server,
// the Python rooms, the command line): their names, their arguments and the checks of each kind
// of argument, the undo entry they make and what they change. The name lists and the limits
// stand here once; the front ends look them up.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/device.h"
#include "workroom/layout_file.h"

namespace kubisto::commands {

// How a script sees a refused request.
enum class Fault { kValue, kType, kFile };

class CommandError : public std::runtime_error {
 public:
  CommandError(Fault fault, const std::string& message)
      : std::runtime_error(message), fault_(fault) {}
  Fault fault() const { return fault_; }

 private:
  Fault fault_;
};

// The kinds of argument a command takes.
enum class Arg {
  kCell,         // x, y, z: a cell inside the room
  kDirection,    // a direction to move the current block
  kView,         // a fixed viewpoint
  kTurnStep,     // one step of turning
  kColour,       // 0xBBGGRR, "#RRGGBB" or a name of the colour menu
  kDivide,       // the cell count
  kPath,         // a file to read, taken exactly as given
  kSavePath,     // a file to write: as kPath, and a name the file window lists
  kDiscard,      // whether unsaved work may be thrown away (optional)
  kPictureSize,  // width and height of a picture
  kCellSize,     // the edge of one block in a 3D model
};

// What a command changes, which decides its undo entry.
enum class Reach {
  kNothing,  // reads only, or changes how the room is seen
  kBlock,    // one block: an undo entry of its own
  kRoom,     // the whole room: unsaved work is asked about first
};

struct Argument {
  const char* name;
  Arg kind;
};

// Which rooms offer a command.
enum class Offer {
  kEverywhere,  // the program's window, its script server and the Python rooms
  kHeadless,    // a room without a window only (pictures and models)
  kWindow,      // the program's window only (its menus)
  kProgram,     // the running program only (its script server)
};

struct RoomCommand {
  const char* name;
  std::span<const Argument> arguments;
  const char* undoText;  // the undo entry's text (untranslated), or nullptr for none
  Reach reach;
  Offer offer;
};

// Every command, and one by its name (nullptr when there is none).
std::span<const RoomCommand> Commands();
const RoomCommand* FindCommand(std::string_view name);
// The undo entry's text of a command (nullptr for a command without one).
const char* UndoText(std::string_view name);

// --- Limits ---

inline constexpr std::int32_t kMinDivide = 1;
inline constexpr std::int32_t kMaxDivide = kMaxLayoutDivide;
inline constexpr int kMaxPictureSide = engine::Device::kMaxExtent;
inline constexpr std::int32_t kMaxColour = 0xFFFFFF;
inline constexpr float kMaxCellSize = 1.0e6f;

// --- Names ---

// The names each kind of name argument takes, upper case (any case is accepted).
std::span<const char* const> Names(Arg kind);
// The place of a name (any case) among its kind's names, or -1 when it is none of them. The
// places of views and turn steps by name:
enum class ViewName { kFront, kTop, kSide, kBird };
enum class TurnName { kUp, kDown, kLeft, kRight };
// Directions are X, -X, Y, -Y, Z, -Z: the axis is the place / 2, towards lower cells when odd.
enum class DirectionName { kX, kMinusX, kY, kMinusY, kZ, kMinusZ };
int NameIndex(Arg kind, const std::string& name);
// The names by their places.
const char* NameOf(ViewName view);
const char* NameOf(TurnName step);
const char* NameOf(DirectionName direction);
// Upper-case name when it is one of kind's names, else a kValue error naming them.
std::string CheckName(Arg kind, const std::string& name);
// The names of a kind in lower case for a usage message: "front, top, side or bird".
std::string NameChoices(Arg kind);
// The word for an argument kind in messages ("view", "turn", "direction").
const char* KindWord(Arg kind);

// --- Checks (each throws CommandError) ---

// A text with a NUL character is refused: it would end the text early as a C string.
void CheckText(const std::string& text, const std::string& what);
// The range part of an out-of-range message for an argument ("give 1..16", "each of x, y, z is
// 0..4"); divide is the room's cell count (for cells only).
std::string RangeText(Arg kind, std::int32_t divide = 0);
// "<name> <number> is out of range: <range>", the number as the caller wrote it.
[[noreturn]] void FailOutOfRange(const std::string& name, const std::string& number,
                                 const std::string& range);
void CheckCell(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t divide);
// Whether a block of blocks stands in the cell (an add there is refused).
bool CellTaken(const std::vector<LayoutRecord>& blocks, std::int32_t x, std::int32_t y,
               std::int32_t z);
std::int32_t CheckDivide(long long divide);
std::int32_t ColourFromValue(long long value);
std::int32_t ColourFromName(const std::string& name);
void CheckPictureSize(long long width, long long height);
float CheckCellSize(float cellSize);
// A save's file name must be one the file window lists: not hidden, not a folder.
void CheckSaveName(const std::string& path);
// Unsaved work of a script's room: its blocks differ from those last loaded or saved, or, once it
// has a file, its cell count differs from the file's.
bool UnsavedWork(bool blocksDiffer, bool hasFile, bool divideDiffers);
// Replacing the whole room never asks a question in a script: unsaved work makes it fail
// unless the script said it may be thrown away.
void RefuseUnsavedWork(const char* command, bool unsaved, bool discard);

// --- Notes ---

// What a load says when it read the first of a .vox file's several models: the window's text,
// which it translates, with "%1" for the count; and the same words for scripts and the command
// line.
extern const char* const kSeveralModelsNote;
std::string SeveralModelsNote(std::int32_t models);

// The kind of exception a script sees for a fault: "ValueError", "TypeError", "OSError".
const char* FaultName(Fault fault);

}  // namespace kubisto::commands
