// MeshBuilder's face makers and generators: the geometry of primitives.cpp, run on this builder
// through its own members.
#include "scene/face.h"
#include "scene/mesh_builder.h"
#include "scene/primitives.h"

namespace kubisto {
namespace {

class BuilderSink final : public MeshSink {
 public:
  explicit BuilderSink(MeshBuilder& builder) : builder_(builder) {}

  int32_t AddVertex(float x, float y, float z) override { return builder_.AddVertex(x, y, z); }
  int32_t AddNormal(float x, float y, float z) override { return builder_.AddNormal(x, y, z); }
  // The face stays part of the builder when its wrapper goes.
  void CreateFace() override { face_ = builder_.CreateFace(); }
  void AddCorner(int32_t iVertex, int32_t iNormal) override {
    face_->AddVertexAndNormal(iVertex, iNormal);
  }
  int32_t FaceCount() override { return builder_.FaceCount(); }
  int32_t VertexCount() override { return builder_.VertexCount(); }
  void GenerateNormals() override { builder_.GenerateNormals(); }

 private:
  MeshBuilder& builder_;
  FacePtr face_ = std::make_shared<kubisto::Face>();
};

}  // namespace

int32_t MeshBuilder::AddFace(const std::vector<int32_t>& Vertices) {
  BuilderSink sink(*this);
  return primitives::AddFace(sink, Vertices);
}

int32_t MeshBuilder::AddFace2(const std::vector<int32_t>& Vertices) {
  BuilderSink sink(*this);
  return primitives::AddFace2(sink, Vertices);
}

int32_t MeshBuilder::AddCurvedFace(const std::vector<int32_t>& Vertices) {
  BuilderSink sink(*this);
  return primitives::AddCurvedFace(sink, Vertices);
}

int32_t MeshBuilder::AddCurvedFace2(const std::vector<int32_t>& Vertices) {
  BuilderSink sink(*this);
  return primitives::AddCurvedFace2(sink, Vertices);
}

void MeshBuilder::Cube(float r1, std::optional<float> optr2, std::optional<float> optr3) {
  BuilderSink sink(*this);
  primitives::Cube(sink, r1, optr2.value_or(r1), optr3.value_or(r1));
}

void MeshBuilder::Cylinder(int16_t n, float r1, float r2, float h) {
  BuilderSink sink(*this);
  primitives::Cylinder(sink, n, r1, r2, h);
}

void MeshBuilder::Prism(int16_t n, float r1, float r2, float h) {
  BuilderSink sink(*this);
  primitives::Prism(sink, n, r1, r2, h);
}

void MeshBuilder::Sphere(int16_t n2, float r) {
  BuilderSink sink(*this);
  primitives::Sphere(sink, n2, r);
}

void MeshBuilder::Plot(const HeightArray& d, float Xorg, float Yorg, float Xsize, float Ysize,
                       bool bCurved, bool bOneSide) {
  BuilderSink sink(*this);
  primitives::Plot(sink, d, Xorg, Yorg, Xsize, Ysize, bCurved, bOneSide);
}

}  // namespace kubisto
