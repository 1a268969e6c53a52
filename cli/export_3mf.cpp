#include "cli/export_3mf.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <tuple>

#include "cli/block_surface.h"
#include "cli/cli_error.h"
#include "cli/zip_writer.h"

namespace kubisto::cli {
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

std::string ModelXml(const Layout& layout, float s) {
  const auto groups = BuildSurface(layout.divide, layout.records, false);
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<model unit=\"millimeter\" xml:lang=\"en-US\" "
      "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n<resources>\n";
  if (groups.empty()) return xml + "</resources>\n<build/>\n</model>\n";

  xml += "<basematerials id=\"1\">\n";
  for (const SurfaceGroup& g : groups) {
    const auto c = static_cast<unsigned>(g.color);
    char base[96];
    std::snprintf(
        base, sizeof base, "<base name=\"block_%02X%02X%02X\" displaycolor=\"#%02X%02X%02XFF\"/>\n",
        c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    xml += base;
  }
  xml +=
      "</basematerials>\n<object id=\"2\" type=\"model\" pid=\"1\" "
      "pindex=\"0\">\n<mesh>\n<vertices>\n";
  // Z up with the front towards -y; corners shared by the whole object.
  const float n = static_cast<float>(layout.divide);
  std::map<std::tuple<float, float, float>, std::size_t> index;
  std::string triangles;
  for (std::size_t gi = 0; gi < groups.size(); ++gi) {
    const SurfaceGroup& g = groups[gi];
    for (const auto& q : g.quads) {
      std::size_t at[4];
      for (int i = 0; i < 4; ++i) {
        const auto& v = g.vertices[q[i]];
        const auto key = std::make_tuple(v[0] * s, (n - v[2]) * s, v[1] * s);
        auto [it, added] = index.try_emplace(key, index.size());
        if (added) {
          xml += "<vertex x=\"" + Number(std::get<0>(key)) + "\" y=\"" + Number(std::get<1>(key)) +
                 "\" z=\"" + Number(std::get<2>(key)) + "\"/>\n";
        }
        at[i] = it->second;
      }
      for (const auto& t :
           {std::array<std::size_t, 3>{at[0], at[1], at[2]}, {at[0], at[2], at[3]}}) {
        triangles += "<triangle v1=\"" + std::to_string(t[0]) + "\" v2=\"" + std::to_string(t[1]) +
                     "\" v3=\"" + std::to_string(t[2]) + "\" pid=\"1\" p1=\"" + std::to_string(gi) +
                     "\"/>\n";
      }
    }
  }
  xml +=
      "</vertices>\n<triangles>\n" + triangles + "</triangles>\n</mesh>\n</object>\n</resources>\n";
  xml += "<build>\n<item objectid=\"2\"/>\n</build>\n</model>\n";
  return xml;
}

}  // namespace

void Export3mf(const Layout& layout, const std::string& stagedPath, float cellSize) {
  std::string archive;
  if (!ZipArchive({{"[Content_Types].xml", kContentTypes},
                   {"_rels/.rels", kRelationships},
                   {"3D/3dmodel.model", ModelXml(layout, cellSize)}},
                  archive))
    throw CliError("the package could not be compressed", kExitFailure);
  std::ofstream out(stagedPath, std::ios::binary);
  out.write(archive.data(), static_cast<std::streamsize>(archive.size()));
  out.close();
  if (!out)
    throw CliError(std::string("the package could not be written: ") + std::strerror(errno),
                   kExitFailure);
}

}  // namespace kubisto::cli
