#include "engine/meshbuilder.h"

#include <algorithm>
#include <limits>

#include "engine/material.h"
#include "engine/texture.h"
#include "engine/xfile/xfile.h"

namespace engine {
namespace {

bool Finite(Vector v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

MeshBuilder::MeshBuilder() : Object(Kind::MeshBuilder) {}

MeshBuilder::~MeshBuilder() { ReleaseFaces(); }

void MeshBuilder::ReleaseFaces() {
  // Faces still referenced elsewhere keep their corners as free-standing faces.
  for (auto& f : faces_) {
    if (f->RefCount() <= 1) continue;
    Face& face = *f;
    std::vector<Vector> positions, normals;
    std::vector<TexCoord> uvs;
    for (size_t i = 0; i < face.corners_.size(); ++i) {
      const FaceCorner& c = face.corners_[i];
      positions.push_back(Vertices()[c.vertex]);
      normals.push_back(c.normal >= 0 ? Normals()[c.normal] : Vector{});
      uvs.push_back(TexCoords()[c.vertex]);
      face.corners_[i] = {static_cast<int32_t>(i), static_cast<int32_t>(i)};
    }
    face.positions_ = std::move(positions);
    face.normals_ = std::move(normals);
    face.texCoords_ = std::move(uvs);
  }
  for (auto& f : faces_) f->builder_ = nullptr;
  faces_.clear();
  FacesChanged();
}

void MeshBuilder::Clear() {
  ReleaseFaces();
  vertices_.clear();
  VerticesChanged();
  normals_.clear();
  texCoords_.clear();
  vertexColors_.clear();
}

void MeshBuilder::SwapContent(MeshBuilder& other) {
  vertices_.swap(other.vertices_);
  VerticesChanged();
  other.VerticesChanged();
  normals_.swap(other.normals_);
  texCoords_.swap(other.texCoords_);
  vertexColors_.swap(other.vertexColors_);
  faces_.swap(other.faces_);
  std::swap(colorSource_, other.colorSource_);
  std::swap(quality_, other.quality_);
  std::swap(perspective_, other.perspective_);
  for (auto& f : faces_) f->builder_ = this;
  for (auto& f : other.faces_) f->builder_ = &other;
  FacesChanged();
  other.FacesChanged();
}

Object* MeshBuilder::Clone() const {
  auto* b = new MeshBuilder;
  CopyBaseTo(*b);
  b->ShareGeometryOf(*this);
  b->colorSource_ = colorSource_;
  b->quality_ = quality_;
  b->perspective_ = perspective_;
  for (auto& f : faces_) {
    auto copy = Ref<Face>::Adopt(new Face);
    copy->SetOwner(f->GetOwner());
    copy->SetAppData(f->GetAppData());
    copy->corners_ = f->corners_;
    copy->color_ = f->color_;
    copy->material_ = f->material_;
    copy->texture_ = f->texture_;
    copy->wrapU_ = f->wrapU_;
    copy->wrapV_ = f->wrapV_;
    b->AdoptNewFace(std::move(copy));
  }
  return b;
}

// ---- Geometry ----

int32_t MeshBuilder::AddVertex(Vector p) {
  if (vertices_.size() >= kMaxElements || !Finite(p)) return -1;
  vertices_.push_back(p);
  VerticesChanged();
  texCoords_.push_back({});
  vertexColors_.push_back(kWhite);
  return static_cast<int32_t>(vertices_.size() - 1);
}

int32_t MeshBuilder::AddNormal(Vector n) {
  if (normals_.size() >= kMaxElements || !Finite(n)) return -1;
  normals_.push_back(n);
  return static_cast<int32_t>(normals_.size() - 1);
}

bool MeshBuilder::SetVertex(int32_t index, Vector p) {
  if (index < 0 || index >= GetVertexCount() || !Finite(p)) return false;
  vertices_[index] = p;
  VerticesChanged();
  return true;
}

bool MeshBuilder::SetNormal(int32_t index, Vector n) {
  if (index < 0 || index >= GetNormalCount() || !Finite(n)) return false;
  normals_[index] = n;
  return true;
}

bool MeshBuilder::GetVertex(int32_t index, Vector& out) const {
  if (index < 0 || index >= GetVertexCount()) return false;
  out = vertices_[index];
  return true;
}

bool MeshBuilder::GetNormal(int32_t index, Vector& out) const {
  if (index < 0 || index >= GetNormalCount()) return false;
  out = normals_[index];
  return true;
}

Face* MeshBuilder::GetFace(int32_t index) const {
  if (index < 0 || index >= GetFaceCount()) return nullptr;
  return faces_[index].get();
}

Face* MeshBuilder::AdoptNewFace(Ref<Face> face) {
  face->builder_ = this;
  faces_.push_back(std::move(face));
  FacesChanged();
  return faces_.back().get();
}

Ref<Face> MeshBuilder::CreateFace() {
  if (faces_.size() >= kMaxElements) return nullptr;
  auto f = Ref<Face>::Adopt(new Face);
  f->SetOwner(GetOwner());
  AdoptNewFace(f);
  return f;
}

Face* MeshBuilder::AddFaceIndexed(const std::vector<FaceCorner>& corners) {
  if (corners.empty() || faces_.size() >= kMaxElements) return nullptr;
  for (const FaceCorner& c : corners)
    if (c.vertex < 0 || c.vertex >= GetVertexCount() || c.normal < -1 ||
        c.normal >= GetNormalCount())
      return nullptr;
  auto f = Ref<Face>::Adopt(new Face);
  f->SetOwner(GetOwner());
  f->corners_ = corners;
  return AdoptNewFace(std::move(f));
}

bool MeshBuilder::GetBox(Box& out) const {
  if (vertices_.empty()) return false;
  if (!boxValid_) {
    Box b{vertices_[0], vertices_[0]};
    for (const Vector& v : vertices_) {
      b.min = {std::min(b.min.x, v.x), std::min(b.min.y, v.y), std::min(b.min.z, v.z)};
      b.max = {std::max(b.max.x, v.x), std::max(b.max.y, v.y), std::max(b.max.z, v.z)};
    }
    box_ = b;
    boxValid_ = true;
  }
  out = box_;
  return true;
}

bool MeshBuilder::Scale(Vector s) {
  if (!Finite(s)) return false;
  for (Vector& v : vertices_) v = {v.x * s.x, v.y * s.y, v.z * s.z};
  VerticesChanged();
  // Normals follow the inverse scale, so that they stay across the scaled surface.
  if (s.x != 0 && s.y != 0 && s.z != 0)
    for (Vector& n : normals_) {
      Vector m{n.x / s.x, n.y / s.y, n.z / s.z};
      if (!Normalize(m, n)) n = m;
    }
  return true;
}

bool MeshBuilder::Translate(Vector t) {
  if (!Finite(t)) return false;
  for (Vector& v : vertices_) v = v + t;
  VerticesChanged();
  return true;
}

bool MeshBuilder::FaceTable::Corners::operator==(const Corners& o) const {
  return lowestVertex == o.lowestVertex && highestVertex == o.highestVertex && start == o.start &&
         std::equal(list.begin(), list.end(), o.list.begin(), o.list.end(),
                    [](const FaceCorner& a, const FaceCorner& b) {
                      return a.vertex == b.vertex && a.normal == b.normal;
                    });
}

const MeshBuilder::FaceTable& MeshBuilder::GetFaceTable() const {
  if (faceTableValid_) return faceTable_;
  FaceTable& t = faceTable_;
  FaceTable::Corners corners;
  t.runs.clear();
  corners.start.reserve(faces_.size() + 1);
  for (size_t i = 0; i < faces_.size(); ++i) {
    const Face& f = *faces_[i];
    corners.start.push_back(static_cast<uint32_t>(corners.list.size()));
    corners.list.insert(corners.list.end(), f.corners_.begin(), f.corners_.end());
    const FaceTable::Run look{static_cast<uint32_t>(i + 1),
                              f.color_,
                              f.material_.get(),
                              f.texture_.get(),
                              f.wrapU_,
                              f.wrapV_};
    if (!t.runs.empty()) {
      FaceTable::Run& last = t.runs.back();
      if (last.color == look.color && last.material == look.material &&
          last.texture == look.texture && last.wrapU == look.wrapU && last.wrapV == look.wrapV) {
        last.faceEnd = look.faceEnd;
        continue;
      }
    }
    t.runs.push_back(look);
  }
  corners.start.push_back(static_cast<uint32_t>(corners.list.size()));
  for (const FaceCorner& c : corners.list) {
    corners.lowestVertex = std::min(corners.lowestVertex, c.vertex);
    corners.highestVertex = std::max(corners.highestVertex, c.vertex);
  }
  // Unchanged corners (a colour or texture changed, or a copy's corners are still the original's)
  // keep the store they had, which copies may share.
  if (!t.corners || !(*t.corners == corners))
    t.corners = std::make_shared<const FaceTable::Corners>(std::move(corners));
  faceTableValid_ = true;
  return t;
}

void MeshBuilder::ShareGeometryOf(const MeshBuilder& other) {
  vertices_ = other.vertices_;
  VerticesChanged();
  normals_ = other.normals_;
  texCoords_ = other.texCoords_;
  vertexColors_ = other.vertexColors_;
  faceTable_.corners = other.GetFaceTable().corners;
  FacesChanged();
}

// ---- Appearance ----

bool MeshBuilder::SetColor(Color c) {
  for (auto& f : faces_) f->SetColor(c);
  std::fill(vertexColors_.begin(), vertexColors_.end(), c);
  return true;
}

bool MeshBuilder::SetColorRGB(float r, float g, float b) {
  return SetColor(CreateColorRGB(r, g, b));
}

bool MeshBuilder::SetColorSource(int32_t source) {
  if (source != kColorFromFace && source != kColorFromVertex) return false;
  colorSource_ = static_cast<ColorSource>(source);
  return true;
}

bool MeshBuilder::SetMaterial(Material* m) {
  for (auto& f : faces_) f->SetMaterial(m);
  return true;
}

bool MeshBuilder::SetTexture(Texture* t) {
  for (auto& f : faces_) f->SetTexture(t);
  return true;
}

bool MeshBuilder::SetTextureTopology(bool wrapU, bool wrapV) {
  for (auto& f : faces_) f->SetTextureTopology(wrapU, wrapV);
  return true;
}

bool MeshBuilder::SetTextureCoordinates(int32_t vertex, float u, float v) {
  if (vertex < 0 || vertex >= GetVertexCount() || !std::isfinite(u) || !std::isfinite(v))
    return false;
  texCoords_[vertex] = {u, v};
  return true;
}

bool MeshBuilder::GetTextureCoordinates(int32_t vertex, float& u, float& v) const {
  if (vertex < 0 || vertex >= GetVertexCount()) return false;
  u = texCoords_[vertex].u;
  v = texCoords_[vertex].v;
  return true;
}

bool MeshBuilder::SetQuality(int32_t quality) {
  if (!IsValidQuality(quality)) return false;
  quality_ = quality;
  return true;
}

bool MeshBuilder::SetVertexColor(int32_t vertex, Color c) {
  if (vertex < 0 || vertex >= GetVertexCount()) return false;
  vertexColors_[vertex] = c;
  return true;
}

bool MeshBuilder::SetVertexColorRGB(int32_t vertex, float r, float g, float b) {
  return SetVertexColor(vertex, CreateColorRGB(r, g, b));
}

Color MeshBuilder::GetVertexColor(int32_t vertex) const {
  if (vertex < 0 || vertex >= GetVertexCount()) return 0;
  return vertexColors_[vertex];
}

// ---- Files ----

bool MeshBuilder::Load(const std::string& path, int32_t option, const std::string& name,
                       uint32_t position) {
  if (option != kLoadFirst && option != kLoadByName && option != kLoadByPosition) return false;
  // Read into a fresh builder, so that a failed load leaves this one as it was.
  auto fresh = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  fresh->SetOwner(GetOwner());
  if (!xfile::LoadMeshBuilder(*fresh, path, static_cast<xfile::LoadWhat>(option), name, position))
    return false;
  Clear();
  SwapContent(*fresh);
  return true;
}

bool MeshBuilder::Save(const std::string& path, int32_t format, int32_t options) const {
  if (format < kFormatBinary || format > kFormatText) return false;
  return xfile::SaveMeshBuilder(*this, path, format, options);
}

}  // namespace engine
