// Faces: corners, normal and appearance.
#include "bridge/export_helpers.h"
#include "bridge/status.h"
#include "engine/face.h"
#include "engine/material.h"
#include "engine/texture.h"

using namespace bridge;
using engine::Face;

int32_t d3dAddVertexFC(uint32_t face, float x, float y, float z) {
  // Unlike the builder's twin this gives a status: 0 when the corner was added, not an index.
  return Value<Face, int32_t>(face, -1, [&](Face& f) {
    return f.AddVertex({x, y, z}) ? kStatusOk : kStatusFailed;
  });
}
int32_t d3dAddVertexAndNormal(uint32_t face, int32_t vertex, int32_t normal) {
  return Flag<Face>(face, [&](Face& f) { return f.AddVertexAndNormalIndexed(vertex, normal); });
}
int32_t d3dGetVertexCountFC(uint32_t face) {
  return Value<Face, int32_t>(face, 0, [](Face& f) { return f.GetVertexCount(); });
}
int32_t d3dGetVertexFC(uint32_t face, int32_t which, float* vertex, float* normal) {
  return Flag<Face>(face, [&](Face& f) {
    engine::Vector p, n;
    if (!vertex || !normal || !f.GetVertex(which, p, n)) return false;
    WriteVector(vertex, p);
    WriteVector(normal, n);
    return true;
  });
}
int32_t d3dGetVertexIndex(uint32_t face, int32_t which) {
  return Value<Face, int32_t>(face, -1, [&](Face& f) { return f.GetVertexIndex(which); });
}
int32_t d3dGetNormalFC(uint32_t face, float* vector) {
  return Flag<Face>(face, [&](Face& f) {
    engine::Vector n;
    if (!vector || !f.GetNormal(n)) return false;
    WriteVector(vector, n);
    return true;
  });
}
int32_t d3dSetColorFC(uint32_t face, int32_t color) {
  return Flag<Face>(face, [&](Face& f) { return f.SetColor(static_cast<engine::Color>(color)); });
}
int32_t d3dGetColorFC(uint32_t face) {
  return Value<Face, int32_t>(face, 0, [](Face& f) { return f.GetColor(); });
}
int32_t d3dSetMaterialFC(uint32_t face, uint32_t material) {
  return Flag<Face>(face, [&](Face& f) {
    engine::Material* m = nullptr;
    return Optional(material, m) && f.SetMaterial(m);
  });
}
uint32_t d3dGetMaterialFC(uint32_t face) {
  return Value<Face, uint32_t>(face, 0, [](Face& f) { return HandOutBorrowed(f.GetMaterial()); });
}
int32_t d3dSetTextureFC(uint32_t face, uint32_t texture) {
  return Flag<Face>(face, [&](Face& f) {
    engine::Texture* t = nullptr;
    return Optional(texture, t) && f.SetTexture(t);
  });
}
uint32_t d3dGetTextureFC(uint32_t face) {
  return Value<Face, uint32_t>(face, 0, [](Face& f) { return HandOutBorrowed(f.GetTexture()); });
}
int32_t d3dSetTextureCoordFC(uint32_t face, int32_t which, float u, float v) {
  return Flag<Face>(face, [&](Face& f) { return f.SetTextureCoordinates(which, u, v); });
}
int32_t d3dGetTextureCoordFC(uint32_t face, int32_t which, float* uv) {
  return Flag<Face>(face, [&](Face& f) {
    float u, v;
    if (!uv || !f.GetTextureCoordinates(which, u, v)) return false;
    uv[0] = u;
    uv[1] = v;
    return true;
  });
}
int32_t d3dSetTextureTopoFC(uint32_t face, int32_t topology) {
  return Flag<Face>(
      face, [&](Face& f) { return f.SetTextureTopology(topology & 1, (topology & 2) != 0); });
}
int32_t d3dGetTextureTopoFC(uint32_t face) {
  return Value<Face, int32_t>(face, 0, [](Face& f) {
    bool u = false, v = false;
    return f.GetTextureTopology(u, v) ? engine::PackTopology(u, v) : 0;
  });
}
