// Reading a file a user named never hangs and never reads without end.
#include "platform/read_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

using Kind = ReadFileError::Kind;

Kind KindOf(const std::string& path, std::uintmax_t maxBytes = 1024) {
  try {
    ReadRegularFile(path, maxBytes);
  } catch (const ReadFileError& e) {
    return e.What();
  }
  ADD_FAILURE() << path << " was read";
  return Kind::kRead;
}

TEST(ReadRegularFileTest, SpecialFilesAreRefusedAtOnce) {
  kubisto::testing::TempFolder folder;
  // A FIFO with no writer: a blocking open would wait here for ever.
  const std::string fifo = folder.File("pipe.kbs");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(KindOf(fifo), Kind::kNotAFile);
  // A device that never ends, and a folder.
  EXPECT_EQ(KindOf("/dev/zero"), Kind::kNotAFile);
  EXPECT_EQ(KindOf(folder.path().string()), Kind::kNotAFile);
  EXPECT_EQ(KindOf(folder.File("missing.kbs")), Kind::kOpen);
}

TEST(ReadRegularFileTest, AFileOverTheLimitIsRefusedAndOneAtItIsRead) {
  kubisto::testing::TempFolder folder;
  const std::string path = folder.File("big.kbs");
  kubisto::testing::TempFolder::Write(path, std::string(100, 'x'));
  EXPECT_EQ(KindOf(path, 99), Kind::kTooLarge);
  EXPECT_EQ(ReadRegularFile(path, 100), std::string(100, 'x'));
}

}  // namespace
}  // namespace platform
