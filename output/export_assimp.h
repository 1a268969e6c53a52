// The model formats written through Assimp's exporters: .ply in the program (glTF, STL, OBJ and
// 3MF have writers of their own, which need no Assimp).
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::output {

// format: Assimp's exporter id ("obj", "ply", "stlb", "gltf2", "glb2"). Writes the model to
// stagedPath (companion files beside it). Throws OutputError on failure.
void ExportWithAssimp(const Layout& layout, const std::string& format,
                      const std::string& stagedPath, float cellSize);

}  // namespace kubisto::output
