// Mesh builders: geometry, merging, files and appearance.
#include "bridge/export_helpers.h"
#include "engine/face.h"
#include "engine/material.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/texture.h"

using namespace bridge;
using engine::MeshBuilder;

namespace {

// Copies vertex (or normal) index out: the index is compared unsigned with the count, so that a
// negative index fails like one past the end and the vector is left untouched.
int32_t CopyOut(uint32_t meshBuilder, int32_t index, float* vector, bool normal) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    const std::vector<engine::Vector>& list = normal ? mb.Normals() : mb.Vertices();
    if (!vector || static_cast<uint32_t>(index) >= list.size()) return false;
    WriteVector(vector, list[static_cast<uint32_t>(index)]);
    return true;
  });
}

}  // namespace

// ---- Geometry ----

int32_t d3dAddVertexMB(uint32_t meshBuilder, float x, float y, float z) {
  return Value<MeshBuilder, int32_t>(meshBuilder, -1, [&](MeshBuilder& mb) {
    return mb.AddVertex({x, y, z});
  });
}
int32_t d3dAddNormalMB(uint32_t meshBuilder, float x, float y, float z) {
  return Value<MeshBuilder, int32_t>(meshBuilder, -1, [&](MeshBuilder& mb) {
    return mb.AddNormal({x, y, z});
  });
}
int32_t d3dSetVertexMB(uint32_t meshBuilder, int32_t index, float x, float y, float z) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    return mb.SetVertex(index, {x, y, z});
  });
}
int32_t d3dSetNormalMB(uint32_t meshBuilder, int32_t index, float x, float y, float z) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    return mb.SetNormal(index, {x, y, z});
  });
}
int32_t d3dGetVertexMB(uint32_t meshBuilder, int32_t index, float* vector) {
  return CopyOut(meshBuilder, index, vector, false);
}
int32_t d3dGetNormalMB(uint32_t meshBuilder, int32_t index, float* vector) {
  return CopyOut(meshBuilder, index, vector, true);
}
int32_t d3dGetVertexCountMB(uint32_t meshBuilder) {
  return Value<MeshBuilder, int32_t>(meshBuilder, 0,
                                     [](MeshBuilder& mb) { return mb.GetVertexCount(); });
}
int32_t d3dGetNormalCountMB(uint32_t meshBuilder) {
  return Value<MeshBuilder, int32_t>(meshBuilder, 0,
                                     [](MeshBuilder& mb) { return mb.GetNormalCount(); });
}
int32_t d3dGetFaceCount(uint32_t meshBuilder) {
  return Value<MeshBuilder, int32_t>(meshBuilder, 0,
                                     [](MeshBuilder& mb) { return mb.GetFaceCount(); });
}
uint32_t d3dGetFace(uint32_t meshBuilder, int32_t index) {
  return Value<MeshBuilder, uint32_t>(
      meshBuilder, 0, [&](MeshBuilder& mb) { return HandOutBorrowed(mb.GetFace(index)); });
}
int32_t d3dAddFace(uint32_t meshBuilder, uint32_t face) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    engine::Face* f = ResolveAs<engine::Face>(face);
    return f && mb.AddFace(f);
  });
}
int32_t d3dAddFrame(uint32_t meshBuilder, uint32_t frame) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    engine::Frame* f = ResolveAs<engine::Frame>(frame);
    return f && mb.AddFrame(f);
  });
}
int32_t d3dAddMesh(uint32_t meshBuilder, uint32_t mesh) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    engine::Mesh* m = ResolveAs<engine::Mesh>(mesh);
    return m && mb.AddMesh(m);
  });
}
int32_t d3dAddMeshBuilder(uint32_t meshBuilder, uint32_t other) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    MeshBuilder* o = ResolveAs<MeshBuilder>(other);
    return o && mb.AddMeshBuilder(o);
  });
}
int32_t d3dGenerateNormals(uint32_t meshBuilder) {
  return Flag<MeshBuilder>(meshBuilder, [](MeshBuilder& mb) { return mb.GenerateNormals(); });
}
int32_t d3dScaleMB(uint32_t meshBuilder, float x, float y, float z) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) { return mb.Scale({x, y, z}); });
}
int32_t d3dTranslateMB(uint32_t meshBuilder, float x, float y, float z) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) { return mb.Translate({x, y, z}); });
}
int32_t d3dGetBoxMB(uint32_t meshBuilder, float* box) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    engine::Box b;
    if (!box || !mb.GetBox(b)) return false;
    WriteVector(box, b.min);
    WriteVector(box + 3, b.max);
    return true;
  });
}
int32_t d3dLoadMB(uint32_t meshBuilder, const char* fileName) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    return fileName && mb.Load(fileName, engine::kLoadFirst, std::string(), 0);
  });
}
int32_t d3dLoadMBByName(uint32_t meshBuilder, const char* fileName, const char* objectName) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    return fileName && objectName && mb.Load(fileName, engine::kLoadByName, objectName, 0);
  });
}
int32_t d3dLoadMBByIndex(uint32_t meshBuilder, const char* fileName, int32_t position) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    return fileName && mb.Load(fileName, engine::kLoadByPosition, std::string(),
                               static_cast<uint32_t>(position));
  });
}
int32_t d3dSaveMB(uint32_t meshBuilder, const char* fileName, int32_t format, int32_t options) {
  return Flag<MeshBuilder>(
      meshBuilder, [&](MeshBuilder& mb) { return fileName && mb.Save(fileName, format, options); });
}

