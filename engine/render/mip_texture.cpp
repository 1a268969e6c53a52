#include "engine/render/mip_texture.h"

#include <algorithm>
#include <cmath>

namespace engine::render {

int NearestPowerOfTwo(int n) {
  int p = 1;
  while (p < MipTexture::kMaxSide && p * 2 <= n) p *= 2;
  // p <= n < 2p: go up when n is at least halfway (1.5 p) to the next power.
  if (p < MipTexture::kMaxSide && n * 2 >= p * 3) p *= 2;
  return p;
}

namespace {

// Samples the source bilinearly at (x, y) in source texels, repeating at the borders, so that a
// tiled picture stays seamless after scaling.
uint32_t SampleSource(const uint32_t* src, int w, int h, int pitch, float x, float y) {
  float fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float ax = x - fx, ay = y - fy;
  auto at = [&](int tx, int ty) {
    tx = ((tx % w) + w) % w;
    ty = ((ty % h) + h) % h;
    return src[static_cast<size_t>(ty) * pitch + tx];
  };
  uint32_t c00 = at(ix, iy), c10 = at(ix + 1, iy), c01 = at(ix, iy + 1), c11 = at(ix + 1, iy + 1);
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    auto ch = [&](uint32_t c) { return static_cast<float>((c >> shift) & 0xFF); };
    float top = ch(c00) + (ch(c10) - ch(c00)) * ax;
    float bottom = ch(c01) + (ch(c11) - ch(c01)) * ax;
    float v = top + (bottom - top) * ay;
    out |= static_cast<uint32_t>(std::clamp(v + 0.5f, 0.0f, 255.0f)) << shift;
  }
  return out;
}

// Averages 2 x 2 blocks of one level into the next (sides halve, never below 1).
void Downsample(const MipLevel& from, uint32_t* to, int toW, int toH) {
  int sx = from.width / toW, sy = from.height / toH;  // 1 or 2 each
  for (int y = 0; y < toH; ++y) {
    for (int x = 0; x < toW; ++x) {
      uint32_t sum[4] = {0, 0, 0, 0};
      for (int dy = 0; dy < sy; ++dy) {
        for (int dx = 0; dx < sx; ++dx) {
          uint32_t c = from.texels[static_cast<size_t>(y * sy + dy) * from.width + x * sx + dx];
          for (int k = 0; k < 4; ++k) sum[k] += (c >> (8 * k)) & 0xFF;
        }
      }
      int n = sx * sy;
      uint32_t out = 0;
      for (int k = 0; k < 4; ++k) out |= ((sum[k] + n / 2) / n) << (8 * k);
      to[static_cast<size_t>(y) * toW + x] = out;
    }
  }
}

int Log2(int p) {
  int s = 0;
  while ((1 << s) < p) ++s;
  return s;
}

}  // namespace

bool MipTexture::Build(const uint32_t* texels, int width, int height, int pitch) {
  levelCount_ = 0;
  storage_.clear();
  if (!texels || width <= 0 || height <= 0 || pitch < width) return false;

  int w = NearestPowerOfTwo(width), h = NearestPowerOfTwo(height);
  // The whole chain takes at most 4/3 of level 0; reserve it so that level pointers stay valid.
  size_t total = 0;
  for (int lw = w, lh = h;; lw = std::max(1, lw / 2), lh = std::max(1, lh / 2)) {
    total += static_cast<size_t>(lw) * lh;
    if (lw == 1 && lh == 1) break;
  }
  storage_.resize(total);

  uint32_t* base = storage_.data();
  if (w == width && h == height) {
    for (int y = 0; y < h; ++y) std::copy_n(texels + static_cast<size_t>(y) * pitch, w, base + y * w);
  } else {
    float scaleX = static_cast<float>(width) / w, scaleY = static_cast<float>(height) / h;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        base[y * w + x] = SampleSource(texels, width, height, pitch, (x + 0.5f) * scaleX - 0.5f,
                                       (y + 0.5f) * scaleY - 0.5f);
  }

  uint32_t* next = base;
  for (int lw = w, lh = h;; lw = std::max(1, lw / 2), lh = std::max(1, lh / 2)) {
    MipLevel& lv = levels_[levelCount_];
    if (levelCount_ > 0) Downsample(levels_[levelCount_ - 1], next, lw, lh);
    lv.texels = next;
    lv.width = lw;
    lv.height = lh;
    lv.widthShift = Log2(lw);
    lv.widthMask = lw - 1;
    lv.heightMask = lh - 1;
    next += static_cast<size_t>(lw) * lh;
    ++levelCount_;
    if ((lw == 1 && lh == 1) || levelCount_ == kMaxLevels) break;
  }
  return true;
}

}  // namespace engine::render
