// The outer surface of a layout's blocks as a mesh: one cube per block, the faces that two
// neighbouring blocks share left out, corners shared within each colour group by the faces that
// meet there. Blocks that touch only along an edge or at a corner share no corner: each solid is
// its own shell, and in a single group or closed groups every edge lies in exactly two faces.
//
// Coordinates are in cells, in a right-handed frame with y up seen as the program's front view
// shows the room: X grows to the viewer's right, Y up, Z towards the viewer. Every quad runs
// counter-clockwise seen from outside the solid.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "workroom/layout_file.h"

namespace kubisto::output {

struct SurfaceGroup {
  std::int32_t color = 0;                           // the layout's colour, 0x00BBGGRR
  std::vector<std::array<float, 3>> vertices;       // in cells, 0..divide
  std::vector<std::array<std::uint32_t, 4>> quads;  // indices into vertices
  std::vector<std::int32_t> quadColors;             // the colour of each quad's block
};

// One group per colour in the order the colours first appear, or a single group holding every
// face (coloured as the first block) when oneGroup is set. Every group has at least one face: a
// colour whose blocks are all hidden inside others gives none. Blocks outside the room and
// repeated cells are skipped, as the workroom skips them. With closedGroups, a face between
// blocks of different colours is kept on both sides, so that each colour's group is closed itself.
std::vector<SurfaceGroup> BuildSurface(std::int32_t divide, const std::vector<LayoutRecord>& blocks,
                                       bool oneGroup, bool closedGroups = false);

// The layout's red, green and blue as 0..1.
std::array<float, 3> ColorRGB(std::int32_t color);

}  // namespace kubisto::output
