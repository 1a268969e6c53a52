// The workroom's model before it has a window: state, refusals and the layout file, which need
// no drawing engine.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"
#include "workroom_fixture.h"

namespace kubisto {
namespace {

TEST(WorkRoomModel, FreshRoomAndHelpers) {
  RecordingServices services;
  CWorkRoom room;
  EXPECT_EQ(room.Divide(), 5);
  EXPECT_EQ(Current(room), (Cell{-1, -1, -1, 0}));
  int x = 7, y = 7, z = 7, color = 99;
  room.CurrentBlock(x, y, z, color);
  EXPECT_EQ(color, 0);  // no block: the colour is 0, whatever was passed in
  EXPECT_EQ(Access::GridUpper(room), 5);
  EXPECT_EQ(Access::FrameGridUpper(room), 5);
  EXPECT_EQ(Access::MaxOf3(-3, 7, 2), 7);
  EXPECT_EQ(Access::MaxOf3(9, 7, 2), 9);
  EXPECT_EQ(Access::MinOf3(4, 7, -2), -2);
  EXPECT_EQ(Access::MinOf3(-4, 7, -2), -4);
  EXPECT_FALSE(room.DelBlock());
  EXPECT_FALSE(room.Move("x"));
  EXPECT_TRUE(services.sounds.empty());
}

TEST(WorkRoomModel, DivideRefusesCountsThatCannotBeBuilt) {
  RecordingServices services;
  CWorkRoom room;
  EXPECT_THROW(room.Divide(0), std::invalid_argument);
  EXPECT_THROW(room.Divide(-3), std::invalid_argument);
  EXPECT_THROW(room.Divide(17), std::invalid_argument);
  EXPECT_EQ(room.Divide(), 5);
  room.Divide(3);  // no window yet: the grids change, the room is built when the window comes
  EXPECT_EQ(room.Divide(), 3);
  EXPECT_EQ(Access::GridUpper(room), 3);
}

TEST(WorkRoomModel, EmptyPathDoesNothing) {
  RecordingServices services;
  CWorkRoom room;
  room.SaveData("");
  room.LoadData("");
  EXPECT_EQ(room.Divide(), 5);
}

TEST(WorkRoomModel, SavingAnEmptyRoomWritesThreeLines) {
  RecordingServices services;
  TempFolder dir;
  CWorkRoom room;
  room.SaveData(dir.File("empty.KBS"));
  EXPECT_EQ(TempFolder::Read(dir.File("empty.KBS")), "5\r\n-1,-1,-1,0\r\n" + kTitleLine);
}

TEST(WorkRoomModel, PathsWithBackslashesSaveAndLoad) {
  RecordingServices services;
  TempFolder dir;
  CWorkRoom room;
  room.Divide(3);
  const std::string windowsStyle = dir.File("") + "\\sub.KBS";  // doubled separator included
  room.SaveData(windowsStyle);
  EXPECT_EQ(TempFolder::Read(dir.File("sub.KBS")), "3\r\n-1,-1,-1,0\r\n" + kTitleLine);
  room.Divide(5);
  room.LoadData(windowsStyle);
  EXPECT_EQ(room.Divide(), 3);
}

TEST(WorkRoomModel, BadFileLeavesEverythingAsItWas) {
  RecordingServices services;
  TempFolder dir;
  CWorkRoom room;
  const std::string good = dir.File("good.KBS");
  TempFolder::Write(good, "4\r\n1,2,3,255\r\n0,0,0,65280\r\n-1,-1,-1,0\r\n" + kTitleLine);
  room.LoadData(good);
  ASSERT_EQ(room.Divide(), 4);
  const std::string saved = dir.File("saved.KBS");
  room.SaveData(saved);
  const std::string before = TempFolder::Read(saved);
  const Cell current = Current(room);
  services.Clear();

  const std::string bad = dir.File("bad.KBS");
  for (const std::string& bytes : {
           std::string("3\r\n0,0,0,1\r\n"),                                        // ends early
           std::string("3\r\n0,0,0,1\r\n2,2,9,1\r\n-1,-1,-1,0\r\n") + kTitleLine,  // outside
           std::string("3\r\n0,0,zero,1\r\n-1,-1,-1,0\r\n") + kTitleLine,          // not a number
           std::string("0\r\n-1,-1,-1,0\r\n") + kTitleLine,                        // no cells
           std::string("3\r\n-1,-1,-1,0\r\n"),                                     // no title
       }) {
    TempFolder::Write(bad, bytes);
    try {
      room.LoadData(bad);
      ADD_FAILURE() << "no error for: " << bytes;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(bad), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("line "), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(room.LoadData(dir.File("missing.KBS")), std::runtime_error);
  EXPECT_EQ(room.Divide(), 4);
  EXPECT_EQ(Current(room), current);
  EXPECT_TRUE(services.sounds.empty());
  room.SaveData(saved);
  EXPECT_EQ(TempFolder::Read(saved), before);
}

TEST(WorkRoomModel, FailedSaveKeepsThePreviousFile) {
  RecordingServices services;
  TempFolder dir;
  CWorkRoom room;
  EXPECT_THROW(room.SaveData(dir.File("no_such_folder/x.KBS")), std::runtime_error);
  std::filesystem::create_directories(dir.path() / "folder" / "inside");
  EXPECT_THROW(room.SaveData(dir.File("folder")), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder" / "inside"));
}

}  // namespace
}  // namespace kubisto
