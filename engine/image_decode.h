// Picture decoding for textures, behind one function so that the image library stays in one file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

struct DecodedImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first
};

// Decodes a BMP, PNG, JPEG, TGA, PPM/PGM or GIF picture. False for anything malformed, and for a
// picture wider or taller than maxSide or with more than maxPixels pixels (checked before decoding,
// so that a forged header cannot ask for a huge buffer).
bool DecodeImage(const uint8_t* data, size_t size, int maxSide, size_t maxPixels,
                 DecodedImage& out);

}  // namespace engine
