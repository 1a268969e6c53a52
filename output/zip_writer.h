// A minimal zip archive writer (deflated entries, no encryption, no zip64), enough for the 3MF
// package: a few small files.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kubisto::output {

// The bytes of a zip archive holding the given (name, content) entries in order; false when
// zlib fails.
bool ZipArchive(const std::vector<std::pair<std::string, std::string>>& entries, std::string& out);

}  // namespace kubisto::output
