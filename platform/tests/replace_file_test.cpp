// Saving never destroys the previous file.
#include "platform/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) { return kubisto::testing::TempFolder::Read(p.string()); }

class ReplaceFileTest : public ::testing::Test {
 protected:
  kubisto::testing::TempFolder folder_;
  const fs::path dir_ = folder_.path();
  size_t EntriesInDir() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
};

TEST_F(ReplaceFileTest, CreatesAndReplacesLeavingNoTemporaryFile) {
  const fs::path target = dir_ / "a.KBS";
  ReplaceFile(target.string(), std::string("one\r\n\0two", 10));
  EXPECT_EQ(Slurp(target), std::string("one\r\n\0two", 10));
  ::chmod(target.c_str(), 0640);
  ReplaceFile(target.string(), "second");
  EXPECT_EQ(Slurp(target), "second");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(ReplaceFileTest, FailureKeepsTheOldFile) {
  // The target is a non-empty directory: the rename over it fails, nothing is left behind.
  const fs::path target = dir_ / "busy";
  fs::create_directories(target / "inside");
  EXPECT_THROW(ReplaceFile(target.string(), "x"), std::runtime_error);
  EXPECT_TRUE(fs::is_directory(target / "inside"));
  EXPECT_EQ(EntriesInDir(), 1u);
  // A folder that does not exist: an error naming the file.
  try {
    ReplaceFile((dir_ / "no" / "b.KBS").string(), "x");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("b.KBS"), std::string::npos);
  }
}

TEST_F(ReplaceFileTest, ALinkIsSavedThroughAndStaysALink) {
  const fs::path real = dir_ / "real.KBS";
  ReplaceFile(real.string(), "old");
  fs::create_symlink("real.KBS", dir_ / "link.KBS");  // relative, as users make them
  ReplaceFile((dir_ / "link.KBS").string(), "new");
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.KBS"));
  EXPECT_EQ(Slurp(real), "new");
  // A link to a file that does not exist yet creates that file.
  fs::create_symlink(dir_ / "later.KBS", dir_ / "dangling.KBS");
  ReplaceFile((dir_ / "dangling.KBS").string(), "made");
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.KBS"));
  EXPECT_EQ(Slurp(dir_ / "later.KBS"), "made");
  EXPECT_EQ(EntriesInDir(), 4u);
}

TEST_F(ReplaceFileTest, AReadOnlyFileIsRefusedAndKept) {
  const fs::path target = dir_ / "kept.KBS";
  ReplaceFile(target.string(), "precious");
  ::chmod(target.c_str(), 0444);
  try {
    ReplaceFile(target.string(), "x");
    FAIL() << "a read-only file was replaced";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("kept.KBS"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("read-only"), std::string::npos);
  }
  EXPECT_EQ(Slurp(target), "precious");
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(ReplaceFileTest, AFileNamedLikeATemporaryOneIsNotTouched) {
  // A fixed temporary name would overwrite and then remove the user's own "x.tmp".
  const fs::path target = dir_ / "x";
  std::ofstream(dir_ / "x.tmp") << "mine";
  ReplaceFile(target.string(), "data");
  EXPECT_EQ(Slurp(dir_ / "x.tmp"), "mine");
  EXPECT_EQ(Slurp(target), "data");
  EXPECT_EQ(EntriesInDir(), 2u);
}

TEST_F(ReplaceFileTest, ATargetThatIsNoRegularFileIsRefusedAndKept) {
  // A FIFO, a folder and a link to a FIFO: a rename over them would destroy them and report
  // success.
  const fs::path fifo = dir_ / "pipe.KBS";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(dir_ / "folder.KBS");
  fs::create_symlink("pipe.KBS", dir_ / "to-pipe.KBS");
  for (const char* name : {"pipe.KBS", "folder.KBS", "to-pipe.KBS"}) {
    try {
      ReplaceFile((dir_ / name).string(), "x");
      FAIL() << name << " was replaced";
    } catch (const SaveRefused& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.KBS"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "to-pipe.KBS"));
  EXPECT_EQ(EntriesInDir(), 3u);
}

TEST_F(ReplaceFileTest, ALinkPlantedInASharedStickyFolderIsRefused) {
  // A sticky folder anyone may write into, like /tmp.
  const fs::path shared = dir_ / "shared";
  fs::create_directory(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const fs::path victim = dir_ / "victim.KBS";
  ReplaceFile(victim.string(), "precious");
  // The user's own link there is followed as anywhere else.
  fs::create_symlink(victim, shared / "mine.KBS");
  ReplaceFile((shared / "mine.KBS").string(), "mine");
  EXPECT_EQ(Slurp(victim), "mine");
  // A link that another user made there is not (only root can make one for the test).
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a link to another user";
  fs::create_symlink(victim, shared / "planted.KBS");
  ASSERT_EQ(::lchown((shared / "planted.KBS").c_str(), 65534, 65534), 0);
  EXPECT_THROW(ReplaceFile((shared / "planted.KBS").string(), "stolen"), SaveRefused);
  EXPECT_EQ(Slurp(victim), "mine");
  EXPECT_TRUE(fs::is_symlink(shared / "planted.KBS"));
}

}  // namespace
}  // namespace platform
