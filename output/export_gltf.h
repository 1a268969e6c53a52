// glTF 2.0 models, written by hand (no Assimp): one mesh per colour of triangles over shared
// corners (each solid keeps its own), one material per colour with its base colour in linear
// light, positions in metres (cellSize / 1000 per cell), right-handed, y up, front towards +z.
// The meshes hang as children of one node named "layout".
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::output {

struct GltfFiles {
  std::string model;   // the .gltf JSON text, or the whole .glb
  std::string buffer;  // the .bin beside a .gltf; empty for a .glb or a model without blocks
};

// The model's bytes. bufferName names the .bin in a .gltf (written percent-encoded); unused for a
// .glb. An empty layout gives a valid model without meshes and without a buffer.
GltfFiles FormatGltf(const Layout& layout, float cellSize, bool binary,
                     const std::string& bufferName);

// A file name as a relative URI: every byte but the unreserved ones percent-encoded, so that a
// name with "#", "?", "%", spaces or non-ASCII letters still names the file.
std::string UriOfName(const std::string& name);

// Writes the model to stagedPath (a .gltf's buffer beside it, named after it with ".bin").
// Throws OutputError (exit 1) when a file cannot be written.
void ExportGltf(const Layout& layout, const std::string& stagedPath, float cellSize, bool binary);

}  // namespace kubisto::output
