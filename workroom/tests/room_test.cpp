// Building the room on a window, rebuilding it for a new cell count, and the two ways
// construction ends the program.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/light.h"
#include "tests/support/temp_folder.h"
#include "workroom_fixture.h"

namespace kubisto {
namespace {

// The frame of a cell, its marker's bounding box and its position in the room frame.
struct CellLook {
  int visuals;
  float position[3];
  std::array<float, 6> markerBox;
};

CellLook LookAtCell(CWorkRoom& room, int x, int y, int z) {
  CellLook look{};
  FramePtr cell = Access::Cell(room, x, y, z);
  EXPECT_TRUE(cell && cell->lp != 0) << x << "," << y << "," << z;
  if (!cell) return look;
  look.visuals = cell->VisualCount();
  cell->GetPosition(look.position, Access::Room(room));
  if (look.visuals > 0) {
    auto marker = std::dynamic_pointer_cast<MeshBuilder>(cell->Visual(0));
    EXPECT_TRUE(marker);
    if (marker) look.markerBox = BoxOf(*marker);
  }
  return look;
}

// Widths along x of the room frame's visuals, in order: six walls, then the table.
std::vector<float> RoomVisualWidths(CWorkRoom& room) {
  std::vector<float> widths;
  FramePtr r = Access::Room(room);
  for (int i = 0; i < r->VisualCount(); ++i) {
    auto mb = std::dynamic_pointer_cast<MeshBuilder>(r->Visual(i));
    EXPECT_TRUE(mb);
    if (mb) {
      const auto box = BoxOf(*mb);
      widths.push_back(box[3] - box[0]);
    }
  }
  return widths;
}

TEST_F(WorkRoomTest, BuildsWallsTableAndCellFrames) {
  EXPECT_TRUE(Access::D3dRM(room()).Initialized);
  EXPECT_EQ(RoomVisualWidths(room()), (std::vector<float>{1000, 0, 0, 1000, 1000, 1000, 240}));
  FramePtr r = Access::Room(room());
  EXPECT_EQ(r->ChildCount(), 125);
  float pos[3];
  r->GetPosition(pos);
  EXPECT_EQ(pos[0], -500);
  EXPECT_EQ(pos[1], -500);
  EXPECT_EQ(pos[2], -500);

  const CellLook origin = LookAtCell(room(), 0, 0, 0);
  EXPECT_EQ(origin.visuals, 1);  // the marker only
  EXPECT_FLOAT_EQ(origin.position[0], -96);
  EXPECT_FLOAT_EQ(origin.position[1], -36);
  EXPECT_FLOAT_EQ(origin.position[2], -96);
  EXPECT_NEAR(origin.markerBox[4] - origin.markerBox[1], 6.0f, 1e-4);  // radius 3
  const CellLook spawn = LookAtCell(room(), 4, 4, 4);
  EXPECT_FLOAT_EQ(spawn.position[0], 96);
  EXPECT_FLOAT_EQ(spawn.position[1], 156);
  EXPECT_FLOAT_EQ(spawn.position[2], 96);
  // Index Divide exists in the grids but holds no cell frame.
  EXPECT_FALSE(Access::Cell(room(), 5, 0, 0));

  // The table: 240 x 24 x 240, its top at -60.
  auto table = std::dynamic_pointer_cast<MeshBuilder>(r->Visual(6));
  ASSERT_TRUE(table);
  const auto box = BoxOf(*table);
  EXPECT_FLOAT_EQ(box[1], -84);
  EXPECT_FLOAT_EQ(box[4], -60);
  EXPECT_FLOAT_EQ(box[2], -120);
  EXPECT_FLOAT_EQ(box[5], 120);

  // Camera 620 in front of the room's centre, looking along +z.
  FramePtr camera = Access::D3dRM(room()).Camera();
  camera->GetPosition(pos);
  EXPECT_EQ(pos[0], -500);
  EXPECT_EQ(pos[1], -500);
  EXPECT_EQ(pos[2], -1120);
}

TEST_F(WorkRoomTest, MarkerColoursSpawnGreenOthersRed) {
  // The builder's colour is every face's colour; read it back through the first face.
  auto markerColour = [&](int x, int y, int z) {
    auto mb = std::dynamic_pointer_cast<MeshBuilder>(Access::Cell(room(), x, y, z)->Visual(0));
    EXPECT_TRUE(mb);
    return mb ? static_cast<uint32_t>(mb->Face(0)->Color()) & 0xFFFFFFu : 0u;
  };
  EXPECT_EQ(markerColour(4, 4, 4), 0x00FF00u);
  EXPECT_EQ(markerColour(0, 0, 0), 0xFF0000u);
  EXPECT_EQ(markerColour(3, 4, 4), 0xFF0000u);
}

TEST_F(WorkRoomTest, EveryMarkerIsTheSphereThatSphereMakes) {
  // The markers after the first are copies of it; each must be the builder Sphere(10, 3) makes,
  // in its own colour, with faces of its own.
  MeshBuilderPtr made = Access::D3dRM(room()).CreateMeshBuilder();
  made->Sphere(10, 3);
  ASSERT_EQ(made->VertexCount(), 42);
  ASSERT_EQ(made->FaceCount(), 50);
  std::vector<FacePtr> seen;
  for (auto [x, y, z] :
       {std::array{0, 0, 0}, std::array{0, 0, 1}, std::array{2, 3, 1}, std::array{4, 4, 4}}) {
    SCOPED_TRACE(::testing::Message() << "cell " << x << "," << y << "," << z);
    auto mb = std::dynamic_pointer_cast<MeshBuilder>(Access::Cell(room(), x, y, z)->Visual(0));
    ASSERT_TRUE(mb);
    ASSERT_EQ(mb->VertexCount(), made->VertexCount());
    ASSERT_EQ(mb->NormalCount(), made->NormalCount());
    ASSERT_EQ(mb->FaceCount(), made->FaceCount());
    const int32_t colour = x == 4 ? 0x00FF00 : 0xFF0000;
    for (int32_t v = 0; v < made->VertexCount(); ++v) {
      float p[3], q[3];
      ASSERT_TRUE(mb->GetVertex(v, p) && made->GetVertex(v, q));
      EXPECT_TRUE(p[0] == q[0] && p[1] == q[1] && p[2] == q[2]) << "vertex " << v;
      ASSERT_TRUE(mb->GetNormal(v, p) && made->GetNormal(v, q));
      EXPECT_TRUE(p[0] == q[0] && p[1] == q[1] && p[2] == q[2]) << "normal " << v;
      EXPECT_EQ(mb->VertexColor(v) & 0xFFFFFF, colour) << "vertex " << v;
    }
    for (int32_t f = 0; f < made->FaceCount(); ++f) {
      FacePtr mine = mb->Face(f), theirs = made->Face(f);
      ASSERT_EQ(mine->VertexCount(), theirs->VertexCount()) << "face " << f;
      for (int32_t k = 0; k < theirs->VertexCount(); ++k)
        EXPECT_EQ(mine->VertexIndex(k), theirs->VertexIndex(k)) << "face " << f;
      EXPECT_EQ(mine->Color() & 0xFFFFFF, colour) << "face " << f;
    }
    seen.push_back(mb->Face(0));
  }
  // Recolouring one marker's face leaves the others as they were.
  seen[1]->Color(0x0000FF);
  EXPECT_EQ(seen[0]->Color() & 0xFFFFFF, 0xFF0000);
  EXPECT_EQ(seen[2]->Color() & 0xFFFFFF, 0xFF0000);
}

TEST_F(WorkRoomTest, NoMessagesWhenTheWallsAreThere) {
  RecordingServices local;  // replaces the fixture's for this construction
  CWorkRoom other;
  const auto hwnd = platform::CreateWindow(kWidth, kHeight);
  other.HandleOfPictureBoxForD3dIO(hwnd);
  EXPECT_TRUE(local.messages.empty()) << local.messages.front().text;
  EXPECT_TRUE(local.sounds.empty());
}

TEST_F(WorkRoomTest, MissingWallsShowOneMessageEachAndStillBuild) {
  TempFolder elsewhere;
  ASSERT_EQ(::chdir(elsewhere.path().c_str()), 0);
  RecordingServices local;
  CWorkRoom other;
  const auto hwnd = platform::CreateWindow(kWidth, kHeight);
  other.HandleOfPictureBoxForD3dIO(hwnd);
  ASSERT_EQ(local.messages.size(), 6u);
  for (const auto& m : local.messages) {
    EXPECT_EQ(m.text, "ファイルが読めません。");
    EXPECT_EQ(m.caption, "Direct3DRM.LoadTexture");
  }
  EXPECT_EQ(RoomVisualWidths(other).size(), 7u);
  EXPECT_EQ(Access::Room(other)->ChildCount(), 125);
}

TEST_F(WorkRoomTest, DivideRebuildsTheRoomOnce) {
  room().AddBlock(1, 1, 1, 255);
  services_.Clear();
  room().Divide(3);
  EXPECT_EQ(room().Divide(), 3);
  EXPECT_EQ(Current(room()), (Cell{-1, -1, -1, 0}));
  EXPECT_EQ(services_.sounds,
            std::vector<std::string>{RecordingServices::Sound("/sound/move.wav")});
  room().Divide(4);
  room().Divide(3);
  // One set of walls and one table, 27 cell frames; the lights and the room hang on the scene.
  EXPECT_EQ(RoomVisualWidths(room()), (std::vector<float>{1000, 0, 0, 1000, 1000, 1000, 240}));
  EXPECT_EQ(Access::Room(room())->ChildCount(), 27);
  FramePtr scene = Access::D3dRM(room()).Scene();
  int lights = scene->LightCount();
  for (int i = 0; i < scene->ChildCount(); ++i) lights += scene->Child(i)->LightCount();
  EXPECT_EQ(lights, 3);
  const CellLook spawn = LookAtCell(room(), 2, 2, 2);
  EXPECT_FLOAT_EQ(spawn.position[0], 80);
  EXPECT_FLOAT_EQ(spawn.position[1], 140);
  EXPECT_FLOAT_EQ(spawn.position[2], 80);
  EXPECT_FALSE(Access::Cell(room(), 3, 0, 0));
  // 27 playable cells: (2, 2, 2) takes a block, (3, 0, 0) does not.
  room().AddBlock(3, 0, 0, 255);
  EXPECT_EQ(Current(room()).x, -1);
  room().AddBlock(2, 2, 2, 255);
  EXPECT_EQ(Current(room()), (Cell{2, 2, 2, 255}));
  room().Divide(5);
  room().AddBlock(4, 4, 4, 16711680);
  EXPECT_EQ(Current(room()), (Cell{4, 4, 4, 16711680}));
  EXPECT_EQ(Access::Room(room())->ChildCount(), 125);
}

TEST_F(WorkRoomTest, DivideFourCellGeometry) {
  room().Divide(4);
  const CellLook origin = LookAtCell(room(), 0, 0, 0);
  EXPECT_FLOAT_EQ(origin.position[0], -90);
  EXPECT_FLOAT_EQ(origin.position[1], -30);
  EXPECT_FLOAT_EQ(origin.position[2], -90);
  room().AddBlock(0, 0, 0, 255);
  FramePtr cell = Access::Cell(room(), 0, 0, 0);
  ASSERT_EQ(cell->VisualCount(), 2);
  auto cube = std::dynamic_pointer_cast<MeshBuilder>(cell->Visual(1));
  ASSERT_TRUE(cube);
  const auto box = BoxOf(*cube);
  EXPECT_FLOAT_EQ(box[3] - box[0], 60);
}

TEST(WorkRoomEndDeathTest, EngineThatCannotStartTellsTheUserAndEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        RecordingServices services;
        CWorkRoom room;
        room.HandleOfPictureBoxForD3dIO(0);  // no window: the engine cannot be set up
      },
      ::testing::ExitedWithCode(RecordingServices::kEndProgramCode),
      "EndProgram after 1 message\\(s\\): Direct3D");
}

}  // namespace
}  // namespace kubisto
