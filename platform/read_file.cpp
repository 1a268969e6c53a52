#include "platform/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// Closes the descriptor on every way out.
struct Descriptor {
  int fd;
  ~Descriptor() { ::close(fd); }
};

std::string TooLarge(std::uintmax_t maxBytes) {
  if (maxBytes % (1024u * 1024u) == 0)
    return "larger than " + std::to_string(maxBytes / (1024u * 1024u)) + " MiB";
  return "larger than " + std::to_string(maxBytes) + " bytes";
}

}  // namespace

std::string ReadRegularFile(const std::string& path, std::uintmax_t maxBytes) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) throw ReadFileError(std::strerror(errno), ReadFileError::Kind::kOpen);
  const Descriptor guard{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw ReadFileError(std::strerror(errno), ReadFileError::Kind::kOpen);
  if (!S_ISREG(st.st_mode)) throw ReadFileError("not a file", ReadFileError::Kind::kNotAFile);
  if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
    throw ReadFileError(TooLarge(maxBytes), ReadFileError::Kind::kTooLarge);

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ReadFileError(std::strerror(errno), ReadFileError::Kind::kRead);
    if (n == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(n));
    // The file may grow while it is read.
    if (bytes.size() > maxBytes)
      throw ReadFileError(TooLarge(maxBytes), ReadFileError::Kind::kTooLarge);
  }
}

}  // namespace platform
