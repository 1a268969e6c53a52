// What the span loops share about texturing: the mipmap choice, one chunk's level(s) held in
// registers, texel fetch and modulation, and the fixed-point helpers of the chunk stepping.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "engine/render/raster_setup.h"
#include "engine/render/sample.h"

namespace engine::render::raster {

constexpr int kLodChunk = 16;  // pixels between exact texture coordinates

inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Cheap log2 for the mipmap choice, good to a few hundredths.
inline float FastLog2(float x) {
  uint32_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return static_cast<float>(bits) * (1.0f / (1 << 23)) - 127.0f;
}

inline int32_t ToFixed(float v) {
  // Clamped so that the conversion is defined for any coordinate (repeating does the rest).
  if (!(v > -2.0e9f)) v = -2.0e9f;  // a NaN too
  if (v > 2.0e9f) v = 2.0e9f;
  int32_t i = static_cast<int32_t>(v);  // toward zero; one less below zero makes it the floor
  return i - (v < static_cast<float>(i) ? 1 : 0);
}

// The mipmap level(s) at a pixel, from the texture coordinate's rate of change.
struct LodChoice {
  int level = 0, next = 0;
  uint32_t blend = 0;  // 0..256 towards next
};

// w is 1 / oow at the pixel, as the caller has worked it out already.
inline LodChoice ChooseLod(const Setup& s, const MipTexture& tex, int quality, float w, float uw,
                           float vw) {
  LodChoice out;
  if (quality < kMipNearest || tex.levelCount() <= 1) return out;
  float u = uw * w, v = vw * w;  // fixed texels of level 0
  // d(uw/oow) = (d uw - u d oow) / oow, and the same for v; in texels after dividing by 256.
  const Plane& po = s.p[kAtOow];
  float dux = (s.p[kAtUw].dx - u * po.dx) * w, dvx = (s.p[kAtVw].dx - v * po.dx) * w;
  float duy = (s.p[kAtUw].dy - u * po.dy) * w, dvy = (s.p[kAtVw].dy - v * po.dy) * w;
  float rho2 = std::max(dux * dux + dvx * dvx, duy * duy + dvy * dvy) * (1.0f / 65536.0f);
  if (!(rho2 > 1.0f)) return out;  // magnified (or not a number): the full picture
  float lod = 0.5f * FastLog2(rho2);
  int top = tex.levelCount() - 1;
  if (quality == kMipNearest || quality == kMipLinear) {
    out.level = out.next = std::min(top, static_cast<int>(lod + 0.5f));
  } else {
    int l = static_cast<int>(lod);
    out.level = std::min(top, l);
    out.next = std::min(top, l + 1);
    out.blend = static_cast<uint32_t>((lod - static_cast<float>(l)) * 256.0f);
  }
  return out;
}

enum TexMode { kNoTex, kTexNearest, kTexBilinear };

// How a pixel's colour is made: the flat colour as it is (kWhite: the texel as it is), or the
// flat colour, or the interpolated one (kShade).
enum ColorMode { kWhite, kFlat, kShade };

// d / len for a chunk length 1..kLodChunk, by a multiply: 2^32 / len, rounded up, is exact
// enough that the error stays below one unit over the chunk.
inline int32_t DivideByLength(int64_t d, int len) {
  static constexpr auto kRecip = [] {
    std::array<int64_t, kLodChunk + 1> r{};
    for (int n = 1; n <= kLodChunk; ++n) r[n] = ((int64_t{1} << 32) + n - 1) / n;
    return r;
  }();
  // Clamped: a step beyond 2^30 is meaningless on any texture, and keeps the product in range.
  d = std::clamp<int64_t>(d, -(int64_t{1} << 30), int64_t{1} << 30);
  return static_cast<int32_t>((d * kRecip[len]) >> 32);
}

// The mipmap level(s) of one chunk, copied out so that the pixel loop keeps them in registers
// (stores to the colour buffer could otherwise alias them).
struct ChunkTexture {
  MipLevel a, b;
  int la = 0, lb = 0;
  uint32_t blend = 0;
  ChunkTexture() = default;
  ChunkTexture(const MipTexture& tex, const LodChoice& lod)
      : a(tex.level(lod.level)),
        b(tex.level(lod.next)),
        la(lod.level),
        lb(lod.next),
        blend(lod.next != lod.level ? lod.blend : 0) {}
};

template <int kTex>
inline uint32_t Fetch(const ChunkTexture& ct, int32_t s, int32_t t) {
  auto one = [&](const MipLevel& lv, int l) {
    int32_t sl = s >> l, tl = t >> l;
    return kTex == kTexNearest ? SampleNearest(lv, sl, tl) : SampleBilinear(lv, sl, tl);
  };
  uint32_t c = one(ct.a, ct.la);
  if (ct.blend != 0) c = LerpColor(c, one(ct.b, ct.lb), ct.blend);
  return c;
}

// Multiplies a texel by a light colour (each channel 0..255).
inline uint32_t Modulate(uint32_t texel, int r, int g, int b) {
  uint32_t tr = (texel >> 16) & 0xFF, tg = (texel >> 8) & 0xFF, tb = texel & 0xFF;
  tr = (tr * static_cast<uint32_t>(r) + 255) >> 8;
  tg = (tg * static_cast<uint32_t>(g) + 255) >> 8;
  tb = (tb * static_cast<uint32_t>(b) + 255) >> 8;
  return (tr << 16) | (tg << 8) | tb;
}

}  // namespace engine::render::raster
