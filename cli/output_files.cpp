#include "cli/output_files.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli_error.h"

namespace kubisto::cli {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}

}  // namespace

StagedOutput::StagedOutput(const std::string& target)
    : m_target(target), m_folder(FolderOf(target)) {
  std::string pattern = m_folder + "/.kubisto-out-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr)
    throw CliError("cannot write " + target + ": " + std::strerror(errno), kExitFailure);
  m_stage = pattern;
}

StagedOutput::~StagedOutput() {
  for (const std::string& name : FilesIn(m_stage)) std::remove((m_stage + "/" + name).c_str());
  ::rmdir(m_stage.c_str());
}

std::string StagedOutput::Staged() const { return m_stage + "/" + NameOf(m_target); }

std::string StagedOutput::StagedSibling(const std::string& fileName) const {
  return m_stage + "/" + fileName;
}

void StagedOutput::Commit() {
  if (::access(Staged().c_str(), F_OK) != 0)
    throw CliError("cannot write " + m_target + ": nothing was written", kExitFailure);
  for (const std::string& name : FilesIn(m_stage)) {
    const std::string to = m_folder + "/" + name;
    if (std::rename((m_stage + "/" + name).c_str(), to.c_str()) != 0)
      throw CliError("cannot write " + to + ": " + std::strerror(errno), kExitFailure);
  }
}

}  // namespace kubisto::cli
