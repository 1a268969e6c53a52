// Polygon clipping (Sutherland-Hodgman): against the front and back planes in camera space, before
// projection, and against a guard band around the viewport in screen space, after it. Attributes
// are interpolated linearly, which is exact in both spaces for the attributes each vertex type
// carries.
#pragma once

#include <vector>

#include "engine/render/vertex.h"

namespace engine::render {

// Keeps the part of `in` with front <= z <= back; the result goes to `out` (cleared first).
void ClipDepth(const std::vector<CameraVertex>& in, float front, float back,
               std::vector<CameraVertex>& out);

// Keeps the part of `in` inside the rectangle [x0, x1] x [y0, y1]; `scratch` is working space.
void ClipRect(std::vector<ScreenVertex>& poly, float x0, float y0, float x1, float y1,
              std::vector<ScreenVertex>& scratch);

// True when every corner lies inside the rectangle (the common case: nothing to clip).
bool InsideRect(const std::vector<ScreenVertex>& poly, float x0, float y0, float x1, float y1);

}  // namespace engine::render
