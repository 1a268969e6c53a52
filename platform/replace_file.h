// Writing a file without ever destroying the previous one.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A save refused before anything was written; Reason() is the cause without the file's name.
class SaveRefused : public std::runtime_error {
 public:
  SaveRefused(const std::string& path, const std::string& reason)
      : std::runtime_error("Cannot save \"" + path + "\": " + reason), reason_(reason) {}
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

// The file that saving to path writes: path itself, or where its chain of symbolic links ends
// (the links stay links), which need not exist yet. Refused with SaveRefused naming path:
// a target that exists and is not a regular file (a folder, a FIFO, a device: replacing it would
// destroy it), and a link that lies in a sticky folder anyone may write into (such as /tmp) and
// belongs neither to this user nor to the folder's owner, which the kernel would not follow
// either: another user may have planted it there.
std::string ResolveSaveTarget(const std::string& path);

// Writes bytes to a uniquely named temporary file beside the target (ResolveSaveTarget), flushes
// it and renames it over the target once it is complete. A target that exists but may not be
// written (access() or its permission bits deny it) is refused, as writing into it would be.
// Throws std::runtime_error naming the file and the cause on any failure; the old file is then
// as it was, and no temporary file is left.
void ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace platform
