// Saving and loading layouts in a drawn room.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "tests/support/temp_folder.h"
#include "workroom_fixture.h"

namespace kubisto {
namespace {

const std::string kMove = RecordingServices::Sound("/sound/move.wav");
const std::string kRefuse = RecordingServices::Sound("/sound/kasha.wav");

class LayoutTest : public WorkRoomTest {
 protected:
  // The blocks of the room as the file lists them.
  std::string Saved() {
    const std::string file = dir_.File("check.KBS");
    room().SaveData(file);
    return TempFolder::Read(file);
  }
  TempFolder dir_;
};

TEST_F(LayoutTest, WritesTheExampleFileByteForByte) {
  // Placed in the opposite order to the file's: the file lists z, then y, then x ascending.
  room().AddBlock(4, 4, 4, 16711680);
  room().AddBlock(0, 0, 0, 255);
  EXPECT_EQ(Saved(), "5\r\n0,0,0,255\r\n4,4,4,16711680\r\n-1,-1,-1,0\r\n" + kTitleLine);
  room().AddBlock(1, 0, 3, 65280);
  room().AddBlock(3, 0, 1, 65535);
  room().AddBlock(0, 1, 0, 16711935);
  EXPECT_EQ(Saved(),
            "5\r\n0,0,0,255\r\n0,1,0,16711935\r\n3,0,1,65535\r\n1,0,3,65280\r\n4,4,4,16711680\r\n"
            "-1,-1,-1,0\r\n" +
                kTitleLine);
}

TEST_F(LayoutTest, RoundTripRestoresBlocksWithTheLastCurrent) {
  room().AddBlock(3, 2, 1, 255);
  room().AddBlock(0, 0, 0, 16776960);
  room().AddBlock(1, 4, 2, 16711680);
  const std::string file = dir_.File("round.KBS");
  room().SaveData(file);
  const std::string bytes = TempFolder::Read(file);
  room().ResetData();
  room().AddBlock(2, 2, 2, 65280);  // replaced by the load
  services_.Clear();
  room().LoadData(file);
  EXPECT_EQ(Current(room()), (Cell{1, 4, 2, 16711680}));  // last in file order
  EXPECT_EQ(services_.sounds, (std::vector<std::string>{kMove, kMove, kMove, kMove}));
  EXPECT_EQ(services_.doEvents, 3);
  EXPECT_FALSE(Access::Occupied(room(), 2, 2, 2));
  EXPECT_EQ(Access::Cell(room(), 2, 2, 2)->VisualCount(), 1);
  EXPECT_EQ(Access::Cell(room(), 3, 2, 1)->VisualCount(), 2);
  EXPECT_EQ(Saved(), bytes);
}

// A .vox file of the given models (each a size and voxels x, y, z, palette index), palette red.
std::string VoxFile(const std::vector<std::pair<std::array<int, 3>, std::string>>& models) {
  const auto u32 = [](std::uint32_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
  };
  const auto chunk = [&](const std::string& id, const std::string& content,
                         const std::string& children = "") {
    return id + u32(content.size()) + u32(children.size()) + content + children;
  };
  std::string body;
  for (const auto& [size, voxels] : models) {
    body += chunk("SIZE", u32(size[0]) + u32(size[1]) + u32(size[2]));
    body += chunk("XYZI", u32(voxels.size() / 4) + voxels);
  }
  std::string palette;
  for (int i = 0; i < 256; ++i) palette += std::string("\xFF\x00\x00\xFF", 4);
  body += chunk("RGBA", palette);
  return "VOX " + u32(150) + chunk("MAIN", "", body);
}

TEST_F(LayoutTest, AVoxFileOfSeveralModelsPlacesItsFirstAndCountsThem) {
  const std::string two = dir_.File("two.vox");
  TempFolder::Write(two, VoxFile({{{3, 3, 3}, std::string("\x02\x02\x02\x01", 4)},
                                  {{2, 2, 2}, std::string("\x01\x01\x01\x01", 4)}}));
  room().LoadData(two);
  EXPECT_EQ(room().LoadedModels(), 2);
  // Voxel (2, 2, 2) of a model three cells a side is cell (0, 2, 0); palette red is 0x0000FF.
  EXPECT_EQ(room().Blocks(), (std::vector<LayoutRecord>{{0, 2, 0, 0x0000FF}}));
  // The next file, a layout, holds one.
  const std::string layout = dir_.File("one.kbs");
  TempFolder::Write(layout, "3\r\n1,1,1,255\r\n-1,-1,-1,0\r\n" + kTitleLine);
  room().LoadData(layout);
  EXPECT_EQ(room().LoadedModels(), 1);
}

TEST_F(LayoutTest, TwoRecordsForOneCellKeepTheFirst) {
  const std::string file = dir_.File("twice.KBS");
  TempFolder::Write(file, "5\r\n1,1,1,255\r\n1,1,1,65280\r\n-1,-1,-1,0\r\n" + kTitleLine);
  room().LoadData(file);
  EXPECT_EQ(services_.sounds, (std::vector<std::string>{kMove, kRefuse}));
  EXPECT_EQ(Current(room()), (Cell{1, 1, 1, 255}));
  EXPECT_EQ(Access::Cell(room(), 1, 1, 1)->VisualCount(), 2);
}

TEST_F(LayoutTest, EndMarkNeedsOnlyX) {
  const std::string file = dir_.File("end.KBS");
  TempFolder::Write(file, "5\r\n2,0,1,255\r\n-1,5,5,5\r\n\"whatever\"\r\n3,3,3,255\r\n");
  room().LoadData(file);
  EXPECT_EQ(Current(room()), (Cell{2, 0, 1, 255}));
  EXPECT_FALSE(Access::Occupied(room(), 3, 3, 3));
}

TEST_F(LayoutTest, CoordinateEqualToTheCountIsSkippedSilently) {
  const std::string file = dir_.File("edge.KBS");
  TempFolder::Write(file, "5\n1,0,0,255\n5,0,0,255\n-1,-1,-1,0\n\"t\"\n");  // LF alone
  room().LoadData(file);
  EXPECT_EQ(services_.sounds, std::vector<std::string>{kMove});
  EXPECT_EQ(Current(room()), (Cell{1, 0, 0, 255}));
}

TEST_F(LayoutTest, OtherCountRebuildsTheRoomFirst) {
  room().AddBlock(4, 4, 4, 255);
  const std::string file = dir_.File("three.KBS");
  TempFolder::Write(file, "3\r\n2,2,2,255\r\n0,1,2,65280\r\n-1,-1,-1,0\r\n" + kTitleLine);
  room().LoadData(file);
  EXPECT_EQ(room().Divide(), 3);
  EXPECT_EQ(Access::Room(room())->ChildCount(), 27);
  EXPECT_EQ(Access::Room(room())->VisualCount(), 7);
  EXPECT_EQ(Current(room()), (Cell{0, 1, 2, 65280}));
  FramePtr cell = Access::Cell(room(), 2, 2, 2);
  ASSERT_EQ(cell->VisualCount(), 2);
  auto cube = std::dynamic_pointer_cast<MeshBuilder>(cell->Visual(1));
  ASSERT_TRUE(cube);
  const auto box = BoxOf(*cube);
  EXPECT_FLOAT_EQ(box[3] - box[0], 80);
  EXPECT_EQ(Saved(), "3\r\n0,1,2,65280\r\n2,2,2,255\r\n-1,-1,-1,0\r\n" + kTitleLine);
}

TEST_F(LayoutTest, SameCountKeepsTheRoom) {
  const FramePtr before = Access::Room(room());
  const ObjectHandle handle = before->lp;
  room().AddBlock(4, 4, 4, 255);
  const std::string file = dir_.File("five.KBS");
  TempFolder::Write(file, "5\r\n0,0,0,255\r\n-1,-1,-1,0\r\n" + kTitleLine);
  room().LoadData(file);
  EXPECT_EQ(Access::Room(room())->lp, handle);
  EXPECT_FALSE(Access::Occupied(room(), 4, 4, 4));
  EXPECT_EQ(Access::Cell(room(), 4, 4, 4)->VisualCount(), 1);
}

TEST_F(LayoutTest, BadFileLeavesTheDrawnRoomUntouched) {
  room().AddBlock(1, 2, 3, 255);
  const std::string file = dir_.File("bad.KBS");
  TempFolder::Write(file, "3\r\n0,0,0,255\r\n");
  services_.Clear();
  EXPECT_THROW(room().LoadData(file), std::runtime_error);
  EXPECT_EQ(room().Divide(), 5);
  EXPECT_EQ(Current(room()), (Cell{1, 2, 3, 255}));
  EXPECT_EQ(Access::Cell(room(), 1, 2, 3)->VisualCount(), 2);
  EXPECT_EQ(Access::Room(room())->ChildCount(), 125);
  EXPECT_TRUE(services_.sounds.empty());
}

TEST_F(LayoutTest, CommandsDuringALoadDoNotBreakIt) {
  // A pending event that changes the cell count halfway through the load.
  const std::string file = dir_.File("busy.KBS");
  TempFolder::Write(file,
                    "5\r\n0,0,0,255\r\n4,4,4,255\r\n3,3,3,255\r\n-1,-1,-1,0\r\n" + kTitleLine);
  struct Interrupting : RecordingServices {
    CWorkRoom* room = nullptr;
    void DoEvents() override {
      RecordingServices::DoEvents();
      if (doEvents == 1) room->Divide(3);
    }
  } interrupting;
  interrupting.room = &room();
  room().LoadData(file);
  EXPECT_EQ(room().Divide(), 3);
  EXPECT_EQ(Current(room()).x, -1);  // (4, 4, 4) and (3, 3, 3) lie outside a 3-cell room
}

}  // namespace
}  // namespace kubisto
