#include "engine/mesh.h"

#include <algorithm>

#include "engine/material.h"
#include "engine/texture.h"

namespace engine {

Mesh::Mesh() : Object(Kind::Mesh) {}
Mesh::~Mesh() = default;

Object* Mesh::Clone() const {
  auto* m = new Mesh;
  CopyBaseTo(*m);
  m->groups_ = groups_;
  return m;
}

int32_t Mesh::AddGroup(uint32_t vertexCount, uint32_t faceCount, uint32_t verticesPerFace,
                       const uint32_t* faceData) {
  if (!faceData || vertexCount == 0 || faceCount == 0 || vertexCount > kMaxGroupVertices ||
      faceCount > kMaxGroupFaces || groups_.size() >= kMaxGroupFaces)
    return -1;
  if (verticesPerFace != 0 && (verticesPerFace < 3 || verticesPerFace > kMaxFaceCorners)) return -1;
  // Read the faces first, checking every count and index, before anything is kept. The caller's
  // block is only read as far as the counts lead.
  std::vector<uint32_t> data;
  size_t pos = 0;
  for (uint32_t f = 0; f < faceCount; ++f) {
    uint32_t n = verticesPerFace;
    if (n == 0) {
      n = faceData[pos++];
      if (n < 3 || n > kMaxFaceCorners) return -1;
      data.push_back(n);
    }
    if (data.size() + n > kMaxGroupData) return -1;
    for (uint32_t i = 0; i < n; ++i) {
      uint32_t index = faceData[pos++];
      if (index >= vertexCount) return -1;
      data.push_back(index);
    }
  }
  MeshGroup g;
  g.vertexCount = vertexCount;
  g.faceCount = faceCount;
  g.verticesPerFace = verticesPerFace;
  g.faceData = std::move(data);
  g.vertices.resize(vertexCount);
  groups_.push_back(std::move(g));
  return static_cast<int32_t>(groups_.size() - 1);
}

MeshGroup* Mesh::Group(int32_t group) {
  if (group < 0 || static_cast<size_t>(group) >= groups_.size()) return nullptr;
  return &groups_[group];
}

const MeshGroup* Mesh::GetGroup(int32_t group) const {
  if (group < 0 || static_cast<size_t>(group) >= groups_.size()) return nullptr;
  return &groups_[group];
}

bool Mesh::SetVertices(int32_t group, uint32_t first, uint32_t count, const MeshVertex* data) {
  MeshGroup* g = Group(group);
  if (!g || !data || first > g->vertexCount || count > g->vertexCount - first) return false;
  std::copy(data, data + count, g->vertices.begin() + first);
  return true;
}

bool Mesh::GetVertices(int32_t group, uint32_t first, uint32_t count, MeshVertex* data) const {
  const MeshGroup* g = GetGroup(group);
  if (!g || !data || first > g->vertexCount || count > g->vertexCount - first) return false;
  std::copy(g->vertices.begin() + first, g->vertices.begin() + first + count, data);
  return true;
}

bool Mesh::GetGroupData(int32_t group, uint32_t capacity, uint32_t* out, uint32_t* size) const {
  const MeshGroup* g = GetGroup(group);
  if (!g) return false;
  auto n = static_cast<uint32_t>(g->faceData.size());
  if (size) *size = n;
  if (!out || capacity < n) return false;
  std::copy(g->faceData.begin(), g->faceData.end(), out);
  return true;
}

bool Mesh::SetGroupColor(int32_t group, Color c) {
  MeshGroup* g = Group(group);
  if (!g) return false;
  g->color = c;
  return true;
}

bool Mesh::SetGroupColorRGB(int32_t group, float r, float g, float b) {
  return SetGroupColor(group, CreateColorRGB(r, g, b));
}

Color Mesh::GetGroupColor(int32_t group) const {
  const MeshGroup* g = GetGroup(group);
  return g ? g->color : 0;
}

bool Mesh::SetGroupMapping(int32_t group, int32_t mapping) {
  MeshGroup* g = Group(group);
  if (!g || (mapping & ~(kMapWrapU | kMapWrapV | kMapPerspective))) return false;
  g->mapping = mapping;
  return true;
}

int32_t Mesh::GetGroupMapping(int32_t group) const {
  const MeshGroup* g = GetGroup(group);
  return g ? g->mapping : 0;
}

bool Mesh::SetGroupQuality(int32_t group, int32_t quality) {
  MeshGroup* g = Group(group);
  if (!g || !IsValidQuality(quality)) return false;
  g->quality = quality;
  return true;
}

int32_t Mesh::GetGroupQuality(int32_t group) const {
  const MeshGroup* g = GetGroup(group);
  return g ? g->quality : 0;
}

bool Mesh::SetGroupMaterial(int32_t group, Material* m) {
  MeshGroup* g = Group(group);
  if (!g) return false;
  g->material = Ref<Material>(m);
  return true;
}

Material* Mesh::GetGroupMaterial(int32_t group) const {
  const MeshGroup* g = GetGroup(group);
  return g ? g->material.get() : nullptr;
}

bool Mesh::SetGroupTexture(int32_t group, Texture* t) {
  MeshGroup* g = Group(group);
  if (!g) return false;
  g->texture = Ref<Texture>(t);
  return true;
}

Texture* Mesh::GetGroupTexture(int32_t group) const {
  const MeshGroup* g = GetGroup(group);
  return g ? g->texture.get() : nullptr;
}

bool Mesh::Scale(Vector s) {
  if (!std::isfinite(s.x) || !std::isfinite(s.y) || !std::isfinite(s.z)) return false;
  for (MeshGroup& g : groups_)
    for (MeshVertex& v : g.vertices) {
      v.position = {v.position.x * s.x, v.position.y * s.y, v.position.z * s.z};
      if (s.x != 0 && s.y != 0 && s.z != 0) {
        Vector n{v.normal.x / s.x, v.normal.y / s.y, v.normal.z / s.z};
        if (!Normalize(n, v.normal)) v.normal = n;
      }
    }
  return true;
}

bool Mesh::Translate(Vector t) {
  if (!std::isfinite(t.x) || !std::isfinite(t.y) || !std::isfinite(t.z)) return false;
  for (MeshGroup& g : groups_)
    for (MeshVertex& v : g.vertices) v.position = v.position + t;
  return true;
}

bool Mesh::GetBox(Box& out) const {
  bool any = false;
  Box b;
  for (const MeshGroup& g : groups_)
    for (const MeshVertex& mv : g.vertices) {
      const Vector& v = mv.position;
      if (!any) {
        b = {v, v};
        any = true;
      }
      b.min = {std::min(b.min.x, v.x), std::min(b.min.y, v.y), std::min(b.min.z, v.z)};
      b.max = {std::max(b.max.x, v.x), std::max(b.max.y, v.y), std::max(b.max.z, v.z)};
    }
  if (any) out = b;
  return any;
}

}  // namespace engine
