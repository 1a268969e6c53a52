// Procedural wood grain: warped growth rings running along the height, with fine fibres.
#include <cmath>

#include "pictures.h"

namespace assetgen {

Canvas woodGrain(int width, int height, uint32_t seed, bool light) {
  Canvas c(width, height);
  const Color pale = light ? rgb(236, 208, 160) : rgb(196, 136, 78);
  const Color dark = light ? rgb(205, 160, 105) : rgb(140, 84, 40);
  c.paintAll([&](double x, double y) {
    // Grain runs along y: rings are lines of constant warped x.
    const double warp = 22.0 * fbm(x / 70.0, y / 260.0, seed, 4) + 6.0 * fbm(x / 25.0, y / 90.0, seed + 7, 3);
    const double u = (x + warp) / 11.0;
    const double ring = u - std::floor(u);
    // A ring: a sharp darker line followed by a slow fade (late wood to early wood).
    const double line = std::pow(1.0 - ring, 6.0) * 0.8 + ring * 0.25;
    const double fibre = fbm(x * 0.9, y * 0.03, seed + 31, 3);
    const double blotch = fbm(x / 40.0, y / 40.0, seed + 77, 3);
    double t = 0.55 * line + 0.3 * (fibre - 0.5) + 0.35 * (blotch - 0.5) + 0.2;
    return mix(pale, dark, t);
  });
  return c;
}

}  // namespace assetgen
