#include "engine/math.h"

namespace engine {

Matrix Matrix::Translation(Vector t) {
  Matrix r;
  r.SetRow(3, t);
  return r;
}

Matrix Matrix::Scaling(Vector s) {
  Matrix r;
  r.m[0][0] = s.x;
  r.m[1][1] = s.y;
  r.m[2][2] = s.z;
  return r;
}

Matrix Matrix::Rotation(Vector axis, float theta) {
  Vector n;
  if (!Normalize(axis, n)) return Matrix{};
  float c = std::cos(theta), s = std::sin(theta), t = 1.0f - c;
  // The row-vector form of the turn: x maps to (c, 0, -s) for the y axis, so that (looking down the
  // axis from its tip) the turn is clockwise in the left-handed space.
  Matrix r;
  r.m[0][0] = t * n.x * n.x + c;
  r.m[0][1] = t * n.x * n.y + s * n.z;
  r.m[0][2] = t * n.x * n.z - s * n.y;
  r.m[1][0] = t * n.x * n.y - s * n.z;
  r.m[1][1] = t * n.y * n.y + c;
  r.m[1][2] = t * n.y * n.z + s * n.x;
  r.m[2][0] = t * n.x * n.z + s * n.y;
  r.m[2][1] = t * n.y * n.z - s * n.x;
  r.m[2][2] = t * n.z * n.z + c;
  return r;
}

Matrix operator*(const Matrix& a, const Matrix& b) {
  Matrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

bool operator==(const Matrix& a, const Matrix& b) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (a.m[i][j] != b.m[i][j]) return false;
  return true;
}

bool Invert(const Matrix& m, Matrix& out) {
  // Gauss-Jordan elimination with partial pivoting, in double for accuracy.
  double a[4][8];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      a[i][j] = m.m[i][j];
      a[i][j + 4] = i == j ? 1.0 : 0.0;
    }
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    if (!(std::fabs(a[pivot][col]) > 1e-30)) return false;
    if (pivot != col)
      for (int j = 0; j < 8; ++j) std::swap(a[pivot][j], a[col][j]);
    double inv = 1.0 / a[col][col];
    for (int j = 0; j < 8; ++j) a[col][j] *= inv;
    for (int r = 0; r < 4; ++r) {
      if (r == col) continue;
      double f = a[r][col];
      if (f == 0.0) continue;
      for (int j = 0; j < 8; ++j) a[r][j] -= f * a[col][j];
    }
  }
  Matrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.m[i][j] = static_cast<float>(a[i][j + 4]);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (!std::isfinite(r.m[i][j])) return false;
  out = r;
  return true;
}

Quaternion Quaternion::FromAxisAngle(Vector axis, float theta) {
  Vector n;
  if (!Normalize(axis, n)) return Quaternion{};
  return {std::cos(theta / 2), n * std::sin(theta / 2)};
}

Matrix RotationMatrix(const Quaternion& q) {
  float len = std::sqrt(q.s * q.s + Dot(q.v, q.v));
  if (!(len > 0.0f) || !std::isfinite(len)) return Matrix{};
  float w = q.s / len, x = q.v.x / len, y = q.v.y / len, z = q.v.z / len;
  // The same turn as Matrix::Rotation about (x, y, z) by 2 acos(w).
  Matrix r;
  r.m[0][0] = 1 - 2 * (y * y + z * z);
  r.m[0][1] = 2 * (x * y + w * z);
  r.m[0][2] = 2 * (x * z - w * y);
  r.m[1][0] = 2 * (x * y - w * z);
  r.m[1][1] = 1 - 2 * (x * x + z * z);
  r.m[1][2] = 2 * (y * z + w * x);
  r.m[2][0] = 2 * (x * z + w * y);
  r.m[2][1] = 2 * (y * z - w * x);
  r.m[2][2] = 1 - 2 * (x * x + y * y);
  return r;
}

Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t) {
  float cosom = a.s * b.s + Dot(a.v, b.v);
  Quaternion e = b;
  if (cosom < 0) {  // take the shorter way round
    cosom = -cosom;
    e = {-b.s, -b.v};
  }
  float ka, kb;
  if (cosom > 0.9995f) {  // nearly the same: a straight blend is exact enough and safe
    ka = 1 - t;
    kb = t;
  } else {
    float omega = std::acos(cosom), sinom = std::sin(omega);
    ka = std::sin((1 - t) * omega) / sinom;
    kb = std::sin(t * omega) / sinom;
  }
  Quaternion r{ka * a.s + kb * e.s, a.v * ka + e.v * kb};
  float len = std::sqrt(r.s * r.s + Dot(r.v, r.v));
  if (len > 0) {
    r.s /= len;
    r.v = r.v * (1.0f / len);
  }
  return r;
}

}  // namespace engine
