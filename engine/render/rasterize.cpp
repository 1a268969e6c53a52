#include "engine/render/rasterize.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "engine/render/sample.h"

namespace engine::render {
namespace {

std::atomic<bool> fastPaths{true};

constexpr int kSubBits = 4;  // sub-pixel precision: 1/16 pixel
constexpr int kSub = 1 << kSubBits;
constexpr int kHalf = kSub / 2;  // a pixel centre's offset in fixed point
constexpr int kLodChunk = 16;    // pixels between exact texture coordinates
constexpr int kNarrow = 12;      // triangles narrower than this find their spans pixel by pixel

// floor(a / b) and ceil(a / b) for b > 0.
inline int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
inline int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// An edge function E = A X + B Y + C over fixed-point coordinates, positive inside; `bias` is 0 on
// top and left edges, whose pixel centres count as inside, and 1 on the others, whose don't.
struct Edge {
  int64_t a, b, c, bias;
};

Edge MakeEdge(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  Edge e;
  e.a = y0 - y1;
  e.b = x1 - x0;
  e.c = -e.a * x0 - e.b * y0;
  bool topLeft = e.a > 0 || (e.a == 0 && e.b > 0);
  e.bias = topLeft ? 0 : 1;
  return e;
}

// Narrows [lo, hi] to the pixels of row j whose centres the edge counts as inside.
inline void ClipSpan(const Edge& e, int j, int64_t& lo, int64_t& hi) {
  // E at pixel i of row j is (kSub a) i + k.
  int64_t k = e.a * kHalf + e.b * (static_cast<int64_t>(j) * kSub + kHalf) + e.c - e.bias;
  int64_t step = e.a * kSub;
  if (step > 0) {
    lo = std::max(lo, CeilDiv(-k, step));
  } else if (step < 0) {
    hi = std::min(hi, FloorDiv(k, -step));
  } else if (k < 0) {
    hi = lo - 1;
  }
}

// The interpolated attributes, all linear in screen space.
enum Attr { kAtDepth, kAtOow, kAtUw, kAtVw, kAtR, kAtG, kAtB, kAtFog, kAttrCount };

struct Plane {
  float at0;  // value at the centre of pixel (0, 0)
  float dx, dy;
  float At(int i, int j) const {
    return at0 + dx * static_cast<float>(i) + dy * static_cast<float>(j);
  }
};

// The vertex field of each attribute, in Attr order.
constexpr float ScreenVertex::*kField[kAttrCount] = {
    &ScreenVertex::depth, &ScreenVertex::oow, &ScreenVertex::uw, &ScreenVertex::vw,
    &ScreenVertex::r,     &ScreenVertex::g,   &ScreenVertex::b,  &ScreenVertex::fog};

struct Setup {
  Plane p[kAttrCount];
  int rowFirst, rowLast, colFirst, colLast;
  Edge e[3];
  bool shaded = true;      // the colour varies across the triangle
  uint32_t flatColor = 0;  // 0x00RRGGBB, when it does not
  bool fastPaths = true;   // the SSE2 spans may be used (SetRasterFastPaths)
};

inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Cheap log2 for the mipmap choice, good to a few hundredths.
inline float FastLog2(float x) {
  uint32_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return static_cast<float>(bits) * (1.0f / (1 << 23)) - 127.0f;
}

inline int32_t ToFixed(float v) {
  // Clamped so that the conversion is defined for any coordinate (repeating does the rest).
  if (!(v > -2.0e9f)) v = -2.0e9f;  // a NaN too
  if (v > 2.0e9f) v = 2.0e9f;
  int32_t i = static_cast<int32_t>(v);  // toward zero; one less below zero makes it the floor
  return i - (v < static_cast<float>(i) ? 1 : 0);
}

// Chooses the mipmap level(s) at a pixel from the texture coordinate's rate of change.
struct LodChoice {
  int level = 0, next = 0;
  uint32_t blend = 0;  // 0..256 towards next
};

// w is 1 / oow at the pixel, as the caller has worked it out already.
inline LodChoice ChooseLod(const Setup& s, const MipTexture& tex, int quality, float w, float uw,
                           float vw) {
  LodChoice out;
  if (quality < kMipNearest || tex.levelCount() <= 1) return out;
  float u = uw * w, v = vw * w;  // fixed texels of level 0
  // d(uw/oow) = (d uw - u d oow) / oow, and the same for v; in texels after dividing by 256.
  const Plane& po = s.p[kAtOow];
  float dux = (s.p[kAtUw].dx - u * po.dx) * w, dvx = (s.p[kAtVw].dx - v * po.dx) * w;
  float duy = (s.p[kAtUw].dy - u * po.dy) * w, dvy = (s.p[kAtVw].dy - v * po.dy) * w;
  float rho2 = std::max(dux * dux + dvx * dvx, duy * duy + dvy * dvy) * (1.0f / 65536.0f);
  if (!(rho2 > 1.0f)) return out;  // magnified (or not a number): the full picture
  float lod = 0.5f * FastLog2(rho2);
  int top = tex.levelCount() - 1;
  if (quality == kMipNearest || quality == kMipLinear) {
    out.level = out.next = std::min(top, static_cast<int>(lod + 0.5f));
  } else {
    int l = static_cast<int>(lod);
    out.level = std::min(top, l);
    out.next = std::min(top, l + 1);
    out.blend = static_cast<uint32_t>((lod - static_cast<float>(l)) * 256.0f);
  }
  return out;
}

enum TexMode { kNoTex, kTexNearest, kTexBilinear };

// d / len for a chunk length 1..kLodChunk, by a multiply: 2^32 / len, rounded up, is exact
// enough that the error stays below one unit over the chunk.
inline int32_t DivideByLength(int64_t d, int len) {
  static constexpr auto kRecip = [] {
    std::array<int64_t, kLodChunk + 1> r{};
    for (int n = 1; n <= kLodChunk; ++n) r[n] = ((int64_t{1} << 32) + n - 1) / n;
    return r;
  }();
  // Clamped: a step beyond 2^30 is meaningless on any texture, and keeps the product in range.
  d = std::clamp<int64_t>(d, -(int64_t{1} << 30), int64_t{1} << 30);
  return static_cast<int32_t>((d * kRecip[len]) >> 32);
}

// The mipmap level(s) of one chunk, copied out so that the pixel loop keeps them in registers
// (stores to the colour buffer could otherwise alias them).
struct ChunkTexture {
  MipLevel a, b;
  int la = 0, lb = 0;
  uint32_t blend = 0;
  ChunkTexture() = default;
  ChunkTexture(const MipTexture& tex, const LodChoice& lod)
      : a(tex.level(lod.level)),
        b(tex.level(lod.next)),
        la(lod.level),
        lb(lod.next),
        blend(lod.next != lod.level ? lod.blend : 0) {}
};

template <int kTex>
inline uint32_t Fetch(const ChunkTexture& ct, int32_t s, int32_t t) {
  auto one = [&](const MipLevel& lv, int l) {
    int32_t sl = s >> l, tl = t >> l;
    return kTex == kTexNearest ? SampleNearest(lv, sl, tl) : SampleBilinear(lv, sl, tl);
  };
  uint32_t c = one(ct.a, ct.la);
  if (ct.blend != 0) c = LerpColor(c, one(ct.b, ct.lb), ct.blend);
  return c;
}

// Multiplies a texel by a light colour (each channel 0..255).
inline uint32_t Modulate(uint32_t texel, int r, int g, int b) {
  uint32_t tr = (texel >> 16) & 0xFF, tg = (texel >> 8) & 0xFF, tb = texel & 0xFF;
  tr = (tr * static_cast<uint32_t>(r) + 255) >> 8;
  tg = (tg * static_cast<uint32_t>(g) + 255) >> 8;
  tb = (tb * static_cast<uint32_t>(b) + 255) >> 8;
  return (tr << 16) | (tg << 8) | tb;
}

// Colours step in 16.16 fixed point of 0..255, fog in 16.16 fixed point of 0..256.
constexpr float kColorScale = 255.0f * 65536.0f;
constexpr float kFogScale = 256.0f * 65536.0f;

#if defined(__SSE2__)
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
  const __m128i tint =
      _mm_set_epi16(0, 0, 0, 0, 256, static_cast<short>((flat >> 16) & 0xFF),
                    static_cast<short>((flat >> 8) & 0xFF), static_cast<short>(flat & 0xFF));
  for (int i = c0; i <= c1; ++i, sl += dsl, tl += dtl, depth += dDepth) {
    if (!(depth > zrow[i])) continue;
    __m128i v = BilinearLanesAtCorner(texels, pitch, wm, hm, sl, tl);
    if constexpr (kModulate)  // rounded as Modulate rounds
      v = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(v, tint), round), 8);
    crow[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(v, zero))) & 0xFFFFFF;
    zrow[i] = depth;
  }
  return depth;
}
#endif

