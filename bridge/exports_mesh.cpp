// Meshes and their groups.
#include "bridge/export_helpers.h"
#include "engine/material.h"
#include "engine/mesh.h"
#include "engine/texture.h"

using namespace bridge;
using engine::Mesh;

static_assert(sizeof(MeshVertex) == sizeof(engine::MeshVertex),
              "mesh vertices cross as 9 values of 4 bytes");

namespace {

// One count of a group; 0 when the group is absent.
template <class F>
int32_t GroupCount(uint32_t mesh, int32_t group, F&& count) {
  return Value<Mesh, int32_t>(mesh, 0, [&](Mesh& m) -> int32_t {
    const engine::MeshGroup* g = m.GetGroup(group);
    return g ? static_cast<int32_t>(count(*g)) : 0;
  });
}

}  // namespace

int32_t d3dAddGroup(uint32_t mesh, int32_t vertexCount, int32_t faceCount, int32_t vertexPerFace,
                    const int32_t* faceData) {
  return Value<Mesh, int32_t>(mesh, -1, [&](Mesh& m) -> int32_t {
    if (!faceData || vertexCount <= 0 || faceCount <= 0 || vertexPerFace < 0) return -1;
    return m.AddGroup(static_cast<uint32_t>(vertexCount), static_cast<uint32_t>(faceCount),
                      static_cast<uint32_t>(vertexPerFace),
                      reinterpret_cast<const uint32_t*>(faceData));
  });
}
int32_t d3dGetGroupCount(uint32_t mesh) {
  return Value<Mesh, int32_t>(mesh, 0, [](Mesh& m) { return m.GetGroupCount(); });
}
int32_t d3dSetVertices(uint32_t mesh, int32_t group, int32_t first, int32_t count,
                       const MeshVertex* vertices) {
  return Flag<Mesh>(mesh, [&](Mesh& m) {
    if (!vertices || first < 0 || count < 0) return false;
    return m.SetVertices(group, static_cast<uint32_t>(first), static_cast<uint32_t>(count),
                         reinterpret_cast<const engine::MeshVertex*>(vertices));
  });
}
int32_t d3dGetVertices(uint32_t mesh, int32_t group, int32_t first, int32_t count,
                       MeshVertex* vertices) {
  return Flag<Mesh>(mesh, [&](Mesh& m) {
    if (!vertices || first < 0 || count < 0) return false;
    return m.GetVertices(group, static_cast<uint32_t>(first), static_cast<uint32_t>(count),
                         reinterpret_cast<engine::MeshVertex*>(vertices));
  });
}
int32_t d3dGetGroupVertexCount(uint32_t mesh, int32_t group) {
  return GroupCount(mesh, group, [](const engine::MeshGroup& g) { return g.vertexCount; });
}
int32_t d3dGetGroupFaceCount(uint32_t mesh, int32_t group) {
  return GroupCount(mesh, group, [](const engine::MeshGroup& g) { return g.faceCount; });
}
int32_t d3dGetGroupVertexPerFace(uint32_t mesh, int32_t group) {
  return GroupCount(mesh, group, [](const engine::MeshGroup& g) { return g.verticesPerFace; });
}
int32_t d3dGetGroupData(uint32_t mesh, int32_t group, int32_t size, int32_t* faceData) {
  return Flag<Mesh>(mesh, [&](Mesh& m) {
    uint32_t told = 0;
    if (!faceData || size <= 0) return false;
    return m.GetGroupData(group, static_cast<uint32_t>(size), reinterpret_cast<uint32_t*>(faceData),
                          &told);
  });
}
int32_t d3dSetGroupColor(uint32_t mesh, int32_t group, int32_t color) {
  return Flag<Mesh>(
      mesh, [&](Mesh& m) { return m.SetGroupColor(group, static_cast<engine::Color>(color)); });
}
int32_t d3dGetGroupColor(uint32_t mesh, int32_t group) {
  return Value<Mesh, int32_t>(mesh, 0, [&](Mesh& m) { return m.GetGroupColor(group); });
}
int32_t d3dSetGroupColorRGB(uint32_t mesh, int32_t group, float red, float green, float blue) {
  return Flag<Mesh>(mesh, [&](Mesh& m) { return m.SetGroupColorRGB(group, red, green, blue); });
}
int32_t d3dSetGroupMapping(uint32_t mesh, int32_t group, int32_t mapping) {
  return Flag<Mesh>(mesh, [&](Mesh& m) { return m.SetGroupMapping(group, mapping); });
}
int32_t d3dGetGroupMapping(uint32_t mesh, int32_t group) {
  return Value<Mesh, int32_t>(mesh, 0, [&](Mesh& m) { return m.GetGroupMapping(group); });
}
int32_t d3dSetGroupQuality(uint32_t mesh, int32_t group, int32_t quality) {
  return Flag<Mesh>(mesh, [&](Mesh& m) { return m.SetGroupQuality(group, quality); });
}
int32_t d3dGetGroupQuality(uint32_t mesh, int32_t group) {
  return Value<Mesh, int32_t>(mesh, 0, [&](Mesh& m) { return m.GetGroupQuality(group); });
}
int32_t d3dSetGroupMaterial(uint32_t mesh, int32_t group, uint32_t material) {
  return Flag<Mesh>(mesh, [&](Mesh& m) {
    engine::Material* mt = nullptr;
    return Optional(material, mt) && m.SetGroupMaterial(group, mt);
  });
}
uint32_t d3dGetGroupMaterial(uint32_t mesh, int32_t group) {
  return Value<Mesh, uint32_t>(mesh, 0,
                               [&](Mesh& m) { return HandOutBorrowed(m.GetGroupMaterial(group)); });
}
int32_t d3dSetGroupTexture(uint32_t mesh, int32_t group, uint32_t texture) {
  return Flag<Mesh>(mesh, [&](Mesh& m) {
    engine::Texture* t = nullptr;
    return Optional(texture, t) && m.SetGroupTexture(group, t);
  });
}
uint32_t d3dGetGroupTexture(uint32_t mesh, int32_t group) {
  return Value<Mesh, uint32_t>(mesh, 0,
                               [&](Mesh& m) { return HandOutBorrowed(m.GetGroupTexture(group)); });
}
int32_t d3dScaleMS(uint32_t mesh, float x, float y, float z) {
  return Flag<Mesh>(mesh, [&](Mesh& m) { return m.Scale({x, y, z}); });
}
int32_t d3dTranslateMS(uint32_t mesh, float x, float y, float z) {
  return Flag<Mesh>(mesh, [&](Mesh& m) { return m.Translate({x, y, z}); });
}
int32_t d3dGetBoxMS(uint32_t mesh, float* box) {
  return Flag<Mesh>(mesh, [&](Mesh& m) {
    engine::Box b;
    if (!box || !m.GetBox(b)) return false;
    WriteVector(box, b.min);
    WriteVector(box + 3, b.max);
    return true;
  });
}
