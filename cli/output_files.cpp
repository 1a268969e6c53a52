#include "cli/output_files.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "cli/cli_error.h"
#include "platform/replace_file.h"

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

// Where saving to path writes, by the rule every writer of the program keeps: links followed,
// special files and other users' planted links refused.
std::string SaveTarget(const std::string& path) {
  try {
    return platform::ResolveSaveTarget(path);
  } catch (const platform::SaveRefused& refused) {
    throw CliError("cannot write " + path + ": " + refused.Reason(), kExitFailure);
  } catch (const std::runtime_error& error) {
    throw CliError(std::string("cannot write ") + error.what(), kExitFailure);
  }
}

}  // namespace

StagedOutput::StagedOutput(const std::string& target)
    : m_target(SaveTarget(target)), m_folder(FolderOf(m_target)) {
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

void StagedOutput::Commit() {
  if (::access(Staged().c_str(), F_OK) != 0)
    throw CliError("cannot write " + m_target + ": nothing was written", kExitFailure);
  // Every final name is checked before the first is replaced.
  std::vector<std::pair<std::string, std::string>> moves;
  for (const std::string& name : FilesIn(m_stage))
    moves.emplace_back(m_stage + "/" + name, SaveTarget(m_folder + "/" + name));
  for (const auto& [from, to] : moves) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
      throw CliError("cannot write " + to + ": " + std::strerror(errno), kExitFailure);
  }
}

}  // namespace kubisto::cli
