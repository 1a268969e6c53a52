#include "engine/render/vertex_projection.h"

#include <cmath>
#include <cstdint>

#if defined(__x86_64__)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

namespace engine::render {
namespace {

// What projecting reads, copied, so that the stores of the projection cannot be taken to change
// it, and where it writes.
struct Projection {
  Viewport::Projection p;
  float gx0, gx1, gy0, gy1;  // the guard band
  bool perspectiveTexture;
  const Vector* cam;
  ScreenVertex* projected;
  uint8_t* places;
  GridPoint* grid;
};

// Vertex i, one at a time; the place it was given.
uint8_t ProjectOne(const Projection& j, size_t i) {
  const Viewport::Projection& p = j.p;
  const Vector v = j.cam[i];
  ScreenVertex sv{};
  uint8_t place = kClip;
  if (v.z >= p.front && v.z <= p.back) {
    if (p.perspective) {
      const float iz = 1.0f / v.z, k = p.front * iz;
      sv.x = p.centerX + v.x * k * p.scaleX;
      sv.y = p.centerY - v.y * k * p.scaleY;
      sv.depth = iz;
      sv.oow = j.perspectiveTexture ? iz : 1.0f;
    } else {
      sv.x = p.centerX + v.x * p.scaleX;
      sv.y = p.centerY - v.y * p.scaleY;
      sv.depth = 1.0f + (p.back - v.z) / (p.back - p.front);
      sv.oow = 1.0f;
    }
    if (sv.x >= j.gx0 && sv.x <= j.gx1 && sv.y >= j.gy0 && sv.y <= j.gy1) {
      place = kOffGrid;
      if (std::fabs(sv.x) <= kMaxScreenCoord && std::fabs(sv.y) <= kMaxScreenCoord) {
        place = kOnGrid;
        j.grid[i] = {static_cast<int32_t>(ToGrid(sv.x)), static_cast<int32_t>(ToGrid(sv.y))};
      }
    }
  }
  j.projected[i] = sv;
  j.places[i] = place;
  return place;
}

#if defined(__x86_64__)
// Vertices i to i + 3 under a perspective camera, side by side: each lane does what ProjectOne
// does, operation for operation, but for the fields that every face sets again (texture
// coordinates, colour, fog) and the grid places of vertices that are not on it, which are left
// as they come. Returns whether all four lie on the grid.
bool ProjectFour(const Projection& j, size_t i) {
  const Viewport::Projection& p = j.p;
  alignas(16) float xs[4], ys[4], zs[4];
  for (int k = 0; k < 4; ++k) {
    xs[k] = j.cam[i + k].x;
    ys[k] = j.cam[i + k].y;
    zs[k] = j.cam[i + k].z;
  }
  const __m128 x = _mm_load_ps(xs), y = _mm_load_ps(ys), z = _mm_load_ps(zs);
  const __m128 inDepth =
      _mm_and_ps(_mm_cmpge_ps(z, _mm_set1_ps(p.front)), _mm_cmple_ps(z, _mm_set1_ps(p.back)));
  const __m128 iz = _mm_div_ps(_mm_set1_ps(1.0f), z);
  const __m128 k = _mm_mul_ps(_mm_set1_ps(p.front), iz);
  const __m128 sx =
      _mm_add_ps(_mm_set1_ps(p.centerX), _mm_mul_ps(_mm_mul_ps(x, k), _mm_set1_ps(p.scaleX)));
  const __m128 sy =
      _mm_sub_ps(_mm_set1_ps(p.centerY), _mm_mul_ps(_mm_mul_ps(y, k), _mm_set1_ps(p.scaleY)));
  const __m128 guard = _mm_and_ps(
      _mm_and_ps(inDepth, _mm_and_ps(_mm_cmpge_ps(sx, _mm_set1_ps(j.gx0)),
                                     _mm_cmple_ps(sx, _mm_set1_ps(j.gx1)))),
      _mm_and_ps(_mm_cmpge_ps(sy, _mm_set1_ps(j.gy0)), _mm_cmple_ps(sy, _mm_set1_ps(j.gy1))));
  const __m128 noSign = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
  const __m128 limit = _mm_set1_ps(kMaxScreenCoord);
  const __m128 onGrid = _mm_and_ps(guard, _mm_and_ps(_mm_cmple_ps(_mm_and_ps(sx, noSign), limit),
                                                     _mm_cmple_ps(_mm_and_ps(sy, noSign), limit)));
  const __m128 sub = _mm_set1_ps(static_cast<float>(grid::kSub));
  // Each vertex's x, y, depth and oow (zero between the planes' outside) in one store: the rest of
  // a projected vertex is filled in for each face, and the grid is read only where it is known.
  __m128 px = _mm_and_ps(sx, inDepth), py = _mm_and_ps(sy, inDepth), pd = _mm_and_ps(iz, inDepth),
         po = _mm_and_ps(j.perspectiveTexture ? iz : _mm_set1_ps(1.0f), inDepth);
  _MM_TRANSPOSE4_PS(px, py, pd, po);
  _mm_storeu_ps(&j.projected[i].x, px);
  _mm_storeu_ps(&j.projected[i + 1].x, py);
  _mm_storeu_ps(&j.projected[i + 2].x, pd);
  _mm_storeu_ps(&j.projected[i + 3].x, po);
  const __m128i gx = _mm_cvtps_epi32(_mm_mul_ps(sx, sub)),
                gy = _mm_cvtps_epi32(_mm_mul_ps(sy, sub));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&j.grid[i]), _mm_unpacklo_epi32(gx, gy));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&j.grid[i + 2]), _mm_unpackhi_epi32(gx, gy));
  const int guardBits = _mm_movemask_ps(guard), gridBits = _mm_movemask_ps(onGrid);
  for (int n = 0; n < 4; ++n)
    j.places[i + n] = gridBits >> n & 1 ? kOnGrid : (guardBits >> n & 1) ? kOffGrid : kClip;
  return gridBits == 0xF;
}
#endif

}  // namespace

bool ProjectVertices(DrawContext& dc, size_t count, bool perspectiveTexture) {
  dc.projected.resize(count);
  dc.place.resize(count);
  dc.grid.resize(count);
  const Projection j{dc.proj,         dc.guardX0,         dc.guardX1,    dc.guardY0,
                     dc.guardY1,      perspectiveTexture, dc.cam.data(), dc.projected.data(),
                     dc.place.data(), dc.grid.data()};
  bool allOnGrid = true;
  size_t i = 0;
#if defined(__x86_64__)
  if (j.p.perspective)
    for (; i + 4 <= count; i += 4) allOnGrid = ProjectFour(j, i) && allOnGrid;
#endif
  for (; i < count; ++i) allOnGrid = ProjectOne(j, i) == kOnGrid && allOnGrid;
  return allOnGrid;
}

}  // namespace engine::render
