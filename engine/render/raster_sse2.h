// The SSE2 spans: the same pixels as the plain span loop (raster_span.h) for the two commonest
// cases, four pixels or one bilinear texel blend at a time. Each says where its arithmetic may
// differ from the plain loop's in the last bit.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstdint>

#include "engine/render/raster_texel.h"

namespace engine::render::raster {

// Taken for spans of one colour without texture or fog (the blocks, the table, the markers): four
// pixels per step, and a hidden stretch (a block behind another) costs one comparison per four
// pixels. Depths step by four lanes at once, so they may differ from the plain loop's in the last
// bit.
inline void SpanFlatSse2(uint32_t* crow, float* zrow, int i0, int i1, float depth, float dDepth,
                         uint32_t flat) {
  const __m128 step = _mm_set1_ps(dDepth);
  __m128 d = _mm_add_ps(_mm_set1_ps(depth), _mm_mul_ps(_mm_set_ps(3, 2, 1, 0), step));
  const __m128 step4 = _mm_mul_ps(step, _mm_set1_ps(4.0f));
  const __m128i col = _mm_set1_epi32(static_cast<int>(flat));
  int i = i0;
  for (; i + 3 <= i1; i += 4, d = _mm_add_ps(d, step4)) {
    const __m128 z = _mm_loadu_ps(zrow + i);
    const __m128 nearer = _mm_cmpgt_ps(d, z);
    const int bits = _mm_movemask_ps(nearer);
    if (bits == 0) continue;
    __m128i* cp = reinterpret_cast<__m128i*>(crow + i);
    if (bits == 15) {
      _mm_storeu_ps(zrow + i, d);
      _mm_storeu_si128(cp, col);
    } else {
      const __m128i m = _mm_castps_si128(nearer);
      _mm_storeu_ps(zrow + i, _mm_or_ps(_mm_and_ps(nearer, d), _mm_andnot_ps(nearer, z)));
      _mm_storeu_si128(
          cp, _mm_or_si128(_mm_and_si128(m, col), _mm_andnot_si128(m, _mm_loadu_si128(cp))));
    }
  }
  depth = _mm_cvtss_f32(d);
  for (; i <= i1; ++i, depth += dDepth) {
    if (depth > zrow[i]) {
      crow[i] = flat;
      zrow[i] = depth;
    }
  }
}

// Taken for a chunk of the walls' case: one mipmap level (no blend between two), bilinear, one
// colour, no fog or colour key. Coordinates step in the level's own texels from the chunk's exact
// ends, so that the level's fields stay in registers and the four texels blend in SSE2 lanes; the
// plain loop steps level-0 coordinates and shifts them, which may round a texel coordinate
// differently by 1/256 of a texel. Returns the depth after the chunk.
template <bool kModulate>
inline float ChunkBilinearSse2(const ChunkTexture& ct, uint32_t flat, uint32_t* crow, float* zrow,
                               int c0, int c1, float depth, float dDepth, int32_t sCur,
                               int32_t tCur, int32_t ds, int32_t dt) {
  const int l = ct.la, len = c1 - c0 + 1;
  const uint32_t* texels = ct.a.texels;
  const int pitch = ct.a.pitch, wm = ct.a.widthMask, hm = ct.a.heightMask;
  // Less half a texel: the blend starts at the texel centres around the point.
  int32_t sl = (sCur >> l) - 128, tl = (tCur >> l) - 128;
  const int32_t dsl =
      DivideByLength(((static_cast<int64_t>(sCur) + int64_t{ds} * len) >> l) - (sl + 128), len);
  const int32_t dtl =
      DivideByLength(((static_cast<int64_t>(tCur) + int64_t{dt} * len) >> l) - (tl + 128), len);
  const __m128i zero = _mm_setzero_si128(), round = _mm_set1_epi16(255);
  // The alpha lane's tint is 0, which leaves alpha 0 as the colour buffer holds it.
  const __m128i tint =
      _mm_set_epi16(0, 0, 0, 0, 0, static_cast<short>((flat >> 16) & 0xFF),
                    static_cast<short>((flat >> 8) & 0xFF), static_cast<short>(flat & 0xFF));
  for (int i = c0; i <= c1; ++i, sl += dsl, tl += dtl, depth += dDepth) {
    if (!(depth > zrow[i])) continue;
    __m128i v = BilinearLanesAtCorner(texels, pitch, wm, hm, sl, tl);
    uint32_t c;
    if constexpr (kModulate) {  // rounded as Modulate rounds
      v = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(v, tint), round), 8);
      c = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(v, zero)));
    } else {
      c = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(v, zero))) & 0xFFFFFF;
    }
    crow[i] = c;
    zrow[i] = depth;
  }
  return depth;
}

}  // namespace engine::render::raster

#endif
