// Adding, deleting, moving blocks and turning the room, with the sounds each plays.
#include <gtest/gtest.h>

#include <cmath>

#include "workroom_fixture.h"

namespace kubisto {
namespace {

const std::string kMove = RecordingServices::Sound("/sound/move.wav");
const std::string kTurn = RecordingServices::Sound("/sound/turn.wav");
const std::string kRefuse = RecordingServices::Sound("/sound/kasha.wav");

using Sounds = std::vector<std::string>;

// The cube of a cell: its builder, or null when the cell shows only its marker.
MeshBuilderPtr CubeOf(CWorkRoom& room, int x, int y, int z) {
  FramePtr cell = Access::Cell(room, x, y, z);
  if (!cell || cell->VisualCount() < 2) return nullptr;
  return std::dynamic_pointer_cast<MeshBuilder>(cell->Visual(1));
}

TEST_F(WorkRoomTest, AddBlockPlacesAColouredCubeAndMakesItCurrent) {
  room().AddBlock(0, 0, 0, 255);
  EXPECT_EQ(Current(room()), (Cell{0, 0, 0, 255}));
  EXPECT_EQ(services_.sounds, Sounds{kMove});
  MeshBuilderPtr cube = CubeOf(room(), 0, 0, 0);
  ASSERT_TRUE(cube);
  const auto box = BoxOf(*cube);
  EXPECT_FLOAT_EQ(box[0], -24);
  EXPECT_FLOAT_EQ(box[3], 24);
  EXPECT_FLOAT_EQ(box[4] - box[1], 48);
  EXPECT_EQ(static_cast<uint32_t>(cube->Face(0)->Color()) & 0xFFFFFFu, 0xFF0000u);  // red
  EXPECT_TRUE(services_.unwaitedSounds == 0);

  room().AddBlock(1, 0, 2, 0xFF0000);
  EXPECT_EQ(Current(room()), (Cell{1, 0, 2, 0xFF0000}));
  EXPECT_EQ(static_cast<uint32_t>(CubeOf(room(), 1, 0, 2)->Face(0)->Color()) & 0xFFFFFFu,
            0x0000FFu);  // blue
}

TEST_F(WorkRoomTest, AddBlockRefusals) {
  room().AddBlock(1, 1, 1, 255);
  services_.Clear();
  // Outside the playable cells: nothing changes, no sound.
  for (const Cell& c : {Cell{5, 0, 0, 0}, Cell{0, 5, 0, 0}, Cell{0, 0, 5, 0}, Cell{-1, 0, 0, 0},
                        Cell{0, 0, -7, 0}}) {
    room().AddBlock(c.x, c.y, c.z, 65280);
  }
  EXPECT_TRUE(services_.sounds.empty());
  EXPECT_EQ(Current(room()), (Cell{1, 1, 1, 255}));
  EXPECT_FALSE(Access::Occupied(room(), 5, 0, 0));
  // An occupied cell: the refusal sound, the block and the selection stay.
  room().AddBlock(2, 2, 2, 65280);
  services_.Clear();
  room().AddBlock(1, 1, 1, 65280);
  EXPECT_EQ(services_.sounds, Sounds{kRefuse});
  EXPECT_EQ(Current(room()), (Cell{2, 2, 2, 65280}));
  EXPECT_EQ(Access::Color(room(), 1, 1, 1), 255);
  EXPECT_EQ(Access::Cell(room(), 1, 1, 1)->VisualCount(), 2);
}

TEST_F(WorkRoomTest, DelBlockRemovesTheCubeAndKeepsTheMarker) {
  EXPECT_FALSE(room().DelBlock());
  EXPECT_TRUE(services_.sounds.empty());
  room().AddBlock(3, 0, 1, 255);
  services_.Clear();
  EXPECT_TRUE(room().DelBlock());
  EXPECT_EQ(services_.sounds, Sounds{kMove});
  EXPECT_EQ(Current(room()), (Cell{-1, -1, -1, 0}));
  EXPECT_FALSE(Access::Occupied(room(), 3, 0, 1));
  FramePtr cell = Access::Cell(room(), 3, 0, 1);
  ASSERT_EQ(cell->VisualCount(), 1);
  auto marker = std::dynamic_pointer_cast<MeshBuilder>(cell->Visual(0));
  ASSERT_TRUE(marker);
  EXPECT_EQ(marker->FaceCount(), 50);  // the sphere
  EXPECT_FALSE(room().DelBlock());
  EXPECT_EQ(services_.sounds.size(), 1u);
}

TEST_F(WorkRoomTest, RecolouringLeavesOneBlockOfTheNewColour) {
  room().AddBlock(2, 1, 0, 255);
  ASSERT_TRUE(room().DelBlock());
  room().AddBlock(2, 1, 0, 0xFFFF00);
  EXPECT_EQ(Current(room()), (Cell{2, 1, 0, 0xFFFF00}));
  EXPECT_EQ(Access::Cell(room(), 2, 1, 0)->VisualCount(), 2);
}

TEST_F(WorkRoomTest, ResetDataRemovesEveryBlock) {
  room().AddBlock(0, 0, 0, 255);
  room().AddBlock(4, 4, 4, 255);
  room().AddBlock(2, 3, 1, 255);
  services_.Clear();
  room().ResetData();
  EXPECT_EQ(services_.sounds, (Sounds{kMove, kMove, kMove}));
  EXPECT_EQ(Current(room()).x, -1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Access::Cell(room(), i, i, i)->VisualCount(), 1);
  EXPECT_FALSE(Access::Occupied(room(), 2, 3, 1));
}

TEST_F(WorkRoomTest, MoveWithoutBlockOrWithUnknownDirection) {
  EXPECT_FALSE(room().Move("x"));
  EXPECT_TRUE(services_.sounds.empty());
  room().AddBlock(2, 2, 2, 255);
  services_.Clear();
  EXPECT_FALSE(room().Move("up"));
  EXPECT_FALSE(room().Move(""));
  EXPECT_TRUE(services_.sounds.empty());
  EXPECT_EQ(Current(room()), (Cell{2, 2, 2, 255}));
}

TEST_F(WorkRoomTest, MoveRefusedAtTheEdge) {
  room().AddBlock(4, 0, 0, 255);
  services_.Clear();
  EXPECT_FALSE(room().Move("X"));
  EXPECT_FALSE(room().Move("-y"));
  EXPECT_FALSE(room().Move("-Z"));
  EXPECT_EQ(services_.sounds, (Sounds{kRefuse, kRefuse, kRefuse}));
  EXPECT_EQ(Current(room()), (Cell{4, 0, 0, 255}));
  EXPECT_EQ(Access::Cell(room(), 4, 0, 0)->VisualCount(), 2);
}

TEST_F(WorkRoomTest, MoveOntoAnotherBlockIsRefusedButTrue) {
  room().AddBlock(2, 0, 0, 65280);
  room().AddBlock(1, 0, 0, 255);
  services_.Clear();
  EXPECT_TRUE(room().Move("X"));
  EXPECT_EQ(services_.sounds, Sounds{kRefuse});
  EXPECT_EQ(Current(room()), (Cell{1, 0, 0, 255}));
  EXPECT_EQ(Access::Color(room(), 2, 0, 0), 65280);
  EXPECT_EQ(Access::Cell(room(), 1, 0, 0)->VisualCount(), 2);
  EXPECT_EQ(Access::Cell(room(), 2, 0, 0)->VisualCount(), 2);
}

TEST_F(WorkRoomTest, MoveCarriesTheBlockAndItsColour) {
  room().AddBlock(2, 3, 2, 0xFF00FF);
  services_.Clear();
  EXPECT_TRUE(room().Move("-y"));
  EXPECT_EQ(services_.sounds, (Sounds{kMove, kMove}));
  EXPECT_EQ(Current(room()), (Cell{2, 2, 2, 0xFF00FF}));
  EXPECT_FALSE(Access::Occupied(room(), 2, 3, 2));
  EXPECT_EQ(Access::Color(room(), 2, 3, 2), 0);
  EXPECT_EQ(Access::Cell(room(), 2, 3, 2)->VisualCount(), 1);
  EXPECT_EQ(Access::Cell(room(), 2, 2, 2)->VisualCount(), 2);
  // Every axis both ways, no gravity: up into free air and back.
  for (const char* d : {"x", "-X", "Y", "-y", "z", "-z"}) EXPECT_TRUE(room().Move(d)) << d;
  EXPECT_EQ(Current(room()), (Cell{2, 2, 2, 0xFF00FF}));
}

// The room frame's orientation (direction, up) in the scene.
std::array<float, 6> OrientationOf(CWorkRoom& room) {
  std::array<float, 6> o{};
  Access::Room(room)->GetOrientation(o.data(), o.data() + 3);
  return o;
}

void ExpectOrientation(const std::array<float, 6>& actual, const std::array<float, 6>& expected) {
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4) << "component " << i;
}

TEST_F(WorkRoomTest, TurnStepsAndUndoes) {
  const auto start = OrientationOf(room());
  ExpectOrientation(start, {0, 0, -1, 0, 1, 0});
  room().Turn("left");
  const auto turned = OrientationOf(room());
  EXPECT_GT(std::fabs(turned[0]), 0.09f);  // the direction swung by 0.1 rad about y
  EXPECT_NEAR(turned[4], 1, 1e-4);         // still upright
  room().Turn("right");
  ExpectOrientation(OrientationOf(room()), start);
  room().Turn("UP");
  EXPECT_GT(std::fabs(OrientationOf(room())[1]), 0.09f);  // tilted about the scene's x axis
  room().Turn("Down");
  ExpectOrientation(OrientationOf(room()), start);
  EXPECT_EQ(services_.sounds, (Sounds{kTurn, kTurn, kTurn, kTurn}));
  services_.Clear();
  room().Turn("");
  room().Turn("sideways");
  ExpectOrientation(OrientationOf(room()), start);
  EXPECT_EQ(services_.sounds, (Sounds{kTurn, kTurn}));
}

TEST_F(WorkRoomTest, TurnRepeatsTheSameStep) {
  const auto start = OrientationOf(room());
  for (int i = 0; i < 3; ++i) room().Turn("right");
  const auto three = OrientationOf(room());
  const float dot = start[0] * three[0] + start[1] * three[1] + start[2] * three[2];
  EXPECT_NEAR(std::acos(dot), 0.3, 1e-3);  // three steps of 0.1 rad
  for (int i = 0; i < 3; ++i) room().Turn("left");
  ExpectOrientation(OrientationOf(room()), start);
}

TEST_F(WorkRoomTest, SetViewSetsEachViewpoint) {
  const float r = static_cast<float>(1 / std::sqrt(2.0));
  const auto normal = [](std::array<float, 6> v) {
    const float d = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int i = 0; i < 3; ++i) v[i] /= d;
    return v;
  };
  room().Turn("left");
  room().SetView("Front");
  ExpectOrientation(OrientationOf(room()), {0, 0, -1, 0, 1, 0});  // turning cancelled
  room().SetView("top");
  ExpectOrientation(OrientationOf(room()), {0, -1, 0, 0, 0, -1});
  room().SetView("SIDE");
  ExpectOrientation(OrientationOf(room()), {-1, 0, 0, 0, 1, 0});
  room().SetView("Bird");
  const auto bird = OrientationOf(room());
  ExpectOrientation(normal(bird), normal({r, -0.5f, -0.5f, 0, r, -r}));
  room().SetView("nowhere");
  ExpectOrientation(OrientationOf(room()), bird);
  EXPECT_EQ(services_.sounds.size(), 6u);
  EXPECT_EQ(services_.sounds.back(), kMove);
  EXPECT_EQ(services_.sounds.front(), kTurn);
}

}  // namespace
}  // namespace kubisto
