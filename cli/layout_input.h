// Reading the layout a verb works on, with its errors worded for the command line.
#pragma once

#include <string>

#include "workroom/layout_file.h"

namespace kubisto::cli {

// Reads and checks a layout file. Throws CliError (exit 1) worded "FILE: line N: reason" for a bad
// file and "FILE: reason" for one that cannot be read.
Layout ReadLayoutForCli(const std::string& path);

}  // namespace kubisto::cli
