#include "engine/render/raster_setup.h"

#include <cmath>
#include <utility>

namespace engine::render::raster {
namespace {

bool Usable(const ScreenVertex& v) {
  // Written so that a NaN fails too; a sum of the attributes is finite only when each one is (or
  // when some are too large to use anyway).
  return std::fabs(v.x) <= kMaxScreenCoord && std::fabs(v.y) <= kMaxScreenCoord &&
         std::isfinite(v.depth + v.oow + v.uw + v.vw + v.r + v.g + v.b + v.fog);
}

// The vertex field of each attribute, in Attr order.
constexpr float ScreenVertex::*kField[kAttrCount] = {
    &ScreenVertex::depth, &ScreenVertex::oow, &ScreenVertex::uw, &ScreenVertex::vw,
    &ScreenVertex::r,     &ScreenVertex::g,   &ScreenVertex::b,  &ScreenVertex::fog};

}  // namespace

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
  for (int k = 0; k < 3; ++k) t.e[k] = MakeEdge(X[k], Y[k], X[(k + 1) % 3], Y[(k + 1) % 3]);
  // Pixel i is covered only if its centre lies within the corners' extent.
  const int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
  const int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
  t.colFirst = static_cast<int>(std::max<int64_t>(target.x0, FirstPixelFrom(minX)));
  t.colLast = static_cast<int>(std::min<int64_t>(target.x1 - 1, LastPixelTo(maxX)));
  t.rowFirst = static_cast<int>(std::max<int64_t>(target.y0, FirstPixelFrom(minY)));
  t.rowLast = static_cast<int>(std::min<int64_t>(target.y1 - 1, LastPixelTo(maxY)));
  return t.colFirst <= t.colLast && t.rowFirst <= t.rowLast;
}

void MakeSetup(const Snapped& t, const PolyState& state, int rowFirst, int rowLast, Setup& s) {
  const ScreenVertex* const* v = t.v;
  s.colFirst = t.colFirst;
  s.colLast = t.colLast;
  s.rowFirst = rowFirst;
  s.rowLast = rowLast;
  for (int k = 0; k < 3; ++k) s.e[k] = t.e[k];

  const float x0 = static_cast<float>(t.X[0]) / kSub, y0 = static_cast<float>(t.Y[0]) / kSub;
  const float x10 = static_cast<float>(t.X[1] - t.X[0]) / kSub,
              y10 = static_cast<float>(t.Y[1] - t.Y[0]) / kSub;
  const float x20 = static_cast<float>(t.X[2] - t.X[0]) / kSub,
              y20 = static_cast<float>(t.Y[2] - t.Y[0]) / kSub;
  const float invArea = static_cast<float>(kSub * kSub) / static_cast<float>(t.area2);

  float texW = 1.0f, texH = 1.0f;
  const bool textured = state.texture && !state.texture->empty();
  if (textured) {
    texW = static_cast<float>(state.texture->level(0).width) * 256.0f;
    texH = static_cast<float>(state.texture->level(0).height) * 256.0f;
  }
  // The same colour at all three corners (the first corner given): no need to interpolate it.
  const ScreenVertex &a = *v[0], &b = *v[1], &c = *v[2];
  auto channel = [](float x) {
    return static_cast<uint32_t>(std::clamp(x, 0.0f, 1.0f) * 255.0f + 0.5f);
  };
  s.shaded = !(a.r == b.r && a.r == c.r && a.g == b.g && a.g == c.g && a.b == b.b && a.b == c.b);
  s.flatColor = channel(a.r) << 16 | channel(a.g) << 8 | channel(a.b);

  for (int k = 0; k < kAttrCount; ++k) {
    // Only the attributes that this triangle's pixels use.
    if ((k == kAtOow || k == kAtUw || k == kAtVw) && !textured) continue;
    if (k >= kAtR && k <= kAtB && !s.shaded) continue;
    if (k == kAtFog && !state.fog) continue;
    const float scale = k == kAtUw ? texW : (k == kAtVw ? texH : 1.0f);
    const float a0 = v[0]->*kField[k] * scale;
    const float d10 = v[1]->*kField[k] * scale - a0, d20 = v[2]->*kField[k] * scale - a0;
    Plane& p = s.p[k];
    p.dx = (d10 * y20 - d20 * y10) * invArea;
    p.dy = (d20 * x10 - d10 * x20) * invArea;
    p.at0 = a0 + p.dx * (0.5f - x0) + p.dy * (0.5f - y0);
  }
}

}  // namespace engine::render::raster
