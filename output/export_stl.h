// Binary STL, written by hand (no Assimp): every face of the blocks' surface as two triangles with
// its own flat facet normal, right-handed, z up, front towards -y, millimetres (cellSize per cell),
// the origin at the room's corner.
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::output {

// The file's bytes. Throws OutputError (exit 1) for a layout without blocks: slicers and mesh tools
// refuse an STL without facets as a broken file.
std::string FormatStl(const Layout& layout, float cellSize);

// Writes FormatStl's bytes to stagedPath; throws OutputError (exit 1) on failure.
void ExportStl(const Layout& layout, const std::string& stagedPath, float cellSize);

}  // namespace kubisto::output
