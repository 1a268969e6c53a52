// Writing a file without ever destroying the previous one.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes bytes to a uniquely named temporary file beside the target, flushes it and renames it
// over the target once it is complete. A target that is a symbolic link is written through to
// the file the link points to (the link stays a link). A target that exists but may not be
// written (access() or its permission bits deny it) is refused, as writing into it would be.
// Throws std::runtime_error naming the file and the cause on any failure; the old file is then
// as it was, and no temporary file is left.
void ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace platform
