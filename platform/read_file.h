// Reading a whole file that a user named, without ever hanging on a special one.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// Why a file could not be read: what() is the cause alone ("No such file or directory", "not a
// file", "larger than 16 MiB").
class ReadFileError : public std::runtime_error {
 public:
  enum class Kind { kOpen, kNotAFile, kTooLarge, kRead };
  ReadFileError(const std::string& cause, Kind kind) : std::runtime_error(cause), kind_(kind) {}
  Kind What() const { return kind_; }

 private:
  Kind kind_;
};

// The bytes of the regular file at path. The file is opened without blocking, so a FIFO or a
// device is refused at once instead of waiting for a writer or reading without end; anything
// that is not a regular file, and anything longer than maxBytes, is refused before it is read.
std::string ReadRegularFile(const std::string& path, std::uintmax_t maxBytes);

}  // namespace platform
