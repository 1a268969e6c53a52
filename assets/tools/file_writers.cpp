// File writers of the asset generator.
#include "file_writers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace assetgen {
namespace {

class Bytes {
 public:
  void u8(uint32_t v) { data_.push_back(static_cast<uint8_t>(v)); }
  void u16(uint32_t v) {
    u8(v & 0xFF);
    u8((v >> 8) & 0xFF);
  }
  void u32(uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void text(const char* s) {
    while (*s) u8(static_cast<uint8_t>(*s++));
  }
  void append(const std::vector<uint8_t>& more) {
    data_.insert(data_.end(), more.begin(), more.end());
  }
  const std::vector<uint8_t>& data() const { return data_; }
  size_t size() const { return data_.size(); }

 private:
  std::vector<uint8_t> data_;
};

bool save(const std::string& path, const std::vector<uint8_t>& data) {
  std::error_code ec;
  const auto parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(out);
}

// The pixel rows of a DIB: bottom-up, BGR(A), each row padded to 4 bytes.
std::vector<uint8_t> dibPixels(const Canvas& image, bool withAlpha) {
  const std::vector<uint8_t> rgba = image.rgba8();
  const int w = image.width(), h = image.height();
  const int bpp = withAlpha ? 4 : 3;
  const int stride = (w * bpp + 3) & ~3;
  std::vector<uint8_t> out(static_cast<size_t>(stride) * h, 0);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = &out[static_cast<size_t>(h - 1 - y) * stride];
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      row[x * bpp + 0] = p[2];
      row[x * bpp + 1] = p[1];
      row[x * bpp + 2] = p[0];
      if (withAlpha) row[x * bpp + 3] = p[3];
    }
  }
  return out;
}

void infoHeader(Bytes& b, int width, int heightField, int bitCount, uint32_t imageSize) {
  b.u32(40);
  b.u32(static_cast<uint32_t>(width));
  b.u32(static_cast<uint32_t>(heightField));
  b.u16(1);
  b.u16(static_cast<uint32_t>(bitCount));
  b.u32(0);  // BI_RGB
  b.u32(imageSize);
  b.u32(2835);  // 72 dpi
  b.u32(2835);
  b.u32(0);
  b.u32(0);
}

}  // namespace

bool writePng(const std::string& path, const Canvas& image) {
  const std::vector<uint8_t> rgba = image.rgba8();
  int length = 0;
  unsigned char* png = stbi_write_png_to_mem(rgba.data(), image.width() * 4, image.width(),
                                             image.height(), 4, &length);
  if (!png) return false;
  std::vector<uint8_t> data(png, png + length);
  STBIW_FREE(png);
  return save(path, data);
}

bool writeBmp24(const std::string& path, const Canvas& image) {
  const std::vector<uint8_t> pixels = dibPixels(image, false);
  Bytes b;
  b.text("BM");
  b.u32(static_cast<uint32_t>(14 + 40 + pixels.size()));
  b.u32(0);
  b.u32(14 + 40);
  infoHeader(b, image.width(), image.height(), 24, static_cast<uint32_t>(pixels.size()));
  b.append(pixels);
  return save(path, b.data());
}

bool writeIco(const std::string& path, const std::vector<Canvas>& images) {
  std::vector<std::vector<uint8_t>> entries;
  for (const Canvas& image : images) {
    const int w = image.width(), h = image.height();
    Bytes e;
    const std::vector<uint8_t> pixels = dibPixels(image, true);
    // The AND mask: 1 bit a pixel, set where the pixel is transparent; rows padded to 4 bytes.
    const int maskStride = ((w + 31) / 32) * 4;
    std::vector<uint8_t> mask(static_cast<size_t>(maskStride) * h, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (image.at(x, y).a < 0.5)
          mask[static_cast<size_t>(h - 1 - y) * maskStride + x / 8] |=
              static_cast<uint8_t>(0x80 >> (x % 8));
    infoHeader(e, w, h * 2, 32, static_cast<uint32_t>(pixels.size() + mask.size()));
    e.append(pixels);
    e.append(mask);
    entries.push_back(e.data());
  }
  Bytes b;
  b.u16(0);
  b.u16(1);  // icon
  b.u16(static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    b.u8(images[i].width() >= 256 ? 0 : images[i].width());
    b.u8(images[i].height() >= 256 ? 0 : images[i].height());
    b.u8(0);  // no palette
    b.u8(0);
    b.u16(1);   // planes
    b.u16(32);  // bits per pixel
    b.u32(static_cast<uint32_t>(entries[i].size()));
    b.u32(offset);
    offset += static_cast<uint32_t>(entries[i].size());
  }
  for (const auto& e : entries) b.append(e);
  return save(path, b.data());
}

bool writeWav(const std::string& path, const std::vector<double>& samples, int sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  Bytes b;
  b.text("RIFF");
  b.u32(36 + dataBytes);
  b.text("WAVE");
  b.text("fmt ");
  b.u32(16);
  b.u16(1);  // PCM
  b.u16(1);  // mono
  b.u32(static_cast<uint32_t>(sampleRate));
  b.u32(static_cast<uint32_t>(sampleRate) * 2);
  b.u16(2);
  b.u16(16);
  b.text("data");
  b.u32(dataBytes);
  for (double s : samples) {
    const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
    b.u16(static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF);
  }
  return save(path, b.data());
}

}  // namespace assetgen
