// Reference counting, lifetimes, names and the live-object registry.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/light.h"
#include "engine/meshbuilder.h"
#include "engine/texture.h"

namespace engine {
namespace {

TEST(ObjectTest, ReleaseReturnsTheCountLeftAndDeletesAtZero) {
  size_t start = LiveObjectCount();
  auto* f = new Frame;
  EXPECT_EQ(f->RefCount(), 1u);
  EXPECT_EQ(f->AddRef(), 2u);
  EXPECT_EQ(LiveObjectCount(), start + 1);
  EXPECT_EQ(f->Release(), 1u);
  EXPECT_EQ(f->Release(), 0u);
  EXPECT_EQ(LiveObjectCount(), start);
}

TEST(ObjectTest, ClassNamesAreFixedByKind) {
  Ref<Engine> e = Engine::Create();
  EXPECT_STREQ(e->GetClassName(), "Direct3DRM");
  EXPECT_STREQ(e->CreateFrame(nullptr)->GetClassName(), "Frame");
  EXPECT_STREQ(e->CreateMeshBuilder()->GetClassName(), "Builder");
  EXPECT_STREQ(e->CreateMesh()->GetClassName(), "Mesh");
  EXPECT_STREQ(e->CreateFace()->GetClassName(), "Face");
  EXPECT_STREQ(e->CreateLight(kLightPoint, kWhite)->GetClassName(), "Light");
  EXPECT_STREQ(e->CreateMaterial(5)->GetClassName(), "Material");
  EXPECT_STREQ(e->CreateAnimation()->GetClassName(), "Animation");
  EXPECT_STREQ(e->CreateAnimationSet()->GetClassName(), "AnimationSet");
  EXPECT_STREQ(CreateClipper(7)->GetClassName(), "Clipper");
  auto wrap = e->CreateWrap(kWrapFlat, nullptr, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1);
  ASSERT_TRUE(wrap);
  EXPECT_STREQ(wrap->GetClassName(), "Wrap");
}

TEST(ObjectTest, ChildIsKeptAliveByItsParentAndFreedWithIt) {
  size_t start = LiveObjectCount();
  {
    Ref<Engine> e = Engine::Create();
    Ref<Frame> root = e->CreateFrame(nullptr);
    Frame* child = e->CreateFrame(root.get()).get();  // the caller's reference is gone at once
    ASSERT_EQ(root->GetChildCount(), 1u);
    EXPECT_EQ(root->GetChild(0), child);
    EXPECT_EQ(child->RefCount(), 1u);  // only the parent's
    EXPECT_EQ(child->GetParent(), root.get());
    EXPECT_EQ(child->GetScene(), root.get());
  }
  EXPECT_EQ(LiveObjectCount(), start);
}

TEST(ObjectTest, ChildOutlivesParentAsItsOwnRoot) {
  Ref<Engine> e = Engine::Create();
  Ref<Frame> root = e->CreateFrame(nullptr);
  Ref<Frame> child = e->CreateFrame(root.get());
  root.reset();
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_EQ(child->GetScene(), child.get());
  EXPECT_EQ(child->RefCount(), 1u);
}

TEST(ObjectTest, DeleteChildDetachesAndMayFreeTheChild) {
  size_t start = LiveObjectCount();
  Ref<Frame> root = Ref<Frame>::Adopt(new Frame);
  auto* child = new Frame;
  EXPECT_TRUE(root->AddChild(child));
  child->Release();  // now only the parent holds it
  EXPECT_FALSE(root->DeleteChild(nullptr));
  EXPECT_TRUE(root->DeleteChild(child));  // frees it
  EXPECT_EQ(root->GetChildCount(), 0u);
  EXPECT_FALSE(root->DeleteChild(root.get()));
  root.reset();
  EXPECT_EQ(LiveObjectCount(), start);
}

TEST(ObjectTest, VisualsAndLightsHoldReferences) {
  Ref<Engine> e = Engine::Create();
  Ref<Frame> f = e->CreateFrame(nullptr);
  Ref<MeshBuilder> b = e->CreateMeshBuilder();
  Ref<Light> l = e->CreateLight(kLightAmbient, kWhite);
  EXPECT_TRUE(f->AddVisual(b.get()));
  EXPECT_TRUE(f->AddVisual(b.get()));  // no duplicate
  EXPECT_EQ(f->GetVisualCount(), 1u);
  EXPECT_EQ(b->RefCount(), 2u);
  EXPECT_TRUE(f->AddLight(l.get()));
  EXPECT_EQ(l->RefCount(), 2u);
  EXPECT_FALSE(f->AddVisual(l.get()));  // a light is no visual
  EXPECT_FALSE(f->AddVisual(nullptr));
  EXPECT_TRUE(f->DeleteVisual(b.get()));
  EXPECT_FALSE(f->DeleteVisual(b.get()));
  EXPECT_EQ(b->RefCount(), 1u);
  EXPECT_EQ(f->GetVisual(0), nullptr);
}

TEST(ObjectTest, NamesAppDataAndLookup) {
  Ref<Engine> e = Engine::Create();
  Ref<Engine> other = Engine::Create();
  Ref<Frame> a = e->CreateFrame(nullptr);
  Ref<Frame> b = e->CreateFrame(nullptr);
  Ref<Frame> c = other->CreateFrame(nullptr);
  a->SetName("engine-test-twin");
  b->SetName("engine-test-twin");
  c->SetName("engine-test-other");
  a->SetAppData(0xDEADBEEF);
  EXPECT_EQ(a->GetAppData(), 0xDEADBEEFu);
  EXPECT_EQ(FindNamedObject("engine-test-twin"), a.get());  // the first made
  EXPECT_EQ(e->GetNamedObject("engine-test-twin"), a.get());
  EXPECT_EQ(e->GetNamedObject("engine-test-other"), nullptr);  // another engine's
  EXPECT_EQ(other->GetNamedObject("engine-test-other"), c.get());
  EXPECT_EQ(FindNamedObject(""), nullptr);
  a.reset();
  EXPECT_EQ(FindNamedObject("engine-test-twin"), b.get());
}

TEST(ObjectTest, CloneGivesAnIndependentCopyWithOneReference) {
  Ref<Engine> e = Engine::Create();
  Ref<MeshBuilder> b = e->CreateMeshBuilder();
  b->AddVertex({1, 2, 3});
  b->SetAppData(5);
  auto copy = Ref<MeshBuilder>::Adopt(static_cast<MeshBuilder*>(b->Clone()));
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.get(), b.get());
  EXPECT_EQ(copy->RefCount(), 1u);
  EXPECT_EQ(copy->GetOwner(), e.get());
  EXPECT_EQ(copy->GetAppData(), 5u);
  b.reset();
  Vector v;
  EXPECT_TRUE(copy->GetVertex(0, v));
  EXPECT_EQ(v, (Vector{1, 2, 3}));
  // Kinds that cannot be copied say so.
  EXPECT_EQ(e->Clone(), nullptr);
  EXPECT_EQ(CreateClipper(1)->Clone(), nullptr);
}

TEST(ObjectTest, WeakReferencesDoNotKeepFramesAlive) {
  size_t start = LiveObjectCount();
  {
    Ref<Engine> e = Engine::Create();
    Ref<Frame> f = e->CreateFrame(nullptr);
    Ref<Light> l = e->CreateLight(kLightSpot, kWhite);
    f->AddLight(l.get());
    l->SetEnableFrame(f.get());  // would be a cycle if it were strong
    EXPECT_EQ(l->GetEnableFrame(), f.get());
    f.reset();
    EXPECT_EQ(l->GetEnableFrame(), nullptr);
  }
  EXPECT_EQ(LiveObjectCount(), start);
}

TEST(ObjectTest, LiveObjectCountReturnsToItsStartAfterABusyScene) {
  size_t start = LiveObjectCount();
  {
    Ref<Engine> e = Engine::Create();
    Ref<Frame> scene = e->CreateFrame(nullptr);
    for (int i = 0; i < 10; ++i) {
      Ref<Frame> f = e->CreateFrame(scene.get());
      Ref<MeshBuilder> b = e->CreateMeshBuilder();
      b->AddVertex({0, 0, 0});
      b->AddVertex({1, 0, 0});
      b->AddVertex({0, 1, 0});
      b->AddNormal({0, 0, -1});
      Ref<Face> face = b->CreateFace();
      face->AddVertexAndNormalIndexed(0, 0);
      face->SetTexture(Ref<Texture>::Adopt(new Texture(1, 1, {kWhite})).get());
      f->AddVisual(b.get());
      f->AddVisual(b->CreateMesh().get());
      Ref<Light> l = e->CreateLight(kLightPoint, kWhite);
      f->AddLight(l.get());
      l->SetEnableFrame(f.get());
      Ref<Frame> clone = Ref<Frame>::Adopt(static_cast<Frame*>(f->Clone()));
      scene->AddChild(clone.get());
    }
  }
  EXPECT_EQ(LiveObjectCount(), start);
}

}  // namespace
}  // namespace engine

namespace engine {
namespace {

TEST(ObjectTest, DeepHierarchiesAreCopiedAndFreedWithoutDeepRecursion) {
  size_t start = LiveObjectCount();
  {
    // Built from the bottom up, so that each AddChild's cycle check stays short.
    Ref<Frame> root = Ref<Frame>::Adopt(new Frame);
    for (int i = 0; i < 100000; ++i) {
      auto f = Ref<Frame>::Adopt(new Frame);
      f->AddChild(root.get());
      root = f;
    }
    auto copy = Ref<Frame>::Adopt(static_cast<Frame*>(root->Clone()));
    EXPECT_EQ(copy->GetChildCount(), 1u);
    EXPECT_EQ(LiveObjectCount(), start + 2 * 100001);
  }
  EXPECT_EQ(LiveObjectCount(), start);
}

}  // namespace
}  // namespace engine
