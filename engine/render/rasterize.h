// The triangle rasterizer: edge functions over fixed-point corners (4 sub-pixel bits), the top-left
// fill rule, a depth test against a buffer where larger is nearer, and per-pixel texture, colour
// and fog from attributes interpolated linearly in screen space.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "engine/render/mip_texture.h"
#include "engine/render/target.h"
#include "engine/render/vertex.h"

namespace engine::render {

enum class Blend : uint8_t {
  kOpaque,    // write colour and depth
  kColorKey,  // as opaque, but texels of colorKey's colour are not drawn (decal transparency)
  kDarken,    // halve what lies behind, depth tested but not written (shadows)
};

struct PolyState {
  const MipTexture* texture = nullptr;  // null: untextured
  int quality = 0;                      // TextureQuality (sample.h)
  bool fog = false;
  uint32_t fogColor = 0;  // 0x00RRGGBB
  Blend blend = Blend::kOpaque;
  uint32_t colorKey = 0;  // 0x00RRGGBB, with Blend::kColorKey
};

// Screen coordinates further than this from the origin are refused; the clipper keeps polygons
// inside a guard band well within it, which bounds the fixed-point edge arithmetic. The limits:
// - A corner is rounded to 1/16 pixel: |X|, |Y| <= 2^14 * 2^4 = 2^18, and a float holds that
//   exactly (19 bits of a 24-bit mantissa), so snapping loses nothing but the rounding itself.
// - An edge's coefficients are corner differences, |A|, |B| <= 2^19; C = -(A X0 + B Y0) and an
//   edge function at any pixel centre stay below 2^39, and twice the area below 2^39: int64
//   arithmetic cannot overflow, with 2^24 to spare.
// - Depth, colour and texture planes are computed in float from snapped corners relative to the
//   first, so their error grows with the triangle's size, not with its distance from the origin.
inline constexpr float kMaxScreenCoord = 16384.0f;

// Whether a corner can be drawn: its place within kMaxScreenCoord and every attribute finite.
inline bool Usable(const ScreenVertex& v) {
  // Written so that a NaN fails too; a sum of the attributes is finite only when each one is (or
  // when some are too large to use anyway).
  return std::fabs(v.x) <= kMaxScreenCoord && std::fabs(v.y) <= kMaxScreenCoord &&
         std::isfinite(v.depth + v.oow + v.uw + v.vw + v.r + v.g + v.b + v.fog);
}

// Draws one triangle of either winding. A triangle with zero area, a coordinate that is not finite
// or beyond kMaxScreenCoord draws nothing. Only pixels inside the target's rectangle are touched.
void DrawTriangle(const Target& target, const ScreenVertex& a, const ScreenVertex& b,
                  const ScreenVertex& c, const PolyState& state);
// DrawTriangle for corners whose places on the grid (ToGrid of x and y) are known, and which the
// caller has found usable: within kMaxScreenCoord, every attribute finite.
void DrawTriangleOnGrid(const Target& target, const ScreenVertex& a, const ScreenVertex& b,
                        const ScreenVertex& c, const int32_t (&x)[3], const int32_t (&y)[3],
                        const PolyState& state);

// The grid of triangle corners: 1/16 pixel.
namespace grid {
constexpr int kSubBits = 4;
constexpr int kSub = 1 << kSubBits;
constexpr int kHalf = kSub / 2;  // a pixel centre's offset on the grid

// The first and last pixel whose centre (i * kSub + kHalf) lies within [lo, hi] of the grid.
// (Arithmetic shifts divide by kSub rounding down; ceil(a / kSub) is -floor(-a / kSub).)
inline int64_t FirstPixelFrom(int64_t lo) { return -((kHalf - lo) >> kSubBits); }
inline int64_t LastPixelTo(int64_t hi) { return (hi - kHalf) >> kSubBits; }
}  // namespace grid

// A screen coordinate on the grid of triangle corners, rounded as they are (in the current
// rounding mode, to nearest even by default). |v| must not exceed kMaxScreenCoord.
inline int64_t ToGrid(float v) {
#if defined(__x86_64__)
  return _mm_cvtss_si64(_mm_set_ss(v * static_cast<float>(grid::kSub)));
#else
  return std::lrint(v * static_cast<float>(grid::kSub));
#endif
}

// False when no triangle whose corners lie in the box [x0, x1] x [y0, y1] of grid coordinates
// (ToGrid) can cover a pixel of the target's rectangle in the rows it owns: no pixel centre lies
// in the box. Inline: it runs for every face before it is lit.
inline bool MayCoverGridBox(const Target& target, int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
  using namespace grid;
  return std::max<int64_t>(target.x0, FirstPixelFrom(x0)) <=
             std::min<int64_t>(target.x1 - 1, LastPixelTo(x1)) &&
         std::max<int64_t>(std::max(target.y0, target.rowBegin), FirstPixelFrom(y0)) <=
             std::min<int64_t>(std::min(target.y1, target.rowEnd) - 1, LastPixelTo(y1));
}

// For tests: off draws every triangle with the plain edge-function loop, without the SSE2 spans
// and the tiny-triangle path.
void SetRasterFastPaths(bool on);
bool RasterFastPaths();

}  // namespace engine::render
