// Triangle set-up, the rasterizer's first stage: corners snapped to the fixed-point grid, the edge
// functions with the top-left fill rule, the pixels a triangle may cover and, for the span loops,
// the planes of its attributes. Every stage after it (spans, tiny triangles) decides coverage with
// the functions here.
#pragma once

#include <algorithm>
#include <cstdint>

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

// False when the triangle can cover no pixel of the target's rectangle (or must not be drawn: a
// corner unusable, no area). Rows are those of the rectangle, not yet cut to the drawer's own.
bool Snap(const Target& target, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
          Snapped& t);

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

// The set-up of a snapped triangle for rows [rowFirst, rowLast]: the planes of the attributes its
// pixels use (texture coordinates scaled to texels << 8 of the texture's full picture, when it has
// one), worked out from the snapped corners so that they agree with the coverage.
void MakeSetup(const Snapped& t, const PolyState& state, int rowFirst, int rowLast, Setup& s);

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

// Taken for opaque, untextured, unfogged triangles within 2 x 2 pixels (distant detail, like a
// small sphere's faces): weighs the corners at each covered pixel centre directly, without planes.
void DrawTinyTriangle(const Target& target, const Snapped& t, int rowFirst, int rowLast);

}  // namespace engine::render::raster
