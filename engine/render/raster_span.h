// The span loop: one row's pixels [i0, i1] of a set-up triangle, with depth, colour, fog and
// texture coordinates stepped along the row. The plain loop here is the reference for every case;
// the SSE2 spans (raster_sse2.h) stand in for it in the two commonest ones.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/render/raster_setup.h"
#include "engine/render/raster_sse2.h"
#include "engine/render/raster_texel.h"

namespace engine::render::raster {

// Colours step in 16.16 fixed point of 0..255, fog in 16.16 fixed point of 0..256.
constexpr float kColorScale = 255.0f * 65536.0f;
constexpr float kFogScale = 256.0f * 65536.0f;

// The values stepped along a row, at the current pixel, and their steps.
struct SpanValues {
  float depth = 0, dDepth = 0;
  int32_t r = 0, g = 0, b = 0, dR = 0, dG = 0, dB = 0;
  int32_t f = 0, dF = 0;
};

template <int kColor, bool kFog>
inline SpanValues StartSpan(const Setup& s, int i0, int j) {
  SpanValues v;
  v.dDepth = s.p[kAtDepth].dx;
  v.depth = s.p[kAtDepth].At(i0, j);
  if constexpr (kColor == kShade) {
    v.r = static_cast<int32_t>(s.p[kAtR].At(i0, j) * kColorScale);
    v.g = static_cast<int32_t>(s.p[kAtG].At(i0, j) * kColorScale);
    v.b = static_cast<int32_t>(s.p[kAtB].At(i0, j) * kColorScale);
    v.dR = static_cast<int32_t>(s.p[kAtR].dx * kColorScale);
    v.dG = static_cast<int32_t>(s.p[kAtG].dx * kColorScale);
    v.dB = static_cast<int32_t>(s.p[kAtB].dx * kColorScale);
  }
  if constexpr (kFog) {
    v.f = static_cast<int32_t>(std::clamp(s.p[kAtFog].At(i0, j), 0.0f, 1.0f) * kFogScale);
    v.dF = static_cast<int32_t>(s.p[kAtFog].dx * kFogScale);
  }
  return v;
}

// A chunk of at most kLodChunk pixels [c0, c1]: its mipmap choice and its exact texture
// coordinates (texels << 8 of level 0) at its first pixel and just past its last.
struct Chunk {
  int c0 = 0, c1 = -1;
  LodChoice lod;
  int32_t sBegin = 0, tBegin = 0, sEnd = 0, tEnd = 0;
};

// Cuts a span into chunks. Texture coordinates are exact (divided by 1/z) at the ends of chunks
// and stepped linearly in between, which is indistinguishable at this length and saves a division
// per pixel; the mipmap level is chosen per chunk too. The caller plans each chunk a chunk ahead
// of its pixels, so that the division and rounding for the next chunk run while this chunk's
// pixels are drawn, instead of holding up the start of every chunk.
template <int kTex>
class ChunkPlanner {
 public:
  ChunkPlanner(const Setup& s, const PolyState& st, int i0, int i1, int j)
      : s_(s), st_(st), i1_(i1) {
    if constexpr (kTex != kNoTex) {
      oow_ = s.p[kAtOow].At(i0, j);
      uw_ = s.p[kAtUw].At(i0, j);
      vw_ = s.p[kAtVw].At(i0, j);
      dOow_ = s.p[kAtOow].dx;
      dUw_ = s.p[kAtUw].dx;
      dVw_ = s.p[kAtVw].dx;
      w_ = 1.0f / oow_;
      first_.sEnd = ToFixed(uw_ * w_);
      first_.tEnd = ToFixed(vw_ * w_);
    }
    first_.c1 = i0 - 1;
  }

  // The chunk after `before` (the first one after the one the constructor made up).
  Chunk Next(const Chunk& before) {
    Chunk p;
    p.c0 = before.c1 + 1;
    p.c1 = std::min(i1_, p.c0 + kLodChunk - 1);
    // Each chunk starts from the one before's exact end, so that rounding does not accumulate.
    p.sBegin = before.sEnd;
    p.tBegin = before.tEnd;
    if constexpr (kTex != kNoTex) {
      p.lod = ChooseLod(s_, *st_.texture, st_.quality, w_, uw_, vw_);
      const int len = p.c1 - p.c0 + 1;
      oow_ += dOow_ * static_cast<float>(len);
      uw_ += dUw_ * static_cast<float>(len);
      vw_ += dVw_ * static_cast<float>(len);
      w_ = 1.0f / oow_;
      p.sEnd = ToFixed(uw_ * w_);
      p.tEnd = ToFixed(vw_ * w_);
    }
    return p;
  }
  // Stands before the span's first chunk: Next(First()) is that chunk.
  const Chunk& First() const { return first_; }

