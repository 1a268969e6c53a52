#include "output/output_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "output/output_error.h"
#include "platform/replace_file.h"

namespace kubisto::output {
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
    throw OutputError("cannot write " + path + ": " + refused.Reason());
  } catch (const std::runtime_error& error) {
    throw OutputError(std::string("cannot write ") + error.what());
  }
}

// The staging folders alive now, kept where a signal handler can read them without allocating.
struct StageSlot {
  std::atomic<int> state{0};  // 0 free, 1 being filled or emptied, 2 holds a folder
  char folder[PATH_MAX];
};
StageSlot g_stages[8];

void Register(const std::string& folder) {
  if (folder.size() >= PATH_MAX) return;
  for (StageSlot& slot : g_stages) {
    int expected = 0;
    if (!slot.state.compare_exchange_strong(expected, 1)) continue;
    std::memcpy(slot.folder, folder.c_str(), folder.size() + 1);
    slot.state.store(2);
    return;
  }
}

void Unregister(const std::string& folder) {
  for (StageSlot& slot : g_stages) {
    int expected = 2;
    if (!slot.state.compare_exchange_strong(expected, 1)) continue;
    if (folder == slot.folder) {
      slot.state.store(0);
      return;
    }
    slot.state.store(2);
  }
}

// Empties and removes a folder with system calls alone (safe in a signal handler).
void RemoveFolderNow(const char* folder) {
  const int dir = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    alignas(8) char buffer[4096];
    long got;
    while ((got = ::syscall(SYS_getdents64, dir, buffer, sizeof buffer)) > 0) {
      for (long at = 0; at < got;) {
        // struct linux_dirent64: inode (8), offset (8), record length (2), type (1), name.
        unsigned short length;
        std::memcpy(&length, buffer + at + 16, sizeof length);
        const char* name = buffer + at + 19;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) ::unlinkat(dir, name, 0);
        at += length;
      }
    }
    ::close(dir);
  }
  ::rmdir(folder);
}

constexpr int kEndingSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGABRT, SIGSEGV,
                                  SIGBUS, SIGFPE, SIGILL,  SIGXFSZ, SIGXCPU};
struct sigaction g_previous[std::size(kEndingSignals)];

void RemoveStagesAndGoOn(int signal) {
  const int savedErrno = errno;
  for (StageSlot& slot : g_stages) {
    int expected = 2;
    if (slot.state.compare_exchange_strong(expected, 1)) RemoveFolderNow(slot.folder);
  }
  // The signal again, as it was handled before: it ends the program (or reaches a sanitizer's
  // handler) once this handler returns.
  for (size_t i = 0; i < std::size(kEndingSignals); ++i)
    if (kEndingSignals[i] == signal) ::sigaction(signal, &g_previous[i], nullptr);
  ::raise(signal);
  errno = savedErrno;
}

}  // namespace

void RemoveStagingOnSignals() {
  static std::atomic<bool> installed{false};
  if (installed.exchange(true)) return;
  for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
    struct sigaction action {};
    action.sa_handler = RemoveStagesAndGoOn;
    sigemptyset(&action.sa_mask);
    for (int other : kEndingSignals) sigaddset(&action.sa_mask, other);
    ::sigaction(kEndingSignals[i], &action, &g_previous[i]);
    // A signal the program was started to ignore (nohup, a background job) stays ignored.
    if (!(g_previous[i].sa_flags & SA_SIGINFO) && g_previous[i].sa_handler == SIG_IGN)
      ::sigaction(kEndingSignals[i], &g_previous[i], nullptr);
  }
}

StagedOutput::StagedOutput(const std::string& target)
    : target_(SaveTarget(target)), folder_(FolderOf(target_)) {
  std::string pattern = folder_ + "/.kubisto-out-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr)
    throw OutputError("cannot write " + target + ": " + std::strerror(errno));
  stage_ = pattern;
  Register(stage_);
}

StagedOutput::~StagedOutput() {
  Unregister(stage_);
  for (const std::string& name : FilesIn(stage_)) std::remove((stage_ + "/" + name).c_str());
  ::rmdir(stage_.c_str());
}

std::string StagedOutput::Staged() const { return stage_ + "/" + NameOf(target_); }

void StagedOutput::Commit() {
  if (::access(Staged().c_str(), F_OK) != 0)
    throw OutputError("cannot write " + target_ + ": nothing was written");
  // Every final name is checked before the first is replaced.
  std::vector<std::pair<std::string, std::string>> moves;
  for (const std::string& name : FilesIn(stage_))
    moves.emplace_back(stage_ + "/" + name, SaveTarget(folder_ + "/" + name));
  for (const auto& [from, to] : moves) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
      throw OutputError("cannot write " + to + ": " + std::strerror(errno));
  }
}

}  // namespace kubisto::output
