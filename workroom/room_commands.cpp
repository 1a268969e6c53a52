#include "workroom/room_commands.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "workroom/upper_case.h"

// Marks the undo texts and the notes for the translation tools; the program's window translates
// them.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

namespace kubisto::commands {
namespace {

constexpr Argument kCellArgs[] = {{"x", Arg::kCell}, {"y", Arg::kCell}, {"z", Arg::kCell}};
constexpr Argument kAddArgs[] = {
    {"x", Arg::kCell}, {"y", Arg::kCell}, {"z", Arg::kCell}, {"colour", Arg::kColour}};
constexpr Argument kDivideArgs[] = {{"divide", Arg::kDivide}, {"discard", Arg::kDiscard}};
constexpr Argument kMoveArgs[] = {{"direction", Arg::kDirection}};
constexpr Argument kDiscardArgs[] = {{"discard", Arg::kDiscard}};
constexpr Argument kLoadArgs[] = {{"path", Arg::kPath}, {"discard", Arg::kDiscard}};
constexpr Argument kSaveArgs[] = {{"path", Arg::kSavePath}};
constexpr Argument kViewArgs[] = {{"name", Arg::kView}};
constexpr Argument kTurnArgs[] = {{"step", Arg::kTurnStep}};
constexpr Argument kColourArgs[] = {{"colour", Arg::kColour}};
constexpr Argument kRenderArgs[] = {
    {"path", Arg::kPath}, {"size", Arg::kPictureSize}, {"view", Arg::kView}};
constexpr Argument kPictureArgs[] = {{"path", Arg::kPath}};
constexpr Argument kExportArgs[] = {{"path", Arg::kPath}, {"cell_size", Arg::kCellSize}};

// The undo texts are the main window's to translate.
const RoomCommand kCommands[] = {
    {"get_divide", {}, nullptr, Reach::kNothing, Offer::kEverywhere},
    {"set_divide", kDivideArgs, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "辺の分割数"),
     Reach::kRoom, Offer::kEverywhere},
    {"add", kAddArgs, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "ブロックの追加"), Reach::kBlock,
     Offer::kEverywhere},
    {"delete", kCellArgs, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "ブロックの削除"),
     Reach::kBlock, Offer::kEverywhere},
    {"select", kCellArgs, nullptr, Reach::kNothing, Offer::kEverywhere},
    {"move", kMoveArgs, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "移動"), Reach::kBlock,
     Offer::kEverywhere},
    {"current", {}, nullptr, Reach::kNothing, Offer::kEverywhere},
    {"blocks", {}, nullptr, Reach::kNothing, Offer::kEverywhere},
    {"clear", kDiscardArgs, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "新規作成"), Reach::kRoom,
     Offer::kEverywhere},
    {"load", kLoadArgs, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "読み込み"), Reach::kRoom,
     Offer::kEverywhere},
    {"save", kSaveArgs, nullptr, Reach::kNothing, Offer::kEverywhere},
    {"view", kViewArgs, nullptr, Reach::kNothing, Offer::kEverywhere},
    {"turn", kTurnArgs, nullptr, Reach::kNothing, Offer::kEverywhere},
    {"recolour", kColourArgs, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "色の変更"), Reach::kBlock,
     Offer::kWindow},
    {"picture", kPictureArgs, nullptr, Reach::kNothing, Offer::kProgram},
    {"render", kRenderArgs, nullptr, Reach::kNothing, Offer::kHeadless},
    {"export", kExportArgs, nullptr, Reach::kNothing, Offer::kHeadless},
};

constexpr const char* kDirections[] = {"X", "-X", "Y", "-Y", "Z", "-Z"};
constexpr const char* kViews[] = {"FRONT", "TOP", "SIDE", "BIRD"};
constexpr const char* kTurnSteps[] = {"UP", "DOWN", "LEFT", "RIGHT"};

// The colour menu's entries (English and Japanese captions) and their values 0xBBGGRR.
const std::pair<const char*, std::int32_t> kNamedColours[] = {
    {"red", 0x0000FF},     {"赤", 0x0000FF},       {"blue", 0xFF0000},  {"青", 0xFF0000},
    {"yellow", 0x00FFFF},  {"黄", 0x00FFFF},       {"green", 0x00FF00}, {"緑", 0x00FF00},
    {"magenta", 0xFF00FF}, {"マゼンタ", 0xFF00FF}, {"cyan", 0xFFFF00},  {"シアン", 0xFFFF00},
};

[[noreturn]] void FailValue(const std::string& message) {
  throw CommandError(Fault::kValue, message);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::span<const RoomCommand> Commands() { return kCommands; }

const RoomCommand* FindCommand(std::string_view name) {
  for (const RoomCommand& command : kCommands)
    if (name == command.name) return &command;
  return nullptr;
}

const char* UndoText(std::string_view name) {
  const RoomCommand* command = FindCommand(name);
  return command == nullptr ? nullptr : command->undoText;
}

std::span<const char* const> Names(Arg kind) {
  switch (kind) {
    case Arg::kDirection:
      return kDirections;
    case Arg::kView:
      return kViews;
    case Arg::kTurnStep:
      return kTurnSteps;
    default:
      return {};
  }
}

const char* KindWord(Arg kind) {
  switch (kind) {
    case Arg::kDirection:
      return "direction";
    case Arg::kView:
      return "view";
    case Arg::kTurnStep:
      return "turn";
    default:
      return "name";
  }
}

int NameIndex(Arg kind, const std::string& name) {
  const std::string upper = ToUpperAscii(name);
  const std::span<const char* const> names = Names(kind);
  for (size_t i = 0; i < names.size(); ++i)
    if (upper == names[i]) return static_cast<int>(i);
  return -1;
}

const char* NameOf(ViewName view) { return kViews[static_cast<int>(view)]; }
const char* NameOf(TurnName step) { return kTurnSteps[static_cast<int>(step)]; }
const char* NameOf(DirectionName direction) { return kDirections[static_cast<int>(direction)]; }

std::string NameChoices(Arg kind) {
  const std::span<const char* const> names = Names(kind);
  std::string list;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? " or " : ", ";
    std::string lower = names[i];
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    list += lower;
  }
  return list;
}

