// The colour of a lit, smoothly shaded corner, through the light and shade caches of the visual
// being drawn. Shared by the general face pipeline and the plain-face path, so that both light a
// corner with the same arithmetic.
#pragma once

#include <cstdint>

#include "engine/render/draw_context.h"
#include "engine/render/shading.h"

namespace engine::render {

// The lit colour of base at camera position p, from the corner's own normal (the face's,
// unitNormal, when it has none or it cannot be normalised). The light is kept under cacheKey (none
// when negative) for the other faces that share it; so is the lit colour when `shadeKept` says that
// the base colour is the same wherever that key is used in the current round. Inlined: it runs for
// every corner of every face drawn.
[[gnu::always_inline]] inline RGB GouraudCorner(DrawContext& dc, const SurfaceMaterial& material,
                                                Vector unitNormal, const Matrix& normalMatrix,
                                                const Vector& p, RGB base, const Vector* normal,
                                                int32_t cacheKey, bool shadeKept) {
  if (shadeKept && cacheKey >= 0 && dc.shadeStamp[cacheKey] == dc.shadeRound)
    return dc.shadeCache[cacheKey];
  SurfaceLight light;
  if (cacheKey >= 0 && dc.litStamp[cacheKey] == dc.stamp) {
    light = dc.litCache[cacheKey];
  } else {
    Vector cn = unitNormal;
    // A normal that cannot be normalised is lit as the face whose corner it is: that light is
    // this face's own, and is kept for no other, so that it does not depend on which face asked
    // first (which differs from band to band when several threads draw).
    if (normal && !Normalize(TransformDirection(*normal, normalMatrix), cn)) {
      cn = unitNormal;
      cacheKey = -1;
    }
    light = Illuminate(*dc.lights, dc.lightMask, p, cn, material, dc.objectCenter);
    if (cacheKey >= 0) {
      dc.litCache[cacheKey] = light;
      dc.litStamp[cacheKey] = dc.stamp;
    }
  }
  const RGB lit = Shade(dc, base, light, material);
  if (shadeKept && cacheKey >= 0) {
    dc.shadeCache[cacheKey] = lit;
    dc.shadeStamp[cacheKey] = dc.shadeRound;
  }
  return lit;
}

}  // namespace engine::render
