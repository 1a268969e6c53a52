#include "scene/mesh.h"

#include "scene/material.h"
#include "scene/texture.h"
#include "scene/vantrel_declare.h"
#include "scene/wrapping.h"

namespace kubisto {

using detail::Succeeded;
using detail::Wrapped;

bool Mesh::Size(float x, float Y, float Z) { return Succeeded(vantrel::d3dScaleMS(lp, x, Y, Z)); }
bool Mesh::Translate(float x, float Y, float Z) {
  return Succeeded(vantrel::d3dTranslateMS(lp, x, Y, Z));
}
bool Mesh::GetBox(float* lpBox) { return Succeeded(vantrel::d3dGetBoxMS(lp, lpBox)); }
MeshPtr Mesh::Clone() const { return Wrapped<Mesh>(vantrel::d3dCloneMS(lp)); }

MaterialPtr Mesh::Material(int32_t iGroup) const {
  return Wrapped<kubisto::Material>(vantrel::d3dGetGroupMaterial(lp, iGroup));
}

void Mesh::Material(int32_t iGroup, const MaterialPtr& mt) {
  vantrel::d3dSetGroupMaterial(lp, iGroup, HandleOf(mt));
}

TexturePtr Mesh::Texture(int32_t iGroup) const {
  return Wrapped<kubisto::Texture>(vantrel::d3dGetGroupTexture(lp, iGroup));
}

void Mesh::Texture(int32_t iGroup, const TexturePtr& tx) {
  vantrel::d3dSetGroupTexture(lp, iGroup, HandleOf(tx));
}

int32_t Mesh::Color(int32_t iGroup) const { return vantrel::d3dGetGroupColor(lp, iGroup); }
void Mesh::Color(int32_t iGroup, int32_t d3dColor) {
  vantrel::d3dSetGroupColor(lp, iGroup, d3dColor);
}
int32_t Mesh::Quality(int32_t iGroup) const { return vantrel::d3dGetGroupQuality(lp, iGroup); }
void Mesh::Quality(int32_t iGroup, int32_t cQuality) {
  vantrel::d3dSetGroupQuality(lp, iGroup, cQuality);
}
int32_t Mesh::GroupCount() const { return vantrel::d3dGetGroupCount(lp); }
int32_t Mesh::Mapping(int32_t iGroup) const { return vantrel::d3dGetGroupMapping(lp, iGroup); }
void Mesh::Mapping(int32_t iGroup, int32_t cMapping) {
  vantrel::d3dSetGroupMapping(lp, iGroup, cMapping);
}

int32_t Mesh::AddGroup(int32_t nVertex, int32_t nFace, int32_t nVPerFace,
                       const int32_t* lpFaceData) {
  return vantrel::d3dAddGroup(lp, nVertex, nFace, nVPerFace, lpFaceData);
}

int32_t Mesh::VertexCount(int32_t iGroup) const {
  return vantrel::d3dGetGroupVertexCount(lp, iGroup);
}
int32_t Mesh::FaceCount(int32_t iGroup) const { return vantrel::d3dGetGroupFaceCount(lp, iGroup); }
int32_t Mesh::VertexPerFace(int32_t iGroup) const {
  return vantrel::d3dGetGroupVertexPerFace(lp, iGroup);
}

bool Mesh::SetVertices(int32_t iGroup, int32_t iStart, int32_t nCount,
                       const MeshVertex* lpVertices) {
  return Succeeded(vantrel::d3dSetVertices(lp, iGroup, iStart, nCount, lpVertices));
}

bool Mesh::GetVertices(int32_t iGroup, int32_t iStart, int32_t nCount, MeshVertex* lpVertices) {
  return Succeeded(vantrel::d3dGetVertices(lp, iGroup, iStart, nCount, lpVertices));
}

}  // namespace kubisto
