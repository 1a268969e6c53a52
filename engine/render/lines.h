// Points and lines for the point and wireframe fill modes: one pixel wide, depth tested, in the
// colour of their first corner (lines blend to the second).
#pragma once

#include "engine/render/target.h"
#include "engine/render/vertex.h"

namespace engine::render {

// Draws the pixel whose centre is nearest to the corner, if it lies in the target's rectangle.
void DrawPoint(const Target& target, const ScreenVertex& p);
// Draws the line from a to b (both ends included), clipped to the target's rectangle.
void DrawLine(const Target& target, const ScreenVertex& a, const ScreenVertex& b);

}  // namespace engine::render
