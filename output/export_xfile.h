// The engine's own mesh file (.x), written by the engine's mesh writer through the scene classes.
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::output {

// Writes the model as a text mesh file at stagedPath. Throws OutputError on failure.
void ExportXFile(const Layout& layout, const std::string& stagedPath, float cellSize);

}  // namespace kubisto::output
