// The cube-shaped character, the window icon, the status icon and the title picture.
#include <cmath>

#include "pictures.h"
#include "stroke_font.h"

namespace assetgen {

void drawCubeCharacter(Canvas& c, double x, double y, double size) {
  const double u = size / 32.0;
  auto P = [&](double px, double py) { return Point{x + px * u, y + py * u}; };
  const Color outline = rgb(60, 25, 10);
  const Color front = rgb(222, 40, 32);
  const Color top = rgb(176, 110, 60);
  const Color side = rgb(120, 70, 36);
  // Outline: the whole silhouette grown by a little.
  const std::vector<Point> silhouette = {P(2, 11),  P(10, 3),  P(30, 3),
                                         P(30, 21), P(22, 29), P(2, 29)};
  c.fill(polyline({silhouette[0], silhouette[1], silhouette[2], silhouette[3], silhouette[4],
                   silhouette[5], silhouette[0]},
                  0.9 * u),
         solid(outline));
  c.fill(polygon(silhouette), solid(outline));
  const double g = 0.6;  // inset of the faces, showing the outline between them
  c.fill(polygon({P(2 + g, 11 + g), P(22 - g, 11 + g), P(22 - g, 29 - g), P(2 + g, 29 - g)}),
         linear(P(2, 11), shade(front, 1.12), P(22, 29), shade(front, 0.85)));
  c.fill(polygon({P(2 + 2 * g, 11 - g), P(10 + g, 3 + g), P(30 - 2 * g, 3 + g), P(22 - g, 11 - g)}),
         linear(P(10, 3), shade(top, 1.15), P(22, 11), top));
  c.fill(polygon({P(22 + g, 11 - g * 0.5), P(30 - g, 3 + 2 * g), P(30 - g, 21 - g),
                  P(22 + g, 29 - 2 * g)}),
         linear(P(22, 11), side, P(30, 29), shade(side, 0.8)));
  // The face on the front: eyes with pupils and highlights, cheeks and a smile.
  const Color white = rgb(255, 255, 255), black = rgb(20, 10, 10);
  for (double ex : {7.5, 16.5}) {
    c.fill(ellipse(x + ex * u, y + 17.5 * u, 2.6 * u, 3.0 * u), solid(white));
    c.fill(ellipse(x + (ex + 0.5) * u, y + 18.0 * u, 1.5 * u, 1.9 * u), solid(black));
    if (size >= 24)
      c.fill(ellipse(x + (ex + 0.9) * u, y + 17.2 * u, 0.55 * u, 0.55 * u), solid(white));
  }
  if (size >= 24) {
    c.fill(ellipse(x + 4.6 * u, y + 22.8 * u, 1.6 * u, 1.0 * u), solid(rgb(255, 140, 140, 0.8)));
    c.fill(ellipse(x + 19.4 * u, y + 22.8 * u, 1.6 * u, 1.0 * u), solid(rgb(255, 140, 140, 0.8)));
  }
  std::vector<Point> smile;
  for (int i = 0; i <= 12; ++i) {
    const double t = 3.14159 * (0.15 + 0.7 * i / 12.0);
    smile.push_back(P(12 + 4.2 * std::cos(t), 21.5 + 3.2 * std::sin(t)));
  }
  c.fill(polyline(smile, std::max(0.55, 0.9 * u)), solid(black));
}

Canvas windowIcon(int size) {
  Canvas c(size, size);
  drawCubeCharacter(c, 0, 0, size);
  return c;
}

Canvas statusIcon(int size) {
  Canvas c(size, size);
  const double u = size / 16.0;
  c.fill(rect(2 * u, 2 * u, 14 * u, 14 * u), solid(rgb(0, 90, 20)));
  c.fill(rect(3 * u, 3 * u, 13 * u, 13 * u),
         linear({3 * u, 3 * u}, rgb(120, 240, 120), {13 * u, 13 * u}, rgb(0, 160, 40)));
  c.fill(rect(4 * u, 4 * u, 8 * u, 5 * u), solid(rgb(220, 255, 220, 0.8)));
  return c;
}

Canvas titlePicture() {
  Canvas c = woodGrain(299, 98, 4242, false);
  // A darker band at the top and bottom keeps the white labels readable.
  c.fill(rect(0, 0, 299, 98), [](double, double y) {
    const double edge = std::max(0.0, 1.0 - std::min(y, 98 - y) / 30.0);
    return rgb(50, 20, 5, 0.45 * edge * edge);
  });
  // A thin frame.
  c.fill(subtract(rect(0, 0, 299, 98), rect(2, 2, 297, 96)), solid(rgb(70, 35, 12)));
  c.fill(subtract(rect(2, 2, 297, 96), rect(3, 3, 296, 95)), solid(rgb(230, 180, 120, 0.6)));

  drawCubeCharacter(c, 8, 7, 48);

  const double cap = 37, top = 31, slant = 0.28, half = 3.3;
  const double width = textWidth("Oh!Kubisto!!", cap, 1.5);
  const double left = 292 - width - slant * cap;
  const TextLayout text = layoutText("Oh!Kubisto!!", left, top, cap, slant, 1.5);
  // Shadow, dark outline, then the letters shaded from orange at the top to brown at the bottom.
  TextLayout shadow = text;
  for (Segment& s : shadow.segments) {
    s.a.x += 2.5, s.a.y += 2.5, s.b.x += 2.5, s.b.y += 2.5;
  }
  shadow.right += 2.5, shadow.bottom += 2.5;
  c.fill(shadow.shape(half + 1.8), solid(rgb(30, 12, 4, 0.55)));
  c.fill(text.shape(half + 1.6), solid(rgb(58, 24, 6)));
  c.fill(text.shape(half),
         linear({0, top - half}, rgb(255, 196, 70), {0, top + cap + half}, rgb(150, 62, 14)));
  // A soft highlight along the upper part of the strokes.
  c.fill(text.shape(half * 0.35), [&](double, double y) {
    const double t = (y - top) / cap;
    return rgb(255, 240, 190, std::max(0.0, 0.55 - t * 0.9));
  });
  return c;
}

}  // namespace assetgen
