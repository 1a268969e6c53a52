// An in-memory mesh builder for the geometry tests: records what a generator adds, in order.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "scene/primitives.h"

namespace kubisto::testing {

using Point = std::array<float, 3>;
using Corner = std::pair<int32_t, int32_t>;  // vertex index, normal index

class MeshModel final : public MeshSink {
 public:
  std::vector<Point> vertices;
  std::vector<Point> normals;
  std::vector<std::vector<Corner>> faces;
  std::string calls;  // one letter per call: v vertex, n normal, f face, c corner, g normals

  int32_t AddVertex(float x, float y, float z) override {
    calls += 'v';
    vertices.push_back({x, y, z});
    return static_cast<int32_t>(vertices.size()) - 1;
  }
  int32_t AddNormal(float x, float y, float z) override {
    calls += 'n';
    normals.push_back({x, y, z});
    return static_cast<int32_t>(normals.size()) - 1;
  }
  void CreateFace() override {
    calls += 'f';
    faces.emplace_back();
  }
  void AddCorner(int32_t iVertex, int32_t iNormal) override {
    calls += 'c';
    faces.back().emplace_back(iVertex, iNormal);
  }
  int32_t FaceCount() override { return static_cast<int32_t>(faces.size()); }
  int32_t VertexCount() override { return static_cast<int32_t>(vertices.size()); }
  void GenerateNormals() override { calls += 'g'; }

  // The vertex indices of a face's corners.
  std::vector<int32_t> FaceVertices(size_t face) const {
    std::vector<int32_t> result;
    for (const Corner& corner : faces.at(face)) result.push_back(corner.first);
    return result;
  }
  std::vector<int32_t> FaceNormals(size_t face) const {
    std::vector<int32_t> result;
    for (const Corner& corner : faces.at(face)) result.push_back(corner.second);
    return result;
  }
  // (p2 - p1) x (p3 - p1) of a face's first three corners: it points out of the front.
  Point FrontNormal(size_t face) const {
    const auto& f = faces.at(face);
    const Point& p1 = vertices.at(f.at(0).first);
    const Point& p2 = vertices.at(f.at(1).first);
    const Point& p3 = vertices.at(f.at(2).first);
    const Point a{p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]};
    const Point b{p3[0] - p1[0], p3[1] - p1[1], p3[2] - p1[2]};
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  }
  // The mean of a face's corners.
  Point Centroid(size_t face) const {
    Point sum{0, 0, 0};
    for (const Corner& corner : faces.at(face)) {
      for (int axis = 0; axis < 3; ++axis) sum[axis] += vertices.at(corner.first)[axis];
    }
    for (float& value : sum) value /= static_cast<float>(faces.at(face).size());
    return sum;
  }
};

}  // namespace kubisto::testing
