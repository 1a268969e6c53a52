// The plain contents of one mesh of a mesh file, between the file reader/writer and the builder.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/math.h"

namespace engine::xfile {

struct ColorRGBA {
  float r = 1, g = 1, b = 1, a = 1;
};

struct MeshMaterial {
  std::string name;     // empty when the file gave none
  ColorRGBA faceColor;  // the colour of the faces that use this material
  float power = 0;      // specular exponent
  Vector specular;      // red, green, blue in x, y, z
  Vector emissive;
  std::string textureFile;  // empty: no texture
};

struct VertexColor {
  uint32_t vertex = 0;
  ColorRGBA color;
};

// Faces keep their corner count. Every index is checked against its list by the reader and must be
// valid for the writer.
struct MeshData {
  std::string name;
  std::vector<Vector> vertices;
  std::vector<std::vector<uint32_t>> faces;  // vertex indices, clockwise seen from the front
  std::vector<Vector> normals;
  std::vector<std::vector<uint32_t>> faceNormals;  // empty, or per face one normal index per corner
  std::vector<std::pair<float, float>> texCoords;  // empty, or (u, v) per vertex
  std::vector<VertexColor> vertexColors;           // any subset of the vertices
  std::vector<MeshMaterial> materials;
  std::vector<uint32_t> faceMaterials;           // empty, or per face an index into materials
  std::vector<std::pair<bool, bool>> faceWraps;  // empty, or per face texture wrap in (u, v)
};

}  // namespace engine::xfile
