// The layout file's bytes, its reader's field rules and every refusal of a bad file.
#include "workroom/layout_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/support/temp_folder.h"
#include "workroom/shift_jis.h"

namespace kubisto {
namespace {

// The title as the file carries it: Shift_JIS, quoted.
const std::string kSjisTitle =
    "\x92\xb4\x8a\xc8\x88\xd5"
    "3D"
    "\x90\xcf\x82\xdd\x96\xd8\x81\x75"
    "Oh!Kubisto!!forWindows"
    "\x81\x76"
    "Ver0.3b"
    "\x83\xc0"
    "2";

TEST(ShiftJis, EncodesTheTitleAndPassesAscii) {
  EXPECT_EQ(ToShiftJis(kLayoutTitle), kSjisTitle);
  EXPECT_EQ(ToShiftJis("abc,\"1\""), "abc,\"1\"");
  EXPECT_THROW(ToShiftJis("日本"), std::invalid_argument);      // 日 is not in the table
  EXPECT_THROW(ToShiftJis("\xE8\xB6"), std::invalid_argument);  // truncated sequence
  EXPECT_THROW(ToShiftJis("\xFF"), std::invalid_argument);
}

TEST(LayoutFormat, WritesTheExampleByteForByte) {
  const std::string expected =
      "5\r\n0,0,0,255\r\n4,4,4,16711680\r\n-1,-1,-1,0\r\n\"" + kSjisTitle + "\"\r\n";
  EXPECT_EQ(FormatLayout(5, {{0, 0, 0, 255}, {4, 4, 4, 16711680}}), expected);
  EXPECT_EQ(FormatLayout(3, {}), "3\r\n-1,-1,-1,0\r\n\"" + kSjisTitle + "\"\r\n");
  EXPECT_EQ(FormatLayout(5, {{1, 2, 3, -5}}).substr(3, 10), "1,2,3,-5\r\n");
}

TEST(LayoutParse, ReadsWhatItWrites) {
  const std::vector<LayoutRecord> records = {{0, 0, 0, 255}, {4, 4, 4, 16711680}, {2, 1, 0, 65280}};
  const Layout layout = ParseLayout(FormatLayout(5, records), "a.KBS");
  EXPECT_EQ(layout.divide, 5);
  EXPECT_EQ(layout.records, records);
}

TEST(LayoutParse, FieldRules) {
  // LF alone, blanks before fields, fields spread over lines, blank lines between fields.
  Layout l = ParseLayout("4\n 1, 2,3,\t255\n\n0\n0,0,7\n-1,-1,-1,0\n\"t\"\n", "f");
  EXPECT_EQ(l.divide, 4);
  ASSERT_EQ(l.records.size(), 2u);
  EXPECT_EQ(l.records[0], (LayoutRecord{1, 2, 3, 255}));
  EXPECT_EQ(l.records[1], (LayoutRecord{0, 0, 0, 7}));
  // Only x marks the end; a coordinate equal to the count is accepted (the room refuses it).
  l = ParseLayout("5\r\n5,5,5,1\r\n-1,5,5,5\r\n\"x\"\r\n0,0,0,0\r\n", "f");
  ASSERT_EQ(l.records.size(), 1u);
  EXPECT_EQ(l.records[0], (LayoutRecord{5, 5, 5, 1}));
  // The title's content is not checked; a quoted text may hold commas; no final line end needed.
  l = ParseLayout("3\r\n-1,-1,-1,0\r\n\"any, title\"", "f");
  EXPECT_TRUE(l.records.empty());
  l = ParseLayout("3\r\n-1,-1,-1,0\r\nunquoted", "f");
  EXPECT_EQ(l.divide, 3);
}

std::string ErrorOf(const std::string& bytes) {
  try {
    ParseLayout(bytes, "/data/room.KBS");
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "no error";
}

TEST(LayoutParse, RefusesBadFilesNamingFileAndLine) {
  const std::string tail = "-1,-1,-1,0\r\n\"t\"\r\n";
  EXPECT_EQ(
      ErrorOf(""),
      "Layout file \"/data/room.KBS\", line 1: the file ends where the cell count is expected");
  EXPECT_EQ(ErrorOf("5\r\n1,2,3,4\r\n"),
            "Layout file \"/data/room.KBS\", line 3: the file ends where x is expected");
  EXPECT_EQ(ErrorOf("5\r\n-1,-1,-1,0\r\n"),
            "Layout file \"/data/room.KBS\", line 3: the file ends where the title is expected");
  EXPECT_EQ(ErrorOf("5\r\n1,2,3\r\n"),
            "Layout file \"/data/room.KBS\", line 3: the file ends where the colour is expected");
  EXPECT_EQ(ErrorOf("5\r\n1,a,3,4\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 2: y \"a\" is not a number");
  EXPECT_EQ(ErrorOf("5\r\n1,,3,4\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 2: y \"\" is not a number");
  EXPECT_EQ(ErrorOf("5\r\n0,0,0,4294967296\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 2: the colour 4294967296 is out of range");
  EXPECT_EQ(ErrorOf("x\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 1: the cell count \"x\" is not a number");
  EXPECT_EQ(ErrorOf("0\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 1: the cell count 0 is outside 1..16");
  EXPECT_EQ(ErrorOf("17\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 1: the cell count 17 is outside 1..16");
  EXPECT_EQ(ErrorOf("5\r\n0,0,0,1\r\n6,0,0,1\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 3: the block 6,0,0 lies outside 0..5");
  EXPECT_EQ(ErrorOf("5\r\n0,-2,0,1\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 2: the block 0,-2,0 lies outside 0..5");
  EXPECT_EQ(ErrorOf("5\r\n0,0,0,1\r\n-1,x,-1,0\r\n\"t\"\r\n"),
            "Layout file \"/data/room.KBS\", line 3: y \"x\" is not a number");
  EXPECT_EQ(ErrorOf("5\r\n1.5,0,0,0\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 2: x \"1.5\" is not a number");
  EXPECT_EQ(ErrorOf("5\r\n+1,0,0,0\r\n" + tail),
            "Layout file \"/data/room.KBS\", line 2: x \"+1\" is not a number");
}

TEST(LayoutParse, MessagesShowWhatIsInTheFileSafely) {
  // A binary file: control bytes, a bell, an escape sequence and bytes above ASCII are escaped.
  EXPECT_EQ(ErrorOf(std::string("\x89PNG\x1b[2J\x07\0\\z\r\n", 14)),
            "Layout file \"/data/room.KBS\", line 1: the cell count "
            "\"\\x89PNG\\x1B[2J\\x07\\x00\\x5Cz\" is not "
            "a number");
  // A huge field is cut to an excerpt with its length, a text and a number alike.
  const std::string message = ErrorOf(std::string(100000, 'q'));
  EXPECT_LT(message.size(), 200u);
  EXPECT_NE(message.find("\"qqqqqqqqqqqqqqqq…\" (100000 bytes) is not a number"), std::string::npos)
      << message;
  EXPECT_EQ(ErrorOf("5\r\n" + std::string(40000, '1') + ",1,1,1\r\n"),
            "Layout file \"/data/room.KBS\", line 2: x \"1111111111111111…\" (40000 bytes) is out "
            "of range");
}

// A file of exactly the limit is read (what follows the title is never looked at); one byte more
// is refused before anything is read, whatever it holds.
TEST(LayoutRead, AFileAtTheSizeLimitIsReadAndOneByteMoreIsRefused) {
  testing::TempFolder folder;
  const std::string path = folder.File("big.KBS");
  const std::string head = "5\r\n1,2,3,255\r\n-1,-1,-1,0\r\n\"t\"\r\n";
  testing::TempFolder::Write(path, head + std::string(kMaxLayoutFileBytes - head.size(), ' '));
  const Layout layout = ReadLayoutFile(path);
  EXPECT_EQ(layout.divide, 5);
  ASSERT_EQ(layout.records.size(), 1u);
  EXPECT_EQ(layout.records[0].color, 255);
  testing::TempFolder::Write(path, head + std::string(kMaxLayoutFileBytes - head.size() + 1, ' '));
  try {
    ReadLayoutFile(path);
    FAIL() << "no error";
  } catch (const LayoutError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot read layout file \"" + path + "\": too large to be a layout");
    EXPECT_EQ(e.Reason(), "too large to be a layout");
  }
}

TEST(LayoutRead, FolderIsNoLayout) {
  try {
    ReadLayoutFile(KUBISTO_BIN_DIR);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()),
              std::string("Cannot read layout file \"") + KUBISTO_BIN_DIR + "\": not a file");
  }
}

TEST(LayoutRead, MissingFileNamesTheFile) {
  try {
    ReadLayoutFile("/nonexistent/dir/none.KBS");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/dir/none.KBS"), std::string::npos);
  }
}

}  // namespace
}  // namespace kubisto
