#include "python/headless_room.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "output/export_model.h"
#include "output/render_layout.h"
#include "output/working_directory.h"
#include "platform/replace_file.h"
#include "workroom/room_commands.h"
#include "workroom/workroom.h"

namespace kubisto::script {
namespace {

// The data folder as the current directory while the room is built or drawn (the wall pictures
// are named relative to it); a folder that cannot be entered is a file error for the script.
class InDataDir {
 public:
  explicit InDataDir(const std::string& dir) try : m_dir(dir) {
  } catch (const std::runtime_error& error) {
    throw FileError(error.what());
  }

 private:
  output::WorkingDirectory m_dir;
};

constexpr int kWidth = output::kViewWidth;
constexpr int kHeight = output::kViewHeight;

}  // namespace

std::string ScriptPath(const std::string& path) {
  if (path.empty()) throw FileError("no file name given");
  commands::CheckText(path, "path");
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.string();
}

HeadlessRoom::HeadlessRoom(std::int32_t divide, std::string dataDir)
    : m_dataDir(std::move(dataDir)) {
  commands::CheckDivide(divide);
  m_window = platform::ScopedWindow(kWidth, kHeight);
  if (!m_window) throw std::runtime_error("no off-screen window could be made for the room");
  try {
    InDataDir data(m_dataDir);
    m_room = std::make_unique<CWorkRoom>();
    m_room->HandleOfPictureBoxForD3dIO(m_window.get());
    if (divide != m_room->Divide()) m_room->Divide(divide);
  } catch (...) {
    m_room.reset();  // the room goes before its window
    throw;
  }
}

HeadlessRoom::~HeadlessRoom() {
  m_room.reset();  // the room goes before its window
}

std::int32_t HeadlessRoom::Divide() const { return m_room->Divide(); }

bool HeadlessRoom::Unsaved() const {
  return commands::UnsavedWork(m_room->Blocks() != m_savedBlocks, m_savedDivide != 0,
                               m_room->Divide() != m_savedDivide);
}

void HeadlessRoom::RefuseUnsaved(const char* what, bool discard) const {
  if (!discard) commands::RefuseUnsavedWork(what, Unsaved(), discard);
}

void HeadlessRoom::SetDivide(std::int32_t divide, bool discard) {
  commands::CheckDivide(divide);
  RefuseUnsaved("divide", discard);
  InDataDir data(m_dataDir);
  m_room->Divide(divide);
  StartingView();
}

void HeadlessRoom::StartingView() {
  m_view.clear();
  m_turns.clear();
}

void HeadlessRoom::CheckCell(std::int32_t x, std::int32_t y, std::int32_t z) const {
  commands::CheckCell(x, y, z, m_room->Divide());
}

bool HeadlessRoom::Add(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t colour) {
  CheckCell(x, y, z);
  const bool taken = commands::CellTaken(m_room->Blocks(), x, y, z);
  m_room->AddBlock(x, y, z, colour);  // a taken cell is refused, with its sound, by the room
  return !taken;
}

bool HeadlessRoom::Delete(std::int32_t x, std::int32_t y, std::int32_t z) {
  CheckCell(x, y, z);
  return m_room->SelectBlock(x, y, z) && m_room->DelBlock();
}

bool HeadlessRoom::Select(std::int32_t x, std::int32_t y, std::int32_t z) {
  CheckCell(x, y, z);
  return m_room->SelectBlock(x, y, z);
}

bool HeadlessRoom::Move(const std::string& direction) {
  return m_room->Move(commands::CheckName(commands::Arg::kDirection, direction));
}

std::optional<CurrentBlock> HeadlessRoom::Current() {
  CurrentBlock c{-1, -1, -1, 0};
  m_room->CurrentBlock(c.x, c.y, c.z, c.colour);
  if (c.x == -1) return std::nullopt;
  return c;
}

std::vector<LayoutRecord> HeadlessRoom::Blocks() const { return m_room->Blocks(); }

void HeadlessRoom::Clear(bool discard) {
  RefuseUnsaved("clear", discard);
  m_room->ResetData();
}

Layout HeadlessRoom::ReadLayout(const std::string& file) {
  try {
    return ReadLayoutFile(file);
  } catch (const std::exception& error) {
    throw FileError(error.what());
  }
}

void HeadlessRoom::PlaceLayout(const Layout& layout, bool discard) {
  RefuseUnsaved("load", discard);
  const std::int32_t before = m_room->Divide();
  InDataDir data(m_dataDir);
  try {
    m_room->PlaceLayout(layout);
  } catch (const std::exception& error) {
    throw FileError(error.what());
  }
  if (m_room->Divide() != before) StartingView();
  m_savedDivide = m_room->Divide();
  m_savedBlocks = m_room->Blocks();
}

HeadlessRoom::Saving HeadlessRoom::SaveBytes() const {
  Saving saving{m_room->Divide(), m_room->Blocks(), {}};
  saving.bytes = FormatLayout(saving.divide, saving.blocks);
  return saving;
}

void HeadlessRoom::WriteLayout(const std::string& file, const std::string& bytes) {
  try {
    platform::ReplaceFile(file, bytes);
  } catch (const std::exception& error) {
    throw FileError(error.what());
  }
}

void HeadlessRoom::MarkSaved(const Saving& saved) {
  m_savedDivide = saved.divide;
  m_savedBlocks = saved.blocks;
}

void HeadlessRoom::Load(const std::string& path, bool discard) {
  const std::string file = ScriptPath(path);
  RefuseUnsaved("load", discard);  // before the file is read
  PlaceLayout(ReadLayout(file), discard);
}

void HeadlessRoom::Save(const std::string& path) {
  const std::string file = ScriptPath(path);
  commands::CheckSaveName(file);
  const Saving saving = SaveBytes();
  WriteLayout(file, saving.bytes);
  MarkSaved(saving);
}

void HeadlessRoom::View(const std::string& name) {
  const std::string view = commands::CheckName(commands::Arg::kView, name);
  m_room->SetView(view);
  m_view = view;
  m_turns.clear();
}

void HeadlessRoom::Turn(const std::string& step) {
  const std::string turn = commands::CheckName(commands::Arg::kTurnStep, step);
  m_room->Turn(turn);
  m_turns.push_back(turn);
}

void HeadlessRoom::Render(const std::string& path, int width, int height, const std::string& view) {
  const std::string file = ScriptPath(path);
  commands::CheckPictureSize(width, height);
  output::RenderRequest request;
  request.width = width;
  request.height = height;
  if (view.empty()) {
    request.view = m_view;
    request.turns = m_turns;
  } else {
    request.view = commands::CheckName(commands::Arg::kView, view);
  }
  try {
    const output::Picture picture =
        output::RenderLayout({m_room->Divide(), m_room->Blocks()}, request, m_dataDir);
    output::WritePng(picture, file);
  } catch (const std::exception& error) {
    throw FileError(error.what());
  }
}

void HeadlessRoom::Export(const std::string& path, float cellSize) {
  const std::string file = ScriptPath(path);
  commands::CheckCellSize(cellSize);
  if (!output::IsExportPath(file))
    throw std::invalid_argument(path + ": give a file name ending in one of " +
                                output::ExportExtensionList());
  try {
    output::ExportLayout({m_room->Divide(), m_room->Blocks()}, file, cellSize);
  } catch (const std::exception& error) {
    throw FileError(error.what());
  }
}

}  // namespace kubisto::script
