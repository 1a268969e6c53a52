// Triangle set-up, the rasterizer's first stage: corners snapped to the fixed-point grid, the edge
// functions with the top-left fill rule, the pixels a triangle may cover and, for the span loops,
// the planes of its attributes. Every stage after it (spans, tiny triangles) decides coverage with
// the functions here.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/render/rasterize.h"

namespace engine::render::raster {

using grid::FirstPixelFrom;
using grid::kHalf;
using grid::kSub;
using grid::kSubBits;
using grid::LastPixelTo;

// floor(a / b) and ceil(a / b) for b > 0.
inline int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
inline int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// An edge function E = A X + B Y + C over grid coordinates, positive inside. A pixel centre on the
// edge (E = 0) counts as inside on top and left edges only: `bias` is 0 on those and 1 on the
// others, and a centre is inside when E - bias >= 0.
struct Edge {
  int64_t a, b, c, bias;
  int64_t At(int64_t x, int64_t y) const { return a * x + b * y + c; }
  // E at the centre of pixel (i, j).
  int64_t AtPixel(int64_t i, int64_t j) const { return At(i * kSub + kHalf, j * kSub + kHalf); }
};

// The edge from (x0, y0) to (x1, y1), with the top-left rule.
inline Edge MakeEdge(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  Edge e;
  e.a = y0 - y1;
  e.b = x1 - x0;
  e.c = -e.a * x0 - e.b * y0;
  const bool topLeft = e.a > 0 || (e.a == 0 && e.b > 0);
  e.bias = topLeft ? 0 : 1;
  return e;
}

// Whether a point with edge values e0, e1, e2 lies inside all three edges.
inline bool Inside(const Edge (&e)[3], int64_t e0, int64_t e1, int64_t e2) {
  return ((e0 - e[0].bias) | (e1 - e[1].bias) | (e2 - e[2].bias)) >= 0;
}

// A triangle's corners snapped to the grid, in the order that makes the inside positive, its
// edges (edge k from corner k to corner k + 1), and the pixels of the target's rectangle whose
// centres lie within the corners' extent.
struct Snapped {
  const ScreenVertex* v[3];
  int64_t X[3], Y[3];
  int64_t area2;  // twice the area, in grid units
  Edge e[3];
  int colFirst, colLast, rowFirst, rowLast;
};

// False when the triangle whose corners lie at grid points (x[k], y[k]) can cover no pixel of the
// target's rectangle (or has no area). Rows are those of the rectangle, not yet cut to the
// drawer's own. Inline: every triangle comes through here, most of them tiny.
inline bool SnapOnGrid(const Target& target, const ScreenVertex& a, const ScreenVertex& b,
                       const ScreenVertex& c, const int32_t (&x)[3], const int32_t (&y)[3],
                       Snapped& t) {
  if (!target.color || !target.depth || target.x0 >= target.x1 || target.y0 >= target.y1)
    return false;
  t.v[0] = &a;
  t.v[1] = &b;
  t.v[2] = &c;
  int64_t* X = t.X;
  int64_t* Y = t.Y;
  for (int k = 0; k < 3; ++k) {
    X[k] = x[k];
    Y[k] = y[k];
  }
  t.area2 = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
  if (t.area2 == 0) return false;
  if (t.area2 < 0) {  // make the inside positive for all three edges
    std::swap(t.v[1], t.v[2]);
    std::swap(X[1], X[2]);
    std::swap(Y[1], Y[2]);
    t.area2 = -t.area2;
  }
  for (int k = 0; k < 3; ++k) t.e[k] = MakeEdge(X[k], Y[k], X[(k + 1) % 3], Y[(k + 1) % 3]);
  // Pixel i is covered only if its centre lies within the corners' extent.
  const int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
  const int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
  t.colFirst = static_cast<int>(std::max<int64_t>(target.x0, FirstPixelFrom(minX)));
  t.colLast = static_cast<int>(std::min<int64_t>(target.x1 - 1, LastPixelTo(maxX)));
  t.rowFirst = static_cast<int>(std::max<int64_t>(target.y0, FirstPixelFrom(minY)));
  t.rowLast = static_cast<int>(std::min<int64_t>(target.y1 - 1, LastPixelTo(maxY)));
  return t.colFirst <= t.colLast && t.rowFirst <= t.rowLast;
}

// As SnapOnGrid, from the corners' screen positions; false too when a corner is unusable.
inline bool Snap(const Target& target, const ScreenVertex& a, const ScreenVertex& b,
                 const ScreenVertex& c, Snapped& t) {
  if (!Usable(a) || !Usable(b) || !Usable(c)) return false;
  const int32_t x[3] = {static_cast<int32_t>(ToGrid(a.x)), static_cast<int32_t>(ToGrid(b.x)),
                        static_cast<int32_t>(ToGrid(c.x))};
  const int32_t y[3] = {static_cast<int32_t>(ToGrid(a.y)), static_cast<int32_t>(ToGrid(b.y)),
                        static_cast<int32_t>(ToGrid(c.y))};
  return SnapOnGrid(target, a, b, c, x, y, t);
}

// The interpolated attributes, all linear in screen space.
enum Attr { kAtDepth, kAtOow, kAtUw, kAtVw, kAtR, kAtG, kAtB, kAtFog, kAttrCount };

struct Plane {
  float at0;  // value at the centre of pixel (0, 0)
  float dx, dy;
  float At(int i, int j) const {
    return at0 + dx * static_cast<float>(i) + dy * static_cast<float>(j);
  }
};

// What the span loops read: the attribute planes, the rows to draw, the edges and the colour.
struct Setup {
  Plane p[kAttrCount];
  int rowFirst, rowLast, colFirst, colLast;
  Edge e[3];
  bool shaded = true;      // the colour varies across the triangle
  uint32_t flatColor = 0;  // 0x00RRGGBB, when it does not
  bool fastPaths = true;   // the SSE2 spans may be used (SetRasterFastPaths)
};

// The vertex field of each attribute, in Attr order.
inline constexpr float ScreenVertex::*kField[kAttrCount] = {
    &ScreenVertex::depth, &ScreenVertex::oow, &ScreenVertex::uw, &ScreenVertex::vw,
    &ScreenVertex::r,     &ScreenVertex::g,   &ScreenVertex::b,  &ScreenVertex::fog};

// The set-up of a snapped triangle for rows [rowFirst, rowLast]: the planes of the attributes its
// pixels use (texture coordinates scaled to texels << 8 of the texture's full picture, when it has
// one), worked out from the snapped corners so that they agree with the coverage.
inline void MakeSetup(const Snapped& t, const PolyState& state, int rowFirst, int rowLast,
                      Setup& s) {
  const ScreenVertex* const* v = t.v;
  s.colFirst = t.colFirst;
  s.colLast = t.colLast;
  s.rowFirst = rowFirst;
  s.rowLast = rowLast;
  for (int k = 0; k < 3; ++k) s.e[k] = t.e[k];

  const float x0 = static_cast<float>(t.X[0]) / kSub, y0 = static_cast<float>(t.Y[0]) / kSub;
  const float x10 = static_cast<float>(t.X[1] - t.X[0]) / kSub,
              y10 = static_cast<float>(t.Y[1] - t.Y[0]) / kSub;
  const float x20 = static_cast<float>(t.X[2] - t.X[0]) / kSub,
              y20 = static_cast<float>(t.Y[2] - t.Y[0]) / kSub;
  const float invArea = static_cast<float>(kSub * kSub) / static_cast<float>(t.area2);

  float texW = 1.0f, texH = 1.0f;
  const bool textured = state.texture && !state.texture->empty();
  if (textured) {
    texW = static_cast<float>(state.texture->level(0).width) * 256.0f;
    texH = static_cast<float>(state.texture->level(0).height) * 256.0f;
  }
  // The same colour at all three corners (the first corner given): no need to interpolate it.
  const ScreenVertex &a = *v[0], &b = *v[1], &c = *v[2];
  auto channel = [](float x) {
    return static_cast<uint32_t>(std::clamp(x, 0.0f, 1.0f) * 255.0f + 0.5f);
  };
  s.shaded = !(a.r == b.r && a.r == c.r && a.g == b.g && a.g == c.g && a.b == b.b && a.b == c.b);
  s.flatColor = channel(a.r) << 16 | channel(a.g) << 8 | channel(a.b);

  for (int k = 0; k < kAttrCount; ++k) {
    // Only the attributes that this triangle's pixels use.
    if ((k == kAtOow || k == kAtUw || k == kAtVw) && !textured) continue;
    if (k >= kAtR && k <= kAtB && !s.shaded) continue;
    if (k == kAtFog && !state.fog) continue;
    const float scale = k == kAtUw ? texW : (k == kAtVw ? texH : 1.0f);
    const float a0 = v[0]->*kField[k] * scale;
    const float d10 = v[1]->*kField[k] * scale - a0, d20 = v[2]->*kField[k] * scale - a0;
    Plane& p = s.p[k];
    p.dx = (d10 * y20 - d20 * y10) * invArea;
    p.dy = (d20 * x10 - d10 * x20) * invArea;
    p.at0 = a0 + p.dx * (0.5f - x0) + p.dy * (0.5f - y0);
  }
}

// Triangles narrower than this find their spans pixel by pixel rather than by dividing.
constexpr int kNarrow = 12;

// Narrows [lo, hi] to the pixels of row j whose centres the edge counts as inside.
inline void ClipSpan(const Edge& e, int j, int64_t& lo, int64_t& hi) {
  // E - bias at pixel i of row j is (kSub a) i + k.
  const int64_t k = e.AtPixel(0, j) - e.bias;
  const int64_t step = e.a * kSub;
  if (step > 0) {
    lo = std::max(lo, CeilDiv(-k, step));
  } else if (step < 0) {
    hi = std::min(hi, FloorDiv(k, -step));
  } else if (k < 0) {
    hi = lo - 1;
  }
}

// The pixels of row j inside all three edges, as [lo, hi] (empty when lo > hi).
inline void RowSpan(const Setup& s, int j, int64_t& lo, int64_t& hi) {
  lo = s.colFirst;
  hi = s.colLast;
  if (hi - lo >= kNarrow) {
    for (const Edge& e : s.e) ClipSpan(e, j, lo, hi);
    return;
  }
  // Few pixels: test them one by one, stepping the edge functions, rather than divide.
  int64_t e[3], step[3];
  for (int k = 0; k < 3; ++k) {
    e[k] = s.e[k].AtPixel(lo, j);
    step[k] = s.e[k].a * kSub;
  }
  int64_t first = hi + 1, last = lo - 1;
  for (int64_t i = lo; i <= hi; ++i) {
    if (Inside(s.e, e[0], e[1], e[2])) {
      if (first > hi) first = i;
      last = i;
    }
    for (int k = 0; k < 3; ++k) e[k] += step[k];
  }
  lo = first;
  hi = last;
}

}  // namespace engine::render::raster
