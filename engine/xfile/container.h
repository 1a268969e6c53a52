// The mesh file's outer layer: the 16-byte header and, for the compressed formats, zlib blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace engine::xfile {

enum class Encoding { Text, Binary };

// Most a compressed file may unpack to; a larger claim is refused before anything is unpacked.
inline constexpr size_t kMaxUnpackedSize = size_t{64} << 20;

struct Payload {
  Encoding encoding = Encoding::Text;
  int floatBits = 32;
  std::vector<uint8_t> unpacked;  // holds the body of a compressed file
  const uint8_t* body = nullptr;  // the token data after the header (into the input or unpacked)
  size_t size = 0;
};

// Checks the header and unpacks a compressed body. False for anything that is not a well-formed
// mesh file container.
bool OpenContainer(const uint8_t* data, size_t size, Payload& out);

// The whole file: header, then body (compressed when asked).
std::string MakeContainer(Encoding encoding, bool compressed, const std::string& body);

}  // namespace engine::xfile
