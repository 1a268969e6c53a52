// Texture: an image for mapping onto faces, meshes and frames, and for use as a decal.
#pragma once

#include <cstdint>

#include "scene/fwd.h"

namespace kubisto {

class Texture final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Texture; }

  int32_t SetDecalOrigin(int32_t x, int32_t Y);  // 1/0
  int32_t GetDecalOrigin(int32_t* lpOrigin);     // two integers
  bool DecalScale() const;
  void DecalScale(bool bScale);
  int32_t SetDecalSize(float x, float Y);
  int32_t GetDecalSize(float* lpSize);  // two floats
  bool DecalTransparency() const;
  void DecalTransparency(bool bTransparent);
  int32_t DecalTransparentColor() const;
  void DecalTransparentColor(int32_t d3dColor);
  int32_t Colors() const;
  void Colors(int32_t nColors);
  int32_t Shades() const;
  void Shades(int32_t nShades);
  TexturePtr Clone() const;
  int32_t Width() const;   // pixels
  int32_t Height() const;  // pixels
};

}  // namespace kubisto
