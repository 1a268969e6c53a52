// Picking blocks by mouse position, and copying the view to the clipboard.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "workroom_fixture.h"

namespace kubisto {
namespace {

using Event = std::tuple<bool, int, int, int>;

class PickTest : public WorkRoomTest {
 protected:
  void SetUp() override {
    WorkRoomTest::SetUp();
    room().BlockPicked = [this](bool picked, int32_t x, int32_t y, int32_t z) {
      events_.emplace_back(picked, x, y, z);
    };
  }

  // The window pixel whose centre's ray passes nearest to a point given in a frame's coordinates:
  // into the scene, into the camera, then the perspective projection onto the viewport.
  std::pair<float, float> PixelOf(const FramePtr& frame, float x, float y, float z) {
    Direct3DRM& rm = Access::D3dRM(room());
    float v[3] = {x, y, z};
    frame->FrameToScene(v);
    rm.Camera()->SceneToFrame(v);
    const float front = rm.Front();
    const float field = rm.Field();
    const float w = static_cast<float>(rm.ViewportWidth());
    const float h = static_cast<float>(rm.ViewportHeight());
    // Pixels per unit on the front plane: with uniform scaling the plane's window (-field..field)
    // is fitted to the viewport's shorter side.
    const float scale = std::min(w, h) / 2 / field;
    const float sx = rm.ViewportX() + w / 2 + v[0] * front / v[2] * scale;
    const float sy = rm.ViewportY() + h / 2 - v[1] * front / v[2] * scale;
    return {std::floor(sx), std::floor(sy)};
  }
  std::pair<float, float> CellCentrePixel(int x, int y, int z) {
    return PixelOf(Access::Cell(room(), x, y, z), 0, 0, 0);
  }
  void ClickCell(int x, int y, int z) {
    const auto [px, py] = CellCentrePixel(x, y, z);
    room().ViewPicked(px, py);
  }
  void ClickRoomPoint(float x, float y, float z) {
    const auto [px, py] = PixelOf(Access::Room(room()), x, y, z);
    ASSERT_GE(px, 0);
    ASSERT_LT(px, kWidth);
    ASSERT_GE(py, 0);
    ASSERT_LT(py, kHeight);
    room().ViewPicked(px, py);
  }

