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

}  // namespace engine::render
