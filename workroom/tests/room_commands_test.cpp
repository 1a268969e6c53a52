// The room's command table and its checks, which every front end's requests go through.
#include "workroom/room_commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kubisto::commands {
namespace {

// The message of the error a call throws, and that it is of the fault given.
template <typename Call>
std::string Refusal(Call&& call, Fault fault = Fault::kValue) {
  try {
    call();
  } catch (const CommandError& error) {
    EXPECT_EQ(error.fault(), fault) << error.what();
    return error.what();
  }
  ADD_FAILURE() << "not refused";
  return {};
}

TEST(RoomCommandsTest, EachCommandOnceWithItsUndoEntryWhereItChangesTheRoom) {
  std::set<std::string> names;
  for (const RoomCommand& command : Commands()) {
    EXPECT_TRUE(names.insert(command.name).second) << command.name;
    EXPECT_EQ(command.undoText != nullptr, command.reach != Reach::kNothing) << command.name;
    EXPECT_EQ(FindCommand(command.name), &command);
  }
  EXPECT_EQ(FindCommand("hello"), nullptr);
  EXPECT_STREQ(UndoText("add"), "ブロックの追加");
  EXPECT_EQ(FindCommand("load")->reach, Reach::kRoom);
  EXPECT_EQ(FindCommand("move")->reach, Reach::kBlock);
  EXPECT_EQ(UndoText("view"), nullptr);
}

TEST(RoomCommandsTest, NamesInAnyCaseAndOnlyThoseOfTheirKind) {
  EXPECT_EQ(CheckName(Arg::kView, "Bird"), "BIRD");
  EXPECT_EQ(CheckName(Arg::kDirection, "-x"), "-X");
  EXPECT_EQ(CheckName(Arg::kTurnStep, "left"), "LEFT");
  EXPECT_EQ(Refusal([] { CheckName(Arg::kView, "up"); }),
            "unknown view \"up\": give one of FRONT, TOP, SIDE, BIRD");
  EXPECT_NE(Refusal([] { CheckName(Arg::kTurnStep, std::string("up\0", 3)); }).find("NUL"),
            std::string::npos);
  EXPECT_EQ(NameChoices(Arg::kView), "front, top, side or bird");
  // The room acts on a name's place in its list.
  EXPECT_EQ(NameIndex(Arg::kDirection, "-z"), 5);
  EXPECT_EQ(NameIndex(Arg::kTurnStep, "Right"), static_cast<int>(TurnName::kRight));
  EXPECT_EQ(NameIndex(Arg::kView, "sideways"), -1);
  EXPECT_STREQ(NameOf(ViewName::kBird), "BIRD");
  EXPECT_STREQ(NameOf(TurnName::kUp), "UP");
}

TEST(RoomCommandsTest, ColoursInTheirThreeForms) {
  EXPECT_EQ(ColourFromName("#FF0000"), 0x0000FF);  // #RRGGBB to 0xBBGGRR
  EXPECT_EQ(ColourFromName("#0a0B0c"), 0x0C0B0A);
  EXPECT_EQ(ColourFromName("RED"), 0x0000FF);
  EXPECT_EQ(ColourFromName("青"), 0xFF0000);
  EXPECT_EQ(ColourFromName("シアン"), 0xFFFF00);
  EXPECT_EQ(ColourFromValue(0xFFFFFF), 0xFFFFFF);
  EXPECT_EQ(Refusal([] { ColourFromValue(0x1000000); }),
            "colour 16777216 is out of range: give 0..0xFFFFFF");
  EXPECT_EQ(Refusal([] { ColourFromValue(-1); }), "colour -1 is out of range: give 0..0xFFFFFF");
  EXPECT_NE(Refusal([] { ColourFromName("#12345G"); }).find("hexadecimal"), std::string::npos);
  EXPECT_NE(Refusal([] { ColourFromName("purple"); }).find("unknown colour"), std::string::npos);
}

TEST(RoomCommandsTest, CellsCountsAndSizesWithinTheirLimits) {
  CheckCell(0, 4, 4, 5);
  EXPECT_TRUE(CellTaken({{1, 2, 3, 0xFF}}, 1, 2, 3));
  EXPECT_FALSE(CellTaken({{1, 2, 3, 0xFF}}, 3, 2, 1));
  EXPECT_EQ(Refusal([] { CheckCell(0, 5, 0, 5); }),
            "cell (0, 5, 0) is outside the room: each of x, y, z is 0..4");
  EXPECT_NE(Refusal([] { CheckCell(-1, 0, 0, 5); }).find("outside the room"), std::string::npos);
  EXPECT_EQ(CheckDivide(16), 16);
  EXPECT_EQ(Refusal([] { CheckDivide(40); }),
            "divide 40 is out of range: the cell count 40 is outside 1..16");
  EXPECT_NE(Refusal([] { CheckDivide(0); }).find("out of range"), std::string::npos);
  // The picture's limit is the engine's.
  CheckPictureSize(engine::Device::kMaxExtent, 1);
  EXPECT_EQ(Refusal([] { CheckPictureSize(engine::Device::kMaxExtent + 1, 10); }),
            "size 8193 x 10: give 1..8192 pixels each way");
  EXPECT_NE(Refusal([] { CheckPictureSize(10, 0); }).find("pixels"), std::string::npos);
  EXPECT_NE(Refusal([] { CheckCellSize(0.0f); }).find("positive"), std::string::npos);
}

TEST(RoomCommandsTest, SavesOnlyToNamesTheFileWindowLists) {
  CheckSaveName("/tmp/a\\b.kbs");
  EXPECT_NE(Refusal([] { CheckSaveName("/tmp/.hidden.kbs"); }).find("beginning with \".\""),
            std::string::npos);
  EXPECT_NE(Refusal([] { CheckSaveName("/tmp/"); }).find("not a folder"), std::string::npos);
}

TEST(RoomCommandsTest, UnsavedWorkIsThrownAwayOnlyWhenTheCallerSaysSo) {
  // The cell count is work of its own only once the room has a file.
  EXPECT_FALSE(UnsavedWork(false, false, true));
  EXPECT_TRUE(UnsavedWork(false, true, true));
  EXPECT_TRUE(UnsavedWork(true, false, false));
  RefuseUnsavedWork("load", false, false);
  RefuseUnsavedWork("load", true, true);
  EXPECT_EQ(
      Refusal([] { RefuseUnsavedWork("clear", true, false); }),
      "clear: the room holds unsaved work; save it first, or pass discard=True to throw it away");
  EXPECT_STREQ(FaultName(Fault::kFile), "OSError");
  EXPECT_STREQ(FaultName(Fault::kType), "TypeError");
}

}  // namespace
}  // namespace kubisto::commands
