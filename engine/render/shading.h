// Colour of a corner from its surface colour and the light that reaches it, and the transform of
// normals into camera space.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/color.h"
#include "engine/math.h"
#include "engine/render/draw_context.h"
#include "engine/types.h"

namespace engine::render {

using RGB = ShadedColor;

inline RGB FromColor(Color c) {
  constexpr float k = 1.0f / 255.0f;
  return {static_cast<float>((c >> 16) & 0xFF) * k, static_cast<float>((c >> 8) & 0xFF) * k,
          static_cast<float>(c & 0xFF) * k};
}

// The quality a visual is drawn in: its own, limited in each part by the device's.
struct Quality {
  int32_t shade, light, fill;
};
inline Quality EffectiveQuality(int32_t device, int32_t visual) {
  return {std::min(device & kShadeMask, visual & kShadeMask),
          std::min(device & kLightMask, visual & kLightMask),
          std::min(device & kFillMask, visual & kFillMask)};
}

// The matrix that carries normals along with modelView: the transpose of its inverse (its own 3 x 3
// part when it has no inverse). An affine modelView carries directions by its 3 x 3 part alone, so
// only that part is inverted (by cofactors): copies of a visual that differ only in where they
// stand get the same matrix, bit for bit, and can share their lights (StartLights).
inline Matrix NormalMatrix(const Matrix& modelView) {
  const auto& a = modelView.m;
  if (a[0][3] != 0.0f || a[1][3] != 0.0f || a[2][3] != 0.0f || a[3][3] != 1.0f) {
    Matrix inv;
    if (!Invert(modelView, inv)) return modelView;
    Matrix n;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) n.m[i][j] = inv.m[j][i];
    return n;
  }
  // Cofactor (i, j) of the 3 x 3 part; the transposed inverse is the cofactors over the
  // determinant.
  auto cofactor = [&a](int i, int j) {
    const int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
    return static_cast<double>(a[i1][j1]) * a[i2][j2] - static_cast<double>(a[i1][j2]) * a[i2][j1];
  };
  double c[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) c[i][j] = cofactor(i, j);
  const double det = a[0][0] * c[0][0] + a[0][1] * c[0][1] + a[0][2] * c[0][2];
  if (!(det != 0.0) || !std::isfinite(det)) return modelView;
  Matrix n;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) n.m[i][j] = static_cast<float>(c[i][j] / det);
  return n;
}

// The lit colour of a surface colour. The mono model lights by intensity alone, in `shades` steps.
inline RGB Shade(const DrawContext& dc, RGB base, const SurfaceLight& l, const SurfaceMaterial& m) {
  if (dc.mono) {
    float i = std::min(1.0f, 0.299f * l.r + 0.587f * l.g + 0.114f * l.b);
    float steps = static_cast<float>(std::max(1, dc.shades - 1));
    i = std::floor(i * steps + 0.5f) / steps;
    float s = 0.299f * l.sr + 0.587f * l.sg + 0.114f * l.sb;
    return {base.r * i + m.er + s, base.g * i + m.eg + s, base.b * i + m.eb + s};
  }
  return {base.r * l.r + m.er + l.sr, base.g * l.g + m.eg + l.sg, base.b * l.b + m.eb + l.sb};
}

// Makes texture coordinates that wrap take the short way across the seam (0.9 to 0.1 passes 1.0),
// then moves them by whole repeats near 0, which keeps the rasterizer's fixed point in range.
void FixTextureCoordinates(std::vector<CameraVertex>& poly, bool wrapU, bool wrapV);

}  // namespace engine::render
