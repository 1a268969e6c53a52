// Faces, meshes, lights, materials, textures, wraps and pick results: the members whose results
// are converted or whose arguments are checked.
#include <gtest/gtest.h>

#include "scene_test_support.h"

namespace kubisto {
namespace {

using testing::SceneTest;

using FaceTest = SceneTest;

TEST_F(FaceTest, AddVertexReturnsAStatusNotAnIndex) {
  FacePtr face = rm->CreateFace();
  EXPECT_EQ(face->AddVertex(0, 0, 0), 0);
  EXPECT_EQ(face->AddVertex(1, 0, 0), 0);
  EXPECT_EQ(face->VertexCount(), 2);
  Face none;
  EXPECT_EQ(none.AddVertex(0, 0, 0), -1);
  EXPECT_EQ(none.VertexIndex(0), -1);
}

TEST_F(FaceTest, MaterialAndTextureGettersAlwaysGiveAWrapper) {
  FacePtr face = rm->CreateFace();
  MaterialPtr none = face->Material();
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->lp, 0u);
  EXPECT_THROW(face->Material(nullptr), ObjectNotSetError);

  MaterialPtr shiny = rm->CreateMaterial(20);
  face->Material(shiny);
  EXPECT_EQ(face->Material()->lp, shiny->lp);

  TexturePtr tx = rm->LoadTexture(testing::WriteBitmap("face_tex.bmp", 4, 4));
  face->Texture(tx);
  TexturePtr first = face->Texture();
  TexturePtr second = face->Texture();
  EXPECT_NE(first, second);
  EXPECT_EQ(first->lp, tx->lp);
  EXPECT_EQ(second->lp, tx->lp);
  first.reset();
  second.reset();
  EXPECT_EQ(face->Texture()->lp, tx->lp) << "each wrapper gave back only its own reference";
}

using MeshTest = SceneTest;

TEST_F(MeshTest, AMeshWithoutHandleFailsQuietly) {
  Mesh none;
  const int32_t faceData[] = {3, 0, 1, 2, 0};
  EXPECT_EQ(none.AddGroup(3, 1, 3, faceData), -1);
  EXPECT_EQ(none.GroupCount(), 0);
  EXPECT_EQ(none.Clone()->lp, 0u);
}

TEST_F(MeshTest, GroupMaterialCannotBeRemovedByNoObject) {
  MeshBuilderPtr mb = rm->CreateMeshBuilder();
  mb->Cube(1);
  MeshPtr mesh = mb->CreateMesh();
  EXPECT_THROW(mesh->Material(0, nullptr), ObjectNotSetError);
  MaterialPtr mt = rm->CreateMaterial(5);
  mesh->Material(0, mt);
  EXPECT_EQ(mesh->Material(0)->lp, mt->lp);
  EXPECT_EQ(mesh->Material(99)->lp, 0u);
}

using LightTest = SceneTest;

TEST_F(LightTest, AttenuationSpotAndEnableFrame) {
  LightPtr light = rm->CreateLightRGB(2, 1, 1, 1);
  EXPECT_EQ(light->Style(), 2);
  light->SetAttenuation(1, 0, 0);
  EXPECT_FLOAT_EQ(light->ConstantAtt(), 1);
  EXPECT_FLOAT_EQ(light->LinearAtt(), 0);
  EXPECT_FLOAT_EQ(light->QuadraticAtt(), 0);
  light->SetSpot(0.2f, 0.4f);
  EXPECT_FLOAT_EQ(light->Umbra(), 0.2f);
  EXPECT_FLOAT_EQ(light->Penumbra(), 0.4f);
  FramePtr none = light->EnableFrame();
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->lp, 0u);
  EXPECT_THROW(light->EnableFrame(nullptr), ObjectNotSetError);
  EXPECT_EQ(Light().Style(), 0);
  EXPECT_EQ(Light().Range(), 0.0f);
}

using TextureTest = SceneTest;

TEST_F(TextureTest, SizeAndDecalSettings) {
  TexturePtr tx = rm->LoadTexture(testing::WriteBitmap("tex_64x32.bmp", 64, 32));
  ASSERT_NE(tx->lp, 0u);
  EXPECT_EQ(tx->Width(), 64);
  EXPECT_EQ(tx->Height(), 32);
  tx->DecalScale(true);
  EXPECT_TRUE(tx->DecalScale());
  tx->DecalScale(false);
  EXPECT_FALSE(tx->DecalScale());
}

using WrapTest = SceneTest;

TEST_F(WrapTest, ApplyWithAndWithoutAReferenceFrame) {
  MeshBuilderPtr mb = rm->CreateMeshBuilder();
  mb->Cube(1);
  WrapPtr wrap = rm->CreateWrap(0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1);
  ASSERT_NE(wrap->lp, 0u);
  EXPECT_EQ(wrap->Apply(mb), 1);
  EXPECT_EQ(wrap->Apply(mb, rm->Scene()), 1);
  EXPECT_EQ(wrap->Apply(std::make_shared<MeshBuilder>()), 0);
  EXPECT_THROW(wrap->Apply(nullptr), ObjectNotSetError);
}

using PickTest = SceneTest;

TEST_F(PickTest, WhatLiesUnderAPixel) {
  PickPtr nothing = rm->Pick(kWidth / 2, kHeight / 2);
  EXPECT_EQ(nothing->PickedCount(), 0);
  EXPECT_EQ(nothing->PickedFrame(0)->lp, 0u);

  // A cube straight ahead of the camera.
  FramePtr holder = rm->CreateFrame();
  holder->SetPosition(0, 0, 20);
  MeshBuilderPtr cube = rm->CreateMeshBuilder();
  cube->Cube(2);
  holder->AddObject(cube);
  rm->Render();
  PickPtr hit = rm->Pick(kWidth / 2, kHeight / 2);
  ASSERT_EQ(hit->PickedCount(), 1);
  SceneObjectPtr picked = hit->PickedObject(0);
  EXPECT_EQ(picked->Kind(), ObjectKind::MeshBuilder);
  EXPECT_EQ(picked->lp, cube->lp);
  FramePtr frame = hit->PickedFrame(0);
  hit.reset();  // what was read from the pick outlives it
  EXPECT_EQ(frame->lp, holder->lp);
  EXPECT_EQ(std::static_pointer_cast<MeshBuilder>(picked)->FaceCount(), 6);
}

}  // namespace
}  // namespace kubisto
