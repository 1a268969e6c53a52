#include "cli/vox_input.h"

#include <cstdio>
#include <stdexcept>

#include "cli/cli_error.h"
#include "workroom/room_commands.h"
#include "workroom/vox_file.h"

namespace kubisto::cli {

Layout LayoutFromVoxForCli(std::string_view bytes, const std::string& path) {
  VoxModel model;
  try {
    model = ParseVox(bytes);
  } catch (const std::runtime_error& error) {
    throw CliError(path + ": " + error.what(), kExitFailure);
  }
  if (model.models > 1) {
    std::fprintf(stderr, "kubisto: %s: %s\n", path.c_str(),
                 commands::SeveralModelsNote(model.models).c_str());
  }
  return model.layout;
}

}  // namespace kubisto::cli
