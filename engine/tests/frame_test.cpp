// Frame transforms: composition, reference frames, motion by Tick and Move, combine types, LookAt.
#include "engine/frame.h"

#include <gtest/gtest.h>

#include <numbers>

#include "engine/engine.h"
#include "engine/tests/support/vector_expect.h"

namespace engine {
namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

class FrameTest : public testing::Test {
 protected:
  void SetUp() override {
    engine_ = Engine::Create();
    scene_ = engine_->CreateFrame(nullptr);
    // parent: turned a quarter about y (x goes to -z), standing at (10, 0, 0)
    parent_ = engine_->CreateFrame(scene_.get());
    ASSERT_TRUE(parent_->AddRotation(kCombineReplace, {0, 1, 0}, kHalfPi));
    ASSERT_TRUE(parent_->SetPosition(nullptr, {10, 0, 0}));
    child_ = engine_->CreateFrame(parent_.get());
  }
  Ref<Engine> engine_;
  Ref<Frame> scene_, parent_, child_;
};

TEST_F(FrameTest, QuarterTurnAboutYIsClockwiseSeenFromAbove) {
  Vector out;
  ASSERT_TRUE(parent_->Transform({1, 0, 0}, out));
  EXPECT_VEC_NEAR(out, 10, 0, -1);
  ASSERT_TRUE(parent_->Transform({0, 0, 1}, out));
  EXPECT_VEC_NEAR(out, 11, 0, 0);
}

TEST_F(FrameTest, PointThroughRotatedTranslatedChild) {
  ASSERT_TRUE(child_->SetPosition(nullptr, {0, 0, 5}));
  Vector world;
  ASSERT_TRUE(child_->Transform({1, 0, 0}, world));
  EXPECT_VEC_NEAR(world, 15, 0, -1);
  Vector back;
  ASSERT_TRUE(child_->InverseTransform(world, back));
  EXPECT_VEC_NEAR(back, 1, 0, 0);
  // The world transform is the child's, then the parent's.
  Matrix local, parent;
  child_->GetTransform(local);
  parent_->GetTransform(parent);
  EXPECT_VEC_NEAR(TransformPoint({1, 0, 0}, local * parent), 15, 0, -1);
}

TEST_F(FrameTest, PositionRelativeToParentIsKeptExactly) {
  Vector p{0.1f, -96.0f, 1.0f / 3.0f};
  ASSERT_TRUE(child_->SetPosition(nullptr, p));
  Vector out;
  ASSERT_TRUE(child_->GetPosition(nullptr, out));
  EXPECT_EQ(out, p);
  ASSERT_TRUE(child_->GetPosition(parent_.get(), out));  // naming the parent is the same
  EXPECT_EQ(out, p);
}

TEST_F(FrameTest, PositionInAReferenceFrame) {
  ASSERT_TRUE(child_->SetPosition(scene_.get(), {0, 0, 0}));
  Vector out;
  child_->GetPosition(nullptr, out);
  EXPECT_VEC_NEAR(out, 0, 0, -10);  // the scene's origin seen from the turned parent
  child_->GetPosition(scene_.get(), out);
  EXPECT_VEC_NEAR(out, 0, 0, 0);
  // Relative to itself its origin is always zero; a sibling sees the offset.
  child_->GetPosition(child_.get(), out);
  EXPECT_VEC_NEAR(out, 0, 0, 0);
  Ref<Frame> sibling = engine_->CreateFrame(parent_.get());
  sibling->SetPosition(nullptr, {0, 0, 1});
  child_->GetPosition(sibling.get(), out);
  EXPECT_VEC_NEAR(out, 0, 0, -11);
}

TEST_F(FrameTest, OrientationInAReferenceFrame) {
  ASSERT_TRUE(child_->SetOrientation(scene_.get(), {0, 0, 1}, {0, 1, 0}));
  Vector dir, up;
  ASSERT_TRUE(child_->GetOrientation(scene_.get(), dir, up));
  EXPECT_VEC_NEAR(dir, 0, 0, 1);
  EXPECT_VEC_NEAR(up, 0, 1, 0);
  ASSERT_TRUE(child_->GetOrientation(nullptr, dir, up));
  EXPECT_VEC_NEAR(dir, -1, 0, 0);  // world z seen from the turned parent
  EXPECT_VEC_NEAR(up, 0, 1, 0);
}

TEST_F(FrameTest, OrientationIsNormalisedKeepsPositionAndRefusesBadVectors) {
  child_->SetPosition(nullptr, {1, 2, 3});
  ASSERT_TRUE(child_->SetOrientation(nullptr, {0, 0, -7}, {0, 3, 0.5f}));
  Vector dir, up, pos;
  child_->GetOrientation(nullptr, dir, up);
  EXPECT_VEC_NEAR(dir, 0, 0, -1);
  EXPECT_VEC_NEAR(up, 0, 1, 0);  // made perpendicular to the direction
  child_->GetPosition(nullptr, pos);
  EXPECT_VEC_NEAR(pos, 1, 2, 3);
  EXPECT_FALSE(child_->SetOrientation(nullptr, {0, 0, 0}, {0, 1, 0}));
  EXPECT_FALSE(child_->SetOrientation(nullptr, {0, 2, 0}, {0, 1, 0}));  // parallel
  child_->GetOrientation(nullptr, dir, up);
  EXPECT_VEC_NEAR(dir, 0, 0, -1);  // unchanged by the refused calls
}

TEST_F(FrameTest, RotationAxisIsGivenInTheReferenceFrame) {
  ASSERT_TRUE(child_->SetRotation(scene_.get(), {1, 0, 0}, 0.25f));
  Vector axis;
  float theta = 0;
  ASSERT_TRUE(child_->GetRotation(nullptr, axis, theta));
  EXPECT_VEC_NEAR(axis, 0, 0, 1);  // world x seen from the turned parent
  EXPECT_FLOAT_EQ(theta, 0.25f);
  ASSERT_TRUE(child_->GetRotation(scene_.get(), axis, theta));
  EXPECT_VEC_NEAR(axis, 1, 0, 0);
}

TEST_F(FrameTest, TickTurnsAFrameByItsRotationAboutItsOwnOrigin) {
  Ref<Frame> f = engine_->CreateFrame(scene_.get());
  f->SetPosition(nullptr, {5, 0, 0});
  ASSERT_TRUE(f->SetRotation(nullptr, {0, 1, 0}, 0.1f));
  ASSERT_TRUE(engine_->Tick(1.0f));
  ASSERT_TRUE(engine_->Tick(2.0f));
  Vector dir, up, pos;
  f->GetOrientation(nullptr, dir, up);
  EXPECT_VEC_NEAR(dir, std::sin(0.3f), 0, std::cos(0.3f));
  EXPECT_VEC_NEAR(up, 0, 1, 0);
  f->GetPosition(nullptr, pos);
  EXPECT_VEC_NEAR(pos, 5, 0, 0);
  // Frames without motion stay put.
  Vector childPos;
  child_->GetPosition(nullptr, childPos);
  EXPECT_VEC_NEAR(childPos, 0, 0, 0);
}

TEST_F(FrameTest, TurningLeftThenRightAboutItsOwnAxisRestoresTheOrientation) {
  Ref<Frame> room = engine_->CreateFrame(scene_.get());
  room->SetOrientation(nullptr, {0, 0, -1}, {0, 1, 0});
  room->SetRotation(scene_.get(), {1, 0, 0}, -0.1f);  // tilt first, so the own y is not the world's
  engine_->Tick(1);
  Vector d0, u0;
  room->GetOrientation(nullptr, d0, u0);
  room->SetRotation(room.get(), {0, 1, 0}, -0.1f);
  engine_->Tick(1);
  room->SetRotation(room.get(), {0, 1, 0}, 0.1f);
  engine_->Tick(1);
  Vector d1, u1;
  room->GetOrientation(nullptr, d1, u1);
  EXPECT_VEC_NEAR(d1, d0.x, d0.y, d0.z);
  EXPECT_VEC_NEAR(u1, u0.x, u0.y, u0.z);
}

TEST_F(FrameTest, MoveAppliesVelocityToTheFrameAndItsDescendants) {
  parent_->SetVelocity(nullptr, {1, 0, 0}, false);
  child_->SetVelocity(parent_.get(), {0, 2, 0}, false);
  ASSERT_TRUE(parent_->Move(2.0f));
  Vector p;
  parent_->GetPosition(nullptr, p);
  EXPECT_VEC_NEAR(p, 12, 0, 0);
  child_->GetPosition(nullptr, p);
  EXPECT_VEC_NEAR(p, 0, 4, 0);
  Vector v;
  child_->GetVelocity(nullptr, v, false);
  EXPECT_VEC_NEAR(v, 0, 2, 0);
  EXPECT_FALSE(parent_->Move(NAN));
}

TEST_F(FrameTest, CombineTypesOrderTheNewTransform) {
  Ref<Frame> f = engine_->CreateFrame(scene_.get());
  f->AddTranslation(kCombineReplace, {1, 0, 0});
  f->AddRotation(kCombineAfter, {0, 1, 0}, kHalfPi);  // in the parent: the position turns too
  Vector p;
  f->GetPosition(nullptr, p);
  EXPECT_VEC_NEAR(p, 0, 0, -1);

  Ref<Frame> g = engine_->CreateFrame(scene_.get());
  g->AddTranslation(kCombineReplace, {1, 0, 0});
  g->AddRotation(kCombineBefore, {0, 1, 0}, kHalfPi);  // in its own axes: the position stays
  g->GetPosition(nullptr, p);
  EXPECT_VEC_NEAR(p, 1, 0, 0);
  g->AddScale(kCombineBefore, {2, 2, 2});
  Vector out;
  g->Transform({1, 0, 0}, out);
  EXPECT_VEC_NEAR(out, 1, 0, -2);

  Matrix m = Matrix::Translation({0, 3, 0});
  EXPECT_TRUE(g->AddTransform(kCombineReplace, m));
  Matrix got;
  g->GetTransform(got);
  EXPECT_TRUE(got == m);
  EXPECT_FALSE(g->AddTranslation(static_cast<CombineType>(3), {1, 1, 1}));
}

TEST_F(FrameTest, LookAtTurnsTheZAxisTowardTheTarget) {
  Ref<Frame> f = engine_->CreateFrame(scene_.get());
  Ref<Frame> target = engine_->CreateFrame(scene_.get());
  target->SetPosition(nullptr, {10, 0, 0});
  ASSERT_TRUE(f->LookAt(target.get(), nullptr, kConstrainZ));
  Vector dir, up;
  f->GetOrientation(nullptr, dir, up);
  EXPECT_VEC_NEAR(dir, 1, 0, 0);
  EXPECT_VEC_NEAR(up, 0, 1, 0);
  // With y held the frame only turns within the horizontal plane.
  target->SetPosition(nullptr, {0, 10, -10});
  ASSERT_TRUE(f->LookAt(target.get(), nullptr, kConstrainY));
  f->GetOrientation(nullptr, dir, up);
  EXPECT_VEC_NEAR(dir, 0, 0, -1);
  EXPECT_VEC_NEAR(up, 0, 1, 0);
  // With x held it only tilts.
  ASSERT_TRUE(f->LookAt(target.get(), nullptr, kConstrainX));
  f->GetOrientation(nullptr, dir, up);
  EXPECT_VEC_NEAR(dir, 0, std::sqrt(0.5f), -std::sqrt(0.5f));
  EXPECT_FALSE(f->LookAt(nullptr, nullptr, kConstrainZ));
  EXPECT_FALSE(f->LookAt(target.get(), nullptr, static_cast<FrameConstraint>(9)));
}

TEST_F(FrameTest, HierarchyRefusesCycles) {
  EXPECT_FALSE(parent_->AddChild(parent_.get()));
  EXPECT_FALSE(child_->AddChild(scene_.get()));
  EXPECT_FALSE(child_->AddVisual(parent_.get()));  // drawing would lead back to the child
  EXPECT_FALSE(scene_->AddVisual(scene_.get()));
  Ref<Frame> shape = engine_->CreateFrame(nullptr);
  EXPECT_TRUE(child_->AddVisual(shape.get()));
  EXPECT_FALSE(shape->AddVisual(scene_.get()));
  // A frame held as a visual must not then take its holder (or above) as a child: that would be a
  // reference cycle that never frees.
  Ref<Frame> holder = engine_->CreateFrame(nullptr);
  Ref<Frame> held = engine_->CreateFrame(nullptr);
  ASSERT_TRUE(holder->AddVisual(held.get()));
  EXPECT_FALSE(held->AddChild(holder.get()));
  Ref<Frame> below = engine_->CreateFrame(held.get());
  EXPECT_FALSE(below->AddChild(holder.get()));
  EXPECT_TRUE(below->AddChild(engine_->CreateFrame(nullptr).get()));
}

TEST_F(FrameTest, AddChildMovesTheFrameAndKeepsItsLocalTransform) {
  child_->SetPosition(nullptr, {1, 2, 3});
  Ref<Frame> other = engine_->CreateFrame(scene_.get());
  ASSERT_TRUE(other->AddChild(child_.get()));
  EXPECT_EQ(parent_->GetChildCount(), 0u);
  EXPECT_EQ(child_->GetParent(), other.get());
  Vector p;
  child_->GetPosition(nullptr, p);
  EXPECT_VEC_NEAR(p, 1, 2, 3);
  EXPECT_TRUE(other->AddChild(child_.get()));  // already there
  EXPECT_EQ(other->GetChildCount(), 1u);
}

TEST_F(FrameTest, AppearanceAndSceneSettingsCheckTheirValues) {
  EXPECT_EQ(child_->GetColor(), kWhite);
  EXPECT_TRUE(child_->SetMaterialMode(kMaterialFromFrame));
  EXPECT_FALSE(child_->SetMaterialMode(3));
  EXPECT_EQ(child_->GetMaterialMode(), kMaterialFromFrame);
  EXPECT_FALSE(child_->SetSortMode(-1));
  EXPECT_TRUE(child_->SetTextureTopology(false, true));
  bool u = true, v = false;
  child_->GetTextureTopology(u, v);
  EXPECT_EQ(PackTopology(u, v), 2);
  EXPECT_TRUE(scene_->SetSceneFogParams(1, 50, 0.5f));
  EXPECT_FALSE(scene_->SetSceneFogParams(1, 50, -1));
  float s, e, d;
  scene_->GetSceneFogParams(s, e, d);
  EXPECT_EQ(e, 50);
  EXPECT_FALSE(scene_->SetSceneFogMode(3));
  EXPECT_TRUE(scene_->SetSceneBackgroundRGB(1, 0, 0));
  EXPECT_EQ(scene_->GetSceneBackground(), 0xFFFF0000u);
}

}  // namespace
}  // namespace engine
