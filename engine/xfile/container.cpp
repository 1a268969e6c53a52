// The header is 16 bytes: "xof ", the version "0302", the format ("txt ", "bin ", "tzip" text
// compressed, "bzip" binary compressed) and the size of floats in bits ("0032" or "0064").
//
// A compressed body, after the header, is framed as follows (all little-endian):
//   u32  size of the unpacked body
//   then blocks until the end of the file, each:
//     u16  unpacked size of the block, 1..32768
//     u16  packed size of the block (the bytes that follow, "CK" included)
//     "CK" and one raw deflate stream (no zlib header, no preset dictionary)
// Every block unpacks on its own to exactly its unpacked size; the blocks' sizes sum to the body
// size.
#include "engine/xfile/container.h"

#if !KUBISTO_NO_ZLIB
#include <zlib.h>
#endif

#include <cstring>

namespace engine::xfile {
namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kBlockSize = 32768;

uint32_t readU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t readU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void putU32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void putU16(std::string& s, uint16_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>(v >> 8));
}

#if !KUBISTO_NO_ZLIB
// Unpacks one raw deflate stream into exactly `expected` bytes appended to out.
bool inflateBlock(const uint8_t* in, size_t inSize, size_t expected, std::vector<uint8_t>& out) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  const size_t at = out.size();
  out.resize(at + expected);
  z.next_in = const_cast<Bytef*>(in);
  z.avail_in = static_cast<uInt>(inSize);
  z.next_out = out.data() + at;
  z.avail_out = static_cast<uInt>(expected);
  const int rc = inflate(&z, Z_FINISH);
  const bool ok = rc == Z_STREAM_END && z.avail_out == 0;
  inflateEnd(&z);
  return ok;
}

// Packs `raw` bytes (at most kBlockSize) into one raw deflate stream appended to out.
void deflateBlock(const char* in, size_t raw, std::string& out) {
  std::vector<uint8_t> buffer(compressBound(kBlockSize) + 16);
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in));
  z.avail_in = static_cast<uInt>(raw);
  z.next_out = buffer.data();
  z.avail_out = static_cast<uInt>(buffer.size());
  deflate(&z, Z_FINISH);  // the buffer holds the worst case, so one call finishes
  const size_t packed = buffer.size() - z.avail_out;
  deflateEnd(&z);
  out.append(reinterpret_cast<const char*>(buffer.data()), packed);
}
#else
// A build without zlib (the web build) reads no compressed file and writes each block as one stored
// deflate block, which every reader unpacks.
bool inflateBlock(const uint8_t*, size_t, size_t, std::vector<uint8_t>&) { return false; }

void deflateBlock(const char* in, size_t raw, std::string& out) {
  out.push_back(1);  // the last block, stored
  putU16(out, static_cast<uint16_t>(raw));
  putU16(out, static_cast<uint16_t>(~raw));
  out.append(in, raw);
}
#endif

bool unpack(const uint8_t* p, size_t size, std::vector<uint8_t>& out) {
  if (size < 4) return false;
  const size_t total = readU32(p);
  if (total > kMaxUnpackedSize) return false;
  p += 4;
  size -= 4;
  out.clear();
  while (size > 0) {
    if (size < 4) return false;
    const size_t raw = readU16(p), packed = readU16(p + 2);
    p += 4;
    size -= 4;
    if (raw == 0 || raw > kBlockSize || packed < 3 || packed > size) return false;
    if (p[0] != 'C' || p[1] != 'K') return false;
    if (out.size() + raw > total) return false;  // more than the body size claims
    if (!inflateBlock(p + 2, packed - 2, raw, out)) return false;
    p += packed;
    size -= packed;
  }
  return out.size() == total;
}

std::string pack(const std::string& body) {
  std::string out;
  putU32(out, static_cast<uint32_t>(body.size()));
  for (size_t at = 0; at < body.size(); at += kBlockSize) {
    const size_t raw = std::min(kBlockSize, body.size() - at);
    std::string block;
    deflateBlock(body.data() + at, raw, block);
    putU16(out, static_cast<uint16_t>(raw));
    putU16(out, static_cast<uint16_t>(block.size() + 2));
    out += "CK";
    out += block;
  }
  return out;
}

}  // namespace

bool OpenContainer(const uint8_t* data, size_t size, Payload& out) {
  if (!data || size < kHeaderSize) return false;
  if (std::memcmp(data, "xof 03", 6) != 0) return false;
  if (data[6] < '0' || data[6] > '9' || data[7] < '0' || data[7] > '9') return false;
  const std::string_view format(reinterpret_cast<const char*>(data + 8), 4);
  const std::string_view floats(reinterpret_cast<const char*>(data + 12), 4);
  if (floats == "0032") {
    out.floatBits = 32;
  } else if (floats == "0064") {
    out.floatBits = 64;
  } else {
    return false;
  }
  bool compressed;
  if (format == "txt ") {
    out.encoding = Encoding::Text;
    compressed = false;
  } else if (format == "bin ") {
    out.encoding = Encoding::Binary;
    compressed = false;
  } else if (format == "tzip") {
    out.encoding = Encoding::Text;
    compressed = true;
  } else if (format == "bzip") {
    out.encoding = Encoding::Binary;
    compressed = true;
  } else {
    return false;
  }
  if (!compressed) {
    out.body = data + kHeaderSize;
    out.size = size - kHeaderSize;
    return true;
  }
  if (!unpack(data + kHeaderSize, size - kHeaderSize, out.unpacked)) return false;
  out.body = out.unpacked.data();
  out.size = out.unpacked.size();
  return true;
}

std::string MakeContainer(Encoding encoding, bool compressed, const std::string& body) {
  std::string file = "xof 0302";
  if (encoding == Encoding::Text) {
    file += compressed ? "tzip" : "txt ";
  } else {
    file += compressed ? "bzip" : "bin ";
  }
  file += "0032";
  if (compressed) {
    file += pack(body);
  } else {
    if (encoding == Encoding::Text) file += "\n";
    file += body;
  }
  return file;
}

}  // namespace engine::xfile
