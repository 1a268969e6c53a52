// Frames: what AddObject and DeleteObject do by kind, placement with a reference frame, the
// hierarchy getters.
#include <gtest/gtest.h>

#include "scene_test_support.h"

namespace kubisto {
namespace {

constexpr int kEndProgramCode = testing::RecordingServices::kEndProgramCode;

using testing::SceneTest;

class FrameTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    frame = rm->CreateFrame();
  }
  FramePtr frame;
};

TEST_F(FrameTest, AddObjectAddsVisualsAndLightsByKind) {
  MeshBuilderPtr builder = rm->CreateMeshBuilder();
  builder->Cube(1);
  LightPtr light = rm->CreateLightRGB(3, 1, 1, 1);
  const std::vector<SceneObjectPtr> visuals = {
      builder, rm->CreateMesh(), rm->CreateFrame(),
      rm->CreateShadow(builder, light, 0, -1, 0, 0, 1, 0),
      rm->LoadTexture(testing::WriteBitmap("frame_decal.bmp", 4, 4))};
  for (const SceneObjectPtr& visual : visuals) {
    ASSERT_NE(visual->lp, 0u) << KindName(visual->Kind());
    EXPECT_TRUE(frame->AddObject(visual)) << KindName(visual->Kind());
  }
  EXPECT_EQ(frame->VisualCount(), 5);
  EXPECT_EQ(frame->LightCount(), 0);
  EXPECT_TRUE(frame->AddObject(light));
  EXPECT_EQ(frame->LightCount(), 1);
  EXPECT_EQ(frame->VisualCount(), 5);
  EXPECT_EQ(frame->Light(0)->lp, light->lp);

  // Visual gives each back in its own class.
  for (int i = 0; i < frame->VisualCount(); ++i) {
    EXPECT_EQ(frame->Visual(i)->Kind(), visuals[i]->Kind()) << i;
  }

  EXPECT_TRUE(frame->DeleteObject(light));
  EXPECT_EQ(frame->LightCount(), 0);
  EXPECT_TRUE(frame->DeleteObject(builder));
  EXPECT_EQ(frame->VisualCount(), 4);
  EXPECT_FALSE(frame->DeleteObject(builder)) << "not held any more";
}

using FrameDeathTest = FrameTest;

TEST_F(FrameDeathTest, AddObjectOfAnotherKindEndsTheProgram) {
  EXPECT_EXIT(frame->AddObject(rm->CreateFace()), ::testing::ExitedWithCode(kEndProgramCode),
              "EndProgram after");
  EXPECT_EXIT(frame->AddObject(rm->CreateMaterial(1)), ::testing::ExitedWithCode(kEndProgramCode),
              "EndProgram after");
  EXPECT_EXIT(frame->AddObject(nullptr), ::testing::ExitedWithCode(kEndProgramCode),
              "EndProgram after");
  EXPECT_EXIT(frame->DeleteObject(rm->Pick(0, 0)), ::testing::ExitedWithCode(kEndProgramCode),
              "EndProgram after");
}

TEST_F(FrameDeathTest, TheDefaultServicesEndTheProgramToo) {
  setServices(nullptr);
  EXPECT_EXIT(frame->AddObject(rm->CreateFace()), ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameTest, PositionInTheCoordinatesOfAReferenceFrame) {
  FramePtr room = rm->CreateFrame();
  ASSERT_TRUE(room->SetPosition(10, 0, 0));
  ASSERT_TRUE(frame->SetPosition(1, 2, 3, room));
  float position[3] = {};
  ASSERT_TRUE(frame->GetPosition(position));
  EXPECT_FLOAT_EQ(position[0], 11);
  EXPECT_FLOAT_EQ(position[1], 2);
  EXPECT_FLOAT_EQ(position[2], 3);
  ASSERT_TRUE(frame->GetPosition(position, room));
  EXPECT_FLOAT_EQ(position[0], 1);
}

TEST_F(FrameTest, GetRotationFillsTheAxisAndTheCallersAngle) {
  ASSERT_TRUE(frame->SetRotation(0, 1, 0, 0.25f));
  float axis[3] = {};
  float theta = 0;
  ASSERT_TRUE(frame->GetRotation(axis, theta));
  EXPECT_FLOAT_EQ(axis[1], 1);
  EXPECT_FLOAT_EQ(theta, 0.25f);
}

TEST_F(FrameTest, HierarchyGetters) {
  FramePtr child = rm->CreateFrame(frame);
  EXPECT_EQ(frame->ChildCount(), 1);
  EXPECT_EQ(frame->Child(0)->lp, child->lp);
  FramePtr beyond = frame->Child(frame->ChildCount());
  ASSERT_NE(beyond, nullptr);
  EXPECT_EQ(beyond->lp, 0u);
  EXPECT_EQ(child->Scene()->lp, rm->Record().scene);
  EXPECT_EQ(rm->Scene()->Parent()->lp, 0u);

  FramePtr other = rm->CreateFrame();
  EXPECT_TRUE(other->AddChild(child));
  EXPECT_EQ(child->Parent()->lp, other->lp);
  EXPECT_TRUE(other->DeleteChild(child));
  EXPECT_THROW(other->AddChild(nullptr), ObjectNotSetError);
}

TEST_F(FrameTest, NameAndItemDataLiveInTheEngineObject) {
  frame->ItemData(42);
  frame->Name("cell");
  vantrel::d3dAddRef(frame->lp);
  Frame sameHandle(frame->lp);
  EXPECT_EQ(sameHandle.ItemData(), 42);
  EXPECT_EQ(sameHandle.Name(), "cell");
  EXPECT_EQ(Frame().ItemData(), 0);
  EXPECT_EQ(Frame().Name(), "");
}

}  // namespace
}  // namespace kubisto
