// The rasterizer's entry: a triangle is snapped and set up (raster_setup.h), then drawn row by row
// with the span loop that fits its state (raster_span.h), or as a tiny triangle (raster_tiny.h).
#include "engine/render/rasterize.h"

#include <algorithm>
#include <atomic>

#include "engine/render/raster_setup.h"
#include "engine/render/raster_span.h"
#include "engine/render/raster_tiny.h"

namespace engine::render {
namespace {

using namespace raster;

std::atomic<bool> fastPaths{true};

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

// Shadows: halve what lies behind, depth tested but not written.
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
  const bool key = st.blend == Blend::kColorKey && kTex != kNoTex;
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

bool Textured(const PolyState& state) { return state.texture && !state.texture->empty(); }

}  // namespace

void SetRasterFastPaths(bool on) { fastPaths = on; }
bool RasterFastPaths() { return fastPaths.load(std::memory_order_relaxed); }

namespace {

void DrawSnapped(const Target& target, const Snapped& t, const PolyState& state) {
  const bool fast = fastPaths.load(std::memory_order_relaxed);
  // Whether DrawTinyTriangle may draw it is decided before the rows are cut to the band this
  // thread owns, so that every band draws it the same way.
  const bool tiny = t.colLast - t.colFirst <= 1 && t.rowLast - t.rowFirst <= 1 &&
                    !Textured(state) && state.blend == Blend::kOpaque && !state.fog;
  const int rowFirst = std::max(t.rowFirst, target.rowBegin);
  const int rowLast = std::min(t.rowLast, target.rowEnd - 1);
  if (rowFirst > rowLast) return;
  if (tiny && fast) {
    DrawTinyTriangle(target, t, rowFirst, rowLast);
    return;
  }

  Setup s;
  s.fastPaths = fast;
  MakeSetup(t, state, rowFirst, rowLast, s);
  if (state.blend == Blend::kDarken) {
    DarkenRows(target, s);
  } else if (!Textured(state)) {
    DrawRowsFor<kNoTex>(target, s, state);
  } else if (state.quality == kNearest || state.quality == kMipNearest ||
             state.quality == kLinearMipNearest) {
    DrawRowsFor<kTexNearest>(target, s, state);
  } else {
    DrawRowsFor<kTexBilinear>(target, s, state);
  }
}

}  // namespace

void DrawTriangle(const Target& target, const ScreenVertex& a, const ScreenVertex& b,
                  const ScreenVertex& c, const PolyState& state) {
  Snapped t;
  if (Snap(target, a, b, c, t)) DrawSnapped(target, t, state);
}

void DrawTriangleOnGrid(const Target& target, const ScreenVertex& a, const ScreenVertex& b,
                        const ScreenVertex& c, const int32_t (&x)[3], const int32_t (&y)[3],
                        const PolyState& state) {
  Snapped t;
  if (SnapOnGrid(target, a, b, c, x, y, t)) DrawSnapped(target, t, state);
}

}  // namespace engine::render
