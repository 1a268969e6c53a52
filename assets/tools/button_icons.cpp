// The twelve 32 x 32 button icons of the tool panel, shown at their own size and clipped by their
// buttons. A move button is 33 x 25 pixels with a 2-pixel bevel, so it shows about rows 6 to 26
// and columns 3 to 29 of its icon: the letters, their outline included, stay inside that.
#include <cmath>
#include <numbers>

#include "pictures.h"
#include "stroke_font.h"

namespace assetgen {
namespace {

const Color kCyan = rgb(40, 225, 240);
const Color kCyanTop = rgb(170, 250, 255);
const Color kCyanSide = rgb(0, 150, 175);
const Color kEdge = rgb(0, 50, 70);

// A cube seen slightly from above and the right: front square at (x, y) of side s, depth d.
void drawCube(Canvas& c, double x, double y, double s, double d) {
  const std::vector<Point> outline = {{x, y}, {x + d, y - d}, {x + s + d, y - d},
                                      {x + s + d, y + s - d}, {x + s, y + s}, {x, y + s}};
  std::vector<Point> loop = outline;
  loop.push_back(loop.front());
  c.fill(polyline(loop, 0.8), solid(kEdge));
  c.fill(polygon(outline), solid(kEdge));
  const double g = 0.5;
  c.fill(polygon({{x + g, y + g}, {x + s - g, y + g}, {x + s - g, y + s - g}, {x + g, y + s - g}}),
         linear({x, y}, shade(kCyan, 1.1), {x + s, y + s}, shade(kCyan, 0.85)));
  c.fill(polygon({{x + 2 * g, y - g}, {x + d + g, y - d + g}, {x + s + d - 2 * g, y - d + g}, {x + s - g, y - g}}),
         solid(kCyanTop));
  c.fill(polygon({{x + s + g, y - g * 0.5}, {x + s + d - g, y - d + 2 * g}, {x + s + d - g, y + s - d - g},
                  {x + s + g, y + s - 2 * g}}),
         solid(kCyanSide));
}

std::vector<Point> star(double cx, double cy, int points, double rOuter, double rInner, double turn = 0) {
  std::vector<Point> p;
  for (int i = 0; i < points * 2; ++i) {
    const double r = i % 2 == 0 ? rOuter : rInner;
    const double t = std::numbers::pi * i / points - std::numbers::pi / 2 + turn;
    p.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
  }
  return p;
}

void drawStar(Canvas& c, double cx, double cy, double r) {
  c.fill(polygon(star(cx, cy, 5, r + 0.9, r * 0.45 + 0.6)), solid(rgb(150, 100, 0)));
  c.fill(polygon(star(cx, cy, 5, r, r * 0.45)), solid(rgb(255, 235, 40)));
}

Canvas addIcon() {
  Canvas c(32, 32);
  c.fill(polygon(star(14, 17, 11, 15.5, 8.5, 0.1)), solid(rgb(150, 0, 0)));
  c.fill(polygon(star(14, 17, 11, 14.3, 9.0, 0.1)),
         [](double x, double y) {
           const double d = std::hypot(x - 14, y - 17) / 15.0;
           return mix(rgb(255, 210, 60), rgb(235, 20, 20), d * 1.4);
         });
  drawCube(c, 8, 13, 12, 5);
  return c;
}

Canvas deleteIcon() {
  Canvas c(32, 32);
  // The lower half of the cube is still whole; above it, small pieces drift away and fade.
  const double x = 7, y = 16, s = 12, d = 5;
  Canvas cube(32, 32);
  drawCube(cube, x, y, s, d);
  for (int py = 0; py < 32; ++py) {
    for (int px = 0; px < 32; ++px) {
      Color p = cube.at(px, py);
      if (py < y + 5) {
        // Pieces of 2 x 2 pixels: fewer and fainter further up.
        const double keep = (py - (y - d - 1)) / 10.0;
        const double h = hash01(px / 2, py / 2, 7);
        if (h > keep) p.a = 0;
      }
      c.blend(px, py, p);
    }
  }
  // Flakes rising from it.
  const Point flakes[] = {{9, 7}, {14, 4}, {19, 8}, {23, 3}, {12, 10}, {21, 11}};
  for (int i = 0; i < 6; ++i) {
    const Point& f = flakes[i];
    c.fill(rect(f.x, f.y, f.x + 2, f.y + 2), solid(i % 2 ? kCyanTop : kCyan));
  }
  drawStar(c, 5, 6, 4.2);
  drawStar(c, 27, 8, 3.6);
  drawStar(c, 17, 2.8, 2.6);
  return c;
}

// A letter with an optional minus sign in front, centred within the 25 rows a move button shows.
Canvas letterIcon(const std::string& letter, bool minus, Color fillTop, Color fillBottom) {
  Canvas c(32, 32);
  const double cap = 12.5, half = 2.0, top = 9.75;
  const std::string text = letter;
  const double w = textWidth(text, cap);
  const double left = minus ? 26.5 - w : (32 - w) / 2;
  TextLayout t = layoutText(text, left, top, cap);
  if (minus) {
    TextLayout m = layoutText("-", 4.0, top, cap);
    t.segments.insert(t.segments.end(), m.segments.begin(), m.segments.end());
    t.left = std::min(t.left, m.left);
  }
  c.fill(t.shape(half + 1.3), solid(rgb(30, 30, 30)));
  c.fill(t.shape(half), linear({0, top}, fillTop, {0, top + cap}, fillBottom));
  return c;
}

// A thick arrow pointing up, turned by quarter turns (0 up, 1 right, 2 down, 3 left).
Canvas arrowIcon(int quarterTurns) {
  const std::vector<Point> up = {{16, 2.5}, {29, 16}, {21, 16}, {21, 29.5}, {11, 29.5}, {11, 16}, {3, 16}};
  std::vector<Point> pts;
  for (const Point& p : up) {
    Point q = p;
    for (int i = 0; i < quarterTurns; ++i) q = {32 - q.y, q.x};  // a quarter turn clockwise
    pts.push_back(q);
  }
  Canvas c(32, 32);
  std::vector<Point> loop = pts;
  loop.push_back(loop.front());
  c.fill(polyline(loop, 1.1), solid(rgb(0, 20, 100)));
  c.fill(polygon(pts), [](double x, double y) {
    return mix(rgb(110, 170, 255), rgb(10, 50, 200), (x + y) / 56.0);
  });
  return c;
}

}  // namespace

std::vector<NamedPicture> buttonIcons() {
  const Color cyanHi = rgb(150, 250, 255), cyanLo = rgb(0, 170, 200);
  const Color yellowHi = rgb(255, 250, 150), yellowLo = rgb(235, 180, 0);
  const Color greenHi = rgb(150, 255, 130), greenLo = rgb(0, 160, 40);
  return {{"btn_add", addIcon()},
          {"btn_delete", deleteIcon()},
          {"btn_x", letterIcon("X", false, cyanHi, cyanLo)},
          {"btn_mx", letterIcon("X", true, cyanHi, cyanLo)},
          {"btn_y", letterIcon("Y", false, yellowHi, yellowLo)},
          {"btn_my", letterIcon("Y", true, yellowHi, yellowLo)},
          {"btn_z", letterIcon("Z", false, greenHi, greenLo)},
          {"btn_mz", letterIcon("Z", true, greenHi, greenLo)},
          {"btn_up", arrowIcon(0)},
          {"btn_down", arrowIcon(2)},
          {"btn_left", arrowIcon(3)},
          {"btn_right", arrowIcon(1)}};
}

}  // namespace assetgen
