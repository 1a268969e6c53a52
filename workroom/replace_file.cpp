#include "workroom/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace kubisto {
namespace {

[[noreturn]] void Fail(const std::string& path, const char* step, int error) {
  throw std::runtime_error("Cannot save \"" + path + "\": " + step + ": " + std::strerror(error));
}

// The permissions the new file gets: the old file's, or those of a newly created file.
mode_t ModeFor(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void ReplaceFile(const std::string& path, std::string_view bytes) {
  std::string pattern = path + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail(path, "creating a temporary file beside it", errno);
  const std::string temp(name.data());

  const auto abandon = [&](const char* step) {
    const int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    Fail(path, step, error);
  };

  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon("writing");
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fchmod(fd, ModeFor(path)) != 0) abandon("setting permissions");
  if (::fsync(fd) != 0) abandon("flushing");
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    Fail(path, "closing", error);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    Fail(path, "replacing the file", error);
  }
}

}  // namespace kubisto
