// Saving never destroys the previous file.
#include "workroom/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "tests/support/temp_folder.h"

namespace kubisto {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) { return testing::TempFolder::Read(p.string()); }

class ReplaceFileTest : public ::testing::Test {
 protected:
  size_t EntriesInDir() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  testing::TempFolder folder_;
  const fs::path dir_ = folder_.path();
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

}  // namespace
}  // namespace kubisto
