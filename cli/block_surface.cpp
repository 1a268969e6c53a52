#include "cli/block_surface.h"

#include <map>
#include <tuple>
#include <vector>

namespace kubisto::cli {
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
                                       bool oneGroup) {
  const int n = divide;
  const auto cellIndex = [n](int x, int y, int z) {
    return (static_cast<size_t>(x) * n + y) * n + z;
  };
  std::vector<bool> filled(static_cast<size_t>(n) * n * n, false);
  std::vector<const LayoutRecord*> placed;
  for (const LayoutRecord& r : blocks) {
    if (r.x < 0 || r.y < 0 || r.z < 0 || r.x >= n || r.y >= n || r.z >= n) continue;
    if (filled[cellIndex(r.x, r.y, r.z)]) continue;
    filled[cellIndex(r.x, r.y, r.z)] = true;
    placed.push_back(&r);
  }
  const auto occupied = [&](int x, int y, int z) {
    return x >= 0 && y >= 0 && z >= 0 && x < n && y < n && z < n && filled[cellIndex(x, y, z)];
  };

  std::vector<SurfaceGroup> groups;
  std::map<std::int32_t, size_t> groupOf;
  std::vector<std::map<std::tuple<int, int, int>, std::uint32_t>> cornerIndex;
  for (const LayoutRecord* r : placed) {
    const std::int32_t key = oneGroup ? 0 : r->color;
    auto [it, added] = groupOf.try_emplace(key, groups.size());
    if (added) {
      groups.push_back({r->color, {}, {}});
      cornerIndex.emplace_back();
    }
    SurfaceGroup& g = groups[it->second];
    auto& corners = cornerIndex[it->second];
    for (const Direction& d : kDirections) {
      if (occupied(r->x + d.dx, r->y + d.dy, r->z + d.dz)) continue;
      const auto lattice = FaceCorners(r->x, r->y, r->z, d);
      std::array<std::array<float, 3>, 4> p;
      std::array<std::uint32_t, 4> quad;
      for (int i = 0; i < 4; ++i) {
        const auto& l = lattice[i];
        // Cell x grows to the left of the front view, cell z towards the viewer.
        p[i] = {static_cast<float>(n - l[0]), static_cast<float>(l[1]), static_cast<float>(l[2])};
        auto [ci, fresh] =
            corners.try_emplace({l[0], l[1], l[2]}, static_cast<std::uint32_t>(g.vertices.size()));
        if (fresh) g.vertices.push_back(p[i]);
        quad[i] = ci->second;
      }
      // Counter-clockwise seen from outside: the corners' normal points along the outward direction
      // (which the mirrored x turns round).
      const float ax = p[1][0] - p[0][0], ay = p[1][1] - p[0][1], az = p[1][2] - p[0][2];
      const float bx = p[2][0] - p[0][0], by = p[2][1] - p[0][1], bz = p[2][2] - p[0][2];
      const float nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
      const float outward = nx * static_cast<float>(-d.dx) + ny * static_cast<float>(d.dy) +
                            nz * static_cast<float>(d.dz);
      if (outward < 0) std::swap(quad[1], quad[3]);
      g.quads.push_back(quad);
    }
  }
  // A colour whose every block is hidden behind others has no face: it makes no group, since a
  // mesh without corners is no mesh to any writer (Assimp's scene copy shares such a mesh's
  // empty arrays with the original and frees them twice).
  std::erase_if(groups, [](const SurfaceGroup& g) { return g.quads.empty(); });
  return groups;
}

}  // namespace kubisto::cli
