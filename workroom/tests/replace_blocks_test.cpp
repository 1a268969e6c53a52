// Replacing every block at once: the quiet path that restores a whole room.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/temp_folder.h"
#include "workroom_fixture.h"

namespace kubisto {
namespace {

class ReplaceBlocksTest : public WorkRoomTest {
 protected:
  std::string Saved() {
    const std::string file = dir_.File("replace.KBS");
    room().SaveData(file);
    return TempFolder::Read(file);
  }
  TempFolder dir_;
};

TEST_F(ReplaceBlocksTest, SameCountSwapsTheBlocksSilentlyAndSavesAsIfAddedOneByOne) {
  room().AddBlock(2, 2, 2, 65280);
  room().AddBlock(4, 4, 4, 255);
  const std::vector<LayoutRecord> blocks = {{1, 0, 3, 65280}, {0, 0, 0, 255}, {3, 4, 1, 16711680}};
  services_.Clear();
  room().ReplaceBlocks(5, blocks);

  EXPECT_TRUE(services_.sounds.empty());
  EXPECT_EQ(services_.doEvents, 0);
  EXPECT_EQ(Current(room()), (Cell{-1, -1, -1, 0}));
  // The old cubes are gone from their frames (only the marker is left), the new ones are hung.
  EXPECT_FALSE(Access::Occupied(room(), 2, 2, 2));
  EXPECT_EQ(Access::Cell(room(), 2, 2, 2)->VisualCount(), 1);
  EXPECT_EQ(Access::Cell(room(), 4, 4, 4)->VisualCount(), 1);
  EXPECT_EQ(Access::Cell(room(), 3, 4, 1)->VisualCount(), 2);
  const std::string quiet = Saved();

  room().ResetData();
  for (const LayoutRecord& r : blocks) room().AddBlock(r.x, r.y, r.z, r.color);
  EXPECT_EQ(Saved(), quiet);
  EXPECT_EQ(room().Blocks(),
            (std::vector<LayoutRecord>{{0, 0, 0, 255}, {3, 4, 1, 16711680}, {1, 0, 3, 65280}}));
}

TEST_F(ReplaceBlocksTest, CellsOutsideTheRoomAndRepeatsAreSkipped) {
  room().ReplaceBlocks(
      3, {{0, 0, 0, 255}, {0, 0, 0, 65280}, {3, 0, 0, 1}, {-1, 0, 0, 2}, {2, 2, 2, 3}});
  EXPECT_EQ(room().Blocks(), (std::vector<LayoutRecord>{{0, 0, 0, 255}, {2, 2, 2, 3}}));
}

TEST_F(ReplaceBlocksTest, AnotherCountRebuildsTheRoomOnceAndBackAgain) {
  room().AddBlock(4, 4, 4, 255);
  room().ReplaceBlocks(3, {{2, 2, 2, 65280}});
  EXPECT_EQ(room().Divide(), 3);
  EXPECT_EQ(Access::FrameGridUpper(room()), 3);
  EXPECT_EQ(Access::GridUpper(room()), 3);
  EXPECT_EQ(Access::Cell(room(), 2, 2, 2)->VisualCount(), 2);
  EXPECT_EQ(Access::Cell(room(), 0, 0, 0)->VisualCount(), 1);

  room().ReplaceBlocks(5, {{4, 4, 4, 255}});
  EXPECT_EQ(room().Divide(), 5);
  EXPECT_EQ(room().Blocks(), (std::vector<LayoutRecord>{{4, 4, 4, 255}}));
  // The block is a real cube of the new size: it can be selected and moved as any other.
  room().AddBlock(0, 0, 0, 255);
  room().Move("X");
  EXPECT_EQ(Current(room()), (Cell{1, 0, 0, 255}));
}

TEST_F(ReplaceBlocksTest, ACountOutsideTheRangeChangesNothing) {
  room().AddBlock(1, 1, 1, 255);
  EXPECT_THROW(room().ReplaceBlocks(0, {}), std::invalid_argument);
  EXPECT_THROW(room().ReplaceBlocks(17, {}), std::invalid_argument);
  EXPECT_EQ(room().Divide(), 5);
  EXPECT_EQ(room().Blocks(), (std::vector<LayoutRecord>{{1, 1, 1, 255}}));
  EXPECT_EQ(Current(room()), (Cell{1, 1, 1, 255}));
}

}  // namespace
}  // namespace kubisto
