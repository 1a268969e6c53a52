#include "output/zip_writer.h"

#include <zlib.h>

#include <cstdint>

namespace kubisto::output {
namespace {

void Put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Raw deflate, as zip entries carry it (no zlib header).
bool Deflate(const std::string& in, std::string& out) {
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return false;
  out.resize(deflateBound(&z, static_cast<uLong>(in.size())));
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return status == Z_STREAM_END;
}

}  // namespace

bool ZipArchive(const std::vector<std::pair<std::string, std::string>>& entries, std::string& out) {
  constexpr std::uint32_t kDosDate1980 = (0 << 9) | (1 << 5) | 1;  // 1 January 1980
  std::string central;
  out.clear();
  for (const auto& entry : entries) {
    // Named references rather than a structured binding, which clang 14's lambdas cannot capture.
    const std::string& name = entry.first;
    const std::string& content = entry.second;
    std::string packed;
    if (!Deflate(content, packed)) return false;
    const auto crc = static_cast<std::uint32_t>(crc32(
        0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
    const auto offset = static_cast<std::uint32_t>(out.size());
    const auto writeCommon = [&](std::string& to) {
      Put16(to, 20);  // version needed: 2.0 (deflate)
      Put16(to, 0);   // flags
      Put16(to, 8);   // deflate
      Put16(to, 0);   // time
      Put16(to, kDosDate1980);
      Put32(to, crc);
      Put32(to, static_cast<std::uint32_t>(packed.size()));
      Put32(to, static_cast<std::uint32_t>(content.size()));
      Put16(to, static_cast<std::uint32_t>(name.size()));
      Put16(to, 0);  // extra field length
    };
    Put32(out, 0x04034b50);
    writeCommon(out);
    out += name;
    out += packed;

    Put32(central, 0x02014b50);
    Put16(central, 20);  // made by: 2.0
    writeCommon(central);
    Put16(central, 0);  // comment length
    Put16(central, 0);  // disk
    Put16(central, 0);  // internal attributes
    Put32(central, 0);  // external attributes
    Put32(central, offset);
    central += name;
  }
  const auto centralOffset = static_cast<std::uint32_t>(out.size());
  out += central;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<std::uint32_t>(entries.size()));
  Put16(out, static_cast<std::uint32_t>(entries.size()));
  Put32(out, static_cast<std::uint32_t>(central.size()));
  Put32(out, centralOffset);
  Put16(out, 0);
  return true;
}

}  // namespace kubisto::output
