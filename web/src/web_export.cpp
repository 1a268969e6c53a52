// Model exports for the browser: a layout's bytes in, the model's files out, written by the very
// writers of the desktop's --export (output/: the block surface, glTF, STL and OBJ; the .vox of the
// workroom). Formats: ".gltf" (the JSON and its ".bin"), ".glb", ".obj" (the model and its ".mtl"),
// ".stl" and ".vox" (one file each); .ply, .3mf and .x need libraries the web build has not.
//
// One call per export, then one query per file:
//   int n = kubisto_export(kbs, size, ".gltf", 10.0f, "name");   // n files, 0 on failure
//   kubisto_export_name(i), kubisto_export_data(i), kubisto_export_size(i)   for i in 0..n-1
// The files' names are the stem with their extensions (the first file is the model itself); the
// model refers to its companion by that name. They stay valid until the next kubisto_export. On
// failure kubisto_export_error() says why ("" after a success). The layout may be a .kbs or a
// .vox file's bytes. Nothing here throws or reads a null address.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "output/export_gltf.h"
#include "output/export_obj.h"
#include "output/export_stl.h"
#include "workroom/layout_file.h"
#include "workroom/vox_file.h"

namespace {

struct ExportedFile {
  std::string name;
  std::string bytes;
};

std::vector<ExportedFile> g_files;
std::string g_exportError;

// A stem safe as a download's name and inside the model's reference to its companion.
std::string CleanStem(const char* stem) {
  std::string clean;
  if (stem != nullptr)
    for (const char* c = stem; *c != '\0' && clean.size() < 200; ++c)
      clean += (*c == '/' || *c == '\\' || static_cast<unsigned char>(*c) < 0x20) ? '_' : *c;
  return clean.empty() ? "kubisto" : clean;
}

std::vector<ExportedFile> Export(std::string_view input, const std::string& format, float cellSize,
                                 const std::string& stem) {
  if (!(cellSize > 0.0f) || !std::isfinite(cellSize) || cellSize > 1.0e6f)
    throw std::invalid_argument("the cell size must be a positive number");
  const kubisto::Layout layout = kubisto::IsVoxData(input)
                                     ? kubisto::ReadVoxLayout(input, stem + ".vox")
                                     : kubisto::ParseLayout(input, stem + ".kbs");
  namespace output = kubisto::output;
  if (format == ".gltf" || format == ".glb") {
    const bool binary = format == ".glb";
    output::GltfFiles files = output::FormatGltf(layout, cellSize, binary, stem + ".bin");
    std::vector<ExportedFile> out = {{stem + format, std::move(files.model)}};
    if (!files.buffer.empty()) out.push_back({stem + ".bin", std::move(files.buffer)});
    return out;
  }
  if (format == ".obj") {
    output::ObjFiles files = output::FormatObj(layout, cellSize, stem + ".mtl");
    return {{stem + ".obj", std::move(files.model)}, {stem + ".mtl", std::move(files.materials)}};
  }
  if (format == ".stl") return {{stem + ".stl", output::FormatStl(layout, cellSize)}};
  if (format == ".vox") return {{stem + ".vox", kubisto::FormatVox(layout)}};
  throw std::invalid_argument("cannot export to \"" + format +
                              "\"; supported: .gltf .glb .obj .stl .vox");
}

const ExportedFile* FileAt(int index) {
  if (index < 0 || static_cast<size_t>(index) >= g_files.size()) return nullptr;
  return &g_files[static_cast<size_t>(index)];
}

}  // namespace

extern "C" {

// Exports the layout in bytes[0..size) to format (".gltf", ".glb", ".obj", ".stl", ".vox") with
// cells of cellSize (the desktop's default is 10); stem names the files. The number of files, or
// 0 on failure.
EMSCRIPTEN_KEEPALIVE int kubisto_export(const char* bytes, int size, const char* format,
                                        float cellSize, const char* stem) {
  try {
    g_files.clear();
    g_exportError.clear();
    if (bytes == nullptr || size < 0) throw std::invalid_argument("no layout bytes");
    if (format == nullptr) throw std::invalid_argument("no format");
    g_files = Export(std::string_view(bytes, static_cast<size_t>(size)), format, cellSize,
                     CleanStem(stem));
    return static_cast<int>(g_files.size());
  } catch (const std::exception& e) {
    g_files.clear();
    g_exportError = e.what();
  } catch (...) {
    g_files.clear();
    g_exportError = "the model could not be made";
  }
  return 0;
}

// The i-th file of the last export: its name ("" when there is none), its bytes (null when there
// is none) and their count (0).
EMSCRIPTEN_KEEPALIVE const char* kubisto_export_name(int index) {
  const ExportedFile* file = FileAt(index);
  return file != nullptr ? file->name.c_str() : "";
}

EMSCRIPTEN_KEEPALIVE const char* kubisto_export_data(int index) {
  const ExportedFile* file = FileAt(index);
  return file != nullptr ? file->bytes.data() : nullptr;
}

EMSCRIPTEN_KEEPALIVE int kubisto_export_size(int index) {
  const ExportedFile* file = FileAt(index);
  return file != nullptr ? static_cast<int>(file->bytes.size()) : 0;
}

// Why the last export failed; "" after one that succeeded.
EMSCRIPTEN_KEEPALIVE const char* kubisto_export_error() { return g_exportError.c_str(); }

}  // extern "C"
