// What rendering and picking share about faces: the camera-space positions of a visual's vertices
// and the test that decides whether a face is drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/math.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace engine::render {

// Transforms n points by m (row vectors) into out.
void TransformPoints(const Vector* in, size_t n, const Matrix& m, std::vector<Vector>& out);

// The polygon's normal: the sum of (p[i] - p[0]) x (p[i+1] - p[0]), which points out of the front
// (the side from which the corners run clockwise) and is twice the area long; zero with fewer than
// three corners. Corner k is cam[vertexOf(k)].
// Inline: it runs for every face drawn, back faces included.
template <class VertexOf>
inline Vector PolygonNormalOf(const Vector* cam, size_t n, const VertexOf& vertexOf) {
  // Taken relative to the first corner: the same sum, without the cancellation that large
  // coordinates of a small face would cause.
  Vector sum;
  if (n < 3) return sum;
  const Vector o = cam[vertexOf(0)];
  Vector p = cam[vertexOf(1)] - o;
  for (size_t i = 2; i < n; ++i) {
    Vector q = cam[vertexOf(i)] - o;
    sum.x += p.y * q.z - p.z * q.y;
    sum.y += p.z * q.x - p.x * q.z;
    sum.z += p.x * q.y - p.y * q.x;
    p = q;
  }
  return sum;
}

inline Vector PolygonNormal(const Vector* cam, const int32_t* index, size_t n) {
  return PolygonNormalOf(cam, n, [index](size_t k) { return index[k]; });
}

// True when a face with this camera-space normal, through camera-space point p, shows its front
// to the camera: for a perspective camera the eye at the origin lies on its front side, for an
// orthographic one the face looks back along -z.
inline bool FacesCamera(Vector normal, Vector p, bool perspective) {
  return perspective ? Dot(normal, p) < 0.0f : normal.z < 0.0f;
}

// The normal of the polygon whose corner k is cam[vertexOf(k)] (PolygonNormalOf), into normal, and
// whether that face shows its front to the camera (FacesCamera). With SSE2, the three components
// are worked out side by side, each with the same operations in the same order. Inline: it runs
// for every face drawn, back faces included.
template <class VertexOf>
inline bool FrontNormal(const Vector* cam, size_t n, const VertexOf& vertexOf, bool perspective,
                        Vector& normal) {
#if defined(__SSE2__)
  if (n >= 3) {
    auto load = [cam](int32_t i) {  // (x, y, z, 0), reading no further than z
      const Vector& v = cam[i];
      return _mm_movelh_ps(
          _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&v.x))),
          _mm_load_ss(&v.z));
    };
    // (p.y q.z - p.z q.y, p.z q.x - p.x q.z, p.x q.y - p.y q.x)
    auto cross = [](__m128 p, __m128 q) {
      const __m128 pyzx = _mm_shuffle_ps(p, p, _MM_SHUFFLE(3, 0, 2, 1));
      const __m128 pzxy = _mm_shuffle_ps(p, p, _MM_SHUFFLE(3, 1, 0, 2));
      const __m128 qyzx = _mm_shuffle_ps(q, q, _MM_SHUFFLE(3, 0, 2, 1));
      const __m128 qzxy = _mm_shuffle_ps(q, q, _MM_SHUFFLE(3, 1, 0, 2));
      return _mm_sub_ps(_mm_mul_ps(pyzx, qzxy), _mm_mul_ps(pzxy, qyzx));
    };
    const __m128 o = load(vertexOf(0));
    __m128 p = _mm_sub_ps(load(vertexOf(1)), o);
    __m128 sum = _mm_setzero_ps();
    for (size_t i = 2; i < n; ++i) {
      const __m128 q = _mm_sub_ps(load(vertexOf(i)), o);
      sum = _mm_add_ps(sum, cross(p, q));
      p = q;
    }
    alignas(16) float out[4];
    _mm_store_ps(out, sum);
    normal = {out[0], out[1], out[2]};
    if (!perspective) return out[2] < 0.0f;
    // Dot(normal, o): (x x' + y y') + z z'.
    const __m128 m = _mm_mul_ps(sum, o);
    const __m128 dot = _mm_add_ss(_mm_add_ss(m, _mm_shuffle_ps(m, m, 1)), _mm_movehl_ps(m, m));
    return _mm_cvtss_f32(dot) < 0.0f;
  }
#endif
  normal = PolygonNormalOf(cam, n, vertexOf);
  return FacesCamera(normal, cam[vertexOf(0)], perspective);
}

}  // namespace engine::render
