#include "output/export_3mf.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "output/block_surface.h"
#include "output/output_error.h"
#include "output/zip_writer.h"

namespace kubisto::output {
namespace {

constexpr char kContentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"model\" "
    "ContentType=\"application/vnd.ms-package.3dmanufacturing-3dmodel+xml\"/></Types>\n";

constexpr char kRelationships[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Target=\"/3D/3dmodel.model\" Id=\"rel0\" "
    "Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel\"/></Relationships>\n";

std::string Number(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", static_cast<double>(v));
  return text;
}

// One closed object per colour, each with its base material: slicers keep objects apart as parts
// that a multi-material printer can be given, where they drop colours given per triangle.
std::string ModelXml(const Layout& layout, float s) {
  const auto groups = BuildSurface(layout.divide, layout.records, false, true);
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<model unit=\"millimeter\" xml:lang=\"en-US\" "
      "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n<resources>\n";
  xml += "<basematerials id=\"1\">\n";
  for (const SurfaceGroup& g : groups) {
    const auto c = static_cast<unsigned>(g.color);
    char base[96];
    std::snprintf(
        base, sizeof base, "<base name=\"block_%02X%02X%02X\" displaycolor=\"#%02X%02X%02XFF\"/>\n",
        c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    xml += base;
  }
  xml += "</basematerials>\n";
  // Z up with the front towards -y.
  const float n = static_cast<float>(layout.divide);
  std::string build = "<build>\n";
  for (std::size_t gi = 0; gi < groups.size(); ++gi) {
    const SurfaceGroup& g = groups[gi];
    const std::string id = std::to_string(gi + 2);
    xml += "<object id=\"" + id + "\" type=\"model\" pid=\"1\" pindex=\"" + std::to_string(gi) +
           "\">\n<mesh>\n<vertices>\n";
    for (const auto& v : g.vertices) {
      xml += "<vertex x=\"" + Number(v[0] * s) + "\" y=\"" + Number((n - v[2]) * s) + "\" z=\"" +
             Number(v[1] * s) + "\"/>\n";
    }
    xml += "</vertices>\n<triangles>\n";
    for (const auto& q : g.quads) {
      for (const auto& t : {std::array<std::uint32_t, 3>{q[0], q[1], q[2]}, {q[0], q[2], q[3]}}) {
        xml += "<triangle v1=\"" + std::to_string(t[0]) + "\" v2=\"" + std::to_string(t[1]) +
               "\" v3=\"" + std::to_string(t[2]) + "\"/>\n";
      }
    }
    xml += "</triangles>\n</mesh>\n</object>\n";
    build += "<item objectid=\"" + id + "\"/>\n";
  }
  return xml + "</resources>\n" + build + "</build>\n</model>\n";
}

}  // namespace

void Export3mf(const Layout& layout, const std::string& stagedPath, float cellSize) {
  // Slicers refuse a package without an object as a broken file.
  if (BuildSurface(layout.divide, layout.records, true).empty())
    throw OutputError("the layout has no blocks, and a .3mf model cannot be empty");
  std::string archive;
  if (!ZipArchive({{"[Content_Types].xml", kContentTypes},
                   {"_rels/.rels", kRelationships},
                   {"3D/3dmodel.model", ModelXml(layout, cellSize)}},
                  archive))
    throw OutputError("the package could not be compressed");
  std::ofstream out(stagedPath, std::ios::binary);
  out.write(archive.data(), static_cast<std::streamsize>(archive.size()));
  out.close();
  if (!out)
    throw OutputError(std::string("the package could not be written: ") + std::strerror(errno));
}

}  // namespace kubisto::output