void CheckText(const std::string& text, const std::string& what) {
  if (text.find('\0') != std::string::npos) FailValue(what + ": a NUL character is not allowed");
}

std::string CheckName(Arg kind, const std::string& name) {
  const std::string what = KindWord(kind);
  CheckText(name, what);
  const std::string upper = ToUpperAscii(name);
  std::string list;
  for (const char* known : Names(kind)) {
    if (upper == known) return upper;
    list += (list.empty() ? "" : ", ") + std::string(known);
  }
  FailValue("unknown " + what + " \"" + name + "\": give one of " + list);
}

std::string RangeText(Arg kind, std::int32_t divide) {
  switch (kind) {
    case Arg::kCell:
      return "each of x, y, z is 0.." + std::to_string(divide - 1);
    case Arg::kDivide:
      return "give 1.." + std::to_string(kMaxDivide);
    case Arg::kColour:
      return "give 0..0xFFFFFF";
    case Arg::kPictureSize:
      return "give 1.." + std::to_string(kMaxPictureSide) + " pixels each way";
    default:
      return "give another";
  }
}

void FailOutOfRange(const std::string& name, const std::string& number, const std::string& range) {
  FailValue(name + " " + number + " is out of range: " + range);
}

void CheckCell(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t divide) {
  if (std::min({x, y, z}) < 0 || std::max({x, y, z}) >= divide)
    FailValue("cell (" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(z) +
              ") is outside the room: " + RangeText(Arg::kCell, divide));
}

bool CellTaken(const std::vector<LayoutRecord>& blocks, std::int32_t x, std::int32_t y,
               std::int32_t z) {
  return std::any_of(blocks.begin(), blocks.end(),
                     [&](const LayoutRecord& b) { return b.x == x && b.y == y && b.z == z; });
}

std::int32_t CheckDivide(long long divide) {
  if (divide < kMinDivide || divide > kMaxDivide) {
    const std::string n = std::to_string(divide);
    FailOutOfRange("divide", n,
                   "the cell count " + n + " is outside 1.." + std::to_string(kMaxDivide));
  }
  return static_cast<std::int32_t>(divide);
}

std::int32_t ColourFromValue(long long value) {
  if (value < 0 || value > kMaxColour)
    FailOutOfRange("colour", std::to_string(value), RangeText(Arg::kColour));
  return static_cast<std::int32_t>(value);
}

std::int32_t ColourFromName(const std::string& name) {
  CheckText(name, "colour");
  if (name.size() == 7 && name[0] == '#') {
    std::int32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
      const int digit = HexDigit(name[i]);
      if (digit < 0) FailValue("colour " + name + ": give #RRGGBB in hexadecimal");
      rgb = rgb * 16 + digit;
    }
    // #RRGGBB to the room's 0x00BBGGRR.
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
  }
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const auto& [known, value] : kNamedColours)
    if (lower == known) return value;
  FailValue("unknown colour \"" + name +
            "\": give red, blue, yellow, green, magenta, cyan, their Japanese names, \"#RRGGBB\" "
            "or a number 0xBBGGRR");
}

void CheckPictureSize(long long width, long long height) {
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
    FailValue("size " + std::to_string(width) + " x " + std::to_string(height) + ": " +
              RangeText(Arg::kPictureSize));
}

float CheckCellSize(float cellSize) {
  if (!(cellSize > 0.0f) || cellSize > kMaxCellSize)
    FailValue("cell size " + std::to_string(cellSize) + ": give a positive number");
  return cellSize;
}

void CheckSaveName(const std::string& path) {
  const std::string name = path.substr(path.rfind('/') + 1);
  if (name.empty()) FailValue(path + ": give a file name, not a folder");
  if (name[0] == '.')
    FailValue(path + ": a file name beginning with \".\" is hidden; give another");
}

bool UnsavedWork(bool blocksDiffer, bool hasFile, bool divideDiffers) {
  return blocksDiffer || (hasFile && divideDiffers);
}

void RefuseUnsavedWork(const char* command, bool unsaved, bool discard) {
  if (discard || !unsaved) return;
  FailValue(std::string(command) +
            ": the room holds unsaved work; save it first, or pass discard=True to throw it away");
}

const char* const kSeveralModelsNote = QT_TRANSLATE_NOOP(
    "kubisto::app::frmMain", "ファイルにはモデルが%1個あります。最初のモデルを読み込みました");

std::string SeveralModelsNote(std::int32_t models) {
  return "the file holds " + std::to_string(models) + " models; the first is read";
}

const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::kType:
      return "TypeError";
    case Fault::kFile:
      return "OSError";
    default:
      return "ValueError";
  }
}

}  // namespace kubisto::commands
