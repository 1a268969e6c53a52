// Writing a file without ever destroying the previous one.
#pragma once

#include <string>
#include <string_view>

namespace kubisto {

// Writes bytes to a temporary file beside path and renames it over path once it is complete and
// flushed. Throws std::runtime_error (naming the file and the cause) on any failure; the file at
// path is then as it was, and the temporary file is removed.
void ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace kubisto
