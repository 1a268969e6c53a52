// Faces: polygons of a mesh builder, or free-standing ones that keep their own corners.
// A face's front is the side from which its corners run clockwise; (p2 - p1) x (p3 - p1) points out
// of the front.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/color.h"
#include "engine/material.h"
#include "engine/math.h"
#include "engine/object.h"
#include "engine/texture.h"

namespace engine {

class MeshBuilder;

// One corner of a builder's face: indices into the builder's vertices and normals. A normal index
// of -1 means the corner has no normal of its own.
struct FaceCorner {
  int32_t vertex = 0;
  int32_t normal = -1;
};

class Face final : public Object {
 public:
  // A free-standing face; Engine::CreateFace gives one that belongs to an engine.
  Face();
  ~Face() override;

  // A free-standing copy with the same corner positions, normals, texture coordinates, colour,
  // material, texture and topology.
  Object* Clone() const override;

  // The builder this face belongs to, or nullptr for a free-standing face.
  MeshBuilder* GetBuilder() const { return builder_; }

  // Adds a corner at (x, y, z): to a builder's face this appends a new vertex to the builder.
  bool AddVertex(Vector p);
  // Adds a corner made of a vertex and a normal of the owning builder. False for a free-standing
  // face and for indices out of range.
  bool AddVertexAndNormalIndexed(int32_t vertex, int32_t normal);

  int32_t GetVertexCount() const { return static_cast<int32_t>(corners_.size()); }
  // The corner's position and normal (zero when the corner has none). False out of range.
  bool GetVertex(int32_t which, Vector& position, Vector& normal) const;
  // The builder's vertex index of the corner; -1 out of range or for a free-standing face.
  int32_t GetVertexIndex(int32_t which) const;
  // The unit normal of the face's plane (out of its front); false for fewer than three corners or
  // a face without area.
  bool GetNormal(Vector& out) const;

  bool SetColor(Color c);
  bool SetColorRGB(float r, float g, float b);
  Color GetColor() const { return color_; }
  bool SetMaterial(Material* m);  // nullptr clears
  Material* GetMaterial() const { return material_.get(); }
  bool SetTexture(Texture* t);  // nullptr clears
  Texture* GetTexture() const { return texture_.get(); }
  // Texture coordinates of a corner; on a builder's face they are the builder's, per vertex.
  bool SetTextureCoordinates(int32_t which, float u, float v);
  bool GetTextureCoordinates(int32_t which, float& u, float& v) const;
  bool SetTextureTopology(bool wrapU, bool wrapV);
  bool GetTextureTopology(bool& wrapU, bool& wrapV) const {
    wrapU = wrapU_;
    wrapV = wrapV_;
    return true;
  }
  bool WrapU() const { return wrapU_; }
  bool WrapV() const { return wrapV_; }

  // The corners. For a builder's face the indices refer to the builder; for a free-standing face
  // corner i refers to entry i of LocalPositions/LocalNormals/LocalTexCoords.
  const std::vector<FaceCorner>& Corners() const { return corners_; }
  const std::vector<Vector>& LocalPositions() const { return positions_; }
  const std::vector<Vector>& LocalNormals() const { return normals_; }
  struct TexCoord {
    float u = 0, v = 0;
  };
  const std::vector<TexCoord>& LocalTexCoords() const { return texCoords_; }

 private:
  friend class MeshBuilder;
  // Tells the owning builder that the face's corners or looks changed.
  void Changed();
  // The position of corner i, wherever it is kept.
  Vector CornerPosition(size_t i) const;

  MeshBuilder* builder_ = nullptr;
  std::vector<FaceCorner> corners_;
  // Free-standing faces only: one entry per corner.
  std::vector<Vector> positions_;
  std::vector<Vector> normals_;
  std::vector<TexCoord> texCoords_;

  Color color_ = kWhite;
  Ref<Material> material_;
  Ref<Texture> texture_;
  bool wrapU_ = false, wrapV_ = false;
};

}  // namespace engine
