// File path helpers: the program's path literals use '\' separators ("\sound\splash.wav",
// ".\walls\kita.bmp"); these map them to native form.
#pragma once

#include <string>

namespace platform {

// Maps '\' to '/' and collapses runs of separators into one ("a\\b//c" -> "a/b/c").
std::string NativePath(const std::string& path);

// The folder of the running program (from /proc/self/exe), without a trailing separator; "." when
// it cannot be found.
std::string ProgramDirectory();

}  // namespace platform
