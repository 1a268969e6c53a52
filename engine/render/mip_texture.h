// A texture prepared for sampling: power-of-two levels (so that repeating is a mask) with a chain
// of mipmaps, each half the size of the one before, down to 1 x 1.
#pragma once

#include <cstdint>
#include <vector>

namespace engine::render {

struct MipLevel {
  // 0xAARRGGBB, row-major, `pitch` texels per row. Each row carries one more texel than its width,
  // a copy of its first, and one more row follows the last, a copy of the first, so that a texel
  // and its right, lower and lower right neighbours can always be read together.
  const uint32_t* texels = nullptr;
  int width = 0, height = 0;  // powers of two
  int pitch = 0;              // width + 1
  int widthMask = 0, heightMask = 0;
};

class MipTexture {
 public:
  // Largest side kept; larger pictures are scaled down to it.
  static constexpr int kMaxSide = 1024;
  static constexpr int kMaxLevels = 11;

  MipTexture() = default;
  // The levels point into storage_, whose buffer a move keeps and a copy would not.
  MipTexture(const MipTexture&) = delete;
  MipTexture& operator=(const MipTexture&) = delete;
  MipTexture(MipTexture&&) = default;
  MipTexture& operator=(MipTexture&&) = default;

  // Prepares the picture (width x height texels, pitch texels per row). A picture of any size is
  // scaled to the nearest powers of two first. False (and empty) when the picture is empty.
  bool Build(const uint32_t* texels, int width, int height, int pitch);
  bool empty() const { return levelCount_ == 0; }
  int levelCount() const { return levelCount_; }
  const MipLevel& level(int i) const { return levels_[i]; }

 private:
  std::vector<uint32_t> storage_;
  MipLevel levels_[kMaxLevels];
  int levelCount_ = 0;
};

// The power of two nearest to n (ties go up), between 1 and MipTexture::kMaxSide.
int NearestPowerOfTwo(int n);

}  // namespace engine::render
