// Procedural wood grain: warped growth rings running along the height, with fine fibres.
#include <cmath>

#include "pictures.h"

namespace assetgen {

Canvas woodGrain(int width, int height, uint32_t seed, bool light) {
  Canvas c(width, height);
  const Color pale = light ? rgb(236, 208, 160) : rgb(196, 136, 78);
  const Color dark = light ? rgb(205, 160, 105) : rgb(140, 84, 40);
  c.paintAll([&](double x, double y) {
    // Grain runs along y: rings are lines of constant warped x, wider where the wood was slow.
    const double warp =
        26.0 * fbm(x / 80.0, y / 300.0, seed, 4) + 5.0 * fbm(x / 20.0, y / 70.0, seed + 7, 3);
    const double u = (x + warp) / 15.0;
    const double ring = u - std::floor(u);
    // A ring: a sharp darker late-wood line, then a slow fade through the early wood.
    const double line = std::pow(1.0 - ring, 8.0) + 0.35 * std::pow(ring, 3.0);
    const double fibre = fbm(x * 0.7, y * 0.025, seed + 31, 3);
    const double blotch = fbm(x / 45.0, y / 60.0, seed + 77, 3);
    const double t = 0.7 * line + 0.35 * (fibre - 0.5) + 0.4 * (blotch - 0.5) + 0.15;
    return mix(pale, dark, t);
  });
  return c;
}

}  // namespace assetgen
