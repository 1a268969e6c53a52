// The 3D printing package (.3mf): one object of shared vertices whose triangles carry their block's
// base material, z up, millimetres. Written here because Assimp's 3MF exporter splits an object
// into several meshes (which the format does not allow) and spoils most display colours.
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::output {

// Writes the package at stagedPath. Throws OutputError on failure.
void Export3mf(const Layout& layout, const std::string& stagedPath, float cellSize);

}  // namespace kubisto::output
