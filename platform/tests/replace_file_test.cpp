// Saving never destroys the previous file.
#include "platform/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ReplaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("platform_replace_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  size_t EntriesInDir() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
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

}  // namespace
}  // namespace platform
