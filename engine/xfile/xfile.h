// Reading and writing mesh builders in the engine's mesh file format (".x": text, binary, and
// binary compressed with zlib). A file holds frames with transform matrices and named meshes with
// normals, texture coordinates, vertex colours, a material list and texture file names.
//
// Loading picks one mesh of the file: the first, the first of a given name, or the one at a given
// position (0-based, counting every mesh of the file in order). The transforms of the frames around
// the mesh are applied to its vertices and normals. Faces keep their corner count. Any input gives
// either a mesh or a clean failure; a failed load leaves the builder as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/types.h"
#include "engine/xfile/mesh_data.h"

namespace engine {
class MeshBuilder;
}

namespace engine::xfile {

// Which mesh to load; the values are the engine's published load options.
enum class LoadWhat : uint32_t { First = 0, ByName = 16, ByPosition = 32 };

struct LoadRequest {
  LoadWhat what = LoadWhat::First;
  std::string name;       // for ByName (exact, case-sensitive)
  uint32_t position = 0;  // for ByPosition
};

// --- Plain data (no engine objects) ---
// Reads one mesh from a whole file image. False for a malformed file or when the mesh asked for is
// not in it.
bool ParseMeshFile(const uint8_t* data, size_t size, const LoadRequest& request, MeshData& out);
// Writes a whole file image in a SaveFormat with SaveOptions. False for an unknown format or a mesh
// whose indices are out of range. Texture names are written only with kSaveTextureNames; the
// material list with kSaveMaterials or kSaveTextureNames; face wraps with kSaveTextureTopology;
// vertex colours whenever the mesh has some.
bool WriteMeshFile(const MeshData& mesh, int format, int options, std::string& out);

// --- Mesh builders ---
// Replaces the builder's contents by the chosen mesh of the file. The path may use '\' separators.
// Texture file names are looked up as given, then beside the mesh file.
bool LoadMeshBuilder(MeshBuilder& builder, const std::string& path, LoadWhat how,
                     const std::string& name = {}, uint32_t position = 0);
// As LoadMeshBuilder from a file image in memory (texture names as given only).
bool LoadFromMemory(MeshBuilder& builder, const uint8_t* data, size_t size, LoadWhat how,
                    const std::string& name = {}, uint32_t position = 0);
// Writes the builder (named as the builder) as the file's one mesh. False for an unknown format or
// when the file cannot be written.
bool SaveMeshBuilder(const MeshBuilder& builder, const std::string& path, int format, int options);

}  // namespace engine::xfile
