// Textures: a picture for mapping onto faces, meshes and frames, and for drawing as a decal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/color.h"
#include "engine/object.h"

namespace engine {

class Texture final : public Object {
 public:
  // Largest picture accepted, per side and in pixels.
  static constexpr int kMaxSide = 16384;
  static constexpr size_t kMaxPixels = size_t{1} << 24;
  // Largest picture file read.
  static constexpr size_t kMaxFileBytes = size_t{256} << 20;

  // A texture of width x height pixels (0xAARRGGBB, row-major, top row first). An empty texture
  // when the size is out of range or pixels holds fewer than width * height values.
  Texture(int width, int height, std::vector<Color> pixels);
  ~Texture() override;
  // A copy of the picture and every setting.
  Object* Clone() const override;

  // Reads a picture file (BMP of 1, 4, 8, 16, 24 or 32 bits, PNG, JPEG, TGA, PPM/PGM). '\' in the
  // path is taken as a separator. nullptr when the file is missing, malformed or too large.
  static Ref<Texture> Load(const std::string& path);
  // The same from bytes in memory.
  static Ref<Texture> Decode(const uint8_t* data, size_t size);

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  bool Empty() const { return pixels_.empty(); }
  // width * height pixels, 0xAARRGGBB, top row first.
  const std::vector<Color>& Pixels() const { return pixels_; }
  // The file the texture was read from ("" when made in memory); the mesh writer saves it.
  const std::string& GetFileName() const { return fileName_; }
  void SetFileName(std::string name) { fileName_ = std::move(name); }

  // Colours and shades used when the device draws through a palette; false for a count below 1.
  bool SetColors(int32_t colors);
  int32_t GetColors() const { return colors_; }
  bool SetShades(int32_t shades);
  int32_t GetShades() const { return shades_; }

  // ---- Decal ----
  // The pixel of the picture that sits at the frame's origin.
  bool SetDecalOrigin(int32_t x, int32_t y);
  bool GetDecalOrigin(int32_t& x, int32_t& y) const;
  // Size in world units (with scale on); false for a negative or non-finite size.
  bool SetDecalSize(float width, float height);
  bool GetDecalSize(float& width, float& height) const;
  // On: the decal keeps its world size and shrinks with distance; off: drawn pixel for pixel.
  bool SetDecalScale(bool on) {
    decalScale_ = on;
    return true;
  }
  bool GetDecalScale() const { return decalScale_; }
  // On: pixels of the transparent colour are not drawn.
  bool SetDecalTransparency(bool on) {
    decalTransparency_ = on;
    return true;
  }
  bool GetDecalTransparency() const { return decalTransparency_; }
  bool SetDecalTransparentColor(Color c) {
    transparentColor_ = c;
    return true;
  }
  Color GetDecalTransparentColor() const { return transparentColor_; }

  // Bumped on every change of the pixels, so that a renderer can keep prepared copies.
  uint64_t Generation() const { return generation_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<Color> pixels_;
  std::string fileName_;
  int32_t colors_ = 8;
  int32_t shades_ = 16;
  int32_t decalOriginX_ = 0, decalOriginY_ = 0;
  float decalWidth_ = 1.0f, decalHeight_ = 1.0f;
  bool decalScale_ = true;
  bool decalTransparency_ = false;
  Color transparentColor_ = 0;
  uint64_t generation_ = 0;

  friend class Engine;
};

}  // namespace engine
