// Mesh builders and faces: normals, merging, meshes made from builders, bad indices.
#include "engine/meshbuilder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/mesh.h"
#include "engine/tests/support/vector_expect.h"
#include "tests/support/temp_folder.h"

namespace engine {
namespace {

// A face whose corners share one new placeholder normal, the way the scene layer's face maker
// builds them.
Face* AddFlatFace(MeshBuilder& b, std::initializer_list<int32_t> vertices) {
  int32_t n = b.AddNormal({0, 0, 0});
  Ref<Face> f = b.CreateFace();
  for (int32_t v : vertices) EXPECT_TRUE(f->AddVertexAndNormalIndexed(v, n));
  return f.get();
}

// The box of the scene layer's cube generator: 8 corners, six faces with their fronts outside.
void MakeCube(MeshBuilder& b, float a) {
  const Vector corners[8] = {{a, a, -a}, {a, -a, -a}, {-a, -a, -a}, {-a, a, -a},
                             {a, a, a},  {a, -a, a},  {-a, -a, a},  {-a, a, a}};
  for (Vector c : corners) b.AddVertex(c);
  AddFlatFace(b, {0, 1, 2, 3});
  AddFlatFace(b, {3, 2, 6, 7});
  AddFlatFace(b, {7, 6, 5, 4});
  AddFlatFace(b, {4, 5, 1, 0});
  AddFlatFace(b, {0, 3, 7, 4});
  AddFlatFace(b, {1, 5, 6, 2});
}

TEST(MeshBuilderTest, GenerateNormalsOnACubeGivesOneOutwardNormalPerSide) {
  MeshBuilder b;
  MakeCube(b, 20);
  ASSERT_TRUE(b.GenerateNormals());
  EXPECT_EQ(b.GetVertexCount(), 8);
  EXPECT_EQ(b.GetNormalCount(), 6);
  EXPECT_EQ(b.GetFaceCount(), 6);
  const Vector outward[6] = {{0, 0, -1}, {-1, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
  for (int i = 0; i < 6; ++i) {
    Face* f = b.GetFace(i);
    Vector plane;
    ASSERT_TRUE(f->GetNormal(plane));
    EXPECT_VEC_WITHIN(plane, outward[i].x, outward[i].y, outward[i].z, 1e-5f);
    for (int c = 0; c < 4; ++c) {
      Vector p, n;
      ASSERT_TRUE(f->GetVertex(c, p, n));
      EXPECT_VEC_WITHIN(n, outward[i].x, outward[i].y, outward[i].z, 1e-5f);
    }
  }
}

TEST(MeshBuilderTest, GenerateNormalsSmoothsWhereFacesShareANormal) {
  // Two faces meeting at a ridge along z, each corner using the normal of its own vertex.
  MeshBuilder b;
  b.AddVertex({-1, 0, 0});
  b.AddVertex({0, 1, 0});
  b.AddVertex({1, 0, 0});
  b.AddVertex({-1, 0, 1});
  b.AddVertex({0, 1, 1});
  b.AddVertex({1, 0, 1});
  for (int i = 0; i < 6; ++i) b.AddNormal({});
  Ref<Face> left = b.CreateFace(), right = b.CreateFace();
  for (int v : {0, 3, 4, 1}) left->AddVertexAndNormalIndexed(v, v);
  for (int v : {1, 4, 5, 2}) right->AddVertexAndNormalIndexed(v, v);
  ASSERT_TRUE(b.GenerateNormals());
  Vector ridge, edge;
  b.GetNormal(1, ridge);
  EXPECT_VEC_WITHIN(ridge, 0, 1, 0, 1e-5f);  // the average of both faces
  b.GetNormal(0, edge);
  float h = std::sqrt(0.5f);
  EXPECT_VEC_WITHIN(edge, -h, h, 0, 1e-5f);  // only the left face
}

TEST(MeshBuilderTest, GenerateNormalsGivesCornersWithoutNormalsOnePerVertex) {
  MeshBuilder b;
  Ref<Face> f = b.CreateFace();
  f->AddVertex({0, 0, 0});
  f->AddVertex({0, 1, 0});
  f->AddVertex({1, 0, 0});
  EXPECT_EQ(b.GetVertexCount(), 3);
  EXPECT_EQ(b.GetNormalCount(), 0);
  ASSERT_TRUE(b.GenerateNormals());
  EXPECT_EQ(b.GetNormalCount(), 3);
  Vector p, n;
  f->GetVertex(2, p, n);
  EXPECT_VEC_WITHIN(n, 0, 0, -1, 1e-5f);  // clockwise seen from -z
}

TEST(MeshBuilderTest, IndicesOutOfRangeFailWithoutChange) {
  MeshBuilder b;
  b.AddVertex({1, 2, 3});
  Vector v{9, 9, 9};
  EXPECT_FALSE(b.GetVertex(1, v));
  EXPECT_FALSE(b.GetVertex(-1, v));
  EXPECT_EQ(v, (Vector{9, 9, 9}));
  EXPECT_FALSE(b.SetVertex(1, {0, 0, 0}));
  EXPECT_FALSE(b.SetNormal(0, {0, 0, 0}));
  EXPECT_FALSE(b.SetTextureCoordinates(5, 0, 0));
  EXPECT_FALSE(b.SetVertexColor(-3, kWhite));
  EXPECT_EQ(b.GetVertexColor(3), 0u);
  EXPECT_EQ(b.GetFace(0), nullptr);
  Ref<Face> f = b.CreateFace();
  EXPECT_FALSE(f->AddVertexAndNormalIndexed(0, 0));  // no normal 0 yet
  EXPECT_FALSE(f->AddVertexAndNormalIndexed(1, -1));
  EXPECT_EQ(f->GetVertexIndex(0), -1);
  EXPECT_FALSE(b.SetQuality(3));  // not a shade + light + fill sum
  EXPECT_TRUE(b.SetQuality(kShadeFlat + kLightOff + kFillWireframe));
  EXPECT_FALSE(b.SetColorSource(2));
  EXPECT_EQ(b.AddVertex({NAN, 0, 0}), -1);
}

TEST(MeshBuilderTest, BoxScaleAndTranslate) {
  MeshBuilder b;
  Box box;
  EXPECT_FALSE(b.GetBox(box));
  MakeCube(b, 120);
  b.Scale({1, 0.1f, 1});
  b.Translate({0, -72, 0});
  ASSERT_TRUE(b.GetBox(box));
  EXPECT_VEC_WITHIN(box.min, -120, -84, -120, 1e-5f);
  EXPECT_VEC_WITHIN(box.max, 120, -60, 120, 1e-5f);
}

TEST(MeshBuilderTest, FreeStandingFaceJoinsABuilderAndOutlivesIt) {
  Ref<Face> f = Ref<Face>::Adopt(new Face);
  f->AddVertex({0, 0, 0});
  f->AddVertex({0, 1, 0});
  f->AddVertex({1, 0, 0});
  f->SetTextureCoordinates(1, 0.25f, 0.5f);
  EXPECT_EQ(f->GetVertexIndex(0), -1);  // no builder yet
  {
    Ref<MeshBuilder> b = Ref<MeshBuilder>::Adopt(new MeshBuilder);
    b->AddVertex({5, 5, 5});
    ASSERT_TRUE(b->AddFace(f.get()));
    EXPECT_FALSE(b->AddFace(f.get()));  // already in it
    EXPECT_EQ(f->GetBuilder(), b.get());
    EXPECT_EQ(b->GetFaceCount(), 1);
    EXPECT_EQ(b->GetVertexCount(), 4);
    EXPECT_EQ(f->GetVertexIndex(0), 1);
    float u, v;
    ASSERT_TRUE(b->GetTextureCoordinates(2, u, v));
    EXPECT_EQ(u, 0.25f);
    b->SetVertex(3, {2, 0, 0});
  }
  // The builder is gone; the face keeps its corners.
  EXPECT_EQ(f->GetBuilder(), nullptr);
  Vector p, n;
  ASSERT_TRUE(f->GetVertex(2, p, n));
  EXPECT_VEC_WITHIN(p, 2, 0, 0, 1e-5f);
}

TEST(MeshBuilderTest, AddMeshBuilderOffsetsIndicesAndCopiesLooks) {
  MeshBuilder a, b;
  MakeCube(a, 1);
  MakeCube(b, 2);
  b.GetFace(0)->SetColor(0xFF00FF00);
  ASSERT_TRUE(a.AddMeshBuilder(&b));
  EXPECT_FALSE(a.AddMeshBuilder(&a));
  EXPECT_EQ(a.GetVertexCount(), 16);
  EXPECT_EQ(a.GetNormalCount(), 12);
  EXPECT_EQ(a.GetFaceCount(), 12);
  Face* copy = a.GetFace(6);
  EXPECT_EQ(copy->GetColor(), 0xFF00FF00u);
  EXPECT_EQ(copy->GetVertexIndex(0), 8);
  EXPECT_EQ(copy->Corners()[0].normal, 6);
  EXPECT_NE(copy, b.GetFace(0));
}

TEST(MeshBuilderTest, CreateMeshAndBackKeepsTheGeometry) {
  MeshBuilder b;
  MakeCube(b, 1);
  b.GenerateNormals();
  b.SetColor(0xFF336699);
  b.GetFace(0)->SetColor(0xFFFF0000);
  b.SetTextureCoordinates(0, 0.5f, 1);
  Ref<Mesh> m = b.CreateMesh();
  ASSERT_TRUE(m);
  ASSERT_EQ(m->GetGroupCount(), 2);  // the red side, and the rest
  int faces = 0;
  for (const MeshGroup& g : m->Groups()) {
    faces += g.faceCount;
    EXPECT_EQ(g.verticesPerFace, 4u);
    EXPECT_EQ(g.vertexCount, 4u * g.faceCount);  // flat sides share no (vertex, normal) corner
  }
  EXPECT_EQ(faces, 6);
  Box box;
  ASSERT_TRUE(m->GetBox(box));
  EXPECT_VEC_WITHIN(box.max, 1, 1, 1, 1e-5f);

  MeshBuilder back;
  ASSERT_TRUE(back.AddMesh(m.get()));
  EXPECT_EQ(back.GetFaceCount(), 6);
  EXPECT_EQ(back.GetVertexCount(), 24);
  int red = 0;
  for (auto& f : back.Faces()) {
    red += f->GetColor() == 0xFFFF0000u;
    Vector plane, p, n;
    ASSERT_TRUE(f->GetNormal(plane));
    f->GetVertex(0, p, n);
    EXPECT_NEAR(Dot(plane, n), 1.0f, 1e-5f);  // normals came along
  }
  EXPECT_EQ(red, 1);
}

TEST(MeshBuilderTest, AddFrameMergesVisualsPlacedByTheirFrames) {
  Ref<Engine> e = Engine::Create();
  Ref<Frame> top = e->CreateFrame(nullptr);
  Ref<Frame> below = e->CreateFrame(top.get());
  below->SetPosition(nullptr, {10, 0, 0});
  Ref<MeshBuilder> part = e->CreateMeshBuilder();
  MakeCube(*part, 1);
  top->AddVisual(part.get());
  below->AddVisual(part.get());
  Ref<MeshBuilder> merged = e->CreateMeshBuilder();
  ASSERT_TRUE(merged->AddFrame(top.get()));
  EXPECT_EQ(merged->GetFaceCount(), 12);
  Box box;
  merged->GetBox(box);
  EXPECT_VEC_WITHIN(box.min, -1, -1, -1, 1e-5f);
  EXPECT_VEC_WITHIN(box.max, 11, 1, 1, 1e-5f);
  // A frame holding the builder itself merges a copy of what it had.
  Ref<Frame> self = e->CreateFrame(nullptr);
  self->AddVisual(merged.get());
  ASSERT_TRUE(merged->AddFrame(self.get()));
  EXPECT_EQ(merged->GetFaceCount(), 24);
  EXPECT_FALSE(merged->AddFrame(nullptr));
}

TEST(MeshBuilderTest, CloneIsDeep) {
  MeshBuilder b;
  MakeCube(b, 1);
  auto c = Ref<MeshBuilder>::Adopt(static_cast<MeshBuilder*>(b.Clone()));
  c->SetVertex(0, {7, 7, 7});
  c->GetFace(0)->SetColor(0xFF000000);
  Vector v;
  b.GetVertex(0, v);
  EXPECT_VEC_WITHIN(v, 1, 1, -1, 1e-5f);
  EXPECT_EQ(b.GetFace(0)->GetColor(), kWhite);
  EXPECT_EQ(c->GetFace(0)->GetBuilder(), c.get());
}

// Copies share the original's geometry until one of them changes it; no change of one may show
// in the other, whichever side makes it and whichever way the copy was made.
Ref<MeshBuilder> CopyOf(const MeshBuilder& b, bool byClone) {
  if (byClone) return Ref<MeshBuilder>::Adopt(static_cast<MeshBuilder*>(b.Clone()));
  auto c = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  EXPECT_TRUE(c->AddMeshBuilder(&b));
  return c;
}

TEST(MeshBuilderTest, CopiesShareGeometryUntilEitherChangesIt) {
  for (bool byClone : {true, false}) {
    SCOPED_TRACE(byClone ? "Clone" : "AddMeshBuilder into an empty builder");
    MeshBuilder b;
    MakeCube(b, 1);
    ASSERT_TRUE(b.GenerateNormals());
    Ref<MeshBuilder> c = CopyOf(b, byClone), d = CopyOf(b, byClone);
    // Drawn from one store: the renderer reads the same memory for every copy.
    EXPECT_EQ(c->Vertices().data(), b.Vertices().data());
    EXPECT_EQ(c->Normals().data(), b.Normals().data());
    EXPECT_EQ(c->GetFaceTable().corners, b.GetFaceTable().corners);

    // A colour of the copy's own, as the room gives its markers, keeps the corners shared.
    c->SetColor(0xFFFF0000);
    EXPECT_EQ(c->GetFaceTable().corners, b.GetFaceTable().corners);
    EXPECT_EQ(c->GetFaceTable().runs[0].color, 0xFFFF0000u);
    EXPECT_EQ(b.GetFaceTable().runs[0].color, kWhite);
    EXPECT_EQ(b.GetVertexColor(0), kWhite);

    // Each kind of change, on the copy and on the original.
    c->SetVertex(0, {7, 7, 7});
    c->SetNormal(0, {0, 1, 0});
    c->SetTextureCoordinates(1, 0.5f, 0.25f);
    c->SetVertexColor(2, 0xFF0000FF);
    b.Translate({0, 0, 10});
    Vector v, n;
    float tu = -1, tv = -1;
    b.GetVertex(0, v);
    EXPECT_VEC_WITHIN(v, 1, 1, 9, 1e-5f);
    c->GetVertex(0, v);
    EXPECT_VEC_WITHIN(v, 7, 7, 7, 1e-5f);
    d->GetVertex(0, v);
    EXPECT_VEC_WITHIN(v, 1, 1, -1, 1e-5f);
    b.GetNormal(0, n);
    Vector dn;
    d->GetNormal(0, dn);
    EXPECT_VEC_WITHIN(n, dn.x, dn.y, dn.z, 0);
    EXPECT_NE(n.y, 1.0f);
    b.GetTextureCoordinates(1, tu, tv);
    EXPECT_EQ(tu, 0.0f);
    EXPECT_EQ(d->GetVertexColor(2), kWhite);
    Box box;
    ASSERT_TRUE(d->GetBox(box));
    EXPECT_VEC_WITHIN(box.max, 1, 1, 1, 1e-5f);
    ASSERT_TRUE(b.GetBox(box));
    EXPECT_VEC_WITHIN(box.max, 1, 1, 11, 1e-5f);

    // A corner added to the original's face: the copies keep their corners and their table.
    ASSERT_TRUE(b.GetFace(0)->AddVertexAndNormalIndexed(5, 0));
    EXPECT_EQ(b.GetFaceTable().corners->list.size(), 25u);
    EXPECT_EQ(d->GetFaceTable().corners->list.size(), 24u);
    EXPECT_EQ(d->GetFace(0)->GetVertexCount(), 4);
    EXPECT_NE(d->GetFaceTable().corners, b.GetFaceTable().corners);
  }
}

TEST(MeshBuilderTest, CopiesOutliveTheirOriginalAndCanBeEmptiedAlone) {
  auto b = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  MakeCube(*b, 1);
  Ref<MeshBuilder> c = CopyOf(*b, false), d = CopyOf(*b, true);
  b = nullptr;
  c->Clear();
  EXPECT_EQ(c->GetVertexCount(), 0);
  EXPECT_EQ(c->GetFaceTable().corners->list.size(), 0u);
  ASSERT_EQ(d->GetVertexCount(), 8);
  EXPECT_EQ(d->GetFaceTable().corners->list.size(), 24u);
  Vector v;
  d->GetVertex(6, v);
  EXPECT_VEC_WITHIN(v, -1, -1, 1, 1e-5f);
  // A builder that has geometry appends a copy's instead of sharing it.
  ASSERT_TRUE(d->AddMeshBuilder(c.get()));
  MeshBuilder e;
  MakeCube(e, 2);
  ASSERT_TRUE(e.AddMeshBuilder(d.get()));
  EXPECT_EQ(e.GetVertexCount(), 16);
  EXPECT_EQ(d->GetVertexCount(), 8);
  EXPECT_EQ(e.GetFace(6)->GetVertexIndex(0), 8);
}

TEST(MeshBuilderTest, SaveAndLoadKeepTheBuilderInEveryFormat) {
  kubisto::testing::TempFolder folder;
  const std::filesystem::path& dir = folder.path();
  MeshBuilder b;
  MakeCube(b, 2);
  b.GenerateNormals();
  b.GetFace(2)->SetColor(0xFF00FF00);
  b.SetTextureCoordinates(5, 0.25f, 0.75f);
  for (int format : {kFormatBinary, kFormatCompressed, kFormatText}) {
    SCOPED_TRACE(format);
    std::string path = (dir / ("cube" + std::to_string(format) + ".x")).string();
    ASSERT_TRUE(b.Save(path, format, kSaveAll));
    MeshBuilder back;
    back.AddVertex({9, 9, 9});  // replaced by the load
    ASSERT_TRUE(back.Load(path, kLoadFirst, "", 0));
    ASSERT_EQ(back.GetVertexCount(), 8);
    ASSERT_EQ(back.GetFaceCount(), 6);
    for (int v = 0; v < 8; ++v) {
      Vector a, c;
      b.GetVertex(v, a);
      back.GetVertex(v, c);
      EXPECT_EQ(a, c);
    }
    float u, w;
    back.GetTextureCoordinates(5, u, w);
    EXPECT_EQ(u, 0.25f);
    EXPECT_EQ(w, 0.75f);
    for (int f = 0; f < 6; ++f) {
      Face* x = b.GetFace(f);
      Face* y = back.GetFace(f);
      EXPECT_EQ(x->GetColor(), y->GetColor());
      ASSERT_EQ(y->GetVertexCount(), 4);
      for (int c = 0; c < 4; ++c) {
        Vector p1, n1, p2, n2;
        x->GetVertex(c, p1, n1);
        y->GetVertex(c, p2, n2);
        EXPECT_EQ(x->GetVertexIndex(c), y->GetVertexIndex(c));
        EXPECT_VEC_WITHIN(n2, n1.x, n1.y, n1.z, 1e-5f);
      }
    }
  }
  // A malformed file is an error and leaves the builder as it was.
  std::string junk = (dir / "junk.x").string();
  std::ofstream(junk) << "xof 0302txt 0032\nMesh { 3; 1.0; 2.0;";
  MeshBuilder keep;
  MakeCube(keep, 1);
  EXPECT_FALSE(keep.Load(junk, kLoadFirst, "", 0));
  EXPECT_FALSE(keep.Load((dir / "missing.x").string(), kLoadFirst, "", 0));
  EXPECT_FALSE(keep.Load(junk, 0x40, "", 0));  // not a load option
  EXPECT_EQ(keep.GetFaceCount(), 6);
  EXPECT_EQ(keep.GetVertexCount(), 8);
  EXPECT_FALSE(keep.Save((dir / "x.x").string(), 7, kSaveAll));
}

}  // namespace
}  // namespace engine
