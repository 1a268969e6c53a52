// Reading a voxel model where the command line reads a layout.
#pragma once

#include <string>
#include <string_view>

#include "workroom/layout_file.h"

namespace kubisto::cli {

// The first model of a .vox file's bytes as a layout. Throws CliError (exit 1) worded
// "FILE: reason"; a file of several models is read and standard error says that its first was.
Layout LayoutFromVoxForCli(std::string_view bytes, const std::string& path);

}  // namespace kubisto::cli
