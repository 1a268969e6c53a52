// The tiny-triangle path: opaque, untextured, unfogged triangles within 2 x 2 pixels are common
// (a far sphere's faces) and cover a pixel or two, so the corners are weighed at each covered pixel
// centre directly, without the planes of MakeSetup. The weights round differently from the planes,
// by a unit of the last place of depth and colour.
#pragma once

#include "engine/render/raster_setup.h"

namespace engine::render::raster {

// The pixel at `at`, inside the triangle whose edges facing corners 0, 1 and 2 have the values e1,
// e2 and e0 there, of twice the area 1 / inv: drawn when nearer than what the pixel holds.
// Inline: every pixel of a tiny triangle comes here.
inline void TinyPixel(const Target& target, size_t at, const ScreenVertex& v0,
                      const ScreenVertex& v1, const ScreenVertex& v2, int64_t e0, int64_t e1,
                      int64_t e2, float inv) {
  // Each corner weighs as the edge facing it: e1 faces corner 0, e2 corner 1, e0 corner 2.
  const float w0 = static_cast<float>(e1) * inv, w1 = static_cast<float>(e2) * inv,
              w2 = static_cast<float>(e0) * inv;
  const float depth = w0 * v0.depth + w1 * v1.depth + w2 * v2.depth;
  if (!(depth > target.depth[at])) return;
  // The corners' attributes are finite (Snap), so min and max clamp as std::clamp does.
  auto channel = [&](float r0, float r1, float r2) {
    const float x = w0 * r0 + w1 * r1 + w2 * r2;
    return static_cast<uint32_t>(
        static_cast<int32_t>(std::min(std::max(x, 0.0f), 1.0f) * 255.0f + 0.5f));
  };
  target.color[at] =
      channel(v0.r, v1.r, v2.r) << 16 | channel(v0.g, v1.g, v2.g) << 8 | channel(v0.b, v1.b, v2.b);
  target.depth[at] = depth;
}

// Inline: most triangles of a far visual come here.
inline void DrawTinyTriangle(const Target& target, const Snapped& t, int rowFirst, int rowLast) {
  const float inv = 1.0f / static_cast<float>(t.area2);
  for (int j = rowFirst; j <= rowLast; ++j) {
    for (int i = t.colFirst; i <= t.colLast; ++i) {
      const int64_t e0 = t.e[0].AtPixel(i, j), e1 = t.e[1].AtPixel(i, j), e2 = t.e[2].AtPixel(i, j);
      if (!Inside(t.e, e0, e1, e2)) continue;
      TinyPixel(target, static_cast<size_t>(j) * target.pitch + i, *t.v[0], *t.v[1], *t.v[2], e0,
                e1, e2, inv);
    }
  }
}

// How DrawTriangleOnGrid would draw an opaque, untextured, unfogged triangle from its corners on
// the grid: not at all (no pixel centre within its corners' extent, in the rows this drawer owns),
// as a tiny triangle (then into box: its columns and this drawer's rows), or otherwise.
enum class OnGrid { kNothing, kTiny, kOther };
struct TinyBox {
  int colFirst, colLast, rowFirst, rowLast;
};
// Inline: most faces of a far visual come here, and most are left after a few comparisons.
inline OnGrid ClassifyOnGrid(const Target& target, const int32_t (&x)[3], const int32_t (&y)[3],
                             bool fastPaths, TinyBox& box) {
  // The pixels whose centres lie within the corners' extent, as SnapOnGrid finds them.
  const int64_t minX = std::min({x[0], x[1], x[2]}), maxX = std::max({x[0], x[1], x[2]});
  const int64_t minY = std::min({y[0], y[1], y[2]}), maxY = std::max({y[0], y[1], y[2]});
  box.colFirst = static_cast<int>(std::max<int64_t>(target.x0, FirstPixelFrom(minX)));
  box.colLast = static_cast<int>(std::min<int64_t>(target.x1 - 1, LastPixelTo(maxX)));
  const int rowFirst = static_cast<int>(std::max<int64_t>(target.y0, FirstPixelFrom(minY)));
  const int rowLast = static_cast<int>(std::min<int64_t>(target.y1 - 1, LastPixelTo(maxY)));
  if (box.colFirst > box.colLast || rowFirst > rowLast) return OnGrid::kNothing;
  if (box.colLast - box.colFirst > 1 || rowLast - rowFirst > 1 || !fastPaths) return OnGrid::kOther;
  if (!target.color || !target.depth) return OnGrid::kNothing;
  box.rowFirst = std::max(rowFirst, target.rowBegin);
  box.rowLast = std::min(rowLast, target.rowEnd - 1);
  return box.rowFirst <= box.rowLast ? OnGrid::kTiny : OnGrid::kNothing;
}

// Draws a triangle that ClassifyOnGrid found tiny, as DrawTriangleOnGrid would. Its corners are
// asked for (corners(v) sets v[0..2] to them, or returns false when they cannot be drawn) only
// when a pixel centre lies inside, which most tiny triangles never hold. Inline: see above.
template <class Corners>
inline void DrawTinyOnGrid(const Target& target, const TinyBox& box, const int32_t (&x)[3],
                           const int32_t (&y)[3], const Corners& corners) {
  // The corners in the order that makes the inside positive, as SnapOnGrid orders them.
  int64_t X[3] = {x[0], x[1], x[2]}, Y[3] = {y[0], y[1], y[2]};
  int64_t area2 = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
  if (area2 == 0) return;
  const bool swapped = area2 < 0;
  if (swapped) {
    std::swap(X[1], X[2]);
    std::swap(Y[1], Y[2]);
    area2 = -area2;
  }
  // The edges as MakeEdge makes them; the top-left rule is looked up only for a pixel centre that
  // lies on one.
  int64_t ea[3], eb[3], ec[3];
  for (int k = 0; k < 3; ++k) {
    const int k1 = (k + 1) % 3;
    ea[k] = Y[k] - Y[k1];
    eb[k] = X[k1] - X[k];
    ec[k] = -ea[k] * X[k] - eb[k] * Y[k];
  }
  auto inside = [&](int k, int64_t e) {
    return e > 0 || (e == 0 && (ea[k] > 0 || (ea[k] == 0 && eb[k] > 0)));
  };
  const ScreenVertex* v[3] = {nullptr, nullptr, nullptr};
  float inv = 0;
  for (int j = box.rowFirst; j <= box.rowLast; ++j) {
    const int64_t py = int64_t{j} * kSub + kHalf;
    for (int i = box.colFirst; i <= box.colLast; ++i) {
      const int64_t px = int64_t{i} * kSub + kHalf;
      const int64_t e0 = ea[0] * px + eb[0] * py + ec[0], e1 = ea[1] * px + eb[1] * py + ec[1],
                    e2 = ea[2] * px + eb[2] * py + ec[2];
      if (!inside(0, e0) || !inside(1, e1) || !inside(2, e2)) continue;
      if (!v[0]) {  // the first pixel inside
        if (!corners(v)) return;
        if (swapped) std::swap(v[1], v[2]);
        inv = 1.0f / static_cast<float>(area2);
      }
      TinyPixel(target, static_cast<size_t>(j) * target.pitch + i, *v[0], *v[1], *v[2], e0, e1, e2,
                inv);
    }
  }
}

}  // namespace engine::render::raster
