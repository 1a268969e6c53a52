// The six room pictures: four papered walls (a window, a door, a framed picture, a bookshelf),
// a plaster ceiling with a lamp and a floor of wooden planks. Each is 256 x 256, drawn upright.
#include <cmath>
#include <numbers>

#include "pictures.h"

namespace assetgen {
namespace {

constexpr int kSize = 256;
constexpr double kSkirtingTop = 236;

// Wallpaper: a tinted ground with fine paper texture, then the pattern on top.
Canvas wallpaper(Color ground, uint32_t seed) {
  Canvas c(kSize, kSize);
  c.paintAll([&](double x, double y) {
    const double n = fbm(x / 3.0, y / 3.0, seed, 2) - 0.5;
    return shade(ground, 1.0 + 0.05 * n);
  });
  return c;
}

void skirtingAndCornice(Canvas& c) {
  const Color wood = rgb(120, 72, 38);
  c.fill(rect(0, kSkirtingTop, kSize, kSize), [&](double x, double y) {
    const double grain = fbm(x / 30.0, y * 1.5, 91, 3);
    return shade(wood, 0.85 + 0.3 * grain);
  });
  c.fill(rect(0, kSkirtingTop, kSize, kSkirtingTop + 3), solid(rgb(160, 110, 66)));
  c.fill(rect(0, kSkirtingTop + 3, kSize, kSkirtingTop + 4), solid(rgb(80, 44, 20)));
  c.fill(rect(0, 0, kSize, 7), linear({0, 0}, rgb(250, 248, 240), {0, 7}, rgb(205, 200, 190)));
  c.fill(rect(0, 7, kSize, 8), solid(rgb(160, 150, 140)));
}

// Shades a wall into its corners a little, as a room's light does.
void cornerShading(Canvas& c) {
  c.fill(rect(0, 0, kSize, kSize), [](double x, double) {
    const double e = std::min(x, kSize - x) / 40.0;
    return rgb(40, 30, 20, 0.12 * std::max(0.0, 1.0 - e));
  });
}

Canvas southWithWindow() {
  Canvas c = wallpaper(rgb(196, 216, 238), 11);
  // A lattice of fine diamonds with a dot in each.
  c.fill(
      [](double x, double y) {
        const double u = std::fmod(x + y, 32.0), v = std::fmod(x - y + 512.0, 32.0);
        return u < 1.2 || v < 1.2;
      },
      solid(rgb(235, 242, 252, 0.8)));
  for (int j = 0; j < 9; ++j)
    for (int i = 0; i < 9; ++i)
      c.fill(ellipse(i * 32.0, j * 32.0 + 16, 2.2, 2.2), solid(rgb(150, 176, 214)));
  skirtingAndCornice(c);

  const double x0 = 64, y0 = 44, x1 = 192, y1 = 164;
  // The view: sky with clouds, far hills and a meadow.
  c.fill(rect(x0, y0, x1, y1), [&](double x, double y) {
    const double t = (y - y0) / (y1 - y0);
    Color sky = mix(rgb(70, 135, 225), rgb(175, 212, 248), t);
    const double cloud = fbm(x / 22.0, y / 9.0, 5, 4);
    const double cover = std::clamp((cloud - 0.52) * 5.0, 0.0, 1.0) * (1.0 - t * 0.4);
    sky = mix(sky, rgb(252, 252, 255), cover);
    const double hill = y0 + 86 + 10 * std::sin(x / 17.0) + 6 * std::sin(x / 7.3 + 1.0);
    if (y > hill) sky = mix(rgb(90, 150, 80), rgb(60, 120, 55), (y - hill) / 20.0);
    const double meadow = y0 + 104 + 3 * std::sin(x / 11.0);
    if (y > meadow) sky = shade(rgb(120, 190, 80), 0.95 + 0.1 * fbm(x / 4.0, y / 2.0, 8, 2));
    return sky;
  });
  // Window frame, sash bars and sill.
  const Color white = rgb(246, 246, 240), line = rgb(150, 150, 140);
  auto frame = subtract(rect(x0 - 8, y0 - 8, x1 + 8, y1 + 8), rect(x0, y0, x1, y1));
  c.fill(frame, solid(white));
  c.fill(subtract(rect(x0 - 8, y0 - 8, x1 + 8, y1 + 8), rect(x0 - 7, y0 - 7, x1 + 7, y1 + 7)),
         solid(line));
  c.fill(subtract(rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1), rect(x0, y0, x1, y1)), solid(line));
  c.fill(rect((x0 + x1) / 2 - 3, y0, (x0 + x1) / 2 + 3, y1), solid(white));
  c.fill(rect(x0, (y0 + y1) / 2 - 3, x1, (y0 + y1) / 2 + 3), solid(white));
  c.fill(rect(x0 - 14, y1 + 8, x1 + 14, y1 + 15),
         linear({0, y1 + 8}, white, {0, y1 + 15}, rgb(190, 190, 180)));
  c.fill(rect(x0 - 14, y1 + 15, x1 + 14, y1 + 17), solid(rgb(120, 120, 110, 0.5)));
  // Glass reflections.
  c.fill(polygon({{x0 + 8, y0 + 40}, {x0 + 40, y0 + 8}, {x0 + 48, y0 + 8}, {x0 + 8, y0 + 48}}),
         solid(rgb(255, 255, 255, 0.25)));
  c.fill(polygon({{x1 - 50, y1 - 8}, {x1 - 8, y1 - 50}, {x1 - 8, y1 - 44}, {x1 - 44, y1 - 8}}),
         solid(rgb(255, 255, 255, 0.2)));
  // Curtains on a rod, gathered at the sides.
  const Color rod = rgb(150, 100, 50);
  c.fill(rect(x0 - 30, y0 - 22, x1 + 30, y0 - 17), solid(rod));
  c.fill(ellipse(x0 - 31, y0 - 19.5, 4, 4), solid(shade(rod, 0.8)));
  c.fill(ellipse(x1 + 31, y0 - 19.5, 4, 4), solid(shade(rod, 0.8)));
  const Color cloth = rgb(214, 84, 96);
  auto curtain = [&](double outer, double inner) {
    const double dir = inner > outer ? 1 : -1;
    return [=](double x, double y) {
      if (y < y0 - 18 || y > y1 + 30) return false;
      // Narrowest at the tie-back, two thirds down.
      const double tie = y0 + (y1 - y0) * 0.62;
      const double waist = std::abs(y - tie) / (y1 - y0);
      const double reach = 14 + 30 * std::min(1.0, waist * 2.2);
      const double d = (x - outer) * dir;
      return d >= 0 && d <= reach;
    };
  };
  auto folds = [&](double x, double y) {
    const double f = 0.5 + 0.5 * std::sin(x / 2.6 + std::sin(y / 30.0));
    return shade(cloth, 0.78 + 0.32 * f);
  };
  c.fill(curtain(x0 - 28, x0), folds);
  c.fill(curtain(x1 + 28, x1), folds);
  const double tie = y0 + (y1 - y0) * 0.62;
  c.fill(roundRect(x0 - 30, tie - 3, x0 - 12, tie + 3, 2.5), solid(rgb(240, 200, 80)));
  c.fill(roundRect(x1 + 12, tie - 3, x1 + 30, tie + 3, 2.5), solid(rgb(240, 200, 80)));
  cornerShading(c);
  return c;
}

Canvas westWithDoor() {
  Canvas c = wallpaper(rgb(244, 214, 190), 23);
  // Stripes: a light band and a thin rose line every 16 pixels.
  c.fill([](double x, double) { return std::fmod(x, 16.0) < 6.0; }, solid(rgb(252, 232, 214, 0.8)));
  c.fill([](double x, double) { return std::fmod(x, 16.0) >= 10.5 && std::fmod(x, 16.0) < 11.5; },
         solid(rgb(214, 150, 140, 0.7)));
  skirtingAndCornice(c);

  const double x0 = 84, y0 = 40, x1 = 172, y1 = kSize;
  // Casing, then the door leaf with vertical grain.
  c.fill(rect(x0 - 9, y0 - 9, x1 + 9, y1), solid(rgb(238, 232, 220)));
  c.fill(subtract(rect(x0 - 9, y0 - 9, x1 + 9, y1), rect(x0 - 8, y0 - 8, x1 + 8, y1)),
         solid(rgb(150, 140, 130)));
  c.fill(rect(x0 - 1, y0 - 1, x1 + 1, y1), solid(rgb(90, 60, 36)));
  const Canvas grain = woodGrain(static_cast<int>(x1 - x0), static_cast<int>(y1 - y0), 5150, false);
  c.drawOver(grain, static_cast<int>(x0), static_cast<int>(y0));
  // Four recessed panels.
  auto panel = [&](double px0, double py0, double px1, double py1) {
    c.fill(subtract(rect(px0, py0, px1, py1), rect(px0 + 3, py0 + 3, px1, py1)),
           solid(rgb(70, 36, 14, 0.55)));
    c.fill(subtract(rect(px0, py0, px1, py1), rect(px0, py0, px1 - 3, py1 - 3)),
           solid(rgb(255, 220, 170, 0.35)));
    c.fill(rect(px0 + 6, py0 + 6, px1 - 6, py1 - 6), solid(rgb(60, 30, 10, 0.12)));
  };
  panel(x0 + 10, y0 + 12, x0 + 40, y0 + 90);
  panel(x1 - 40, y0 + 12, x1 - 10, y0 + 90);
  panel(x0 + 10, y0 + 110, x0 + 40, y1 - 14);
  panel(x1 - 40, y0 + 110, x1 - 10, y1 - 14);
  // The brass knob on its plate.
  const double kx = x1 - 13, ky = 146;
  c.fill(roundRect(kx - 4, ky - 14, kx + 4, ky + 14, 3), solid(rgb(150, 110, 30)));
  c.fill(roundRect(kx - 3, ky - 13, kx + 3, ky + 13, 2.5), solid(rgb(214, 170, 60)));
  c.fill(ellipse(kx, ky, 5.5, 5.5), solid(rgb(120, 84, 20)));
  c.fill(ellipse(kx, ky, 4.6, 4.6),
         linear({kx - 4, ky - 4}, rgb(255, 236, 150), {kx + 4, ky + 4}, rgb(190, 140, 40)));
  c.fill(rect(kx - 1, ky + 6, kx + 1, ky + 10), solid(rgb(60, 40, 10)));
  cornerShading(c);
  return c;
}

Canvas eastWithPicture() {
  Canvas c = wallpaper(rgb(248, 238, 196), 37);
  // Small flowers on a staggered grid.
  for (int j = 0; j < 9; ++j) {
    for (int i = 0; i < 9; ++i) {
      const double fx = i * 32.0 + (j % 2) * 16.0, fy = j * 28.0 + 12;
      for (int k = 0; k < 5; ++k) {
        const double t = 2 * std::numbers::pi * k / 5;
        c.fill(ellipse(fx + 3.2 * std::cos(t), fy + 3.2 * std::sin(t), 2.2, 2.2),
               solid(rgb(240, 170, 120, 0.8)));
      }
      c.fill(ellipse(fx, fy, 1.6, 1.6), solid(rgb(220, 130, 40)));
      c.fill(ellipse(fx + 5.5, fy + 5.5, 2.6, 1.2), solid(rgb(130, 180, 100, 0.7)));
    }
  }
  skirtingAndCornice(c);

  // A framed landscape: mountains under a sun, a lake in front.
  const double x0 = 72, y0 = 58, x1 = 184, y1 = 138;
  c.fill(rect(x0 - 12, y0 - 12 + 4, x1 + 12 + 4, y1 + 12 + 4), solid(rgb(60, 40, 20, 0.3)));
  c.fill(rect(x0 - 12, y0 - 12, x1 + 12, y1 + 12), [&](double x, double y) {
    const double d = std::min({x - (x0 - 12), (x1 + 12) - x, y - (y0 - 12), (y1 + 12) - y});
    return mix(rgb(230, 180, 70), rgb(150, 95, 25), std::abs(d - 6) / 6.0);
  });
  c.fill(rect(x0 - 3, y0 - 3, x1 + 3, y1 + 3), solid(rgb(245, 240, 225)));
  c.fill(rect(x0, y0, x1, y1), [&](double x, double y) {
    const double t = (y - y0) / (y1 - y0);
    Color p = mix(rgb(255, 200, 150), rgb(150, 200, 245), 1.0 - t * 1.6);
    if (std::hypot(x - 150, y - 78) < 9) p = rgb(255, 236, 140);
    const double ridge1 = y0 + 40 - 22 * std::max(0.0, 1 - std::abs(x - 104) / 34.0);
    const double ridge2 = y0 + 46 - 16 * std::max(0.0, 1 - std::abs(x - 150) / 30.0);
    if (y > ridge2) p = rgb(110, 120, 160);
    if (y > ridge1) p = rgb(84, 96, 140);
    if (y > ridge1 && y < ridge1 + 6 && x > 92 && x < 116) p = rgb(250, 250, 255);
    if (y > y0 + 52) p = mix(rgb(90, 150, 210), rgb(60, 110, 180), (y - y0 - 52) / 28.0);
    if (y > y0 + 70 - 3 * std::sin(x / 9.0)) p = rgb(90, 150, 70);
    return p;
  });
  // The cord it hangs from.
  c.fill(polyline({{x0 + 10, y0 - 12}, {128, 24}, {x1 - 10, y0 - 12}}, 0.7),
         solid(rgb(110, 90, 60)));
  c.fill(ellipse(128, 24, 2.5, 2.5), solid(rgb(120, 110, 100)));
  cornerShading(c);
  return c;
}

Canvas northWithBookshelf() {
  Canvas c = wallpaper(rgb(210, 232, 204), 53);
  // A fine check of pale lines.
  c.fill([](double x, double y) { return std::fmod(x, 20.0) < 1.0 || std::fmod(y, 20.0) < 1.0; },
         solid(rgb(236, 248, 232, 0.9)));
  c.fill([](double x,
            double y) { return std::fmod(x + 10, 20.0) < 0.6 || std::fmod(y + 10, 20.0) < 0.6; },
         solid(rgb(170, 200, 165, 0.4)));
  skirtingAndCornice(c);

  const double x0 = 56, y0 = 60, x1 = 200, y1 = kSkirtingTop + 2;
  const Color wood = rgb(150, 92, 48);
  c.fill(rect(x0, y0, x1, y1), solid(shade(wood, 0.75)));
  c.fill(rect(x0 + 7, y0 + 7, x1 - 7, y1 - 7), solid(rgb(70, 42, 22)));
  const double shelfGap = (y1 - y0 - 14) / 3.0;
  const Color bookColors[] = {rgb(200, 50, 50),  rgb(50, 90, 170),  rgb(230, 180, 40),
                              rgb(60, 140, 80),  rgb(140, 70, 150), rgb(235, 235, 225),
                              rgb(220, 110, 40), rgb(40, 40, 60)};
  for (int shelf = 0; shelf < 3; ++shelf) {
    const double bottom = y0 + 7 + shelfGap * (shelf + 1);
    double bx = x0 + 9;
    int k = 0;
    while (true) {
      const double w = 7 + std::floor(hash01(k, shelf, 3) * 7);
      if (bx + w > x1 - 9) break;
      const double h = shelfGap - 14 + std::floor(hash01(k, shelf, 4) * 9);
      const Color col = bookColors[static_cast<int>(hash01(k, shelf, 5) * 8) % 8];
      c.fill(rect(bx, bottom - h, bx + w - 1, bottom),
             linear({bx, 0}, shade(col, 1.1), {bx + w, 0}, shade(col, 0.75)));
      c.fill(rect(bx + 1, bottom - h + 5, bx + w - 2, bottom - h + 7),
             solid(rgb(250, 220, 120, 0.8)));
      c.fill(rect(bx + 1, bottom - 9, bx + w - 2, bottom - 8), solid(rgb(250, 220, 120, 0.6)));
      bx += w;
      if (hash01(k, shelf, 6) < 0.18) bx += 6;  // a gap now and then
      ++k;
    }
    c.fill(rect(x0 + 7, bottom, x1 - 7, bottom + 6),
           linear({0, bottom}, shade(wood, 1.2), {0, bottom + 6}, shade(wood, 0.9)));
  }
  // A small pot plant on top: stems fanning out of the pot, a pointed leaf at the end of each.
  const double potTop = y0 - 14;
  for (int i = 0; i < 7; ++i) {
    const double t = std::numbers::pi * (0.12 + 0.76 * i / 6.0);
    const double len = 20 + 6 * std::sin(t);
    const Point base{128 + 2 * std::cos(t), potTop + 1};
    const Point tip{128 + len * std::cos(t), potTop - len * 0.9 * std::sin(t)};
    c.fill(segment(base, tip, 0.8), solid(rgb(60, 120, 50)));
    const double ang = std::atan2(tip.y - base.y, tip.x - base.x);
    const Point mid{tip.x - 4 * std::cos(ang), tip.y - 4 * std::sin(ang)};
    c.fill(
        [=](double x, double y) {
          const double dx = x - mid.x, dy = y - mid.y;
          const double a = dx * std::cos(ang) + dy * std::sin(ang);
          const double b = -dx * std::sin(ang) + dy * std::cos(ang);
          const double half = 3.2 * std::max(0.0, 1.0 - (a / 6.5) * (a / 6.5));
          return std::abs(a) <= 6.5 && std::abs(b) <= half;
        },
        solid(i % 2 ? rgb(70, 160, 70) : rgb(50, 135, 60)));
  }
  c.fill(polygon({{117, y0}, {139, y0}, {136, potTop}, {120, potTop}}),
         linear({117, 0}, rgb(210, 120, 70), {139, 0}, rgb(160, 80, 45)));
  c.fill(rect(118, potTop - 2, 138, potTop + 1), solid(rgb(190, 100, 60)));
  cornerShading(c);
  return c;
}

Canvas plasterCeiling() {
  Canvas c(kSize, kSize);
  c.paintAll([](double x, double y) {
    const double n = fbm(x / 5.0, y / 5.0, 71, 4) - 0.5;
    const double speck = hash01(static_cast<int>(x), static_cast<int>(y), 72) > 0.985 ? -0.05 : 0.0;
    const double r = std::hypot(x - 128, y - 128) / 181.0;
    return shade(rgb(246, 243, 234), 1.0 + 0.07 * n + speck - 0.1 * r * r);
  });
  // A moulded border.
  c.fill(subtract(rect(10, 10, 246, 246), rect(14, 14, 242, 242)), solid(rgb(215, 210, 198)));
  c.fill(subtract(rect(14, 14, 242, 242), rect(15, 15, 241, 241)), solid(rgb(255, 255, 250)));
  c.fill(subtract(rect(22, 22, 234, 234), rect(23, 23, 233, 233)), solid(rgb(220, 215, 205)));
  // The lamp: a rose, a glowing shade and its halo.
  c.fill(ellipse(128, 128, 60, 60), [](double x, double y) {
    const double d = std::hypot(x - 128, y - 128) / 60.0;
    return rgb(255, 245, 200, 0.45 * (1 - d) * (1 - d));
  });
  c.fill(ellipse(128, 128, 32, 32), solid(rgb(200, 190, 170)));
  c.fill(ellipse(128, 128, 30, 30), [](double x, double y) {
    const double d = std::hypot(x - 128, y - 128) / 30.0;
    return mix(rgb(255, 255, 240), rgb(250, 225, 160), d);
  });
  c.fill(ring(128, 128, 22, 21), solid(rgb(230, 210, 160)));
  c.fill(ellipse(128, 128, 6, 6), solid(rgb(180, 170, 150)));
  return c;
}

Canvas woodenFloor() {
  Canvas c(kSize, kSize);
  constexpr double plank = 32;
  c.paintAll([&](double x, double y) {
    const int row = static_cast<int>(y / plank);
    const double offset = hash01(row, 0, 81) * 256;
    const double along = x + offset;
    const int piece = static_cast<int>(std::floor(along / 128.0));
    const double tone = 0.86 + 0.24 * hash01(row, piece, 82);
    const double v = y - row * plank;
    // Grain along the planks: stretched, warped stripes.
    const double warp = 6 * fbm(along / 60.0, y / 12.0, 83 + row, 3);
    const double s = std::sin((v + warp) * 1.1 + piece * 2.0) * 0.5 + 0.5;
    const double fibre = fbm(along / 40.0, y * 1.2, 84, 3);
    Color col = shade(rgb(196, 134, 78), tone * (0.9 + 0.12 * s + 0.12 * (fibre - 0.5)));
    // Gaps between planks and at their ends.
    if (v < 1.0)
      col = shade(col, 0.45);
    else if (v < 2.0)
      col = shade(col, 1.08);
    const double end = std::fmod(along, 128.0);
    if (end < 1.0) col = shade(col, 0.5);
    return col;
  });
  // Soft light from the window side and the lamp.
  c.fill(rect(0, 0, kSize, kSize), [](double x, double y) {
    const double d = std::hypot(x - 128, y - 128) / 181.0;
    return rgb(30, 15, 5, 0.3 * d * d);
  });
  return c;
}

}  // namespace

Canvas wallPicture(Wall wall) {
  switch (wall) {
    case Wall::North:
      return northWithBookshelf();
    case Wall::West:
      return westWithDoor();
    case Wall::East:
      return eastWithPicture();
    case Wall::South:
      return southWithWindow();
    case Wall::Ceiling:
      return plasterCeiling();
    case Wall::Floor:
      return woodenFloor();
  }
  return Canvas(kSize, kSize);
}

}  // namespace assetgen
