// Writers for the file formats the program reads: PNG, 24-bit BMP, ICO and 16-bit PCM WAV.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

// Each returns false when the file cannot be written. Parent folders are created.
bool writePng(const std::string& path, const Canvas& image);
// 24-bit uncompressed, bottom-up rows; alpha is dropped (the image should be opaque).
bool writeBmp24(const std::string& path, const Canvas& image);
// One icon file with one 32-bit entry (with its AND mask) per image; sizes up to 256.
bool writeIco(const std::string& path, const std::vector<Canvas>& images);
// Mono 16-bit PCM; samples in -1..1 are clamped.
bool writeWav(const std::string& path, const std::vector<double>& samples, int sampleRate);

}  // namespace assetgen
