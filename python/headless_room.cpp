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
  explicit InDataDir(const std::string& dir) try : dir_(dir) {
  } catch (const std::runtime_error& error) {
    throw FileError(error.what());
  }

 private:
  output::WorkingDirectory dir_;
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
    : dataDir_(std::move(dataDir)) {
  commands::CheckDivide(divide);
  window_ = platform::ScopedWindow(kWidth, kHeight);
  if (!window_) throw std::runtime_error("no off-screen window could be made for the room");
  try {
    InDataDir data(dataDir_);
    room_ = std::make_unique<CWorkRoom>();
    room_->HandleOfPictureBoxForD3dIO(window_.get());
    if (divide != room_->Divide()) room_->Divide(divide);
  } catch (...) {
    room_.reset();  // the room goes before its window
    throw;
  }
}

HeadlessRoom::~HeadlessRoom() {
  room_.reset();  // the room goes before its window
}

std::int32_t HeadlessRoom::Divide() const { return room_->Divide(); }

bool HeadlessRoom::Unsaved() const {
  return commands::UnsavedWork(room_->Blocks() != savedBlocks_, savedDivide_ != 0,
                               room_->Divide() != savedDivide_);
}

void HeadlessRoom::RefuseUnsaved(const char* what, bool discard) const {
  if (!discard) commands::RefuseUnsavedWork(what, Unsaved(), discard);
}

void HeadlessRoom::SetDivide(std::int32_t divide, bool discard) {
  commands::CheckDivide(divide);
  RefuseUnsaved("divide", discard);
  InDataDir data(dataDir_);
  room_->Divide(divide);
  StartingView();
}

void HeadlessRoom::StartingView() {
  view_.clear();
  turns_.clear();
}

void HeadlessRoom::CheckCell(std::int32_t x, std::int32_t y, std::int32_t z) const {
  commands::CheckCell(x, y, z, room_->Divide());
}

bool HeadlessRoom::Add(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t colour) {
  CheckCell(x, y, z);
  const bool taken = commands::CellTaken(room_->Blocks(), x, y, z);
  room_->AddBlock(x, y, z, colour);  // a taken cell is refused, with its sound, by the room
  return !taken;
}

bool HeadlessRoom::Delete(std::int32_t x, std::int32_t y, std::int32_t z) {
  CheckCell(x, y, z);
  return room_->SelectBlock(x, y, z) && room_->DelBlock();
}

bool HeadlessRoom::Select(std::int32_t x, std::int32_t y, std::int32_t z) {
  CheckCell(x, y, z);
  return room_->SelectBlock(x, y, z);
}

bool HeadlessRoom::Move(const std::string& direction) {
  return room_->Move(commands::CheckName(commands::Arg::kDirection, direction));
}

std::optional<CurrentBlock> HeadlessRoom::Current() {
  CurrentBlock c{-1, -1, -1, 0};
  room_->CurrentBlock(c.x, c.y, c.z, c.colour);
  if (c.x == -1) return std::nullopt;
  return c;
}

std::vector<LayoutRecord> HeadlessRoom::Blocks() const { return room_->Blocks(); }

void HeadlessRoom::Clear(bool discard) {
  RefuseUnsaved("clear", discard);
  room_->ResetData();
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
  const std::int32_t before = room_->Divide();
  InDataDir data(dataDir_);
  try {
    room_->PlaceLayout(layout);
  } catch (const std::exception& error) {
    throw FileError(error.what());
  }
  if (room_->Divide() != before) StartingView();
  savedDivide_ = room_->Divide();
  savedBlocks_ = room_->Blocks();
}

HeadlessRoom::Saving HeadlessRoom::SaveBytes() const {
  Saving saving{room_->Divide(), room_->Blocks(), {}};
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
  savedDivide_ = saved.divide;
  savedBlocks_ = saved.blocks;
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
  room_->SetView(view);
  view_ = view;
  turns_.clear();
}

void HeadlessRoom::Turn(const std::string& step) {
  const std::string turn = commands::CheckName(commands::Arg::kTurnStep, step);
  room_->Turn(turn);
  turns_.push_back(turn);
}

void HeadlessRoom::Render(const std::string& path, int width, int height, const std::string& view) {
  const std::string file = ScriptPath(path);
  commands::CheckPictureSize(width, height);
  output::RenderRequest request;
  request.width = width;
  request.height = height;
  if (view.empty()) {
    request.view = view_;
    request.turns = turns_;
  } else {
    request.view = commands::CheckName(commands::Arg::kView, view);
  }
  try {
    const output::Picture picture =
        output::RenderLayout({room_->Divide(), room_->Blocks()}, request, dataDir_);
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
    output::ExportLayout({room_->Divide(), room_->Blocks()}, file, cellSize);
  } catch (const std::exception& error) {
    throw FileError(error.what());
  }
}

}  // namespace kubisto::script
