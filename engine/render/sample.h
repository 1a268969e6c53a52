// Texel fetches for the rasterizer's inner loop: nearest and bilinear, repeating at the borders.
// Coordinates are in texels of the level, fixed point with 8 fraction bits.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  return lv.texels[y * lv.pitch + x];
}

#if defined(__SSE2__)
// Blend weights as 16-bit lanes: entry f holds 256 - f four times, then f four times.
struct alignas(16) WeightPair {
  int16_t w[8];
};
struct WeightTable {
  WeightPair e[256];
  constexpr WeightTable() : e() {
    for (int f = 0; f < 256; ++f)
      for (int k = 0; k < 4; ++k) {
        e[f].w[k] = static_cast<int16_t>(256 - f);
        e[f].w[k + 4] = static_cast<int16_t>(f);
      }
  }
};
inline constexpr WeightTable kWeights{};

// The same weights for a blend across: entry f holds 256 - f eight times, then f eight times.
struct alignas(16) WeightSplit {
  int16_t keep[8], take[8];
};
struct WeightSplitTable {
  WeightSplit e[256];
  constexpr WeightSplitTable() : e() {
    for (int f = 0; f < 256; ++f)
      for (int k = 0; k < 8; ++k) {
        e[f].keep[k] = static_cast<int16_t>(256 - f);
        e[f].take[k] = static_cast<int16_t>(f);
      }
  }
};
inline constexpr WeightSplitTable kWeightsAcross{};
#endif

#if defined(__SSE2__)
// The bilinear blend as four 16-bit lanes (blue, green, red, alpha), 0..255 each, at (s, t) less
// half a texel: (s, t) - 128 in the coordinates of SampleNearest.
inline __m128i BilinearLanesAtCorner(const uint32_t* texels, int pitch, int widthMask,
                                     int heightMask, int32_t s, int32_t t) {
  // Unsigned: the masks keep both at or above 0, and an unsigned offset needs no widening to
  // address memory (an instruction less per pixel, two in the inner loop).
  const uint32_t x0 = static_cast<uint32_t>(s >> 8) & static_cast<uint32_t>(widthMask),
                 y0 = static_cast<uint32_t>(t >> 8) & static_cast<uint32_t>(heightMask);
  // The padding row and column hold the wrapped neighbours: x0 + 1 and y0 + 1 are readable.
  // One byte offset from two bases, the level and its second row (which a loop holds apart), so
  // that each row is one load.
  const uint32_t rowBytes = static_cast<uint32_t>(pitch) * sizeof(uint32_t);
  const uint32_t offset = y0 * rowBytes + x0 * sizeof(uint32_t);
  const char* base = reinterpret_cast<const char*>(texels);
  const auto* p0 = reinterpret_cast<const uint32_t*>(base + offset);
  const auto* p1 = reinterpret_cast<const uint32_t*>(base + rowBytes + offset);
  // The four texels as [p0[0], p1[0], p0[1], p1[1]], so that the left pair and the right pair
  // each fill the 16-bit lanes of one register: one multiply each and a sum blend both rows
  // across. Then one multiply blends the two rows. Weights sum to 256, so no lane exceeds
  // 255 * 256.
  const __m128i zero = _mm_setzero_si128();
  const WeightSplit& wx = kWeightsAcross.e[s & 0xFF];
  const __m128i wy = _mm_load_si128(reinterpret_cast<const __m128i*>(kWeights.e[t & 0xFF].w));
  const __m128i quad = _mm_unpacklo_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p0)),
                                          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p1)));
  const __m128i left = _mm_mullo_epi16(_mm_unpacklo_epi8(quad, zero),
                                       _mm_load_si128(reinterpret_cast<const __m128i*>(wx.keep)));
  const __m128i right = _mm_mullo_epi16(_mm_unpackhi_epi8(quad, zero),
                                        _mm_load_si128(reinterpret_cast<const __m128i*>(wx.take)));
  // [top, bottom] after the horizontal blends.
  const __m128i rows = _mm_srli_epi16(_mm_add_epi16(left, right), 8);
  __m128i v = _mm_mullo_epi16(rows, wy);
  return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_si128(v, 8)), 8);
}

// The same at (s, t): blends the texel centres around the point.
inline __m128i BilinearLanes(const uint32_t* texels, int pitch, int widthMask, int heightMask,
                             int32_t s, int32_t t) {
  return BilinearLanesAtCorner(texels, pitch, widthMask, heightMask, s - 128, t - 128);
}
#endif

inline uint32_t SampleBilinear(const MipLevel& lv, int32_t s, int32_t t) {
#if defined(__SSE2__)
  __m128i v = BilinearLanes(lv.texels, lv.pitch, lv.widthMask, lv.heightMask, s, t);
  return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(v, _mm_setzero_si128())));
#else
  s -= 128;
  t -= 128;
  const int x0 = (s >> 8) & lv.widthMask, y0 = (t >> 8) & lv.heightMask;
  const uint32_t* p0 = lv.texels + y0 * lv.pitch + x0;
  const uint32_t* p1 = p0 + lv.pitch;
  uint32_t top = LerpColor(p0[0], p0[1], s & 0xFF);
  uint32_t bottom = LerpColor(p1[0], p1[1], s & 0xFF);
  return LerpColor(top, bottom, t & 0xFF);
#endif
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
