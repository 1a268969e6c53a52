#include "web/src/web_room.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "platform/replace_file.h"
#include "workroom/vox_file.h"
#include "workroom/workroom.h"

namespace kubisto::web {
namespace {

using commands::Arg;
using commands::CommandError;
using commands::Fault;

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      static const char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[(c >> 4) & 0xF];
      out += kHex[c & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string List(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (const std::string& text : texts) out += (out.size() > 1 ? "," : "") + Quoted(text);
  return out + "]";
}

// A whole number as the page passes it: decimal, or hexadecimal after "0x".
long long Number(const std::string& name, const std::string& text) {
  commands::CheckText(text, name);
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
  if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE)
    throw CommandError(Fault::kType, name + " \"" + text + "\": give a whole number");
  return value;
}

bool Flag(const std::string& text) { return text == "1" || text == "true"; }

std::int32_t Colour(const std::string& text) {
  const bool numeric =
      !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-');
  return numeric ? commands::ColourFromValue(Number("colour", text))
                 : commands::ColourFromName(text);
}

// The arguments checked against the command's list: as many as it takes, "discard" optional.
void CheckCount(const commands::RoomCommand& command, size_t given) {
  size_t required = 0;
  for (const commands::Argument& argument : command.arguments)
    if (argument.kind != Arg::kDiscard) ++required;
  if (given < required || given > command.arguments.size())
    throw CommandError(Fault::kType, std::string(command.name) + " takes " +
                                         std::to_string(required) + " argument" +
                                         (required == 1 ? "" : "s") + ", not " +
                                         std::to_string(given));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw CommandError(Fault::kFile, path + ": the file cannot be read");
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() > kMaxLayoutFileBytes)
    throw CommandError(Fault::kFile, path + ": the file is larger than a layout can be");
  return bytes;
}

std::string FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

WebRoom::WebRoom(int width, int height, WebServices& services) : m_services(services) {
  Build(width, height, nullptr);
  m_history.MarkSaved(TakeState());
}

WebRoom::~WebRoom() {
  m_room.reset();  // the room goes before its window
}

void WebRoom::Build(int width, int height, const RoomState* keep) {
  commands::CheckPictureSize(width, height);
  // The new view and room are made before the old ones go, so that a failure keeps those.
  platform::ScopedWindow window(width, height);
  if (!window) throw std::runtime_error("no view of that size can be made");
  auto room = std::make_unique<CWorkRoom>();
  if (keep != nullptr) room->Divide(keep->divide);  // built once, for its count
  room->HandleOfPictureBoxForD3dIO(window.get());
  m_room.reset();  // the room goes before its window
  m_window = std::move(window);
  m_room = std::move(room);
  m_width = width;
  m_height = height;
  if (keep != nullptr) Restore(*keep);
}

void WebRoom::Resize(int width, int height) {
  const RoomState keep = TakeState();
  Build(width, height, &keep);
  m_services.TakeSounds();  // putting the blocks back is no user's action
}

RoomState WebRoom::TakeState() const {
  RoomState state{m_room->Divide(), m_room->Blocks(), {}};
  std::int32_t colour = 0;
  m_room->CurrentBlock(state.current.x, state.current.y, state.current.z, colour);
  return state;
}

void WebRoom::Restore(const RoomState& state) {
  // Every block but the current one at once, then that one, which AddBlock makes current.
  std::vector<LayoutRecord> blocks;
  const LayoutRecord* current = nullptr;
  for (const LayoutRecord& block : state.blocks) {
    const bool isCurrent =
        block.x == state.current.x && block.y == state.current.y && block.z == state.current.z;
    if (isCurrent)
      current = &block;
    else
      blocks.push_back(block);
  }
  m_room->ReplaceBlocks(state.divide, blocks);
  if (current != nullptr) m_room->AddBlock(current->x, current->y, current->z, current->color);
}

std::string WebRoom::Run(const std::string& name, const std::vector<std::string>& arguments) {
  commands::CheckText(name, "command");
  const commands::RoomCommand* command = commands::FindCommand(name);
  if (command == nullptr || command->offer == commands::Offer::kHeadless ||
      command->offer == commands::Offer::kProgram)
    throw CommandError(Fault::kValue, "unknown command \"" + name + "\"");
  CheckCount(*command, arguments.size());
  if (command->reach == commands::Reach::kNothing) return Dispatch(*command, arguments);
  RoomState before = TakeState();
  const auto record = [&] {
    RoomState after = TakeState();
    if (command->reach == commands::Reach::kRoom) before.current = after.current = {};
    m_history.Record(command->undoText, std::move(before), std::move(after));
  };
  try {
    std::string result = Dispatch(*command, arguments);
    record();
    return result;
  } catch (...) {
    record();  // whatever the command changed before it failed can be undone
    throw;
  }
}

std::string WebRoom::Dispatch(const commands::RoomCommand& command,
                              const std::vector<std::string>& a) {
  const std::string name = command.name;
  const auto cell = [&](size_t at, auto use) {
    const std::int32_t x = static_cast<std::int32_t>(Number("x", a[at]));
    const std::int32_t y = static_cast<std::int32_t>(Number("y", a[at + 1]));
    const std::int32_t z = static_cast<std::int32_t>(Number("z", a[at + 2]));
    commands::CheckCell(x, y, z, m_room->Divide());
    return use(x, y, z);
  };
  const auto flag = [&](size_t at) { return a.size() > at && Flag(a[at]); };
  const auto done = [](bool ok) { return std::string(ok ? "true" : "false"); };
  if (name == "get_divide") return std::to_string(m_room->Divide());
  if (name == "set_divide") {
    const std::int32_t divide = commands::CheckDivide(Number("divide", a[0]));
    commands::RefuseUnsavedWork("divide", m_history.Modified(TakeState()), flag(1));
    m_room->Divide(divide);
    return "null";
  }
  if (name == "add")
    return cell(0, [&](std::int32_t x, std::int32_t y, std::int32_t z) {
      const bool taken = commands::CellTaken(m_room->Blocks(), x, y, z);
      m_room->AddBlock(x, y, z, Colour(a[3]));  // a taken cell is refused, with its sound
      return done(!taken);
    });
  if (name == "delete")
    return cell(0, [&](std::int32_t x, std::int32_t y, std::int32_t z) {
      return done(m_room->SelectBlock(x, y, z) && m_room->DelBlock());
    });
  if (name == "select")
    return cell(0, [&](std::int32_t x, std::int32_t y, std::int32_t z) {
      return done(m_room->SelectBlock(x, y, z));
    });
  if (name == "move") return done(m_room->Move(commands::CheckName(Arg::kDirection, a[0])));
  if (name == "current") {
    std::int32_t x = -1, y = -1, z = -1, colour = 0;
    m_room->CurrentBlock(x, y, z, colour);
    if (x == -1) return "null";
    return "[" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z) + "," +
           std::to_string(colour) + "]";
  }
  if (name == "blocks") {
    std::string out = "[";
    for (const LayoutRecord& b : m_room->Blocks())
      out += (out.size() > 1 ? ",[" : "[") + std::to_string(b.x) + "," + std::to_string(b.y) + "," +
             std::to_string(b.z) + "," + std::to_string(b.color) + "]";
    return out + "]";
  }
  if (name == "clear") {
    commands::RefuseUnsavedWork("clear", m_history.Modified(TakeState()), flag(0));
    m_room->ResetData();
    return "null";
  }
  if (name == "load") return Load(a[0], flag(1)), "null";
  if (name == "save") return Save(a[0]), "null";
  if (name == "view") return m_room->SetView(commands::CheckName(Arg::kView, a[0])), "null";
  if (name == "turn") return m_room->Turn(commands::CheckName(Arg::kTurnStep, a[0])), "null";
  if (name == "recolour") {
    const std::int32_t colour = Colour(a[0]);
    std::int32_t x = -1, y = -1, z = -1, old = 0;
    m_room->CurrentBlock(x, y, z, old);
    if (x == -1) return "false";
    // The block is taken away and put back in the new colour, current again.
    m_room->DelBlock();
    m_room->AddBlock(x, y, z, colour);
    return "true";
  }
  throw CommandError(Fault::kValue, "unknown command \"" + name + "\"");
}

