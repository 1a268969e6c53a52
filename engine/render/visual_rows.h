// Which rows of the target a visual may cover, from the box round its vertices: what files each
// visual under the bands of rows that the drawing threads share.
#pragma once

#include "engine/math.h"
#include "engine/render/draw_context.h"

namespace engine::render {

// The rows [first, last] of the target that a visual inside the model-space box may cover, from
// the box's corners on the screen with a row of slack either way; the whole rectangle when that
// cannot be told (a corner in front of the front plane), and false when it surely covers none
// (beyond the back plane, or wholly beside, above or below the rectangle).
bool RowsOfBox(const DrawContext& dc, const Box& box, const Matrix& modelView, int& first,
               int& last);

}  // namespace engine::render
