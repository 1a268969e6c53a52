// Vectors, 4x4 matrices and quaternions in the engine's space: left-handed, y up, row vectors
// (v' = v * M). A frame's matrix maps its own coordinates into its parent's.
#pragma once

#include <cmath>

namespace engine {

struct Vector {
  float x = 0, y = 0, z = 0;
};

inline Vector operator+(Vector a, Vector b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector operator-(Vector a, Vector b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector operator-(Vector a) { return {-a.x, -a.y, -a.z}; }
inline Vector operator*(Vector a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vector operator*(float s, Vector a) { return a * s; }
inline bool operator==(Vector a, Vector b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline float Dot(Vector a, Vector b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// In the left-handed space, Cross(x axis, y axis) is the z axis.
inline Vector Cross(Vector a, Vector b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vector a) { return std::sqrt(Dot(a, a)); }
// The unit vector along a; false (and a untouched in out) when a is zero or not finite. Inline: the
// renderer calls it for every lit face and corner.
inline bool Normalize(Vector a, Vector& out) {
  float len = Length(a);
  if (!(len > 0.0f) || !std::isfinite(len)) return false;
  out = a * (1.0f / len);
  return true;
}

// An axis-aligned box: minimum and maximum corners.
struct Box {
  Vector min, max;
};

struct Matrix {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

  static Matrix Translation(Vector t);
  static Matrix Scaling(Vector s);
  // Turns by theta radians about the axis through the origin; looking from the axis' tip toward
  // the origin the turn is clockwise (left-handed). The identity when the axis is zero.
  static Matrix Rotation(Vector axis, float theta);

  // Row i of the upper 3x3 part (the image of the i-th unit axis) and the translation row.
  Vector Row(int i) const { return {m[i][0], m[i][1], m[i][2]}; }
  void SetRow(int i, Vector v) {
    m[i][0] = v.x;
    m[i][1] = v.y;
    m[i][2] = v.z;
  }
  Vector Position() const { return Row(3); }
};

// a * b: first a, then b.
Matrix operator*(const Matrix& a, const Matrix& b);
bool operator==(const Matrix& a, const Matrix& b);

// v * M with w = 1 (a point) and w = 0 (a direction). Inline: the renderer calls them for every
// vertex and normal.
inline Vector TransformPoint(Vector v, const Matrix& m) {
  float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
  float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
  float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
  float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
  if (w != 1.0f && w != 0.0f) return {x / w, y / w, z / w};
  return {x, y, z};
}
inline Vector TransformDirection(Vector v, const Matrix& m) {
  return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
          v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
          v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

// The inverse of m; false when m is singular (out untouched).
bool Invert(const Matrix& m, Matrix& out);

// A rotation as a unit quaternion: scalar part s, vector part v.
struct Quaternion {
  float s = 1;
  Vector v;

  static Quaternion FromAxisAngle(Vector axis, float theta);
};

// The rotation matrix of q (normalised first); the identity for a zero quaternion.
Matrix RotationMatrix(const Quaternion& q);
// Spherical interpolation along the shorter arc; t = 0 gives a, t = 1 gives b.
Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t);

}  // namespace engine
