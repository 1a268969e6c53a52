// Voxel models in the chunked ".vox" format as layouts, both ways: a "VOX " header, then a MAIN
// chunk holding a SIZE and an XYZI chunk per model and the RGBA palette. Each chunk is its id,
// the byte counts of its content and of its children (little-endian 32-bit), then both.
//
// Axes: the model's x grows to the right of the front view, y away from the viewer, z up, so
// that cell (X, Y, Z) of a layout of N cells is voxel (N-1-X, N-1-Z, Y); the model is N cells a
// side. Palette index i (1..255) is the palette's entry i-1.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "workroom/layout_file.h"

namespace kubisto {

// The first model of a .vox file as a layout.
struct VoxModel {
  Layout layout;                       // divide: the model's longest side
  std::array<std::int32_t, 3> size{};  // the model's x, y, z
  int models = 0;                      // how many models the file holds (the first is read)
};

// True when the bytes begin as a .vox file does (whatever follows).
bool IsVoxData(std::string_view bytes);

// Reads the first model. Throws std::runtime_error with a short reason (no file name) for a
// malformed file (chunks cut short or longer than their parent, a voxel outside the model's size,
// a voxel without a colour), a file with no model or no palette of its own, and a model larger
// than kMaxLayoutDivide on any side (the reason names its size).
VoxModel ParseVox(std::string_view bytes);

// ParseVox worded as the layout reader words its errors, for the program's windows and scripts:
// "Model file "F": reason". A file of several models gives its first, with their count in models.
Layout ReadVoxLayout(std::string_view bytes, const std::string& fileName);

// The .vox bytes of a layout: one model of divide cells a side holding its blocks in file order
// (those outside the room and repeats of a cell left out, as the workroom leaves them out) and a
// palette of its colours in the order they first appear. Throws std::runtime_error for more than
// 255 colours, which a palette cannot hold.
std::string FormatVox(const Layout& layout);

}  // namespace kubisto