// One row's span of pixels [i0, i1] with everything interpolated along it.
// How a pixel's colour is made: the flat colour as it is (kWhite: the texel as it is), or the
// flat colour, or the interpolated one (kShade).
enum ColorMode { kWhite, kFlat, kShade };

template <int kTex, bool kFog, bool kKey, int kColor>
void DrawSpan(const Setup& s, const PolyState& st, uint32_t* crow, float* zrow, int i0, int i1,
              int j) {
  const float dDepth = s.p[kAtDepth].dx;
  float depth = s.p[kAtDepth].At(i0, j);
  int32_t r = 0, g = 0, b = 0, dR = 0, dG = 0, dB = 0;
  if constexpr (kColor == kShade) {
    r = static_cast<int32_t>(s.p[kAtR].At(i0, j) * kColorScale);
    g = static_cast<int32_t>(s.p[kAtG].At(i0, j) * kColorScale);
    b = static_cast<int32_t>(s.p[kAtB].At(i0, j) * kColorScale);
    dR = static_cast<int32_t>(s.p[kAtR].dx * kColorScale);
    dG = static_cast<int32_t>(s.p[kAtG].dx * kColorScale);
    dB = static_cast<int32_t>(s.p[kAtB].dx * kColorScale);
  }
  int32_t f = 0, dF = 0;
  if constexpr (kFog) {
    f = static_cast<int32_t>(std::clamp(s.p[kAtFog].At(i0, j), 0.0f, 1.0f) * kFogScale);
    dF = static_cast<int32_t>(s.p[kAtFog].dx * kFogScale);
  }
  const uint32_t key = st.colorKey & 0xFFFFFF;
  // Without shading the colour is the same everywhere: the first corner's.
  const uint32_t flat = s.flatColor;

#if defined(__SSE2__)
  if constexpr (kTex == kNoTex && kColor != kShade && !kFog) {
    if (s.fastPaths) {
      SpanFlatSse2(crow, zrow, i0, i1, depth, dDepth, flat);
      return;
    }
  }
#endif

  // Texture coordinates are exact (divided by 1/z) at the ends of chunks of kLodChunk pixels and
  // stepped linearly in between, which is indistinguishable at this length and saves a division
  // per pixel. The mipmap level is chosen per chunk too.
  float oow = 0, uw = 0, vw = 0, dOow = 0, dUw = 0, dVw = 0, w = 1;  // w = 1 / oow
  int32_t sCur = 0, tCur = 0;
  if constexpr (kTex != kNoTex) {
    oow = s.p[kAtOow].At(i0, j);
    uw = s.p[kAtUw].At(i0, j);
    vw = s.p[kAtVw].At(i0, j);
    dOow = s.p[kAtOow].dx;
    dUw = s.p[kAtUw].dx;
    dVw = s.p[kAtVw].dx;
    w = 1.0f / oow;
    sCur = ToFixed(uw * w);
    tCur = ToFixed(vw * w);
  }

  // Each chunk's mipmap choice and exact end coordinates are worked out a chunk ahead of its
  // pixels, with the same arithmetic: the division and rounding for the next chunk then run while
  // this chunk's pixels are drawn, instead of holding up the start of every chunk.
  struct Plan {
    int c0 = 0, c1 = -1;
    LodChoice lod;
    int32_t sBegin = 0, tBegin = 0, sEnd = 0, tEnd = 0;
  };
  auto plan = [&](int c0, int32_t sBegin, int32_t tBegin) {
    Plan p;
    p.c0 = c0;
    p.c1 = std::min(i1, c0 + kLodChunk - 1);
    p.sBegin = sBegin;
    p.tBegin = tBegin;
    if constexpr (kTex != kNoTex) {
      p.lod = ChooseLod(s, *st.texture, st.quality, w, uw, vw);
      const int len = p.c1 - p.c0 + 1;
      oow += dOow * static_cast<float>(len);
      uw += dUw * static_cast<float>(len);
      vw += dVw * static_cast<float>(len);
      w = 1.0f / oow;
      p.sEnd = ToFixed(uw * w);
      p.tEnd = ToFixed(vw * w);
    }
    return p;
  };

  ChunkTexture ct;
  LodChoice lastLod;
  lastLod.level = -1;
  Plan next = plan(i0, sCur, tCur);
  bool more = true;
  while (more) {
    const Plan cur = next;
    more = cur.c1 < i1;
    // The next chunk starts from this one's exact end, so that rounding does not accumulate.
    if (more) next = plan(cur.c1 + 1, cur.sEnd, cur.tEnd);
    const int c0 = cur.c0, c1 = cur.c1;
    int32_t ds = 0, dt = 0;
    if constexpr (kTex != kNoTex) {
      const LodChoice& lod = cur.lod;
      if (lod.level != lastLod.level || lod.next != lastLod.next || lod.blend != lastLod.blend) {
        ct = ChunkTexture(*st.texture, lod);
        lastLod = lod;
      }
      const int len = c1 - c0 + 1;
      // Steps in 64-bit first: the ends may be far apart on a heavily repeated texture.
      ds = DivideByLength(static_cast<int64_t>(cur.sEnd) - cur.sBegin, len);
      dt = DivideByLength(static_cast<int64_t>(cur.tEnd) - cur.tBegin, len);
    }
#if defined(__SSE2__)
    if constexpr (kTex == kTexBilinear && !kFog && !kKey && kColor != kShade) {
      if (ct.blend == 0 && s.fastPaths) {
        depth = ChunkBilinearSse2<kColor == kFlat>(ct, flat, crow, zrow, c0, c1, depth, dDepth,
                                                   cur.sBegin, cur.tBegin, ds, dt);
        continue;
      }
    }
#endif
    int32_t sPix = cur.sBegin, tPix = cur.tBegin;
    for (int i = c0; i <= c1; ++i) {
      if (depth > zrow[i]) {
        uint32_t c;
        bool draw = true;
        if constexpr (kTex != kNoTex) {
          uint32_t texel = Fetch<kTex>(ct, sPix, tPix);
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
      depth += dDepth;
      if constexpr (kTex != kNoTex) {
        sPix += ds;
        tPix += dt;
      }
      if constexpr (kColor == kShade) {
        r += dR;
        g += dG;
        b += dB;
      }
      if constexpr (kFog) f += dF;
    }
  }
}

// The pixels of row j inside all three edges, as [lo, hi] (empty when lo > hi).
inline void RowSpan(const Setup& s, int j, int64_t& lo, int64_t& hi) {
  lo = s.colFirst;
  hi = s.colLast;
  if (hi - lo < kNarrow) {
    // Few pixels: test them one by one, stepping the edge functions, rather than divide.
    int64_t e[3], step[3];
    for (int k = 0; k < 3; ++k) {
      const Edge& ed = s.e[k];
      e[k] = ed.a * (lo * kSub + kHalf) + ed.b * (static_cast<int64_t>(j) * kSub + kHalf) + ed.c -
             ed.bias;
      step[k] = ed.a * kSub;
    }
    int64_t first = hi + 1, last = lo - 1;
    for (int64_t i = lo; i <= hi; ++i) {
      if ((e[0] | e[1] | e[2]) >= 0) {  // all three non-negative
        if (first > hi) first = i;
        last = i;
      }
      for (int k = 0; k < 3; ++k) e[k] += step[k];
    }
    lo = first;
    hi = last;
    return;
  }
  for (const Edge& e : s.e) ClipSpan(e, j, lo, hi);
}

template <int kTex, bool kFog, bool kKey, int kColor>
void DrawRows(const Target& t, const Setup& s, const PolyState& st) {
  for (int j = s.rowFirst; j <= s.rowLast; ++j) {
    int64_t lo, hi;
    RowSpan(s, j, lo, hi);
    if (lo > hi) continue;
    DrawSpan<kTex, kFog, kKey, kColor>(s, st, t.color + static_cast<size_t>(j) * t.pitch,
                                       t.depth + static_cast<size_t>(j) * t.pitch,
                                       static_cast<int>(lo), static_cast<int>(hi), j);
  }
}

void DarkenRows(const Target& t, const Setup& s) {
  for (int j = s.rowFirst; j <= s.rowLast; ++j) {
    int64_t lo, hi;
    RowSpan(s, j, lo, hi);
    if (lo > hi) continue;
    uint32_t* crow = t.color + static_cast<size_t>(j) * t.pitch;
    const float* zrow = t.depth + static_cast<size_t>(j) * t.pitch;
    float depth = s.p[kAtDepth].At(static_cast<int>(lo), j);
    for (int64_t i = lo; i <= hi; ++i, depth += s.p[kAtDepth].dx)
      if (depth > zrow[i]) crow[i] = (crow[i] >> 1) & 0x7F7F7F;
  }
}

template <int kTex, int kColor>
void DrawRowsFor(const Target& t, const Setup& s, const PolyState& st) {
  bool key = st.blend == Blend::kColorKey && kTex != kNoTex;
  if (st.fog) {
    key ? DrawRows<kTex, true, true, kColor>(t, s, st)
        : DrawRows<kTex, true, false, kColor>(t, s, st);
  } else {
    key ? DrawRows<kTex, false, true, kColor>(t, s, st)
        : DrawRows<kTex, false, false, kColor>(t, s, st);
  }
}

template <int kTex>
void DrawRowsFor(const Target& t, const Setup& s, const PolyState& st) {
  if (s.shaded) {
    DrawRowsFor<kTex, kShade>(t, s, st);
  } else if (kTex != kNoTex && s.flatColor == 0xFFFFFF) {
    DrawRowsFor<kTex, kWhite>(t, s, st);
  } else {
    DrawRowsFor<kTex, kFlat>(t, s, st);
  }
}

bool Usable(const ScreenVertex& v) {
  // Written so that a NaN fails too; a sum of the attributes is finite only when each one is (or
  // when some are too large to use anyway).
  return std::fabs(v.x) <= kMaxScreenCoord && std::fabs(v.y) <= kMaxScreenCoord &&
         std::isfinite(v.depth + v.oow + v.uw + v.vw + v.r + v.g + v.b + v.fog);
}

}  // namespace

void SetRasterFastPaths(bool on) { fastPaths = on; }

namespace {

// A triangle's corners snapped to the fixed-point grid, inside positive, and the pixels of the
// target's rectangle whose centres lie within the corners' extent.
struct Snapped {
  const ScreenVertex* v[3];
  int64_t X[3], Y[3];
  int64_t area2;
  int colFirst, colLast, rowFirst, rowLast;
};

// False when the triangle can cover no pixel of the target.
bool Snap(const Target& target, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
          Snapped& t) {
  if (!target.color || !target.depth || target.x0 >= target.x1 || target.y0 >= target.y1)
    return false;
  if (!Usable(a) || !Usable(b) || !Usable(c)) return false;

  t.v[0] = &a;
  t.v[1] = &b;
  t.v[2] = &c;
  int64_t* X = t.X;
  int64_t* Y = t.Y;
  for (int k = 0; k < 3; ++k) {
    X[k] = ToGrid(t.v[k]->x);
    Y[k] = ToGrid(t.v[k]->y);
  }
  t.area2 = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
  if (t.area2 == 0) return false;
  if (t.area2 < 0) {  // make the inside positive for all three edges
    std::swap(t.v[1], t.v[2]);
    std::swap(X[1], X[2]);
    std::swap(Y[1], Y[2]);
    t.area2 = -t.area2;
  }
  // Pixel i is covered only if its centre (i * kSub + kHalf) lies within the corners' extent.
  int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
  int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
  // (Arithmetic shifts divide by kSub rounding down; ceil(a / kSub) is -floor(-a / kSub).)
  t.colFirst = static_cast<int>(std::max<int64_t>(target.x0, -((kHalf - minX) >> kSubBits)));
  t.colLast = static_cast<int>(std::min<int64_t>(target.x1 - 1, (maxX - kHalf) >> kSubBits));
  t.rowFirst = static_cast<int>(std::max<int64_t>(target.y0, -((kHalf - minY) >> kSubBits)));
  t.rowLast = static_cast<int>(std::min<int64_t>(target.y1 - 1, (maxY - kHalf) >> kSubBits));
  return t.colFirst <= t.colLast && t.rowFirst <= t.rowLast;
}

// Taken for opaque, untextured, unfogged triangles within 2 x 2 pixels (distant detail, like a
// small sphere's faces), which are common and cover a pixel or two: the corners are weighed at each
// covered pixel centre directly, without interpolation planes or edge set-up. The weights round
// differently from the planes, by a unit of the last place of depth and colour.
void DrawTinyTriangle(const Target& target, const Snapped& t, int rowFirst, int rowLast) {
  // Edge k runs from corner k to corner k + 1; at a point P it is A (P.x - X[k]) + B (P.y - Y[k]),
  // positive inside, as MakeEdge's.
  int64_t a[3], b[3], bias[3];
  for (int k = 0; k < 3; ++k) {
    const int k1 = k == 2 ? 0 : k + 1;
    a[k] = t.Y[k] - t.Y[k1];
    b[k] = t.X[k1] - t.X[k];
    bias[k] = a[k] > 0 || (a[k] == 0 && b[k] > 0) ? 0 : 1;
  }
  const ScreenVertex& v0 = *t.v[0];
  const ScreenVertex& v1 = *t.v[1];
  const ScreenVertex& v2 = *t.v[2];
  const float inv = 1.0f / static_cast<float>(t.area2);
  for (int j = rowFirst; j <= rowLast; ++j) {
    const int64_t py = static_cast<int64_t>(j) * kSub + kHalf;
    for (int i = t.colFirst; i <= t.colLast; ++i) {
      const int64_t px = static_cast<int64_t>(i) * kSub + kHalf;
      const int64_t e0 = a[0] * (px - t.X[0]) + b[0] * (py - t.Y[0]);
      const int64_t e1 = a[1] * (px - t.X[1]) + b[1] * (py - t.Y[1]);
      const int64_t e2 = a[2] * (px - t.X[2]) + b[2] * (py - t.Y[2]);
      if (((e0 - bias[0]) | (e1 - bias[1]) | (e2 - bias[2])) < 0) continue;
      // Each corner weighs as the edge facing it: e1 faces corner 0, e2 corner 1, e0 corner 2.
      const float w0 = static_cast<float>(e1) * inv, w1 = static_cast<float>(e2) * inv,
                  w2 = static_cast<float>(e0) * inv;
      const float depth = w0 * v0.depth + w1 * v1.depth + w2 * v2.depth;
      const size_t at = static_cast<size_t>(j) * target.pitch + i;
      if (!(depth > target.depth[at])) continue;
      // The corners' attributes are finite (Usable), so min and max clamp as std::clamp does.
      auto channel = [&](float r0, float r1, float r2) {
        const float x = w0 * r0 + w1 * r1 + w2 * r2;
        return static_cast<uint32_t>(
            static_cast<int32_t>(std::min(std::max(x, 0.0f), 1.0f) * 255.0f + 0.5f));
      };
      target.color[at] = channel(v0.r, v1.r, v2.r) << 16 | channel(v0.g, v1.g, v2.g) << 8 |
                         channel(v0.b, v1.b, v2.b);
      target.depth[at] = depth;
    }
  }
}

}  // namespace

bool MayCoverGridBox(const Target& target, int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
  return std::max<int64_t>(target.x0, -((kHalf - x0) >> kSubBits)) <=
             std::min<int64_t>(target.x1 - 1, (x1 - kHalf) >> kSubBits) &&
         std::max<int64_t>(std::max(target.y0, target.rowBegin), -((kHalf - y0) >> kSubBits)) <=
             std::min<int64_t>(std::min(target.y1, target.rowEnd) - 1, (y1 - kHalf) >> kSubBits);
}

void DrawTriangle(const Target& target, const ScreenVertex& a, const ScreenVertex& b,
                  const ScreenVertex& c, const PolyState& state) {
  Snapped t;
  if (!Snap(target, a, b, c, t)) return;
  const ScreenVertex* const* v = t.v;
  const int64_t* X = t.X;
  const int64_t* Y = t.Y;
  const int64_t area2 = t.area2;

  const bool fast = fastPaths.load(std::memory_order_relaxed);
  // Whether DrawTinyTriangle may draw it is decided before the rows are cut to the band this
  // thread owns, so that every band draws it the same way.
  const bool tiny = t.colLast - t.colFirst <= 1 && t.rowLast - t.rowFirst <= 1 &&
                    !(state.texture && !state.texture->empty()) && state.blend == Blend::kOpaque &&
                    !state.fog;
  const int rowFirst = std::max(t.rowFirst, target.rowBegin);
  const int rowLast = std::min(t.rowLast, target.rowEnd - 1);
  if (rowFirst > rowLast) return;
  if (tiny && fast) {
    DrawTinyTriangle(target, t, rowFirst, rowLast);
    return;
  }

  Setup s;
  s.fastPaths = fast;
  s.colFirst = t.colFirst;
  s.colLast = t.colLast;
  s.rowFirst = rowFirst;
  s.rowLast = rowLast;
  for (int k = 0; k < 3; ++k) s.e[k] = MakeEdge(X[k], Y[k], X[(k + 1) % 3], Y[(k + 1) % 3]);

  // Attribute planes from the snapped corners, so that they agree with the coverage.
  const float x0 = static_cast<float>(X[0]) / kSub, y0 = static_cast<float>(Y[0]) / kSub;
  const float x10 = static_cast<float>(X[1] - X[0]) / kSub,
              y10 = static_cast<float>(Y[1] - Y[0]) / kSub;
  const float x20 = static_cast<float>(X[2] - X[0]) / kSub,
              y20 = static_cast<float>(Y[2] - Y[0]) / kSub;
  const float invArea = static_cast<float>(kSub * kSub) / static_cast<float>(area2);

  float texW = 1.0f, texH = 1.0f;
  const bool textured = state.texture && !state.texture->empty();
  if (textured) {
    texW = static_cast<float>(state.texture->level(0).width) * 256.0f;
    texH = static_cast<float>(state.texture->level(0).height) * 256.0f;
  }
  // The same colour at all three corners: no need to interpolate it.
  auto channel = [](float v) {
    return static_cast<uint32_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
  };
  s.shaded = !(a.r == b.r && a.r == c.r && a.g == b.g && a.g == c.g && a.b == b.b && a.b == c.b);
  s.flatColor = channel(a.r) << 16 | channel(a.g) << 8 | channel(a.b);

  for (int k = 0; k < kAttrCount; ++k) {
    // Only the attributes that this triangle's pixels use.
    if ((k == kAtOow || k == kAtUw || k == kAtVw) && !textured) continue;
    if (k >= kAtR && k <= kAtB && !s.shaded) continue;
    if (k == kAtFog && !state.fog) continue;
    float scale = k == kAtUw ? texW : (k == kAtVw ? texH : 1.0f);
    float a0 = v[0]->*kField[k] * scale;
    float d10 = v[1]->*kField[k] * scale - a0, d20 = v[2]->*kField[k] * scale - a0;
    Plane& p = s.p[k];
    p.dx = (d10 * y20 - d20 * y10) * invArea;
    p.dy = (d20 * x10 - d10 * x20) * invArea;
    p.at0 = a0 + p.dx * (0.5f - x0) + p.dy * (0.5f - y0);
  }

  if (state.blend == Blend::kDarken) {
    DarkenRows(target, s);
  } else if (!textured) {
    DrawRowsFor<kNoTex>(target, s, state);
  } else if (state.quality == kNearest || state.quality == kMipNearest ||
             state.quality == kLinearMipNearest) {
    DrawRowsFor<kTexNearest>(target, s, state);
  } else {
    DrawRowsFor<kTexBilinear>(target, s, state);
  }
}

}  // namespace engine::render
