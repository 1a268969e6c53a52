// A picture of a layout's blocks alone, for thumbnails: the blocks on the room's table, seen from
// above the front corner, the camera placed so that the blocks fill the picture. No walls and no
// cell markers, so that different layouts look different even at 128 pixels.
#pragma once

#include "output/render_layout.h"
#include "workroom/layout_file.h"

namespace kubisto::output {

// Draws the blocks (the empty table for an empty layout). Throws OutputError when the picture
// cannot be drawn.
Picture RenderBlocks(const Layout& layout, int width, int height);

}  // namespace kubisto::output
