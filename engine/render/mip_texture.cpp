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

}  // namespace

bool MipTexture::Build(const uint32_t* texels, int width, int height, int pitch) {
  levelCount_ = 0;
  storage_.clear();
  if (!texels || width <= 0 || height <= 0 || pitch < width) return false;

  // The chain, unpadded: level 0 scaled to powers of two, then each level the average of the one
  // before.
  const int w = NearestPowerOfTwo(width), h = NearestPowerOfTwo(height);
  std::vector<uint32_t> plain(static_cast<size_t>(w) * h);
  if (w == width && h == height) {
    for (int y = 0; y < h; ++y)
      std::copy_n(texels + static_cast<size_t>(y) * pitch, w,
                  plain.data() + static_cast<size_t>(y) * w);
  } else {
    float scaleX = static_cast<float>(width) / w, scaleY = static_cast<float>(height) / h;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        plain[static_cast<size_t>(y) * w + x] = SampleSource(
            texels, width, height, pitch, (x + 0.5f) * scaleX - 0.5f, (y + 0.5f) * scaleY - 0.5f);
  }
  struct Plain {
    size_t offset;
    int w, h;
  };
  std::vector<Plain> chain{{0, w, h}};
  while ((chain.back().w > 1 || chain.back().h > 1) &&
         static_cast<int>(chain.size()) < kMaxLevels) {
    const Plain& prev = chain.back();
    Plain next{plain.size(), std::max(1, prev.w / 2), std::max(1, prev.h / 2)};
    plain.resize(plain.size() + static_cast<size_t>(next.w) * next.h);
    MipLevel from;
    from.texels = plain.data() + prev.offset;
    from.width = prev.w;
    from.height = prev.h;
    Downsample(from, plain.data() + next.offset, next.w, next.h);
    chain.push_back(next);
  }

  // The padded copy that the sampler reads.
  size_t total = 0;
  for (const Plain& c : chain) total += static_cast<size_t>(c.w + 1) * (c.h + 1);
  storage_.resize(total);
  uint32_t* out = storage_.data();
  for (const Plain& c : chain) {
    MipLevel& lv = levels_[levelCount_++];
    lv.texels = out;
    lv.width = c.w;
    lv.height = c.h;
    lv.pitch = c.w + 1;
    lv.widthMask = c.w - 1;
    lv.heightMask = c.h - 1;
    for (int y = 0; y <= c.h; ++y) {  // the extra row repeats the first
      const uint32_t* src = plain.data() + c.offset + static_cast<size_t>(y == c.h ? 0 : y) * c.w;
      std::copy_n(src, c.w, out);
      out[c.w] = src[0];
      out += c.w + 1;
    }
  }
  return true;
}

}  // namespace engine::render
