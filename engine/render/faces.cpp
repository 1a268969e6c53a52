#include "engine/render/faces.h"

namespace engine::render {

void TransformPoints(const Vector* in, size_t n, const Matrix& m, std::vector<Vector>& out) {
  out.resize(n);
  const auto& a = m.m;
  for (size_t i = 0; i < n; ++i) {
    const Vector v = in[i];
    out[i] = {v.x * a[0][0] + v.y * a[1][0] + v.z * a[2][0] + a[3][0],
              v.x * a[0][1] + v.y * a[1][1] + v.z * a[2][1] + a[3][1],
              v.x * a[0][2] + v.y * a[1][2] + v.z * a[2][2] + a[3][2]};
  }
}

Vector PolygonNormal(const Vector* cam, const int32_t* index, size_t n) {
  // Taken relative to the first corner: the same sum, without the cancellation that large
  // coordinates of a small face would cause.
  Vector sum;
  if (n < 3) return sum;
  const Vector o = cam[index[0]];
  Vector p = cam[index[1]] - o;
  for (size_t i = 2; i < n; ++i) {
    Vector q = cam[index[i]] - o;
    sum.x += p.y * q.z - p.z * q.y;
    sum.y += p.z * q.x - p.x * q.z;
    sum.z += p.x * q.y - p.y * q.x;
    p = q;
  }
  return sum;
}

}  // namespace engine::render
