// The export verb: a layout's blocks as a 3D model file. Each block is a cube of edge cellSize
// placed by its cell; faces shared by two blocks are left out. The file's format follows its
// extension, each written in its own convention:
//   .obj (+ .mtl), .ply   right-handed, y up, front towards +z, plain units, origin at a corner
//   .gltf (+ .bin), .glb  right-handed, y up, front towards +z, metres (cellSize / 1000 per cell)
//   .stl, .3mf            right-handed, z up, front towards -y, millimetres, origin at a corner
//   .x                    left-handed, y up, front towards -z (the engine's own space)
#pragma once

#include <string>
#include <vector>

#include "workroom/layout_file.h"

namespace kubisto::output {

// The extensions export understands, lower case with the dot, in the order the help lists them.
const std::vector<std::string>& ExportExtensions();
// The same list as a message or a manual writes it: ".obj .ply ... .vox".
std::string ExportExtensionList();
// Whether export writes path's kind of file: its extension, in any case, is one of the list.
bool IsExportPath(const std::string& path);

// Writes the model (and its companion files) all or nothing. Throws OutputError: of
// Cause::kRequest for an extension not in ExportExtensions(), else when it cannot be written.
void ExportLayout(const Layout& layout, const std::string& path, float cellSize);

}  // namespace kubisto::output
