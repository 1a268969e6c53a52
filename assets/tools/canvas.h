// A small RGBA drawing surface for the asset generator: supersampled shapes, gradients, noise.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Color {
  double r = 0, g = 0, b = 0, a = 1;
};

// Colour from 0..255 components.
Color rgb(int r, int g, int b, double a = 1.0);
Color mix(const Color& p, const Color& q, double t);
Color shade(const Color& c, double factor);  // multiplies r, g, b; keeps alpha

struct Point {
  double x, y;
};

// Where a shape lies: true when the sample point (in pixel units, pixel centres at .5) is inside.
using Shape = std::function<bool(double x, double y)>;
// What a shape is filled with at a sample point.
using Paint = std::function<Color(double x, double y)>;

Paint solid(Color c);
// Linear gradient from c0 at p0 to c1 at p1 (clamped).
Paint linear(Point p0, Color c0, Point p1, Color c1);

class Canvas {
 public:
  Canvas(int width, int height, Color fill = Color{0, 0, 0, 0});

  int width() const { return width_; }
  int height() const { return height_; }
  Color& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Color& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  // Blends `c` over the pixel with the given extra coverage.
  void blend(int x, int y, const Color& c, double coverage = 1.0);
  // Fills a shape with a paint, 4 x 4 samples a pixel; the box limits the pixels visited.
  void fill(const Shape& shape, const Paint& paint, int x0 = 0, int y0 = 0, int x1 = -1,
            int y1 = -1);
  // Sets every pixel from a function of its centre.
  void paintAll(const std::function<Color(double x, double y)>& f);
  // Draws `src` over this canvas with its top-left corner at (dx, dy).
  void drawOver(const Canvas& src, int dx, int dy);
  // Copy flipped top to bottom.
  Canvas flippedVertically() const;

  // 8-bit straight-alpha RGBA, row 0 at the top.
  std::vector<uint8_t> rgba8() const;

 private:
  int width_, height_;
  std::vector<Color> pixels_;
};

// Shapes.
Shape polygon(std::vector<Point> pts);  // non-zero winding
Shape ellipse(double cx, double cy, double rx, double ry);
Shape rect(double x0, double y0, double x1, double y1);
Shape roundRect(double x0, double y0, double x1, double y1, double radius);
Shape segment(Point a, Point b, double halfWidth);         // round caps
Shape polyline(std::vector<Point> pts, double halfWidth);  // round joins
Shape ring(double cx, double cy, double rOuter, double rInner);
Shape unite(Shape a, Shape b);
Shape subtract(Shape a, Shape b);

double distanceToSegment(Point p, Point a, Point b);

// Deterministic value noise in 0..1 and fractal sums of it.
double valueNoise(double x, double y, uint32_t seed);
double fbm(double x, double y, uint32_t seed, int octaves);
// A hash of integers to 0..1.
double hash01(int x, int y, uint32_t seed);

}  // namespace assetgen
