#include "scene/library_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <vector>

#include "scene/errors.h"

namespace kubisto {
namespace {

// The folder of the running program; empty when /proc/self/exe cannot be read.
std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : exe.parent_path().string();
}

std::string LastDlError() {
  const char* message = dlerror();
  return message ? message : "unknown error";
}

}  // namespace

void* LoadLibraryBesideProgram(const std::string& fileName) {
  std::vector<std::string> candidates;
  if (fileName.find('/') == std::string::npos) {
    const std::string folder = ProgramFolder();
    if (!folder.empty()) candidates.push_back(folder + "/" + fileName);
  }
  candidates.push_back(fileName);

  std::string reasons;
  bool found = false;  // a file was there but would not load
  for (const std::string& candidate : candidates) {
    dlerror();
    if (void* library = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
    reasons += (reasons.empty() ? "" : "; ") + LastDlError();
    std::error_code error;
    if (candidate.find('/') != std::string::npos && std::filesystem::exists(candidate, error)) {
      found = true;
    }
  }
  if (found) throw BindingError(48, "Error in loading library: " + fileName + " (" + reasons + ")");
  throw BindingError(53, "File not found: " + fileName + " (" + reasons + ")");
}

void* FindExport(void* library, const char* exportName, const std::string& libraryName) {
  dlerror();
  void* address = dlsym(library, exportName);
  if (address == nullptr) {
    throw BindingError(453,
                       std::string("Can't find entry point ") + exportName + " in " + libraryName);
  }
  return address;
}

}  // namespace kubisto
