#include "cli/layout_input.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>

#include "cli/cli_error.h"
#include "cli/vox_input.h"
#include "workroom/vox_file.h"

namespace kubisto::cli {

Layout ReadLayoutForCli(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CliError(path + ": " + std::strerror(errno), kExitFailure);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw CliError(path + ": " + std::strerror(errno), kExitFailure);
  // A voxel model opens as a layout (cli/vox_input.h).
  if (IsVoxData(bytes)) return LayoutFromVoxForCli(bytes, path);
  try {
    return ParseLayout(bytes, path);
  } catch (const std::runtime_error& error) {
    // The parser words its errors for a message box: "Layout file "F", line N: reason".
    static const std::regex worded(R"(^Layout file ".*", line (\d+): ([\s\S]*)$)");
    std::cmatch m;
    if (std::regex_match(error.what(), m, worded))
      throw CliError(path + ": line " + m[1].str() + ": " + m[2].str(), kExitFailure);
    throw CliError(path + ": " + error.what(), kExitFailure);
  }
}

}  // namespace kubisto::cli
