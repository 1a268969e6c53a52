// A reference-counted picture: 32-bit pixels (0x00RRGGBB, row-major, top row first) with an
// optional 256-entry palette. Created with a count of 1; the last Release deletes it.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

namespace platform {

// Largest picture CreatePicture accepts: each side and the pixel count.
inline constexpr int kMaxPictureExtent = 32768;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;

class Picture {
 public:
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  uint32_t AddRef();   // the new count
  uint32_t Release();  // the count left; the picture is gone when it returns 0

  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* pixels() { return pixels_.data(); }
  const uint32_t* pixels() const { return pixels_.data(); }

  bool hasPalette() const { return !palette_.empty(); }
  // Copies 256 entries (0x00RRGGBB); null removes the palette.
  void setPalette(const uint32_t* entries256);
  const uint32_t* palette() const { return palette_.empty() ? nullptr : palette_.data(); }

 private:
  friend Picture* CreatePicture(int width, int height);
  Picture(int width, int height);
  ~Picture() = default;

  std::atomic<uint32_t> refs_{1};
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
  std::vector<uint32_t> palette_;
};

// A black picture with one reference; nullptr when a side is <= 0 or the size exceeds the limits
// above or memory runs out.
Picture* CreatePicture(int width, int height);

}  // namespace platform