 private:
  const Setup& s_;
  const PolyState& st_;
  int i1_;
  float oow_ = 0, uw_ = 0, vw_ = 0, dOow_ = 0, dUw_ = 0, dVw_ = 0, w_ = 1;  // w = 1 / oow
  Chunk first_;
};

// The plain loop over one chunk's pixels [c0, c1], texture coordinates from (sPix, tPix) by
// (ds, dt) a pixel; v is stepped past the chunk.
template <int kTex, bool kFog, bool kKey, int kColor>
[[gnu::always_inline]] inline void PlainChunk(const ChunkTexture& ct, const PolyState& st,
                                              uint32_t flat, uint32_t* crow, float* zrow, int c0,
                                              int c1, int32_t sPix, int32_t tPix, int32_t ds,
                                              int32_t dt, SpanValues& v) {
  const uint32_t key = st.colorKey & 0xFFFFFF;
  float depth = v.depth;
  int32_t r = v.r, g = v.g, b = v.b, f = v.f;
  for (int i = c0; i <= c1; ++i) {
    if (depth > zrow[i]) {
      uint32_t c;
      bool draw = true;
      if constexpr (kTex != kNoTex) {
        const uint32_t texel = Fetch<kTex>(ct, sPix, tPix);
        if constexpr (kKey) draw = (texel & 0xFFFFFF) != key;
        if constexpr (kColor == kShade) {
          c = Modulate(texel, Clamp255(r >> 16), Clamp255(g >> 16), Clamp255(b >> 16));
        } else if constexpr (kColor == kFlat) {
          c = Modulate(texel, static_cast<int>(flat >> 16), static_cast<int>((flat >> 8) & 0xFF),
                       static_cast<int>(flat & 0xFF));
        } else {
          c = texel;
        }
      } else if constexpr (kColor == kShade) {
        c = (static_cast<uint32_t>(Clamp255(r >> 16)) << 16) |
            (static_cast<uint32_t>(Clamp255(g >> 16)) << 8) |
            static_cast<uint32_t>(Clamp255(b >> 16));
      } else {
        c = flat;
      }
      if constexpr (kFog)
        c = LerpColor(st.fogColor, c, static_cast<uint32_t>(std::clamp(f >> 16, 0, 256)));
      if (draw) {
        crow[i] = c & 0xFFFFFF;
        zrow[i] = depth;
      }
    }
    depth += v.dDepth;
    if constexpr (kTex != kNoTex) {
      sPix += ds;
      tPix += dt;
    }
    if constexpr (kColor == kShade) {
      r += v.dR;
      g += v.dG;
      b += v.dB;
    }
    if constexpr (kFog) f += v.dF;
  }
  v.depth = depth;
  v.r = r;
  v.g = g;
  v.b = b;
  v.f = f;
}

// One row's span [i0, i1] of row j (crow and zrow are the row's colours and depths).
template <int kTex, bool kFog, bool kKey, int kColor>
void DrawSpan(const Setup& s, const PolyState& st, uint32_t* crow, float* zrow, int i0, int i1,
              int j) {
  SpanValues v = StartSpan<kColor, kFog>(s, i0, j);
  // Without shading the colour is the same everywhere: the first corner's.
  const uint32_t flat = s.flatColor;
#if defined(__SSE2__)
  if constexpr (kTex == kNoTex && kColor != kShade && !kFog) {
    if (s.fastPaths) {
      SpanFlatSse2(crow, zrow, i0, i1, v.depth, v.dDepth, flat);
      return;
    }
  }
#endif
  ChunkPlanner<kTex> planner(s, st, i0, i1, j);
  ChunkTexture ct;
  LodChoice lastLod;
  lastLod.level = -1;
  Chunk next = planner.Next(planner.First());
  bool more = true;
  while (more) {
    const Chunk cur = next;
    more = cur.c1 < i1;
    if (more) next = planner.Next(cur);
    int32_t ds = 0, dt = 0;
    if constexpr (kTex != kNoTex) {
      const LodChoice& lod = cur.lod;
      if (lod.level != lastLod.level || lod.next != lastLod.next || lod.blend != lastLod.blend) {
        ct = ChunkTexture(*st.texture, lod);
        lastLod = lod;
      }
      const int len = cur.c1 - cur.c0 + 1;
      // Steps in 64-bit first: the ends may be far apart on a heavily repeated texture.
      ds = DivideByLength(static_cast<int64_t>(cur.sEnd) - cur.sBegin, len);
      dt = DivideByLength(static_cast<int64_t>(cur.tEnd) - cur.tBegin, len);
    }
#if defined(__SSE2__)
    if constexpr (kTex == kTexBilinear && !kFog && !kKey && kColor != kShade) {
      if (ct.blend == 0 && s.fastPaths) {
        v.depth = ChunkBilinearSse2<kColor == kFlat>(ct, flat, crow, zrow, cur.c0, cur.c1, v.depth,
                                                     v.dDepth, cur.sBegin, cur.tBegin, ds, dt);
        continue;
      }
    }
#endif
    PlainChunk<kTex, kFog, kKey, kColor>(ct, st, flat, crow, zrow, cur.c0, cur.c1, cur.sBegin,
                                         cur.tBegin, ds, dt, v);
  }
}

}  // namespace engine::render::raster