void WebRoom::Load(const std::string& path, bool discard) {
  commands::CheckText(path, "path");
  // The file is read and checked in full before the room changes.
  const std::string bytes = ReadBytes(path);
  Layout layout;
  try {
    layout = IsVoxData(bytes) ? ReadVoxLayout(bytes, FileName(path))
                              : ParseLayout(bytes, FileName(path));
  } catch (const std::exception& error) {
    throw CommandError(Fault::kFile, error.what());
  }
  commands::RefuseUnsavedWork("load", m_history.Modified(TakeState()), discard);
  m_room->PlaceLayout(layout);
  m_history.MarkSaved(TakeState());
}

void WebRoom::Save(const std::string& path) {
  commands::CheckText(path, "path");
  commands::CheckSaveName(path);
  const RoomState state = TakeState();
  try {
    platform::ReplaceFile(path, FormatLayout(state.divide, state.blocks));
  } catch (const std::exception& error) {
    throw CommandError(Fault::kFile, error.what());
  }
  m_history.MarkSaved(state);
}

std::string WebRoom::LayoutBytes() const {
  return FormatLayout(m_room->Divide(), m_room->Blocks());
}

void WebRoom::MarkSaved() { m_history.MarkSaved(TakeState()); }

void WebRoom::Pick(float x, float y) { m_room->ViewPicked(x, y); }

bool WebRoom::Undo() {
  const std::optional<RoomState> state = m_history.Undo();
  if (state) Restore(*state);
  return state.has_value();
}

bool WebRoom::Redo() {
  const std::optional<RoomState> state = m_history.Redo();
  if (state) Restore(*state);
  return state.has_value();
}

std::string WebRoom::State() {
  const RoomState state = TakeState();
  std::string current = "null";
  if (state.current.x != -1)
    current = "[" + std::to_string(state.current.x) + "," + std::to_string(state.current.y) + "," +
              std::to_string(state.current.z) + "]";
  return "{\"divide\":" + std::to_string(state.divide) + ",\"current\":" + current +
         ",\"blocks\":" + std::to_string(state.blocks.size()) +
         ",\"undo\":" + Quoted(m_history.UndoText()) + ",\"redo\":" + Quoted(m_history.RedoText()) +
         ",\"modified\":" + (m_history.Modified(state) ? "true" : "false") +
         ",\"sounds\":" + List(m_services.TakeSounds()) +
         ",\"messages\":" + List(m_services.TakeMessages()) + "}";
}

std::vector<std::uint8_t> WebRoom::Pixels() const {
  std::vector<std::uint32_t> pixels;
  int w = 0, h = 0;
  if (!platform::ReadFramebuffer(m_window.get(), pixels, &w, &h))
    throw std::runtime_error("the view could not be read");
  std::vector<std::uint8_t> rgba(pixels.size() * 4);
  for (size_t i = 0; i < pixels.size(); ++i) {
    rgba[4 * i] = static_cast<std::uint8_t>(pixels[i] >> 16);
    rgba[4 * i + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
    rgba[4 * i + 2] = static_cast<std::uint8_t>(pixels[i]);
    rgba[4 * i + 3] = 0xFF;
  }
  return rgba;
}

}  // namespace kubisto::web
