// The mesh file container as the web build compiles it, without zlib: a compressed file it writes
// (stored deflate blocks) is one that zlib unpacks to the body, and a compressed file is refused
// rather than misread.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/xfile/container.h"

namespace engine::xfile {
namespace {

uint32_t ReadLe(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i)
    v |= static_cast<uint32_t>(static_cast<uint8_t>(s[at + i])) << 8 * i;
  return v;
}

// Unpacks the body after the header with zlib, block by block, as a reader with zlib does.
std::string UnpackWithZlib(const std::string& file) {
  size_t at = 16;
  const uint32_t total = ReadLe(file, at, 4);
  at += 4;
  std::string body;
  while (at < file.size()) {
    const uint32_t raw = ReadLe(file, at, 2), packed = ReadLe(file, at + 2, 2);
    EXPECT_EQ(file.substr(at + 4, 2), "CK");
    std::string out(raw, '\0');
    z_stream z{};
    EXPECT_EQ(inflateInit2(&z, -MAX_WBITS), Z_OK);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(file.data() + at + 6));
    z.avail_in = packed - 2;
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = raw;
    EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
    EXPECT_EQ(z.avail_out, 0u);
    inflateEnd(&z);
    body += out;
    at += 4 + packed;
  }
  EXPECT_EQ(body.size(), total);
  return body;
}

TEST(ContainerWithoutZlib, CompressedFilesAreStoredBlocksThatZlibUnpacks) {
  for (size_t size : {size_t{1}, size_t{1000}, size_t{32768}, size_t{32769}, size_t{100000}}) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7919) >> 3);
    for (Encoding encoding : {Encoding::Text, Encoding::Binary}) {
      const std::string file = MakeContainer(encoding, true, body);
      EXPECT_EQ(file.substr(0, 16),
                encoding == Encoding::Text ? "xof 0302tzip0032" : "xof 0302bzip0032");
      EXPECT_EQ(UnpackWithZlib(file), body) << size;
    }
  }
}

TEST(ContainerWithoutZlib, CompressedFilesAreRefusedAndPlainOnesRead) {
  const std::string body = "Mesh {}";
  Payload payload;
  const std::string packed = MakeContainer(Encoding::Text, true, body);
  EXPECT_FALSE(
      OpenContainer(reinterpret_cast<const uint8_t*>(packed.data()), packed.size(), payload));
  const std::string plain = MakeContainer(Encoding::Binary, false, body);
  ASSERT_TRUE(OpenContainer(reinterpret_cast<const uint8_t*>(plain.data()), plain.size(), payload));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(payload.body), payload.size), body);
}

}  // namespace
}  // namespace engine::xfile