// ---- Appearance ----

int32_t d3dSetColorMB(uint32_t meshBuilder, int32_t color) {
  return Flag<MeshBuilder>(
      meshBuilder, [&](MeshBuilder& mb) { return mb.SetColor(static_cast<engine::Color>(color)); });
}
int32_t d3dSetColorSource(uint32_t meshBuilder, int32_t source) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) { return mb.SetColorSource(source); });
}
int32_t d3dGetColorSource(uint32_t meshBuilder) {
  return Value<MeshBuilder, int32_t>(meshBuilder, 0,
                                     [](MeshBuilder& mb) { return mb.GetColorSource(); });
}
int32_t d3dSetMaterialMB(uint32_t meshBuilder, uint32_t material) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    engine::Material* m = nullptr;
    return Optional(material, m) && mb.SetMaterial(m);
  });
}
int32_t d3dSetTextureMB(uint32_t meshBuilder, uint32_t texture) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    engine::Texture* t = nullptr;
    return Optional(texture, t) && mb.SetTexture(t);
  });
}
int32_t d3dSetTextureCoordMB(uint32_t meshBuilder, int32_t index, float u, float v) {
  return Flag<MeshBuilder>(meshBuilder,
                           [&](MeshBuilder& mb) { return mb.SetTextureCoordinates(index, u, v); });
}
int32_t d3dGetTextureCoordMB(uint32_t meshBuilder, int32_t index, float* uv) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    float u, v;
    if (!uv || !mb.GetTextureCoordinates(index, u, v)) return false;
    uv[0] = u;
    uv[1] = v;
    return true;
  });
}
int32_t d3dSetTextureTopoMB(uint32_t meshBuilder, int32_t topology) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    return mb.SetTextureTopology(topology & 1, (topology & 2) != 0);
  });
}
int32_t d3dSetQuality(uint32_t meshBuilder, int32_t quality) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) { return mb.SetQuality(quality); });
}
int32_t d3dGetQuality(uint32_t meshBuilder) {
  return Value<MeshBuilder, int32_t>(meshBuilder, 0,
                                     [](MeshBuilder& mb) { return mb.GetQuality(); });
}
int32_t d3dSetPerspective(uint32_t meshBuilder, int32_t on) {
  return Flag<MeshBuilder>(meshBuilder,
                           [&](MeshBuilder& mb) { return mb.SetPerspective(ToBool(on)); });
}
int32_t d3dGetPerspective(uint32_t meshBuilder) {
  return Value<MeshBuilder, int32_t>(meshBuilder, 0,
                                     [](MeshBuilder& mb) { return FromBool(mb.GetPerspective()); });
}
int32_t d3dSetVertexColor(uint32_t meshBuilder, int32_t index, int32_t color) {
  return Flag<MeshBuilder>(meshBuilder, [&](MeshBuilder& mb) {
    return mb.SetVertexColor(index, static_cast<engine::Color>(color));
  });
}
int32_t d3dSetVertexColorRGB(uint32_t meshBuilder, int32_t index, float red, float green,
                             float blue) {
  return Flag<MeshBuilder>(
      meshBuilder, [&](MeshBuilder& mb) { return mb.SetVertexColorRGB(index, red, green, blue); });
}
int32_t d3dGetVertexColor(uint32_t meshBuilder, int32_t index) {
  return Value<MeshBuilder, int32_t>(meshBuilder, 0,
                                     [&](MeshBuilder& mb) { return mb.GetVertexColor(index); });
}
