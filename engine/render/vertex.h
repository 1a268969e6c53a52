// The vertices that flow through the pipeline's stages.
#pragma once

namespace engine::render {

// A corner in camera space (the camera looks along +z, y up), before projection. Colours are 0..1
// and may exceed 1 before the rasterizer clamps them; fog is 1 for none, 0 for all fog.
struct CameraVertex {
  float x, y, z;
  float u, v;
  float r, g, b;
  float fog;
};

// A projected corner. Every field is linear in screen space, so that clipping and interpolation
// across a triangle work on them directly: texture coordinates are multiplied by oow, and the
// pixel divides by the interpolated oow to get them back (perspective correction).
struct ScreenVertex {
  float x, y;     // pixels, y down, pixel centres at +0.5
  float depth;    // larger is nearer
  float oow;      // 1/z for perspective-correct texturing, 1 for affine
  float uw, vw;   // u * oow, v * oow
  float r, g, b;  // 0..1
  float fog;      // 1 = no fog
};

}  // namespace engine::render
