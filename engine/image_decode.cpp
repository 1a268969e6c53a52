#include "engine/image_decode.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
// Decoder state and pictures start zeroed: a file that names a table it never defines (a JPEG
// quantisation table, say) then decodes the same way every time instead of from stale memory.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(p, size) std::realloc(p, size)
#define STBI_FREE(p) std::free(p)
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_FAILURE_USERMSG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace engine {
namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// The fields of a BMP's headers that the checks below read (core or info header).
struct BmpHeader {
  int64_t offset;  // where the pixel rows start
  uint32_t headerSize;
  int64_t width, height;
  uint32_t bpp, compression;
};

// False when data is not a BMP or too short for its headers' fields; else reads them. The
// offset is read unsigned: an offset beyond 2^31 lies past the end of any file and is refused.
bool ReadBmpHeader(const uint8_t* data, size_t size, BmpHeader& h) {
  if (size < 26) return false;
  h.offset = Le32(data + 10);
  h.headerSize = Le32(data + 14);
  h.compression = 0;
  if (h.headerSize == 12) {
    h.width = Le16(data + 18);
    h.height = static_cast<int16_t>(Le16(data + 20));
    h.bpp = Le16(data + 24);
    return true;
  }
  if (size < 34) return false;
  h.width = static_cast<int32_t>(Le32(data + 18));
  h.height = static_cast<int32_t>(Le32(data + 22));
  h.bpp = Le16(data + 28);
  h.compression = Le32(data + 30);
  return true;
}

bool IsBmp(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

// The image library fills a BMP whose pixel rows run past the end of the file with zeros; a cut-off
// file must fail instead. True unless this is a BMP (not RLE) whose rows do not fit.
bool BmpRowsFit(size_t size, const BmpHeader& h) {
  // The library refuses RLE and reads every other compression value as plain rows.
  if (h.compression == 1 || h.compression == 2) return true;
  if (h.width <= 0 || h.bpp == 0 || h.bpp > 32) return false;
  const uint64_t stride = (static_cast<uint64_t>(h.width) * h.bpp + 31) / 32 * 4;
  const uint64_t rows = static_cast<uint64_t>(h.height < 0 ? -h.height : h.height);
  return static_cast<uint64_t>(h.offset) + stride * rows <= size;
}

// The image library reads a BMP palette of as many entries as fit between the headers and the
// pixels, and looks pixels up in its own uninitialised table beyond them. True unless this is an
// 1-, 4- or 8-bit BMP (not RLE) with no palette entry or a pixel past its palette. Called after
// BmpRowsFit, so the rows lie within the data.
bool BmpPaletteFits(const uint8_t* data, size_t size, const BmpHeader& h) {
  const uint32_t bpp = h.bpp;
  if (h.compression == 1 || h.compression == 2 || (bpp != 1 && bpp != 4 && bpp != 8)) return true;
  // The library's own count of palette entries.
  const int64_t entries =
      h.headerSize == 12 ? (h.offset - 14 - 24) / 3 : (h.offset - 14 - h.headerSize) >> 2;
  if (entries < 1) return false;
  if (entries >= (int64_t{1} << bpp)) return true;
  const uint64_t rowBytes = (static_cast<uint64_t>(h.width) * bpp + 7) / 8;
  const uint64_t stride = (rowBytes + 3) / 4 * 4;
  const uint64_t rows = static_cast<uint64_t>(h.height < 0 ? -h.height : h.height);
  for (uint64_t row = 0; row < rows; ++row) {
    const uint64_t start = static_cast<uint64_t>(h.offset) + row * stride;
    for (int64_t x = 0; x < h.width; ++x) {
      const uint64_t bit = static_cast<uint64_t>(x) * bpp;
      const uint64_t at = start + bit / 8;
      if (at >= size) return false;
      const uint32_t index = (data[at] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
      if (index >= entries) return false;
    }
  }
  return true;
}

// A BMP whose rows and palette the library would read safely (true for anything else).
bool BmpFits(const uint8_t* data, size_t size) {
  if (!IsBmp(data, size)) return true;
  BmpHeader h;
  if (!ReadBmpHeader(data, size, h) || !BmpRowsFit(size, h)) return false;
  // A file shorter than an info header's fields is left to the rows check alone.
  return size < 34 || BmpPaletteFits(data, size, h);
}

// The image library gathers a PNG's image data in a buffer that it grows to the length a chunk
// claims before reading it, so a small file claiming a long chunk makes it ask for gigabytes; and
// it copies an empty first image-data chunk through a null buffer. True unless this is a PNG with
// a chunk that runs past the end of the data or whose first IDAT is empty (no encoder writes one).
bool PngChunksFit(const uint8_t* data, size_t size) {
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return true;
  size_t at = 8;
  bool seenData = false;
  while (size - at >= 8) {
    const uint64_t length = (uint64_t{data[at]} << 24) | (uint64_t{data[at + 1]} << 16) |
                            (uint64_t{data[at + 2]} << 8) | data[at + 3];
    const uint8_t* type = data + at + 4;
    if (length > size - at - 8) return false;  // runs past the end
    if (std::memcmp(type, "IDAT", 4) == 0) {
      if (!seenData && length == 0) return false;
      seenData = true;
    }
    if (std::memcmp(type, "IEND", 4) == 0) return true;
    at += 8 + length;
    if (size - at < 4) return true;  // no room for the checksum: the library refuses it
    at += 4;
  }
  return true;
}

// The image library's JPEG reader writes past its tables when a Huffman table's code counts add up
// to more than the 256 symbols a table can hold. True unless this is a JPEG with such a table. The
// walk reads the segments as the library does: bytes past the end read as 0.
bool JpegHuffmanTablesFit(const uint8_t* data, size_t size) {
  // The start-of-image marker, after any number of fill bytes.
  size_t i = 0;
  while (i < size && data[i] == 0xFF) ++i;
  if (i < 1 || i >= size || data[i] != 0xD8) return true;
  ++i;
  const auto byteAt = [&](size_t at) -> uint32_t { return at < size ? data[at] : 0; };
  while (i < size) {
    if (data[i] != 0xFF) {  // entropy-coded data
      ++i;
      continue;
    }
    while (i < size && data[i] == 0xFF) ++i;  // fill bytes
    if (i >= size) break;
    const uint8_t marker = data[i++];
    // Stuffed zero, restart markers, start of image and TEM carry no length.
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
    if (marker == 0xD9) break;  // end of image
    const size_t length = (byteAt(i) << 8) | byteAt(i + 1);
    if (marker == 0xC4) {  // define Huffman tables
      int64_t left = static_cast<int64_t>(length) - 2;
      size_t p = i + 2;
      while (left > 0) {
        ++p;  // table class and slot
        uint32_t symbols = 0;
        for (int k = 0; k < 16; ++k) symbols += byteAt(p++);
        if (symbols > 256) return false;
        p += symbols;
        left -= 17 + static_cast<int64_t>(symbols);
      }
    }
    i += length < 2 ? 2 : length;
  }
  return true;
}

// The image library's PPM/PGM reader overflows on a header number of more than nine digits, runs
// past its buffer on 16-bit samples and hands back unwritten memory for a file cut short. True
// unless this is a binary PPM/PGM with one of these; the header is read as the library reads it.
bool PnmFits(const uint8_t* data, size_t size) {
  if (size < 2 || data[0] != 'P' || (data[1] != '5' && data[1] != '6')) return true;
  const uint64_t channels = data[1] == '6' ? 3 : 1;
  size_t at = 2;
  const auto next = [&]() -> char { return at < size ? static_cast<char>(data[at++]) : '\0'; };
  const auto space = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  };
  char c = next();
  const auto skipSpace = [&] {
    for (;;) {
      while (at < size && space(c)) c = next();
      if (at >= size || c != '#') break;
      while (at < size && c != '\n' && c != '\r') c = next();
    }
  };
  bool tooLong = false;
  const auto integer = [&]() -> uint64_t {
    uint64_t value = 0;
    int digits = 0;
    while (at < size && c >= '0' && c <= '9') {
      if (++digits > 9) tooLong = true;
      value = value * 10 + static_cast<uint64_t>(c - '0');
      if (value > 999999999) value = 999999999;
      c = next();
    }
    return value;
  };
  skipSpace();
  const uint64_t width = integer();
  skipSpace();
  const uint64_t height = integer();
  skipSpace();
  const uint64_t maxValue = integer();
  if (tooLong || maxValue > 255) return false;
  return size - at >= width * height * channels;  // at <= size; the samples start at at
}

}  // namespace

bool DecodeImage(const uint8_t* data, size_t size, int maxSide, size_t maxPixels,
                 DecodedImage& out) {
  if (!data || size == 0 || size > static_cast<size_t>(INT_MAX)) return false;
  if (!BmpFits(data, size) || !JpegHuffmanTablesFit(data, size) || !PnmFits(data, size) ||
      !PngChunksFit(data, size)) {
    return false;
  }
  int len = static_cast<int>(size);
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(data, len, &w, &h, &channels)) return false;
  if (w <= 0 || h <= 0 || w > maxSide || h > maxSide ||
      static_cast<size_t>(w) * static_cast<size_t>(h) > maxPixels)
    return false;
  stbi_uc* rgba = stbi_load_from_memory(data, len, &w, &h, &channels, 4);
  if (!rgba) return false;
  out.width = w;
  out.height = h;
  out.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  const stbi_uc* p = rgba;
  for (uint32_t& px : out.pixels) {
    px = (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    p += 4;
  }
  stbi_image_free(rgba);
  return true;
}

}  // namespace engine
