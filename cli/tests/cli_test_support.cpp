#include "cli_test_support.h"

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kubisto::cli::test {
namespace {

void RemoveTree(const std::string& path) {
  if (DIR* dir = ::opendir(path.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      const std::string child = path + "/" + name;
      if (::unlink(child.c_str()) != 0) RemoveTree(child);
    }
    ::closedir(dir);
  }
  ::chmod(path.c_str(), 0700);
  ::rmdir(path.c_str());
}

std::string Quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') {
      q.append("'\\''");
    } else {
      q.push_back(c);
    }
  }
  q.push_back('\'');
  return q;
}

}  // namespace

Scratch::Scratch() {
  std::string pattern = "/tmp/kubisto-cli-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
  dir_ = pattern;
}

Scratch::~Scratch() { RemoveTree(dir_); }

std::vector<std::string> Scratch::Files() const {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(dir_.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Scratch::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(Path(name), std::ios::binary) << bytes;
  return Path(name);
}

std::string Scratch::Layout(const std::string& name, int divide,
                            const std::vector<LayoutRecord>& blocks) const {
  return Write(name, FormatLayout(divide, blocks));
}

std::string Capture(const std::string& command, int* status) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    *status = ::pclose(pipe);
  } else {
    *status = -1;
  }
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

RunResult RunKubisto(const std::vector<std::string>& arguments) {
  Scratch errors;
  std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
  command.append(Quoted(std::string(KUBISTO_BIN_DIR) + "/kubisto"));
  for (const std::string& a : arguments) command.append(" ").append(Quoted(a));
  command.append(" 2>").append(Quoted(errors.Path("err"))).append(" >/dev/null");
  const int status = std::system(command.c_str());
  RunResult run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadFile(errors.Path("err"));
  return run;
}

std::vector<LayoutRecord> FullRoom(int divide) {
  const std::int32_t colours[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};
  std::vector<LayoutRecord> blocks;
  for (int z = 0; z < divide; ++z)
    for (int y = 0; y < divide; ++y)
      for (int x = 0; x < divide; ++x) blocks.push_back({x, y, z, colours[(x + y + z) % 6]});
  return blocks;
}

std::vector<LayoutRecord> Steps() {
  // Two floor blocks at the front right, one stacked, one apart at the back left top.
  return {{0, 0, 4, 0x00AAFF},
          {1, 0, 4, 0x00AAFF},
          {0, 1, 4, 0xAA00AA},
          {0, 0, 3, 0xAA00AA},
          {4, 4, 0, 0x44CC44}};
}

}  // namespace kubisto::cli::test
