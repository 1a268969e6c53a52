// The projection of a visual's vertices, once each, for the faces that are filled.
#pragma once

#include <cstddef>

#include "engine/render/draw_context.h"

namespace engine::render {

// Projects each of the first `count` vertices of dc.cam: whether it needs clipping, and where it
// lies on the rasterizer's grid when it does not (dc.projected, dc.place, dc.grid). Only the
// position, depth and oow are set, as Project sets them: the corners' colours, fog and texture
// coordinates are filled in for each face. Returns whether every vertex lies on the grid.
bool ProjectVertices(DrawContext& dc, size_t count, bool perspectiveTexture);

}  // namespace engine::render
