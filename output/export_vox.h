// Writing a layout as a voxel model (.vox), with the palette of its colours.
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::cli {

// Writes the model to stagedPath; throws CliError (exit 1) for a layout of more than 255 colours
// or a file that cannot be written.
void ExportVox(const Layout& layout, const std::string& stagedPath);

}  // namespace kubisto::cli
