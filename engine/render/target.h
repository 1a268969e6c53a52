// Where the rasterizer draws: a colour buffer and a depth buffer of one size, and the rectangle of
// them that may be touched (the viewport).
#pragma once

#include <climits>
#include <cstdint>

namespace engine::render {

struct Target {
  uint32_t* color = nullptr;  // 0x00RRGGBB pixels, row-major, top row first
  float* depth = nullptr;     // larger is nearer; a cleared buffer holds 0
  int pitch = 0;              // pixels per row of both buffers
  // Drawable rectangle; x1 and y1 are exclusive. The rasterizer never writes outside it.
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  // The rows [rowBegin, rowEnd) of that rectangle that this drawer owns when several threads share
  // a frame. Whether a triangle is drawn, and how, depends on the rectangle alone, so that the
  // rows come out the same however the frame is shared.
  int rowBegin = INT_MIN, rowEnd = INT_MAX;
};

}  // namespace engine::render
