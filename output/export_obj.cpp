#include "output/export_obj.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <vector>

#include "output/block_surface.h"
#include "output/output_error.h"

namespace kubisto::output {
namespace {

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", v == 0 ? 0.0 : v);  // no "-0"
  return text;
}

std::string MaterialName(std::int32_t color) {
  char name[32];
  const auto c = static_cast<unsigned>(color);
  std::snprintf(name, sizeof name, "block_%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF,
                (c >> 16) & 0xFF);
  return name;
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw OutputError("the model could not be written");
}

}  // namespace

ObjFiles FormatObj(const Layout& layout, float cellSize, const std::string& library) {
  // One group for the corners (shared across colours), the colours taken per face.
  const auto groups = BuildSurface(layout.divide, layout.records, true);

  std::string obj = "# Kubisto\nmtllib " + library + "\n";
  std::string mtl = "# Kubisto\n";
  if (!groups.empty()) {
    const SurfaceGroup& g = groups[0];
    for (const auto& v : g.vertices) {
      obj += "v " + Number(v[0] * cellSize) + " " + Number(v[1] * cellSize) + " " +
             Number(v[2] * cellSize) + "\n";
    }
    // The six directions, and each face's: the axis along which its corners do not move, on the
    // side its counter-clockwise corners face.
    static const char* const kNormals[6] = {"vn 1 0 0",  "vn -1 0 0", "vn 0 1 0",
                                            "vn 0 -1 0", "vn 0 0 1",  "vn 0 0 -1"};
    for (const char* n : kNormals) obj += std::string(n) + "\n";
    const auto normalOf = [&](const std::array<std::uint32_t, 4>& q) {
      const auto& a = g.vertices[q[0]];
      const auto& b = g.vertices[q[1]];
      const auto& c = g.vertices[q[2]];
      const float cross[3] = {(b[1] - a[1]) * (c[2] - a[2]) - (b[2] - a[2]) * (c[1] - a[1]),
                              (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]),
                              (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])};
      for (int axis = 0; axis < 3; ++axis)
        if (cross[axis] != 0) return 1 + 2 * axis + (cross[axis] > 0 ? 0 : 1);
      return 1;
    };
    // The faces by colour, the colours in the order they first appear.
    std::map<std::int32_t, std::size_t> order;
    std::vector<std::vector<std::size_t>> facesOf;
    std::vector<std::int32_t> colours;
    for (std::size_t q = 0; q < g.quads.size(); ++q) {
      auto [it, added] = order.try_emplace(g.quadColors[q], colours.size());
      if (added) {
        colours.push_back(g.quadColors[q]);
        facesOf.emplace_back();
      }
      facesOf[it->second].push_back(q);
    }
    for (std::size_t k = 0; k < colours.size(); ++k) {
      const std::string material = MaterialName(colours[k]);
      obj.append("g blocks_").append(std::to_string(k)).append("\nusemtl ");
      obj.append(material).append("\n");
      for (std::size_t q : facesOf[k]) {
        const std::string n = std::to_string(normalOf(g.quads[q]));
        obj += "f";
        for (std::uint32_t v : g.quads[q])
          obj.append(" ").append(std::to_string(v + 1)).append("//").append(n);
        obj += "\n";
      }
      const auto rgb = ColorRGB(colours[k]);
      mtl += "newmtl " + material + "\nKd " + Number(rgb[0]) + " " + Number(rgb[1]) + " " +
             Number(rgb[2]) + "\nillum 1\n";
    }
  }
  return {obj, mtl};
}

void ExportObj(const Layout& layout, const std::string& stagedPath, float cellSize) {
  const auto slash = stagedPath.find_last_of('/');
  const std::string name = slash == std::string::npos ? stagedPath : stagedPath.substr(slash + 1);
  const std::string library = name.substr(0, name.find_last_of('.')) + ".mtl";
  const std::string folder = slash == std::string::npos ? "." : stagedPath.substr(0, slash);
  const ObjFiles files = FormatObj(layout, cellSize, library);
  Write(stagedPath, files.model);
  Write(folder + "/" + library, files.materials);
}

}  // namespace kubisto::output
