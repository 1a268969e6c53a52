// A save that fails part-way leaves the previous file exactly as it was, leaves no temporary file
// behind, leaves the room as it was, and reports the failure to the caller.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/window.h"
#include "scene/direct3drm.h"
#include "scene/mesh_builder.h"
#include "tests/support/counted_library.h"
#include "tests/support/recording_services.h"
#include "tests/support/room_access.h"
#include "tests/support/temp_folder.h"
#include "workroom/workroom.h"

namespace kubisto::testing {
namespace {

namespace fs = std::filesystem;

// While it lives, no file of this process may grow past a few bytes: writes past the limit fail
// (EFBIG), as on a full disk. Tests run as root, so read-only folders would not stop them.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    ok_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previousHandler_);
  }
  bool ok() const { return ok_; }

 private:
  rlimit previous_{};
  sighandler_t previousHandler_ = SIG_DFL;
  bool ok_ = false;
};

size_t FilesIn(const fs::path& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
  return n;
}

class InterruptedSave : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::chdir(KUBISTO_BIN_DIR), 0);
    hwnd_ = platform::CreateWindow(160, 120);
    room_ = std::make_unique<CWorkRoom>();
    room_->HandleOfPictureBoxForD3dIO(hwnd_);
    room_->AddBlock(0, 0, 0, 0x0000FF);
    room_->AddBlock(1, 2, 3, 0x00FF00);
    file_ = folder_.File("layout.kbs");
    room_->SaveData(file_);
    saved_ = TempFolder::Read(file_);
    ASSERT_GT(saved_.size(), 40u);
    // A bigger layout, whose file would be longer than the old one.
    for (int x = 0; x < 5; ++x) room_->AddBlock(x, 4, 4, 0xFF0000);
    blocks_ = GridBlocks(*room_);
  }
  void TearDown() override {
    room_.reset();
    platform::DestroyWindow(hwnd_);
  }

  void ExpectNothingChanged() {
    EXPECT_EQ(TempFolder::Read(file_), saved_);
    EXPECT_EQ(FilesIn(folder_.path()), 1u) << "a temporary file was left behind";
    EXPECT_EQ(GridBlocks(*room_), blocks_);
  }

  RecordingServices services_;
  TempFolder folder_;
  platform::HWND hwnd_ = 0;
  std::unique_ptr<CWorkRoom> room_;
  std::string file_, saved_;
  Blocks blocks_;
};

TEST_F(InterruptedSave, DiskFullHalfwayKeepsTheOldFile) {
  {
    FileSizeLimit limit(saved_.size() / 2);  // the new file stops in the middle of its records
    ASSERT_TRUE(limit.ok());
    try {
      room_->SaveData(file_);
      ADD_FAILURE() << "a save that could not be written reported success";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(file_), std::string::npos) << e.what();
    }
  }
  ExpectNothingChanged();
  // With room on the disk again the same save goes through.
  room_->SaveData(file_);
  EXPECT_NE(TempFolder::Read(file_), saved_);
  EXPECT_EQ(FilesIn(folder_.path()), 1u);
}

TEST_F(InterruptedSave, DiskFullBeforeTheFirstByteKeepsTheOldFile) {
  {
    FileSizeLimit limit(0);
    ASSERT_TRUE(limit.ok());
    EXPECT_THROW(room_->SaveData(file_), std::runtime_error);
  }
  ExpectNothingChanged();
}

TEST_F(InterruptedSave, AFolderThatIsAFileIsReported) {
  TempFolder::Write(folder_.File("not-a-folder"), "x");
  EXPECT_THROW(room_->SaveData(folder_.File("not-a-folder") + "/layout.kbs"), std::runtime_error);
  EXPECT_EQ(TempFolder::Read(folder_.File("not-a-folder")), "x");
  fs::remove(folder_.File("not-a-folder"));
  ExpectNothingChanged();
}

TEST_F(InterruptedSave, AFolderInTheFilesPlaceIsNotReplaced) {
  fs::create_directory(folder_.File("taken.kbs"));
  TempFolder::Write(folder_.File("taken.kbs") + "/inside", "kept");
  EXPECT_THROW(room_->SaveData(folder_.File("taken.kbs")), std::runtime_error);
  EXPECT_EQ(TempFolder::Read(folder_.File("taken.kbs") + "/inside"), "kept");
  fs::remove_all(folder_.File("taken.kbs"));
  ExpectNothingChanged();
}

// The mesh builder's save through the bridge keeps an old mesh file the same way.
TEST_F(InterruptedSave, MeshFileOnAFullDiskKeepsTheOldFile) {
  std::string old;
  const platform::HWND other = platform::CreateWindow(32, 32);
  {
    Direct3DRM rm;
    ASSERT_TRUE(rm.Init(other));
    MeshBuilderPtr box = rm.CreateMeshBuilder();
    box->Cube(1, 2, 3);
    const std::string meshFile = folder_.File("box.x");
    ASSERT_TRUE(box->SaveEx(meshFile, 2, 15));
    old = TempFolder::Read(meshFile);
    MeshBuilderPtr ball = rm.CreateMeshBuilder();
    ball->Sphere(12, 5);
    {
      FileSizeLimit limit(old.size() / 2);
      ASSERT_TRUE(limit.ok());
      EXPECT_FALSE(ball->SaveEx(meshFile, 2, 15));
    }
  }
  platform::DestroyWindow(other);
  const std::string meshFile = folder_.File("box.x");
  EXPECT_EQ(TempFolder::Read(meshFile), old);
  EXPECT_EQ(FilesIn(folder_.path()), 2u) << "a temporary file was left behind";
}

}  // namespace
}  // namespace kubisto::testing
