#include "engine/render/lines.h"

#include <algorithm>
#include <cmath>

#include "engine/render/rasterize.h"

namespace engine::render {
namespace {

uint32_t Pack(float r, float g, float b) {
  auto c = [](float v) { return static_cast<uint32_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
  return (c(r) << 16) | (c(g) << 8) | c(b);
}

void Plot(const Target& t, int x, int y, float depth, uint32_t color) {
  if (x < t.x0 || x >= t.x1 || y < t.y0 || y >= t.y1 || y < t.rowBegin || y >= t.rowEnd) return;
  size_t at = static_cast<size_t>(y) * t.pitch + x;
  // A line lies on the faces it outlines; let it win ties so that it is seen.
  if (depth >= t.depth[at]) {
    t.color[at] = color;
    t.depth[at] = depth;
  }
}

bool Finite(const ScreenVertex& v) {
  return std::fabs(v.x) <= kMaxScreenCoord && std::fabs(v.y) <= kMaxScreenCoord &&
         std::isfinite(v.depth);
}

}  // namespace

void DrawPoint(const Target& target, const ScreenVertex& p) {
  if (!target.color || !Finite(p)) return;
  Plot(target, static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)), p.depth,
       Pack(p.r, p.g, p.b));
}

void DrawLine(const Target& target, const ScreenVertex& a, const ScreenVertex& b) {
  if (!target.color || !Finite(a) || !Finite(b)) return;
  float dx = b.x - a.x, dy = b.y - a.y;
  // Steps of at most one pixel along the longer axis; the guard band bounds their number.
  int steps = static_cast<int>(std::ceil(std::max(std::fabs(dx), std::fabs(dy))));
  if (steps == 0) {
    DrawPoint(target, a);
    return;
  }
  float inv = 1.0f / static_cast<float>(steps);
  for (int k = 0; k <= steps; ++k) {
    float t = static_cast<float>(k) * inv;
    float x = a.x + dx * t, y = a.y + dy * t;
    float depth = a.depth + (b.depth - a.depth) * t;
    Plot(target, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), depth,
         Pack(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t));
  }
}

}  // namespace engine::render
