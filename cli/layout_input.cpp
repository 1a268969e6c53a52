#include "cli/layout_input.h"

#include "cli/cli_error.h"
#include "cli/vox_input.h"
#include "workroom/vox_file.h"

namespace kubisto::cli {

Layout ReadLayoutForCli(const std::string& path) {
  // The same reader as the window's, with its limits: special files are refused, not waited on.
  // The message box's wording ("Layout file "F", line N: reason") becomes "F: line N: reason".
  try {
    const std::string bytes = ReadLayoutBytes(path);
    // A voxel model opens as a layout (cli/vox_input.h).
    if (IsVoxData(bytes)) return LayoutFromVoxForCli(bytes, path);
    return ParseLayout(bytes, path);
  } catch (const LayoutError& error) {
    if (error.Line() > 0)
      throw CliError(path + ": line " + std::to_string(error.Line()) + ": " + error.Reason(),
                     kExitFailure);
    throw CliError(path + ": " + error.Reason(), kExitFailure);
  }
}

}  // namespace kubisto::cli
