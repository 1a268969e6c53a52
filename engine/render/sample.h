// Texel fetches for the rasterizer's inner loop: nearest and bilinear, repeating at the borders.
// Coordinates are in texels of the level, fixed point with 8 fraction bits.
#pragma once

#include <cstdint>

#include "engine/render/mip_texture.h"

namespace engine::render {

// Blends two 0xAARRGGBB colours channel by channel: f = 0 gives a, f = 256 gives b. Two channels
// ride in each 32-bit lane pair, so one multiply serves two of them.
inline uint32_t LerpColor(uint32_t a, uint32_t b, uint32_t f) {
  uint32_t g = 256 - f;
  uint32_t rb = (((a & 0x00FF00FFu) * g + (b & 0x00FF00FFu) * f) >> 8) & 0x00FF00FFu;
  uint32_t ag = (((a >> 8) & 0x00FF00FFu) * g + ((b >> 8) & 0x00FF00FFu) * f) & 0xFF00FF00u;
  return rb | ag;
}

// s, t: texel coordinates << 8 (the texel centre of texel i is at (i << 8) + 128).
inline uint32_t SampleNearest(const MipLevel& lv, int32_t s, int32_t t) {
  int x = (s >> 8) & lv.widthMask, y = (t >> 8) & lv.heightMask;
  return lv.texels[(y << lv.widthShift) + x];
}

inline uint32_t SampleBilinear(const MipLevel& lv, int32_t s, int32_t t) {
  s -= 128;  // blend between the two texel centres around the point
  t -= 128;
  int x0 = (s >> 8) & lv.widthMask, y0 = (t >> 8) & lv.heightMask;
  int x1 = (x0 + 1) & lv.widthMask, y1 = (y0 + 1) & lv.heightMask;
  uint32_t fx = s & 0xFF, fy = t & 0xFF;
  const uint32_t* row0 = lv.texels + (y0 << lv.widthShift);
  const uint32_t* row1 = lv.texels + (y1 << lv.widthShift);
  uint32_t top = LerpColor(row0[x0], row0[x1], fx);
  uint32_t bottom = LerpColor(row1[x0], row1[x1], fx);
  return LerpColor(top, bottom, fy);
}

// Texture quality: how texels are chosen and blended.
enum TextureQuality : int {
  kNearest = 0,           // nearest texel of the full picture
  kLinear = 1,            // bilinear blend of the full picture
  kMipNearest = 2,        // nearest mipmap, nearest texel
  kMipLinear = 3,         // nearest mipmap, bilinear
  kLinearMipNearest = 4,  // two nearest mipmaps, nearest texel in each, blended
  kLinearMipLinear = 5,   // two nearest mipmaps, bilinear in each, blended
};

}  // namespace engine::render
