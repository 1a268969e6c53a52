// Face: one polygon of a mesh builder (or a free face). Corner indices count from 0.
#pragma once

#include <cstdint>

#include "scene/fwd.h"

namespace kubisto {

class Face final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Face; }

  // Adds a corner from the owning builder's vertex and normal lists.
  bool AddVertexAndNormal(int32_t iVertex, int32_t iNormal);
  bool GetNormal(float* lpNormal);
  bool GetVertex(int32_t iVertex, float* lpVertex, float* lpNormal);
  int32_t VertexCount() const;
  int32_t Color() const;
  void Color(int32_t d3dColor);
  FacePtr Clone() const;
  MaterialPtr Material() const;
  void Material(const MaterialPtr& mt);
  TexturePtr Texture() const;
  void Texture(const TexturePtr& tx);
  // 0 when the vertex was added (not an index), the engine's status otherwise, -1 without a handle.
  int32_t AddVertex(float x, float Y, float Z);
  int32_t VertexIndex(int32_t iVertex) const;  // -1 without a handle
  bool SetTextureCoordinates(int32_t iVertex, float x, float Y);
  bool GetTextureCoordinates(int32_t iVertex, float* lpCoordinates);
  int32_t TextureTopology() const;  // bit 0 wrap u, bit 1 wrap v
  void TextureTopology(int32_t cTopology);
};

}  // namespace kubisto
