// Drawing surface of the asset generator.
#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Color rgb(int r, int g, int b, double a) { return Color{r / 255.0, g / 255.0, b / 255.0, a}; }

Color mix(const Color& p, const Color& q, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return Color{p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t,
               p.a + (q.a - p.a) * t};
}

Color shade(const Color& c, double f) {
  return Color{std::clamp(c.r * f, 0.0, 1.0), std::clamp(c.g * f, 0.0, 1.0),
               std::clamp(c.b * f, 0.0, 1.0), c.a};
}

Paint solid(Color c) {
  return [c](double, double) { return c; };
}

Paint linear(Point p0, Color c0, Point p1, Color c1) {
  const double dx = p1.x - p0.x, dy = p1.y - p0.y;
  const double len2 = std::max(dx * dx + dy * dy, 1e-9);
  return [=](double x, double y) {
    const double t = ((x - p0.x) * dx + (y - p0.y) * dy) / len2;
    return mix(c0, c1, t);
  };
}

Canvas::Canvas(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::blend(int x, int y, const Color& c, double coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const double a = std::clamp(c.a * coverage, 0.0, 1.0);
  if (a <= 0) return;
  Color& d = at(x, y);
  const double outA = a + d.a * (1 - a);
  if (outA <= 1e-9) {
    d = Color{0, 0, 0, 0};
    return;
  }
  d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
  d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
  d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
  d.a = outA;
}

void Canvas::fill(const Shape& shape, const Paint& paint, int x0, int y0, int x1, int y1) {
  if (x1 < 0) x1 = width_;
  if (y1 < 0) y1 = height_;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, width_);
  y1 = std::min(y1, height_);
  constexpr int kSamples = 4;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples;
          const double py = y + (sy + 0.5) / kSamples;
          if (!shape(px, py)) continue;
          const Color c = paint(px, py);
          ++hits;
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      }
      if (hits == 0 || a <= 0) continue;
      const Color avg{r / a, g / a, b / a, a / hits};
      blend(x, y, avg, static_cast<double>(hits) / (kSamples * kSamples));
    }
  }
}

void Canvas::paintAll(const std::function<Color(double, double)>& f) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) at(x, y) = f(x + 0.5, y + 0.5);
}

void Canvas::drawOver(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) blend(x + dx, y + dy, src.at(x, y));
}

Canvas Canvas::flippedVertically() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.at(x, height_ - 1 - y) = at(x, y);
  return out;
}

std::vector<uint8_t> Canvas::rgba8() const {
  std::vector<uint8_t> out;
  out.reserve(pixels_.size() * 4);
  auto to8 = [](double v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
  };
  for (const Color& c : pixels_) {
    out.push_back(to8(c.r));
    out.push_back(to8(c.g));
    out.push_back(to8(c.b));
    out.push_back(to8(c.a));
  }
  return out;
}

Shape polygon(std::vector<Point> pts) {
  return [pts = std::move(pts)](double x, double y) {
    int winding = 0;
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
      const Point& a = pts[i];
      const Point& b = pts[(i + 1) % n];
      const double cross = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
      if (a.y <= y) {
        if (b.y > y && cross > 0) ++winding;
      } else if (b.y <= y && cross < 0) {
        --winding;
      }
    }
    return winding != 0;
  };
}

Shape ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
  };
}

Shape rect(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape roundRect(double x0, double y0, double x1, double y1, double radius) {
  return [=](double x, double y) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const double cx = std::clamp(x, x0 + radius, x1 - radius);
    const double cy = std::clamp(y, y0 + radius, y1 - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

double distanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return std::sqrt(ex * ex + ey * ey);
}

Shape segment(Point a, Point b, double halfWidth) {
  return [=](double x, double y) { return distanceToSegment({x, y}, a, b) <= halfWidth; };
}

Shape polyline(std::vector<Point> pts, double halfWidth) {
  return [pts = std::move(pts), halfWidth](double x, double y) {
    if (pts.size() == 1) return distanceToSegment({x, y}, pts[0], pts[0]) <= halfWidth;
    for (size_t i = 0; i + 1 < pts.size(); ++i)
      if (distanceToSegment({x, y}, pts[i], pts[i + 1]) <= halfWidth) return true;
    return false;
  };
}

Shape ring(double cx, double cy, double rOuter, double rInner) {
  return [=](double x, double y) {
    const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d2 <= rOuter * rOuter && d2 >= rInner * rInner;
  };
}

Shape unite(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Shape subtract(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

double hash01(int x, int y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^
               static_cast<uint32_t>(y) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double valueNoise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const double a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
  const double c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fbm(double x, double y, uint32_t seed, int octaves) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * valueNoise(x, y, seed + i * 101u);
    norm += amp;
    x *= 2.03;
    y *= 2.03;
    amp *= 0.5;
  }
  return sum / norm;
}

}  // namespace assetgen
