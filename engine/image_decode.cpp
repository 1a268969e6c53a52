#include "engine/image_decode.h"

#include <climits>

#define STB_IMAGE_IMPLEMENTATION
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

// The image library fills a BMP whose pixel rows run past the end of the file with zeros; a cut-off
// file must fail instead. True unless this is an uncompressed BMP whose rows do not fit.
bool BmpRowsFit(const uint8_t* data, size_t size) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M') return true;
  if (size < 26) return false;
  uint64_t offset = Le32(data + 10);
  uint32_t headerSize = Le32(data + 14);
  int64_t width, height;
  uint32_t bpp, compression = 0;
  if (headerSize == 12) {
    width = Le16(data + 18);
    height = static_cast<int16_t>(Le16(data + 20));
    bpp = Le16(data + 24);
  } else {
    if (size < 34) return false;
    width = static_cast<int32_t>(Le32(data + 18));
    height = static_cast<int32_t>(Le32(data + 22));
    bpp = Le16(data + 28);
    compression = Le32(data + 30);
  }
  if (compression != 0 && compression != 3 && compression != 6) return true;  // left to the library
  if (width <= 0 || bpp == 0 || bpp > 32) return false;
  uint64_t stride = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
  uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
  return offset + stride * rows <= size;
}

}  // namespace

bool DecodeImage(const uint8_t* data, size_t size, int maxSide, size_t maxPixels,
                 DecodedImage& out) {
  if (!data || size == 0 || size > static_cast<size_t>(INT_MAX)) return false;
  if (!BmpRowsFit(data, size)) return false;
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
