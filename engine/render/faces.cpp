#include "engine/render/faces.h"

namespace engine::render {

void TransformPoints(const Vector* in, size_t n, const Matrix& m, std::vector<Vector>& out) {
  out.resize(n);
  const auto& a = m.m;
#if defined(__SSE2__)
  // The three coordinates side by side, each with the operations of the scalar loop below in the
  // same order: ((x a0 + y a1) + z a2) + a3.
  const __m128 r0 = _mm_setr_ps(a[0][0], a[0][1], a[0][2], 0);
  const __m128 r1 = _mm_setr_ps(a[1][0], a[1][1], a[1][2], 0);
  const __m128 r2 = _mm_setr_ps(a[2][0], a[2][1], a[2][2], 0);
  const __m128 r3 = _mm_setr_ps(a[3][0], a[3][1], a[3][2], 0);
  Vector* o = out.data();
  for (size_t i = 0; i < n; ++i) {
    const Vector v = in[i];
    const __m128 p = _mm_add_ps(
        _mm_add_ps(_mm_add_ps(_mm_mul_ps(_mm_set1_ps(v.x), r0), _mm_mul_ps(_mm_set1_ps(v.y), r1)),
                   _mm_mul_ps(_mm_set1_ps(v.z), r2)),
        r3);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(&o[i].x), _mm_castps_si128(p));
    _mm_store_ss(&o[i].z, _mm_movehl_ps(p, p));
  }
#else
  for (size_t i = 0; i < n; ++i) {
    const Vector v = in[i];
    out[i] = {v.x * a[0][0] + v.y * a[1][0] + v.z * a[2][0] + a[3][0],
              v.x * a[0][1] + v.y * a[1][1] + v.z * a[2][1] + a[3][1],
              v.x * a[0][2] + v.y * a[1][2] + v.z * a[2][2] + a[3][2]};
  }
#endif
}

}  // namespace engine::render
