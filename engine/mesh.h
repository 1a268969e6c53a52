// Meshes: a visual made of groups of faces. All faces of a group have the same number of corners
// (or, with vertices per face 0, each face says its own count) and share the group's colour,
// quality, mapping, material and texture. Each group has vertices of its own.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/color.h"
#include "engine/material.h"
#include "engine/math.h"
#include "engine/object.h"
#include "engine/texture.h"
#include "engine/types.h"

namespace engine {

// A mesh vertex: 9 values of 4 bytes, the layout callers pass by address.
struct MeshVertex {
  Vector position;
  Vector normal;
  float u = 0, v = 0;
  Color color = kWhite;
};
static_assert(sizeof(MeshVertex) == 36);

struct MeshGroup {
  uint32_t vertexCount = 0;
  uint32_t faceCount = 0;
  uint32_t verticesPerFace = 0;  // 0: each face in faceData starts with its own corner count
  // Face data as given to AddGroup: with verticesPerFace n > 0, faceCount * n vertex indices; with
  // 0, for each face its corner count c followed by c indices.
  std::vector<uint32_t> faceData;
  std::vector<MeshVertex> vertices;
  Color color = kWhite;
  int32_t quality = kQualityGouraud;
  int32_t mapping = 0;  // Mapping flags
  Ref<Material> material;
  Ref<Texture> texture;
};

class Mesh final : public Object {
 public:
  // Limits that keep a bad AddGroup from asking for unbounded memory.
  static constexpr uint32_t kMaxGroupVertices = 1u << 20;
  static constexpr uint32_t kMaxGroupFaces = 1u << 20;
  static constexpr uint32_t kMaxFaceCorners = 1024;
  static constexpr uint32_t kMaxGroupData = 1u << 22;

  Mesh();
  ~Mesh() override;
  Object* Clone() const override;

  // Adds a group of vertexCount vertices (all zero, white) and faceCount faces read from faceData
  // (see MeshGroup). Returns the group's number, or -1 when a count is 0 or too large, faceData is
  // null, a face has fewer than 3 corners or an index is not below vertexCount.
  int32_t AddGroup(uint32_t vertexCount, uint32_t faceCount, uint32_t verticesPerFace,
                   const uint32_t* faceData);
  int32_t GetGroupCount() const { return static_cast<int32_t>(groups_.size()); }
  const MeshGroup* GetGroup(int32_t group) const;  // nullptr when absent

  // Copies count vertices from first on; false when the range leaves the group or data is null.
  bool SetVertices(int32_t group, uint32_t first, uint32_t count, const MeshVertex* data);
  bool GetVertices(int32_t group, uint32_t first, uint32_t count, MeshVertex* data) const;
  // Copies the group's face data into out (capacity entries) and tells its size in entries; false
  // when the group is absent or capacity is too small (size is still told).
  bool GetGroupData(int32_t group, uint32_t capacity, uint32_t* out, uint32_t* size) const;

  bool SetGroupColor(int32_t group, Color c);
  bool SetGroupColorRGB(int32_t group, float r, float g, float b);
  Color GetGroupColor(int32_t group) const;              // 0 when absent
  bool SetGroupMapping(int32_t group, int32_t mapping);  // flags of Mapping only
  int32_t GetGroupMapping(int32_t group) const;
  bool SetGroupQuality(int32_t group, int32_t quality);  // IsValidQuality only
  int32_t GetGroupQuality(int32_t group) const;
  bool SetGroupMaterial(int32_t group, Material* m);  // nullptr clears
  Material* GetGroupMaterial(int32_t group) const;
  bool SetGroupTexture(int32_t group, Texture* t);  // nullptr clears
  Texture* GetGroupTexture(int32_t group) const;

  bool Scale(Vector factors);
  bool Translate(Vector offset);
  bool GetBox(Box& out) const;  // false when the mesh has no vertices

  const std::vector<MeshGroup>& Groups() const { return groups_; }

  // Calls f(corners, count) for each face of the group, with its vertex indices.
  template <class F>
  static void ForEachFace(const MeshGroup& g, F&& f) {
    const uint32_t* p = g.faceData.data();
    const uint32_t* end = p + g.faceData.size();
    for (uint32_t i = 0; i < g.faceCount && p < end; ++i) {
      uint32_t n = g.verticesPerFace;
      if (n == 0) n = *p++;
      if (static_cast<size_t>(end - p) < n) break;
      f(p, n);
      p += n;
    }
  }

 private:
  MeshGroup* Group(int32_t group);
  std::vector<MeshGroup> groups_;
};

}  // namespace engine
