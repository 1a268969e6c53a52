// The room's measurements in one place: the code that builds the room and the code that tells
// from a picked visual what was hit both read them here, so that the two cannot drift apart.
// Lengths are in room units, in the room frame (its origin is the centre of the walls' cube).
#pragma once

#include <cstdint>

namespace kubisto::room {

// The cells fill a cube of side 2 * kHalfSpan whatever their count: -kHalfSpan..kHalfSpan across
// (x) and deep (z), and from the table top up (y).
inline constexpr double kHalfSpan = 120.0;

// Half the edge of one cell for a count of cells per axis (Divide). A block is a cube of exactly
// this half edge, centred in its cell.
constexpr double HalfEdge(std::int32_t divide) { return kHalfSpan / divide; }

// The table top, the floor of the lowest cells, lies half a span below the centre.
inline constexpr double kTableTop = -kHalfSpan / 2;
// The table: a slab as wide and deep as the cells, a tenth of the half span in half-thickness,
// its top at kTableTop.
inline constexpr float kTableHalfWidth = static_cast<float>(kHalfSpan);
inline constexpr float kTableHalfHeight = static_cast<float>(kHalfSpan / 10);

// Where the cells start on each axis: their lowest faces lie at -kHalfSpan across and deep and
// on the table top up.
inline constexpr double kCellsStartX = -kHalfSpan;
inline constexpr double kCellsStartY = kTableTop;
inline constexpr double kCellsStartZ = -kHalfSpan;

// The centre of cell i along an axis whose cells start at `start`.
constexpr double CellCentre(std::int32_t i, double halfEdge, double start) {
  return halfEdge * i * 2 + halfEdge + start;
}

// Every cell's frame holds a small sphere at its centre, the marker that shows where cells are.
inline constexpr float kMarkerRadius = static_cast<float>(kHalfSpan / 40);
inline constexpr std::int16_t kMarkerSegments = 10;

// The walls are the inside faces of a cube of this side around the room frame's origin.
inline constexpr float kWallSide = 1000.0f;

// What a pick hit is told by the width (x extent) of the picked visual's box: a wall spans the
// room, a marker is its sphere's diameter, a block one cell edge; anything else is the table.
inline constexpr float kWallWidth = kWallSide;
inline constexpr float kMarkerWidth = 2 * kMarkerRadius;
constexpr float BlockWidth(std::int32_t divide) { return static_cast<float>(2 * HalfEdge(divide)); }

}  // namespace kubisto::room
