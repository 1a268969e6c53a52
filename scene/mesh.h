// Mesh: a visual made of groups of faces; each group shares its vertex count per face, colour,
// quality, mapping, material and texture. Groups count from 0 in the order of AddGroup.
#pragma once

#include <cstdint>

#include "scene/fwd.h"

struct MeshVertex;  // the bridge's 36-byte mesh vertex (bridge/vantrel.h)

namespace kubisto {

class Mesh final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Mesh; }

  bool Size(float x, float Y, float Z);  // scale factors
  bool Translate(float x, float Y, float Z);
  bool GetBox(float* lpBox);  // min x, y, z, max x, y, z
  MeshPtr Clone() const;
  MaterialPtr Material(int32_t iGroup) const;
  void Material(int32_t iGroup, const MaterialPtr& mt);
  TexturePtr Texture(int32_t iGroup) const;
  void Texture(int32_t iGroup, const TexturePtr& tx);
  int32_t Color(int32_t iGroup) const;
  void Color(int32_t iGroup, int32_t d3dColor);
  int32_t Quality(int32_t iGroup) const;
  void Quality(int32_t iGroup, int32_t cQuality);
  int32_t GroupCount() const;
  int32_t Mapping(int32_t iGroup) const;
  void Mapping(int32_t iGroup, int32_t cMapping);
  // The new group's number, -1 on failure.
  int32_t AddGroup(int32_t nVertex, int32_t nFace, int32_t nVPerFace, const int32_t* lpFaceData);
  int32_t VertexCount(int32_t iGroup) const;
  int32_t FaceCount(int32_t iGroup) const;
  int32_t VertexPerFace(int32_t iGroup) const;
  bool SetVertices(int32_t iGroup, int32_t iStart, int32_t nCount, const MeshVertex* lpVertices);
  bool GetVertices(int32_t iGroup, int32_t iStart, int32_t nCount, MeshVertex* lpVertices);
};

}  // namespace kubisto
