#include "app/paths.h"

#include "platform/paths.h"

namespace kubisto::app {

namespace {
std::string g_override;
}

std::string ProgramDir() {
  if (!g_override.empty()) return g_override;
  return platform::ProgramDirectory();
}

void SetProgramDir(const std::string& dir) { g_override = dir; }

std::string NativePath(const std::string& path) { return platform::NativePath(path); }

}  // namespace kubisto::app
