#include "output/export_stl.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "output/block_surface.h"
#include "output/output_error.h"

namespace kubisto::output {
namespace {

using Vec = std::array<float, 3>;

void PutFloat(std::string& out, float v) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &v, 4);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

void PutVec(std::string& out, const Vec& v) {
  for (float c : v) PutFloat(out, c);
}

}  // namespace

std::string FormatStl(const Layout& layout, float cellSize) {
  const auto groups = BuildSurface(layout.divide, layout.records, true);
  if (groups.empty())
    throw OutputError("the layout has no blocks, and a .stl model cannot be empty");
  const SurfaceGroup& g = groups[0];
  const float s = cellSize, n = static_cast<float>(layout.divide);
  // The z-up frame is the y-up one turned a quarter about x: its front (+z) comes to -y.
  const auto place = [&](const std::array<float, 3>& v) -> Vec {
    return {v[0] * s, (n - v[2]) * s, v[1] * s};
  };
  const auto triangles = static_cast<std::uint32_t>(2 * g.quads.size());
  std::string out(80, '\0');
  // A header that begins with "solid" would pass for a text STL with some readers.
  constexpr char kHeader[] = "Kubisto binary STL";
  std::memcpy(out.data(), kHeader, sizeof kHeader - 1);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((triangles >> (8 * i)) & 0xFF);
  out.reserve(out.size() + 50 * static_cast<size_t>(triangles));
  for (const auto& q : g.quads) {
    const Vec p[4] = {place(g.vertices[q[0]]), place(g.vertices[q[1]]), place(g.vertices[q[2]]),
                      place(g.vertices[q[3]])};
    // Counter-clockwise seen from outside: the corners' cross product points out.
    const Vec a = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
    const Vec b = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
    Vec normal = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    const float length =
        std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
    for (float& c : normal) c = length > 0 ? c / length + 0.0f : 0.0f;  // + 0: no "-0"
    for (const auto& tri : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
      PutVec(out, normal);
      for (int i : tri) PutVec(out, p[i]);
      out += std::string(2, '\0');  // the attribute byte count, unused
    }
  }
  return out;
}

void ExportStl(const Layout& layout, const std::string& stagedPath, float cellSize) {
  const std::string bytes = FormatStl(layout, cellSize);
  std::ofstream out(stagedPath, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw OutputError("the model could not be written");
}

}  // namespace kubisto::output
