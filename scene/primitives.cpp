// The geometry of the face makers and generators. Index arithmetic follows the program's integer
// types: 16-bit (VbInteger) in Cylinder, Prism and Sphere, 32-bit (VbLong) in Plot and the face
// makers; leaving the range raises OverflowError at that point, keeping what was added so far.
// Angles are computed in double precision and each coordinate is rounded to float when stored.
#include "scene/primitives.h"

#include <cfloat>
#include <cmath>

#include "scene/errors.h"
#include "scene/vb_int.h"

namespace kubisto::primitives {
namespace {

// The index of the last face: the builder's face count minus 1.
int32_t LastFace(MeshSink& mb) { return (VbLong(mb.FaceCount()) - 1).value(); }

// The corners of a face as 16-bit index expressions, widened for the face makers.
std::vector<int32_t> Corners(std::initializer_list<VbInteger> indices) {
  std::vector<int32_t> corners;
  corners.reserve(indices.size());
  for (VbInteger index : indices) corners.push_back(index.value());
  return corners;
}

// A value stored as a float; one beyond float's range overflows, as the conversion does.
float ToSingle(double value) {
  if (std::isfinite(value) && std::fabs(value) > FLT_MAX) throw OverflowError();
  return static_cast<float>(value);
}

// The points of Cylinder and Prism: vertex 2k is the k-th top point, 2k + 1 the k-th bottom one.
void AddRoundPoints(MeshSink& mb, int16_t n, float r1, float r2, float h, bool normalPerVertex) {
  for (int32_t k = 0; k < n; ++k) {
    const double theta = (static_cast<double>(k) / n) * kFullTurn;
    const float c = static_cast<float>(std::cos(theta));
    const float s = static_cast<float>(std::sin(theta));
    mb.AddVertex(c * r1, h / 2.0f, s * r1);
    if (normalPerVertex) mb.AddNormal(0, 0, 0);
    mb.AddVertex(c * r2, -h / 2.0f, s * r2);
    if (normalPerVertex) mb.AddNormal(0, 0, 0);
  }
}

// The sides, the caps and the normals of Cylinder (curved) and Prism (flat).
void AddRoundFaces(MeshSink& mb, VbInteger n, float r1, float r2, bool curved) {
  const VbInteger last = n - 1;
  for (VbInteger k = 0; k <= last; k = k + 1) {
    const VbInteger q = (k + 1) % n;
    std::vector<int32_t> side;
    if (r1 > 0 && r2 > 0) {
      side = Corners({2 * k + 1, 2 * k, 2 * q, 2 * q + 1});
    } else if (r2 <= 0) {
      side = Corners({2 * k + 1, 2 * k, 2 * q});
    } else {
      side = Corners({2 * k + 1, 2 * k, 2 * q + 1});
    }
    if (curved) {
      AddCurvedFace(mb, side);
    } else {
      AddFace(mb, side);
    }
  }
  if (r1 > 0) {
    const VbInteger top = VbInteger::From(mb.AddNormal(0, 0, 0));
    mb.CreateFace();
    for (VbInteger k = last; k >= 0; k = k - 1) mb.AddCorner((2 * k).value(), top.value());
  }
  if (r2 > 0) {
    const VbInteger bottom = VbInteger::From(mb.AddNormal(0, 0, 0));
    mb.CreateFace();
    for (VbInteger k = 0; k <= last; k = k + 1) mb.AddCorner((2 * k + 1).value(), bottom.value());
  }
  mb.GenerateNormals();
}

}  // namespace

int32_t AddFace(MeshSink& mb, const std::vector<int32_t>& vertices) {
  const int32_t normal = mb.AddNormal(0, 0, 0);
  mb.CreateFace();
  for (int32_t vertex : vertices) mb.AddCorner(vertex, normal);
  return LastFace(mb);
}

int32_t AddFace2(MeshSink& mb, const std::vector<int32_t>& vertices) {
  const int32_t front = mb.AddNormal(0, 0, 0);
  mb.CreateFace();
  for (int32_t vertex : vertices) mb.AddCorner(vertex, front);
  const int32_t back = mb.AddNormal(0, 0, 0);
  mb.CreateFace();
  for (auto it = vertices.rbegin(); it != vertices.rend(); ++it) mb.AddCorner(*it, back);
  return LastFace(mb);
}

int32_t AddCurvedFace(MeshSink& mb, const std::vector<int32_t>& vertices) {
  mb.CreateFace();
  for (int32_t vertex : vertices) mb.AddCorner(vertex, vertex);
  return LastFace(mb);
}

int32_t AddCurvedFace2(MeshSink& mb, const std::vector<int32_t>& vertices) {
  mb.CreateFace();
  for (int32_t vertex : vertices) mb.AddCorner(vertex, (2 * VbLong(vertex)).value());
  mb.CreateFace();
  for (auto it = vertices.rbegin(); it != vertices.rend(); ++it) {
    mb.AddCorner(*it, (2 * VbLong(*it) + 1).value());
  }
  return LastFace(mb);
}

void Cube(MeshSink& mb, float a, float b, float c) {
  const float corners[8][3] = {{a, b, -c}, {a, -b, -c}, {-a, -b, -c}, {-a, b, -c},
                               {a, b, c},  {a, -b, c},  {-a, -b, c},  {-a, b, c}};
  for (const auto& p : corners) mb.AddVertex(p[0], p[1], p[2]);
  AddFace(mb, {0, 1, 2, 3});  // z = -c
  AddFace(mb, {3, 2, 6, 7});  // x = -a
  AddFace(mb, {7, 6, 5, 4});  // z = c
  AddFace(mb, {4, 5, 1, 0});  // x = a
  AddFace(mb, {0, 3, 7, 4});  // y = b
  AddFace(mb, {1, 5, 6, 2});  // y = -b
  mb.GenerateNormals();
}

void Cylinder(MeshSink& mb, int16_t n, float r1, float r2, float h) {
  AddRoundPoints(mb, n, r1, r2, h, /*normalPerVertex=*/true);
  AddRoundFaces(mb, n, r1, r2, /*curved=*/true);
}

void Prism(MeshSink& mb, int16_t n, float r1, float r2, float h) {
  AddRoundPoints(mb, n, r1, r2, h, /*normalPerVertex=*/false);
  AddRoundFaces(mb, n, r1, r2, /*curved=*/false);
}

void Sphere(MeshSink& mb, int16_t n2In, float r) {
  const VbInteger n2 = n2In;
  // n2 / 2 rounded to the nearest integer, halves to even.
  const VbInteger m = VbInteger::From(static_cast<int64_t>(std::nearbyint(n2In / 2.0)));
  const auto ring = [n2](VbInteger i, VbInteger j) { return 2 + (i - 1) * n2 + j; };

  mb.AddVertex(0, r, 0);   // 0: the top pole
  mb.AddVertex(0, -r, 0);  // 1: the bottom pole
  for (VbInteger i = 1; i <= m - 1; i = i + 1) {
    const double latitude = i.value() * kP / m.value();
    const float y = static_cast<float>(r * std::cos(latitude));
    const float rho = static_cast<float>(r * std::sin(latitude));
    for (VbInteger j = 0; j <= n2 - 1; j = j + 1) {
      const double longitude = j.value() * kP / m.value();
      mb.AddVertex(static_cast<float>(rho * std::cos(longitude)), y,
                   static_cast<float>(rho * std::sin(longitude)));
    }
  }
  // Normal v belongs to vertex v.
  const int32_t vertexCount = mb.VertexCount();
  for (int32_t v = 0; v < vertexCount; ++v) mb.AddNormal(0, 0, 0);

  for (VbInteger j = 0; j <= n2 - 1; j = j + 1) {
    AddCurvedFace(mb, Corners({0, ring(1, (j + 1) % n2), ring(1, j)}));
  }
  for (VbInteger k = 1; k <= m - 2; k = k + 1) {
    for (VbInteger l = 0; l <= n2 - 1; l = l + 1) {
      const VbInteger next = (l + 1) % n2;
      AddCurvedFace(mb, Corners({ring(k + 1, l), ring(k, l), ring(k, next), ring(k + 1, next)}));
    }
  }
  for (VbInteger t = 0; t <= n2 - 1; t = t + 1) {
    const VbInteger next = (t + 1) % n2;
    AddCurvedFace(mb, Corners({ring(m - 1, t), ring(m - 1, next), 1}));
  }
  mb.GenerateNormals();
}

void Plot(MeshSink& mb, const HeightArray& d, float xorg, float yorg, float xsize, float ysize,
          bool curved, bool oneSide) {
  // An unset or empty array has no bounds to read: the subscript error, before anything is added.
  if (!d.IsValid() || d.values.empty()) throw SubscriptError();
  const VbLong g = VbLong::From(d.Count1());

  for (int64_t j = d.lb2; j <= d.ub2; ++j) {
    for (int64_t i = d.lb1; i <= d.ub1; ++i) {
      const auto ii = static_cast<int32_t>(i);
      const auto jj = static_cast<int32_t>(j);
      mb.AddVertex(ToSingle((static_cast<double>(i) - xorg) * xsize), ToSingle(d(ii, jj)),
                   ToSingle((static_cast<double>(j) - yorg) * ysize));
      if (curved) {
        mb.AddNormal(0, 0, 0);
        if (!oneSide) mb.AddNormal(0, 0, 0);
      }
    }
  }

  const VbLong rows = VbLong::From(int64_t{d.ub2} - d.lb2);
  const VbLong columns = VbLong::From(int64_t{d.ub1} - d.lb1);
  for (VbLong jj = 0; jj <= rows - 1; jj = jj + 1) {
    for (VbLong ii = 0; ii <= columns - 1; ii = ii + 1) {
      const VbLong base = g * jj + ii;
      const std::vector<int32_t> cell = {base.value(), (base + g).value(), (base + g + 1).value(),
                                         (base + 1).value()};
      if (curved) {
        if (oneSide) {
          AddCurvedFace(mb, cell);
        } else {
          AddCurvedFace2(mb, cell);
        }
      } else if (oneSide) {
        AddFace(mb, cell);
      } else {
        AddFace2(mb, cell);
      }
    }
  }
  mb.GenerateNormals();
}

}  // namespace kubisto::primitives
