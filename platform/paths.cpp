// Path helpers.
#include "platform/paths.h"

#include <unistd.h>

#include <vector>

namespace platform {

std::string NativePath(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    if (c == '\\') c = '/';
    if (c == '/' && !out.empty() && out.back() == '/') continue;  // "a//b" names "a/b"
    out.push_back(c);
  }
  return out;
}

std::string ProgramDirectory() {
  std::vector<char> buffer(4096);
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) return ".";
  std::string exe(buffer.data(), static_cast<size_t>(n));
  const auto slash = exe.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return exe.substr(0, slash);
}

}  // namespace platform
