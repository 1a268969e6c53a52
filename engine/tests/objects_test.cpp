// Meshes and groups, lights, materials, wraps, shadows, animations, colours and matrix helpers.
#include <gtest/gtest.h>

#include <numbers>

#include "engine/animation.h"
#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/pickedarray.h"
#include "engine/shadow.h"
#include "engine/tests/support/vector_expect.h"
#include "engine/wrap.h"

namespace engine {
namespace {

TEST(ColorTest, PacksFractionsAndReadsThemBack) {
  EXPECT_EQ(CreateColorRGB(1, 0.5f, 0), 0xFFFF8000u);
  EXPECT_EQ(CreateColorRGB(0.6f, 0.2f, 0), 0xFF993300u);
  EXPECT_EQ(CreateColorRGB(2, -1, NAN), 0xFFFF0000u);  // clamped
  for (int i = 0; i < 256; ++i) {  // every channel value survives the round trip
    float f = static_cast<float>(i) * 0.003921569f;
    Color c = CreateColorRGB(f, f, f);
    EXPECT_EQ(c & 0xFF, static_cast<uint32_t>(i));
    EXPECT_EQ(CreateColorRGB(ColorGetRed(c), ColorGetGreen(c), ColorGetBlue(c)), c);
  }
  EXPECT_FLOAT_EQ(ColorGetGreen(0xFF00FF00), 1.0f);
}

TEST(MathTest, InverseAndQuaternionAgreeWithMatrices) {
  Matrix m = Matrix::Scaling({2, 3, 4}) * Matrix::Rotation({1, 2, 3}, 0.7f) *
             Matrix::Translation({5, -6, 7});
  Matrix inv;
  ASSERT_TRUE(Invert(m, inv));
  EXPECT_VEC_NEAR(TransformPoint(TransformPoint({1, 2, 3}, m), inv), 1, 2, 3);
  Matrix singular = Matrix::Scaling({1, 0, 1});
  EXPECT_FALSE(Invert(singular, inv));
  Matrix q = RotationMatrix(Quaternion::FromAxisAngle({1, 2, 3}, 0.7f));
  Matrix r = Matrix::Rotation({1, 2, 3}, 0.7f);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(q.m[i][j], r.m[i][j], 1e-5f);
}

TEST(MeshTest, AddGroupChecksEverythingItReads) {
  Mesh m;
  const uint32_t tri[] = {0, 1, 2, 2, 1, 3};
  EXPECT_EQ(m.AddGroup(4, 2, 3, tri), 0);
  const uint32_t bad[] = {0, 1, 4};
  EXPECT_EQ(m.AddGroup(4, 1, 3, bad), -1);  // index not below the vertex count
  EXPECT_EQ(m.AddGroup(4, 1, 3, nullptr), -1);
  EXPECT_EQ(m.AddGroup(0, 1, 3, tri), -1);
  EXPECT_EQ(m.AddGroup(4, 0, 3, tri), -1);
  EXPECT_EQ(m.AddGroup(4, 1, 2, tri), -1);           // fewer than 3 corners
  EXPECT_EQ(m.AddGroup(0xFFFFFFFF, 1, 3, tri), -1);  // no unbounded allocation
  // Vertices per face 0: each face brings its own count.
  const uint32_t mixed[] = {3, 0, 1, 2, 4, 0, 1, 2, 3};
  EXPECT_EQ(m.AddGroup(4, 2, 0, mixed), 1);
  const uint32_t badCount[] = {2000000000, 0, 1, 2};
  EXPECT_EQ(m.AddGroup(4, 1, 0, badCount), -1);
  EXPECT_EQ(m.GetGroupCount(), 2);

  uint32_t size = 0, out[16];
  EXPECT_FALSE(m.GetGroupData(1, 4, out, &size));  // too small, but the size is told
  EXPECT_EQ(size, 9u);
  ASSERT_TRUE(m.GetGroupData(1, 16, out, &size));
  EXPECT_EQ(out[4], 4u);
  int faces = 0;
  Mesh::ForEachFace(*m.GetGroup(1), [&](const uint32_t*, uint32_t n) { faces += n; });
  EXPECT_EQ(faces, 7);
}

TEST(MeshTest, VertexRangesAndGroupSettings) {
  Mesh m;
  const uint32_t tri[] = {0, 1, 2};
  ASSERT_EQ(m.AddGroup(3, 1, 3, tri), 0);
  MeshVertex v[3];
  v[1].position = {1, 2, 3};
  v[2].color = 0xFF123456;
  EXPECT_TRUE(m.SetVertices(0, 0, 3, v));
  EXPECT_FALSE(m.SetVertices(0, 2, 2, v));           // past the end
  EXPECT_FALSE(m.SetVertices(0, 1, 0xFFFFFFFF, v));  // no wrap-around
  EXPECT_FALSE(m.SetVertices(1, 0, 1, v));
  MeshVertex got[2];
  ASSERT_TRUE(m.GetVertices(0, 1, 2, got));
  EXPECT_EQ(got[0].position, (Vector{1, 2, 3}));
  EXPECT_EQ(got[1].color, 0xFF123456u);
  EXPECT_TRUE(m.SetGroupQuality(0, kShadeFlat + kLightOn + kFillSolid));
  EXPECT_FALSE(m.SetGroupQuality(0, 255));
  EXPECT_EQ(m.GetGroupQuality(0), 136);
  EXPECT_TRUE(m.SetGroupMapping(0, kMapWrapU | kMapPerspective));
  EXPECT_FALSE(m.SetGroupMapping(0, 8));
  EXPECT_EQ(m.GetGroupMapping(0), 5);
  EXPECT_EQ(m.GetGroupColor(7), 0u);
  EXPECT_EQ(m.GetGroupMaterial(0), nullptr);
  Ref<Material> mat = Ref<Material>::Adopt(new Material(10));
  EXPECT_TRUE(m.SetGroupMaterial(0, mat.get()));
  EXPECT_EQ(m.GetGroupMaterial(0), mat.get());
}

TEST(LightTest, TypesAndRangesAreChecked) {
  Ref<Engine> e = Engine::Create();
  EXPECT_FALSE(e->CreateLight(5, kWhite));
  EXPECT_FALSE(e->CreateLight(-1, kWhite));
  Ref<Light> l = e->CreateLightRGB(kLightDirectional, 0.8f, 0.8f, 0.8f);
  ASSERT_TRUE(l);
  EXPECT_EQ(l->GetType(), kLightDirectional);
  EXPECT_EQ(l->GetColor(), 0xFFCCCCCCu);
  EXPECT_TRUE(l->SetType(kLightParallelPoint));
  EXPECT_FALSE(l->SetType(9));
  EXPECT_FALSE(l->SetRange(-1));
  EXPECT_TRUE(l->SetUmbra(0.2f));
  EXPECT_TRUE(l->SetQuadraticAttenuation(0.5f));
  auto c = Ref<Light>::Adopt(static_cast<Light*>(l->Clone()));
  EXPECT_EQ(c->GetType(), kLightParallelPoint);
  EXPECT_EQ(c->GetUmbra(), 0.2f);
  EXPECT_EQ(c->GetQuadraticAttenuation(), 0.5f);
}

TEST(MaterialTest, SpecularAndEmissiveAreFractions) {
  Ref<Engine> e = Engine::Create();
  Ref<Material> m = e->CreateMaterial(8);
  ASSERT_TRUE(m);
  EXPECT_FALSE(e->CreateMaterial(-1));
  ASSERT_TRUE(m->SetSpecular(1, 0.5f, 0));
  float r, g, b;
  m->GetSpecular(r, g, b);
  EXPECT_EQ(CreateColorRGB(r, g, b), 0xFFFF8000u);
  EXPECT_FALSE(m->SetEmissive(NAN, 0, 0));
  m->GetEmissive(r, g, b);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(m->GetPower(), 8);
}

TEST(WrapTest, FlatWrapMapsAlongItsAxes) {
  Ref<Engine> e = Engine::Create();
  Ref<MeshBuilder> b = e->CreateMeshBuilder();
  b->AddVertex({0, 0, 0});
  b->AddVertex({2, 0, 0});
  b->AddVertex({0, 4, 0});
  // Looking along +z with y up: u follows x, v follows y.
  Ref<Wrap> w =
      e->CreateWrap(kWrapFlat, nullptr, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 0.5f, 0, 0.5f, 0.25f);
  ASSERT_TRUE(w);
  ASSERT_TRUE(w->Apply(b.get()));
  float u, v;
  b->GetTextureCoordinates(1, u, v);
  EXPECT_FLOAT_EQ(u, 1.5f);
  b->GetTextureCoordinates(2, u, v);
  EXPECT_FLOAT_EQ(v, 1.0f);
  EXPECT_FALSE(w->Apply(nullptr));
  EXPECT_FALSE(w->Apply(e.get()));
  EXPECT_FALSE(e->CreateWrap(kWrapFlat, nullptr, {}, {0, 1, 0}, {0, 1, 0}, 0, 0, 1, 1));
  EXPECT_FALSE(e->CreateWrap(7, nullptr, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1));
}

TEST(WrapTest, ApplyRelativePlacesVerticesByTheFrame) {
  Ref<Engine> e = Engine::Create();
  Ref<Frame> f = e->CreateFrame(nullptr);
  f->SetPosition(nullptr, {10, 0, 0});
  Ref<MeshBuilder> b = e->CreateMeshBuilder();
  b->AddVertex({1, 0, 0});
  Ref<Wrap> w = e->CreateWrap(kWrapFlat, nullptr, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1);
  ASSERT_TRUE(w->ApplyRelative(f.get(), b.get()));
  float u, v;
  b->GetTextureCoordinates(0, u, v);
  EXPECT_FLOAT_EQ(u, 11);
  EXPECT_FALSE(w->ApplyRelative(nullptr, b.get()));
}

TEST(WrapTest, CylinderAndSphereGoRoundTheUpAxis) {
  Wrap cyl(kWrapCylinder, nullptr, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1);
  float u, v;
  cyl.Compute({1, 3, 0}, {}, u, v);
  EXPECT_NEAR(u, 0.25f, 1e-6f);
  EXPECT_NEAR(v, 3, 1e-6f);
  Wrap sph(kWrapSphere, nullptr, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1);
  sph.Compute({0, -2, 0}, {}, u, v);
  EXPECT_NEAR(v, 1, 1e-6f);  // the bottom pole
}

TEST(ShadowTest, HoldsItsSourcesAndNeedsThem) {
  Ref<Engine> e = Engine::Create();
  Ref<MeshBuilder> b = e->CreateMeshBuilder();
  Ref<Light> l = e->CreateLight(kLightPoint, kWhite);
  EXPECT_FALSE(e->CreateShadow(nullptr, l.get(), {}, {0, 1, 0}));
  EXPECT_FALSE(e->CreateShadow(b.get(), nullptr, {}, {0, 1, 0}));
  Ref<Shadow> s = e->CreateShadow(b.get(), l.get(), {0, -1, 0}, {0, 5, 0});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->GetVisual(), b.get());
  EXPECT_VEC_NEAR(s->GetPlaneNormal(), 0, 1, 0);
  Ref<Frame> f = e->CreateFrame(nullptr);
  EXPECT_TRUE(f->AddVisual(s.get()));
}

TEST(AnimationTest, SetTimePlacesTheFrameBetweenKeys) {
  Ref<Engine> e = Engine::Create();
  Ref<Frame> f = e->CreateFrame(nullptr);
  Ref<Animation> a = e->CreateAnimation();
  EXPECT_FALSE(a->SetTime(0));  // no frame yet
  ASSERT_TRUE(a->SetFrame(f.get()));
  a->AddPositionKey(0, {0, 0, 0});
  a->AddPositionKey(10, {10, 20, 0});
  a->AddRotateKey(0, Quaternion::FromAxisAngle({0, 1, 0}, 0));
  a->AddRotateKey(10, Quaternion::FromAxisAngle({0, 1, 0}, std::numbers::pi_v<float> / 2));
  ASSERT_TRUE(a->SetTime(5));
  Vector p, dir, up;
  f->GetPosition(nullptr, p);
  EXPECT_VEC_NEAR(p, 5, 10, 0);
  f->GetOrientation(nullptr, dir, up);
  float h = std::sqrt(0.5f);
  EXPECT_VEC_NEAR(dir, h, 0, h);  // half of the quarter turn
  // Closed (the default): time wraps over the keys' span.
  a->SetTime(12.5f);
  f->GetPosition(nullptr, p);
  EXPECT_VEC_NEAR(p, 2.5f, 5, 0);
  // Open: the ends hold.
  ASSERT_TRUE(a->SetOptions(kAnimationOpen | kAnimationLinearPosition | kAnimationPosition));
  a->SetTime(12.5f);
  f->GetPosition(nullptr, p);
  EXPECT_VEC_NEAR(p, 10, 20, 0);
  EXPECT_FALSE(a->SetOptions(kAnimationOpen | kAnimationClosed));
  EXPECT_FALSE(a->AddRotateKey(1, Quaternion{0, {0, 0, 0}}));
  EXPECT_TRUE(a->DeleteKey(10));
  EXPECT_FALSE(a->DeleteKey(10));
}

TEST(AnimationTest, SetsRunTheirAnimationsAndDoNotKeepFramesAlive) {
  Ref<Engine> e = Engine::Create();
  Ref<AnimationSet> set = e->CreateAnimationSet();
  Ref<Animation> a = e->CreateAnimation();
  Ref<Frame> f = e->CreateFrame(nullptr);
  a->SetFrame(f.get());
  a->AddScaleKey(0, {1, 1, 1});
  a->AddScaleKey(2, {3, 3, 3});
  EXPECT_TRUE(set->AddAnimation(a.get()));
  EXPECT_FALSE(set->AddAnimation(a.get()));
  EXPECT_TRUE(set->SetTime(1));
  Vector out;
  f->Transform({1, 0, 0}, out);
  EXPECT_VEC_NEAR(out, 2, 0, 0);
  f.reset();
  EXPECT_EQ(a->GetFrame(), nullptr);
  EXPECT_FALSE(set->SetTime(1));
  EXPECT_TRUE(set->DeleteAnimation(a.get()));
  EXPECT_FALSE(set->DeleteAnimation(a.get()));
}

TEST(PickedArrayTest, SortsNearestFirstAndGuardsIndices) {
  PickedArray picks;
  Ref<Frame> root = Ref<Frame>::Adopt(new Frame);
  Ref<MeshBuilder> near = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  Ref<MeshBuilder> far = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  PickEntry a;
  a.visual = far;
  a.path = {root};
  a.description.depth = 9;
  PickEntry b;
  b.visual = near;
  b.path = {root};
  b.description.depth = 2;
  picks.Add(a);
  picks.Add(b);
  picks.SortNearestFirst();
  ASSERT_EQ(picks.GetSize(), 2u);
  EXPECT_EQ(picks.GetPick(0)->visual.get(), near.get());
  EXPECT_EQ(picks.GetPick(2), nullptr);
}

}  // namespace
}  // namespace engine
