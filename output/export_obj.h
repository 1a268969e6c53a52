// Writing a layout as a Wavefront OBJ model with its MTL material library beside it.
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::output {

// Writes the model to stagedPath and its materials to the same name with ".mtl"; throws OutputError
// when they cannot be written. Positions are shared by every face that meets there,
// whatever its colour, except where blocks touch only along an edge or at a corner: each solid
// keeps its own. Every face carries its flat normal; one material per colour.
void ExportObj(const Layout& layout, const std::string& stagedPath, float cellSize);

struct ObjFiles {
  std::string model;      // the .obj text, which names its library
  std::string materials;  // the .mtl text
};

// The two files' text, the model naming libraryName as its material library.
ObjFiles FormatObj(const Layout& layout, float cellSize, const std::string& libraryName);

}  // namespace kubisto::output
