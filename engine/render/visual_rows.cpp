#include "engine/render/visual_rows.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace engine::render {
namespace {

// The box's eight corners in camera space, corner c at (x[c], y[c], z[c]) with bit k of c choosing
// the far side along axis k: the first corner's place and the box's edges carried by the matrix
// (rounded otherwise than the vertices, by far less than the row of slack RowsOfBox leaves).
struct Corners {
  alignas(16) float x[8], y[8], z[8];
};

Corners CornersOf(const Box& box, const Matrix& modelView) {
  const Vector base = TransformPoint(box.min, modelView);
  const Vector size = box.max - box.min;
  const auto& a = modelView.m;
  const Vector edge[3] = {{size.x * a[0][0], size.x * a[0][1], size.x * a[0][2]},
                          {size.y * a[1][0], size.y * a[1][1], size.y * a[1][2]},
                          {size.z * a[2][0], size.z * a[2][1], size.z * a[2][2]}};
  Corners out;
  for (int c = 0; c < 8; ++c) {
    Vector v = base;
    for (int k = 0; k < 3; ++k)
      if (c >> k & 1) v = v + edge[k];
    out.x[c] = v.x;
    out.y[c] = v.y;
    out.z[c] = v.z;
  }
  return out;
}

// The corners' extent on the screen, into left, right, top and bottom, and whether all of them lie
// beyond the back plane (by more than their rounding). False when it cannot be told: a corner in
// front of the front plane, or a place that is not finite.
bool ScreenExtent(const DrawContext& dc, const Corners& k, float& left, float& right, float& top,
                  float& bottom, bool& allBeyond) {
  const Viewport::Projection& p = dc.proj;
#if defined(__SSE2__)
  __m128 lo = _mm_set1_ps(INFINITY), hi = _mm_set1_ps(-INFINITY), up = lo, down = hi;
  int beyond = 0xF;
  for (int half = 0; half < 8; half += 4) {
    const __m128 x = _mm_load_ps(k.x + half), y = _mm_load_ps(k.y + half),
                 z = _mm_load_ps(k.z + half);
    if (p.perspective && _mm_movemask_ps(_mm_cmpge_ps(z, _mm_set1_ps(p.front))) != 0xF)
      return false;
    const __m128 noSign = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    const __m128 slack = _mm_mul_ps(
        _mm_set1_ps(1e-4f), _mm_add_ps(_mm_and_ps(z, noSign), _mm_set1_ps(std::fabs(p.back))));
    beyond &= _mm_movemask_ps(_mm_cmpgt_ps(_mm_sub_ps(z, _mm_set1_ps(p.back)), slack));
    const __m128 scale = p.perspective ? _mm_div_ps(_mm_set1_ps(p.front), z) : _mm_set1_ps(1.0f);
    const __m128 sx =
        _mm_add_ps(_mm_set1_ps(p.centerX), _mm_mul_ps(_mm_mul_ps(x, scale), _mm_set1_ps(p.scaleX)));
    const __m128 sy =
        _mm_sub_ps(_mm_set1_ps(p.centerY), _mm_mul_ps(_mm_mul_ps(y, scale), _mm_set1_ps(p.scaleY)));
    // x - x is 0 exactly when x is finite.
    const __m128 zero = _mm_setzero_ps();
    if (_mm_movemask_ps(_mm_and_ps(_mm_cmpeq_ps(_mm_sub_ps(sx, sx), zero),
                                   _mm_cmpeq_ps(_mm_sub_ps(sy, sy), zero))) != 0xF)
      return false;
    lo = _mm_min_ps(lo, sx);
    hi = _mm_max_ps(hi, sx);
    up = _mm_min_ps(up, sy);
    down = _mm_max_ps(down, sy);
  }
  alignas(16) float l[4], r[4], t[4], b[4];
  _mm_store_ps(l, lo);
  _mm_store_ps(r, hi);
  _mm_store_ps(t, up);
  _mm_store_ps(b, down);
  left = std::min({l[0], l[1], l[2], l[3]});
  right = std::max({r[0], r[1], r[2], r[3]});
  top = std::min({t[0], t[1], t[2], t[3]});
  bottom = std::max({b[0], b[1], b[2], b[3]});
  allBeyond = beyond == 0xF;
#else
  left = top = INFINITY;
  right = bottom = -INFINITY;
  allBeyond = true;
  for (int c = 0; c < 8; ++c) {
    if (!(k.z[c] >= p.front) && p.perspective) return false;
    allBeyond = allBeyond && k.z[c] - p.back > 1e-4f * (std::fabs(k.z[c]) + std::fabs(p.back));
    const float scale = p.perspective ? p.front / k.z[c] : 1.0f;
    const float x = p.centerX + k.x[c] * scale * p.scaleX,
                y = p.centerY - k.y[c] * scale * p.scaleY;
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
#endif
  return true;
}

}  // namespace

bool RowsOfBox(const DrawContext& dc, const Box& box, const Matrix& modelView, int& first,
               int& last) {
  const Target& t = dc.target;
  first = t.y0;
  last = t.y1 - 1;
  float left, right, top, bottom;
  bool allBeyond;
  if (!ScreenExtent(dc, CornersOf(box, modelView), left, right, top, bottom, allBeyond))
    return true;
  if (allBeyond || right < static_cast<float>(t.x0) - 2.0f ||
      left > static_cast<float>(t.x1) + 2.0f || bottom < static_cast<float>(t.y0) - 2.0f ||
      top > static_cast<float>(t.y1) + 2.0f)
    return false;
  // A pixel row j is drawn only when its centre j + 0.5 lies between corners snapped to 1/16 of
  // a pixel, so within [top - 1/32, bottom + 1/32]: a row either way is slack enough.
  first = std::max(t.y0, static_cast<int>(std::floor(top)) - 1);
  last = std::min(t.y1 - 1, static_cast<int>(std::ceil(bottom)) + 1);
  return first <= last;
}

}  // namespace engine::render
