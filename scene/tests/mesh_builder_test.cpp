// Mesh builders: loading and saving with their messages, merging by kind, and the generators run
// on the engine's builder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "scene_test_support.h"

namespace kubisto {
namespace {

constexpr int kEndProgramCode = testing::RecordingServices::kEndProgramCode;

using testing::SceneTest;

class MeshBuilderTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    mb = rm->CreateMeshBuilder();
  }
  std::string TempPath(const std::string& name) { return folder_.File(name); }
  MeshBuilderPtr mb;
  testing::TempFolder folder_;
};

TEST_F(MeshBuilderTest, SavingAnEmptyBuilderIsRefusedWithAMessage) {
  const std::string path = TempPath("empty.x");
  EXPECT_FALSE(mb->Save(path));
  EXPECT_FALSE(mb->SaveEx(path, 2, 15));
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].text, "保存すべき頂点がありません。");
  EXPECT_EQ(host.messages[0].caption, host.AppTitle());
  EXPECT_EQ(host.messages[0].style, vbExclamation);
}

TEST_F(MeshBuilderTest, SaveAndLoadBackAMeshFile) {
  mb->Cube(2);
  const std::string path = TempPath("cube.x");
  ASSERT_TRUE(mb->Save(path));
  EXPECT_TRUE(std::filesystem::exists(path));
  const std::string text = TempPath("cube_text.x");
  ASSERT_TRUE(mb->SaveEx(text, 2, 15));

  MeshBuilderPtr loaded = rm->CreateMeshBuilder();
  loaded->Load(path);
  EXPECT_EQ(loaded->FaceCount(), 6);
  MeshBuilderPtr fromText = rm->CreateMeshBuilder();
  fromText->LoadByIndex(text, 0);
  EXPECT_EQ(fromText->FaceCount(), 6);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(MeshBuilderTest, LoadingAMissingFileTellsTheUserOnce) {
  mb->Load(TempPath("missing.x"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "ファイルが読めません。");
  EXPECT_EQ(host.messages[0].caption, host.AppTitle());
  mb->LoadByName(TempPath("missing.x"), "block");
  EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(MeshBuilderTest, AddObjectMergesByKind) {
  MeshBuilderPtr cube = rm->CreateMeshBuilder();
  cube->Cube(1);
  EXPECT_EQ(mb->AddObject(cube), 1);
  EXPECT_EQ(mb->FaceCount(), 6);
  EXPECT_EQ(mb->AddObject(cube->Face(0)), 1);
  EXPECT_EQ(mb->FaceCount(), 7);
  FramePtr holder = rm->CreateFrame();
  holder->AddObject(cube);
  EXPECT_EQ(mb->AddObject(holder), 1);
  EXPECT_EQ(mb->FaceCount(), 13);
  EXPECT_EQ(mb->AddObject(std::make_shared<MeshBuilder>()), 0);
}

using MeshBuilderDeathTest = MeshBuilderTest;

TEST_F(MeshBuilderDeathTest, AddObjectOfAnotherKindEndsTheProgram) {
  EXPECT_EXIT(mb->AddObject(rm->CreateLight(0, 0)), ::testing::ExitedWithCode(kEndProgramCode),
              "EndProgram after");
  EXPECT_EXIT(mb->AddObject(nullptr), ::testing::ExitedWithCode(kEndProgramCode),
              "EndProgram after");
}

TEST_F(MeshBuilderTest, ABuilderWithoutHandleFailsQuietly) {
  MeshBuilder none;
  EXPECT_EQ(none.AddVertex(1, 2, 3), -1);
  EXPECT_EQ(none.AddNormal(1, 2, 3), -1);
  EXPECT_EQ(none.VertexCount(), 0);
  none.Cube(1);  // the generators test nothing
  EXPECT_EQ(none.FaceCount(), 0);
}

// The room's walls ask for perspective-correct textures; the mesh made from the builder keeps it.
TEST_F(MeshBuilderTest, PerspectiveReadsBackAndReachesTheMesh) {
  constexpr int32_t kMapPerspective = 4;
  mb->Cube(1);
  EXPECT_FALSE(mb->Perspective());
  EXPECT_EQ(mb->CreateMesh()->Mapping(0) & kMapPerspective, 0);
  mb->Perspective(true);
  EXPECT_TRUE(mb->Perspective());
  EXPECT_EQ(mb->CreateMesh()->Mapping(0) & kMapPerspective, kMapPerspective);
  mb->Perspective(false);
  EXPECT_FALSE(mb->Perspective());
  MeshBuilder none;
  none.Perspective(true);  // no handle: nothing happens, nothing is thrown
  EXPECT_FALSE(none.Perspective());
}

TEST_F(MeshBuilderTest, FaceBeyondTheLastIsAnEmptyFace) {
  mb->Cube(1);
  FacePtr face = mb->Face(mb->FaceCount());
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->lp, 0u);
  EXPECT_EQ(mb->Face(5)->VertexCount(), 4);
}

TEST_F(MeshBuilderTest, CubeWithOnlyDepthGivenUsesTheFirstSizeForHeight) {
  mb->Cube(20, std::nullopt, 5);
  float box[6] = {};
  ASSERT_TRUE(mb->GetBox(box));
  EXPECT_FLOAT_EQ(box[0], -20);
  EXPECT_FLOAT_EQ(box[1], -20);
  EXPECT_FLOAT_EQ(box[2], -5);
  EXPECT_FLOAT_EQ(box[4], 20);
  EXPECT_EQ(mb->VertexCount(), 8);
  EXPECT_EQ(mb->FaceCount(), 6);
}

TEST_F(MeshBuilderTest, SphereOnTheEngine) {
  mb->Sphere(10, 3);
  EXPECT_EQ(mb->VertexCount(), 42);
  EXPECT_EQ(mb->FaceCount(), 50);
  float vertex[3] = {};
  ASSERT_TRUE(mb->GetVertex(2, vertex));
  EXPECT_FLOAT_EQ(vertex[0], 1.7633555f);
  EXPECT_FLOAT_EQ(vertex[1], 2.4270513f);
  EXPECT_FLOAT_EQ(vertex[2], 0.0f);
}

TEST_F(MeshBuilderTest, CylinderTopCapCornersOnTheEngine) {
  mb->Cylinder(4, 1, 1, 2);
  EXPECT_EQ(mb->VertexCount(), 8);
  ASSERT_EQ(mb->FaceCount(), 6);
  FacePtr top = mb->Face(4);
  ASSERT_EQ(top->VertexCount(), 4);
  EXPECT_EQ(top->VertexIndex(0), 6);
  EXPECT_EQ(top->VertexIndex(1), 4);
  EXPECT_EQ(top->VertexIndex(2), 2);
  EXPECT_EQ(top->VertexIndex(3), 0);
  EXPECT_THROW(rm->CreateMeshBuilder()->Cylinder(16385, 1, 1, 2), OverflowError);
}

TEST_F(MeshBuilderTest, CurvedFace2CornersUseFrontAndBackNormals) {
  for (int v = 0; v < 6; ++v) mb->AddVertex(static_cast<float>(v), static_cast<float>(v % 2), 0);
  // Normal i points along x by i, so each corner's normal tells its index.
  for (int n = 0; n < 12; ++n) mb->AddNormal(static_cast<float>(n), 0, 0);
  EXPECT_EQ(mb->AddCurvedFace2({3, 4, 5}), 1);
  const int expected[2][3] = {{6, 8, 10}, {11, 9, 7}};
  for (int f = 0; f < 2; ++f) {
    FacePtr face = mb->Face(f);
    for (int corner = 0; corner < 3; ++corner) {
      float vertex[3] = {}, normal[3] = {};
      ASSERT_TRUE(face->GetVertex(corner, vertex, normal));
      EXPECT_FLOAT_EQ(normal[0], static_cast<float>(expected[f][corner])) << f << corner;
    }
  }
}

TEST_F(MeshBuilderTest, PlotOnTheEngine) {
  HeightArray d = HeightArray::Zeros(3, 2);
  mb->Plot(d, 0, 0, 1, 1, true, false);
  EXPECT_EQ(mb->VertexCount(), 6);
  EXPECT_EQ(mb->FaceCount(), 4);
  MeshBuilderPtr oneSided = rm->CreateMeshBuilder();
  oneSided->Plot(d, 0, 0, 1, 1, false, true);
  EXPECT_EQ(oneSided->FaceCount(), 2);
}

}  // namespace
}  // namespace kubisto
