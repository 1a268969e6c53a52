#include "output/export_model.h"

#include <algorithm>
#include <cctype>

#include "output/export_3mf.h"
#if KUBISTO_WITH_ASSIMP
#include "output/export_assimp.h"
#endif
#include "output/export_gltf.h"
#include "output/export_obj.h"
#include "output/export_stl.h"
#include "output/export_vox.h"
#include "output/export_xfile.h"
#include "output/output_error.h"
#include "output/output_files.h"

namespace kubisto::output {
namespace {

struct Format {
  const char* extension;
  const char* assimpId;  // nullptr: the engine's writer (.x) or our own
};
// .ply only through Assimp: a build without it offers the others.
constexpr Format kFormats[] = {{".obj", nullptr},
#if KUBISTO_WITH_ASSIMP
                               {".ply", "ply"},
#endif
                               {".stl", nullptr}, {".gltf", nullptr}, {".glb", nullptr},
                               {".3mf", nullptr}, {".x", nullptr},    {".vox", nullptr}};

std::string LowerExtension(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

}  // namespace

const std::vector<std::string>& ExportExtensions() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> l;
    for (const Format& f : kFormats) l.emplace_back(f.extension);
    return l;
  }();
  return list;
}

std::string ExportExtensionList() {
  std::string list;
  for (const std::string& e : ExportExtensions()) list += (list.empty() ? "" : " ") + e;
  return list;
}

bool IsExportPath(const std::string& path) {
  const std::string ext = LowerExtension(path);
  for (const Format& f : kFormats)
    if (ext == f.extension) return true;
  return false;
}

void ExportLayout(const Layout& layout, const std::string& path, float cellSize) {
  const std::string ext = LowerExtension(path);
  const Format* format = nullptr;
  for (const Format& f : kFormats)
    if (ext == f.extension) format = &f;
  if (format == nullptr) {
    throw OutputError(
        path + ": cannot export to \"" + ext + "\"; supported: " + ExportExtensionList(),
        OutputError::Cause::kRequest);
  }
  StagedOutput out(path);
  if (ext == ".obj") {
    ExportObj(layout, out.Staged(), cellSize);
  } else if (ext == ".3mf") {
    Export3mf(layout, out.Staged(), cellSize);
  } else if (ext == ".stl") {
    ExportStl(layout, out.Staged(), cellSize);
  } else if (ext == ".gltf" || ext == ".glb") {
    ExportGltf(layout, out.Staged(), cellSize, ext == ".glb");
#if KUBISTO_WITH_ASSIMP
  } else if (format->assimpId != nullptr) {
    ExportWithAssimp(layout, format->assimpId, out.Staged(), cellSize);
#endif
  } else if (ext == ".x") {
    ExportXFile(layout, out.Staged(), cellSize);
  } else if (ext == ".vox") {
    ExportVox(layout, out.Staged());
  }
  out.Commit();
}

}  // namespace kubisto::output
