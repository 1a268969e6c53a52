#include "output/block_surface.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>
#include <tuple>
#include <vector>

namespace kubisto::output {
namespace {

struct Direction {
  int dx, dy, dz;
};
constexpr Direction kDirections[6] = {{1, 0, 0},  {-1, 0, 0}, {0, 1, 0},
                                      {0, -1, 0}, {0, 0, 1},  {0, 0, -1}};

// The four lattice corners of a cell's face towards d, in order round the face.
std::array<std::array<int, 3>, 4> FaceCorners(int x, int y, int z, const Direction& d) {
  // The face lies in the plane where the axis of d is fixed; the other two axes span it.
  const int axis = d.dx != 0 ? 0 : d.dy != 0 ? 1 : 2;
  const int u = (axis + 1) % 3, v = (axis + 2) % 3;
  const int at[3] = {x, y, z};
  std::array<int, 3> base = {x, y, z};
  base[axis] = at[axis] + ((d.dx + d.dy + d.dz) > 0 ? 1 : 0);
  std::array<std::array<int, 3>, 4> c = {base, base, base, base};
  c[1][u] += 1;
  c[2][u] += 1;
  c[2][v] += 1;
  c[3][v] += 1;
  return c;
}

}  // namespace

std::array<float, 3> ColorRGB(std::int32_t color) {
  const auto c = static_cast<std::uint32_t>(color);
  return {static_cast<float>(c & 0xFF) / 255.0f, static_cast<float>((c >> 8) & 0xFF) / 255.0f,
          static_cast<float>((c >> 16) & 0xFF) / 255.0f};
}

std::vector<SurfaceGroup> BuildSurface(std::int32_t divide, const std::vector<LayoutRecord>& blocks,
                                       bool oneGroup, bool closedGroups) {
  const int n = divide;
  const auto cellIndex = [n](int x, int y, int z) {
    return (static_cast<size_t>(x) * n + y) * n + z;
  };
  std::vector<const LayoutRecord*> cell(static_cast<size_t>(n) * n * n, nullptr);
  std::vector<const LayoutRecord*> placed;
  for (const LayoutRecord& r : blocks) {
    if (r.x < 0 || r.y < 0 || r.z < 0 || r.x >= n || r.y >= n || r.z >= n) continue;
    if (cell[cellIndex(r.x, r.y, r.z)] != nullptr) continue;
    cell[cellIndex(r.x, r.y, r.z)] = &r;
    placed.push_back(&r);
  }
  // A face is left out when the cell beyond holds a block (of the same colour for closed groups).
  const auto hides = [&](const LayoutRecord& from, int x, int y, int z) {
    if (x < 0 || y < 0 || z < 0 || x >= n || y >= n || z >= n) return false;
    const LayoutRecord* other = cell[cellIndex(x, y, z)];
    return other != nullptr && (!closedGroups || other->color == from.color);
  };

  // Every face in its group, its lattice corners counter-clockwise seen from outside.
  struct Face {
    size_t group;
    const LayoutRecord* block;
    std::array<std::array<int, 3>, 4> corners;
  };
  std::vector<SurfaceGroup> groups;
  std::map<std::int32_t, size_t> groupOf;
  std::vector<Face> faces;
  for (const LayoutRecord* r : placed) {
    const std::int32_t key = oneGroup ? 0 : r->color;
    auto [it, added] = groupOf.try_emplace(key, groups.size());
    if (added) groups.push_back({r->color, {}, {}, {}});
    for (const Direction& d : kDirections) {
      if (hides(*r, r->x + d.dx, r->y + d.dy, r->z + d.dz)) continue;
      auto lattice = FaceCorners(r->x, r->y, r->z, d);
      // The corners' normal must point along the outward direction, which the mirrored x turns
      // round (cell x grows to the left of the front view, cell z towards the viewer).
      const auto at = [&](int i, int a) {
        return static_cast<float>(a == 0 ? n - lattice[i][0] : lattice[i][a]);
      };
      const float ax = at(1, 0) - at(0, 0), ay = at(1, 1) - at(0, 1), az = at(1, 2) - at(0, 2);
      const float bx = at(2, 0) - at(0, 0), by = at(2, 1) - at(0, 1), bz = at(2, 2) - at(0, 2);
      const float nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
      const float outward = nx * static_cast<float>(-d.dx) + ny * static_cast<float>(d.dy) +
                            nz * static_cast<float>(d.dz);
      if (outward < 0) std::swap(lattice[1], lattice[3]);
      faces.push_back({it->second, r, lattice});
    }
  }

  // Corners are shared where faces meet along an edge, so that each solid is one closed shell.
  // Faces meet pairwise along an edge, but where two blocks touch only along it four faces do:
  // there each block's two faces are joined, and blocks touching by an edge or a corner alone
  // stay separate shells that share no corner.
  std::vector<size_t> parent(faces.size() * 4);
  std::iota(parent.begin(), parent.end(), size_t{0});
  const auto root = [&](size_t c) {
    while (parent[c] != c) c = parent[c] = parent[parent[c]];
    return c;
  };
  const auto join = [&](size_t a, size_t b) { parent[root(a)] = root(b); };
  using Point = std::array<int, 3>;
  struct Side {
    size_t face;
    int from, to;  // corner positions of the edge's ends in the face
  };
  std::map<std::tuple<size_t, Point, Point>, std::vector<Side>> edges;
  for (size_t f = 0; f < faces.size(); ++f) {
    for (int i = 0; i < 4; ++i) {
      const int j = (i + 1) % 4;
      const Point& a = faces[f].corners[i];
      const Point& b = faces[f].corners[j];
      edges[{faces[f].group, std::min(a, b), std::max(a, b)}].push_back(a < b ? Side{f, i, j}
                                                                              : Side{f, j, i});
    }
  }
  const auto joinSides = [&](const Side& s, const Side& t) {
    join(s.face * 4 + s.from, t.face * 4 + t.from);
    join(s.face * 4 + s.to, t.face * 4 + t.to);
  };
  for (const auto& [edge, sides] : edges) {
    if (sides.size() == 2) {
      joinSides(sides[0], sides[1]);
    } else if (sides.size() == 4) {
      for (size_t i = 0; i < 4; ++i)
        for (size_t k = i + 1; k < 4; ++k)
          if (faces[sides[i].face].block == faces[sides[k].face].block)
            joinSides(sides[i], sides[k]);
    }
  }

  std::vector<std::uint32_t> vertexOf(parent.size(), UINT32_MAX);
  for (size_t f = 0; f < faces.size(); ++f) {
    SurfaceGroup& g = groups[faces[f].group];
    std::array<std::uint32_t, 4> quad;
    for (int i = 0; i < 4; ++i) {
      std::uint32_t& v = vertexOf[root(f * 4 + i)];
      if (v == UINT32_MAX) {
        const Point& l = faces[f].corners[i];
        v = static_cast<std::uint32_t>(g.vertices.size());
        g.vertices.push_back(
            {static_cast<float>(n - l[0]), static_cast<float>(l[1]), static_cast<float>(l[2])});
      }
      quad[i] = v;
    }
    g.quads.push_back(quad);
    g.quadColors.push_back(faces[f].block->color);
  }
  // A colour whose every block is hidden behind others has no face: it makes no group, since a
  // mesh without corners is no mesh to any writer (Assimp's scene copy shares such a mesh's
  // empty arrays with the original and frees them twice).
  std::erase_if(groups, [](const SurfaceGroup& g) { return g.quads.empty(); });
  return groups;
}

}  // namespace kubisto::output