  std::vector<Event> events_;
};

const std::string kTurn = RecordingServices::Sound("/sound/turn.wav");

// The cells' marker spheres stand in front of the blocks behind them; the blocks here are chosen
// so that no marker lies on the ray through their centre (as the front layer, z = Divide - 1).
TEST_F(PickTest, ClickOnABlockSelectsExactlyThatBlock) {
  room().AddBlock(0, 0, 0, 255);
  room().AddBlock(2, 1, 4, 65280);
  room().AddBlock(4, 3, 1, 16711680);  // current
  for (const Cell& c : {Cell{0, 0, 0, 255}, Cell{2, 1, 4, 65280}, Cell{4, 3, 1, 16711680}}) {
    events_.clear();
    services_.Clear();
    ClickCell(c.x, c.y, c.z);
    EXPECT_EQ(Current(room()), c);
    EXPECT_EQ(events_, std::vector<Event>{Event(true, c.x, c.y, c.z)});
    EXPECT_EQ(services_.sounds, std::vector<std::string>{kTurn});
  }
  ClickCell(2, 1, 4);
  ASSERT_TRUE(room().DelBlock());
  EXPECT_FALSE(Access::Occupied(room(), 2, 1, 4));
  EXPECT_TRUE(Access::Occupied(room(), 0, 0, 0));
  EXPECT_TRUE(Access::Occupied(room(), 4, 3, 1));
}

// Scripts select by cell: the same event, sound and current block as a click, even for a block
// hidden behind others; an empty cell or one outside the room selects nothing.
TEST_F(PickTest, SelectingByCellActsAsAClickOnTheBlock) {
  room().AddBlock(2, 2, 2, 255);
  room().AddBlock(2, 2, 4, 65280);  // in front of the first one
  events_.clear();
  services_.Clear();
  EXPECT_TRUE(room().SelectBlock(2, 2, 2));
  EXPECT_EQ(Current(room()), (Cell{2, 2, 2, 255}));
  EXPECT_EQ(events_, std::vector<Event>{Event(true, 2, 2, 2)});
  EXPECT_EQ(services_.sounds, std::vector<std::string>{kTurn});
  ASSERT_TRUE(room().DelBlock());
  EXPECT_TRUE(Access::Occupied(room(), 2, 2, 4));
  for (const Cell& c : {Cell{2, 2, 4, 0}, Cell{1, 1, 1, 0}, Cell{5, 0, 0, 0}, Cell{0, -1, 0, 0}}) {
    room().SelectBlock(2, 2, 4);
    events_.clear();
    const bool picked = room().SelectBlock(c.x, c.y, c.z);
    EXPECT_EQ(picked, c.x == 2 && c.z == 4);
    if (!picked) {
      EXPECT_EQ(Current(room()), (Cell{-1, -1, -1, 0}));
      EXPECT_EQ(events_, std::vector<Event>{Event(false, 0, 0, 0)});
    }
  }
}

TEST_F(PickTest, ClickOnTheTableClearsWithoutEvent) {
  room().AddBlock(1, 1, 1, 255);
  services_.Clear();
  ClickRoomPoint(0, -72, 120);  // the middle of the table's near side
  EXPECT_EQ(Current(room()).x, -1);
  EXPECT_TRUE(events_.empty());
  EXPECT_TRUE(services_.sounds.empty());
}

TEST_F(PickTest, ClickOnTheFarWallClearsWithEvent) {
  room().AddBlock(1, 1, 1, 255);
  services_.Clear();
  ClickRoomPoint(250, 400, -500);  // the south wall, high up beside the grid
  EXPECT_EQ(Current(room()).x, -1);
  EXPECT_EQ(events_, std::vector<Event>{Event(false, 0, 0, 0)});
  EXPECT_TRUE(services_.sounds.empty());
}

TEST_F(PickTest, ClickOnASideWallClearsWithoutEvent) {
  room().AddBlock(1, 1, 1, 255);
  ClickRoomPoint(-500, 0, -480);  // the west wall, lying in a plane of constant x
  EXPECT_EQ(Current(room()).x, -1);
  EXPECT_TRUE(events_.empty());
}

TEST_F(PickTest, ClickOutsideTheViewHitsNothing) {
  room().AddBlock(1, 1, 1, 255);
  room().ViewPicked(-40.4f, -3);
  EXPECT_EQ(Current(room()).x, -1);
  EXPECT_EQ(events_, std::vector<Event>{Event(false, 0, 0, 0)});
  room().ViewPicked(std::nanf(""), 1e30f);  // no pixel at all: nothing hit either
  EXPECT_EQ(events_.size(), 2u);
}

TEST_F(PickTest, ClickOnAnEmptyCellsMarkerSelectsNothing) {
  room().AddBlock(1, 1, 1, 255);
  ClickCell(3, 2, 4);
  EXPECT_EQ(Current(room()).x, -1);
  for (const Event& e : events_) EXPECT_FALSE(std::get<0>(e));
}

TEST_F(PickTest, PickingFollowsCountAndViewChanges) {
  room().Divide(3);
  room().AddBlock(0, 2, 1, 255);
  room().AddBlock(2, 0, 2, 65280);
  ClickCell(0, 2, 1);
  EXPECT_EQ(Current(room()), (Cell{0, 2, 1, 255}));
  room().Divide(4);
  room().AddBlock(3, 0, 0, 255);
  room().AddBlock(1, 2, 3, 65280);
  ClickCell(3, 0, 0);
  EXPECT_EQ(Current(room()), (Cell{3, 0, 0, 255}));
  room().SetView("BIRD");
  ClickCell(1, 2, 3);
  EXPECT_EQ(Current(room()), (Cell{1, 2, 3, 65280}));
  room().Turn("left");
  room().Turn("left");
  ClickCell(3, 0, 0);
  EXPECT_EQ(Current(room()), (Cell{3, 0, 0, 255}));
  EXPECT_EQ(events_.size(), 4u);
}

TEST_F(WorkRoomTest, CopyToClipBoardPutsTheViewThere) {
  room().CopyToClipBoard();
  ASSERT_EQ(services_.clipboard.size(), 1u);
  EXPECT_EQ(services_.clipboard[0].width, kWidth);
  EXPECT_EQ(services_.clipboard[0].height, kHeight);
  services_.failClipboard = true;
  EXPECT_THROW(room().CopyToClipBoard(), std::runtime_error);
}

TEST(WorkRoomClipboard, NothingDrawnIsAnError) {
  RecordingServices services;
  CWorkRoom room;
  EXPECT_THROW(room.CopyToClipBoard(), std::runtime_error);
  EXPECT_TRUE(services.clipboard.empty());
}

}  // namespace
}  // namespace kubisto
