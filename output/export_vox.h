// Writing a layout as a voxel model (.vox), with the palette of its colours.
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::output {

// Writes the model to stagedPath; throws OutputError for a layout of more than 255 colours
// or a file that cannot be written.
void ExportVox(const Layout& layout, const std::string& stagedPath);

}  // namespace kubisto::output
