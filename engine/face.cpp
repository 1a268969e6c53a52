#include "engine/face.h"

#include "engine/material.h"
#include "engine/meshbuilder.h"
#include "engine/texture.h"

namespace engine {

Face::Face() : Object(Kind::Face) {}
Face::~Face() = default;

Object* Face::Clone() const {
  auto* f = new Face;
  CopyBaseTo(*f);
  for (size_t i = 0; i < corners_.size(); ++i) {
    Vector p, n;
    float u = 0, v = 0;
    GetVertex(static_cast<int32_t>(i), p, n);
    GetTextureCoordinates(static_cast<int32_t>(i), u, v);
    f->corners_.push_back({static_cast<int32_t>(i), static_cast<int32_t>(i)});
    f->positions_.push_back(p);
    f->normals_.push_back(n);
    f->texCoords_.push_back({u, v});
  }
  f->color_ = color_;
  f->material_ = material_;
  f->texture_ = texture_;
  f->wrapU_ = wrapU_;
  f->wrapV_ = wrapV_;
  return f;
}

bool Face::AddVertex(Vector p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
  if (builder_) {
    int32_t v = builder_->AddVertex(p);
    if (v < 0) return false;
    if (corners_.empty()) corners_.reserve(4);
    corners_.push_back({v, -1});
    Changed();
    return true;
  }
  if (corners_.size() >= MeshBuilder::kMaxElements) return false;
  auto i = static_cast<int32_t>(corners_.size());
  corners_.push_back({i, i});
  positions_.push_back(p);
  normals_.push_back({});
  texCoords_.push_back({});
  return true;
}

bool Face::AddVertexAndNormalIndexed(int32_t vertex, int32_t normal) {
  if (!builder_ || vertex < 0 || vertex >= builder_->GetVertexCount() || normal < 0 ||
      normal >= builder_->GetNormalCount())
    return false;
  if (corners_.empty()) corners_.reserve(4);  // faces are mostly triangles and quadrilaterals
  corners_.push_back({vertex, normal});
  Changed();
  return true;
}

Vector Face::CornerPosition(size_t i) const {
  if (builder_) return builder_->Vertices()[corners_[i].vertex];
  return positions_[i];
}

bool Face::GetVertex(int32_t which, Vector& position, Vector& normal) const {
  if (which < 0 || static_cast<size_t>(which) >= corners_.size()) return false;
  if (builder_) {
    const FaceCorner& c = corners_[which];
    position = builder_->Vertices()[c.vertex];
    normal = c.normal >= 0 ? builder_->Normals()[c.normal] : Vector{};
  } else {
    position = positions_[which];
    normal = normals_[which];
  }
  return true;
}

int32_t Face::GetVertexIndex(int32_t which) const {
  if (!builder_ || which < 0 || static_cast<size_t>(which) >= corners_.size()) return -1;
  return corners_[which].vertex;
}

bool Face::GetNormal(Vector& out) const {
  if (corners_.size() < 3) return false;
  // Newell's method: the sum over the edges of p_i x p_i+1 points out of the front (for a triangle
  // it is (p2 - p1) x (p3 - p1)) and is robust for non-planar polygons.
  Vector n;
  for (size_t i = 0; i < corners_.size(); ++i) {
    Vector a = CornerPosition(i), b = CornerPosition((i + 1) % corners_.size());
    n = n + Cross(a, b);
  }
  return Normalize(n, out);
}

void Face::Changed() {
  if (builder_) builder_->FacesChanged();
}

bool Face::SetColor(Color c) {
  color_ = c;
  Changed();
  return true;
}

bool Face::SetTextureTopology(bool wrapU, bool wrapV) {
  wrapU_ = wrapU;
  wrapV_ = wrapV;
  Changed();
  return true;
}

bool Face::SetColorRGB(float r, float g, float b) { return SetColor(CreateColorRGB(r, g, b)); }

bool Face::SetMaterial(Material* m) {
  material_ = Ref<Material>(m);
  Changed();
  return true;
}

bool Face::SetTexture(Texture* t) {
  texture_ = Ref<Texture>(t);
  Changed();
  return true;
}

bool Face::SetTextureCoordinates(int32_t which, float u, float v) {
  if (which < 0 || static_cast<size_t>(which) >= corners_.size()) return false;
  if (builder_) return builder_->SetTextureCoordinates(corners_[which].vertex, u, v);
  if (!std::isfinite(u) || !std::isfinite(v)) return false;
  texCoords_[which] = {u, v};
  return true;
}

bool Face::GetTextureCoordinates(int32_t which, float& u, float& v) const {
  if (which < 0 || static_cast<size_t>(which) >= corners_.size()) return false;
  if (builder_) return builder_->GetTextureCoordinates(corners_[which].vertex, u, v);
  u = texCoords_[which].u;
  v = texCoords_[which].v;
  return true;
}

}  // namespace engine
