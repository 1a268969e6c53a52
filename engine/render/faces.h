// What rendering and picking share about faces: the camera-space positions of a visual's vertices
// and the test that decides whether a face is drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/math.h"

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

}  // namespace engine::render
