#include "scene/face.h"

#include "scene/material.h"
#include "scene/texture.h"
#include "scene/vantrel_declare.h"
#include "scene/wrapping.h"

namespace kubisto {

using detail::Succeeded;
using detail::Wrapped;

bool Face::AddVertexAndNormal(int32_t iVertex, int32_t iNormal) {
  return Succeeded(vantrel::d3dAddVertexAndNormal(lp, iVertex, iNormal));
}

bool Face::GetNormal(float* lpNormal) { return Succeeded(vantrel::d3dGetNormalFC(lp, lpNormal)); }

bool Face::GetVertex(int32_t iVertex, float* lpVertex, float* lpNormal) {
  return Succeeded(vantrel::d3dGetVertexFC(lp, iVertex, lpVertex, lpNormal));
}

int32_t Face::VertexCount() const { return vantrel::d3dGetVertexCountFC(lp); }
int32_t Face::Color() const { return vantrel::d3dGetColorFC(lp); }
void Face::Color(int32_t d3dColor) { vantrel::d3dSetColorFC(lp, d3dColor); }
FacePtr Face::Clone() const { return Wrapped<Face>(vantrel::d3dCloneFC(lp)); }

MaterialPtr Face::Material() const {
  return Wrapped<kubisto::Material>(vantrel::d3dGetMaterialFC(lp));
}

void Face::Material(const MaterialPtr& mt) { vantrel::d3dSetMaterialFC(lp, HandleOf(mt)); }

TexturePtr Face::Texture() const { return Wrapped<kubisto::Texture>(vantrel::d3dGetTextureFC(lp)); }

void Face::Texture(const TexturePtr& tx) { vantrel::d3dSetTextureFC(lp, HandleOf(tx)); }
int32_t Face::AddVertex(float x, float Y, float Z) { return vantrel::d3dAddVertexFC(lp, x, Y, Z); }
int32_t Face::VertexIndex(int32_t iVertex) const { return vantrel::d3dGetVertexIndex(lp, iVertex); }

bool Face::SetTextureCoordinates(int32_t iVertex, float x, float Y) {
  return Succeeded(vantrel::d3dSetTextureCoordFC(lp, iVertex, x, Y));
}

bool Face::GetTextureCoordinates(int32_t iVertex, float* lpCoordinates) {
  return Succeeded(vantrel::d3dGetTextureCoordFC(lp, iVertex, lpCoordinates));
}

int32_t Face::TextureTopology() const { return vantrel::d3dGetTextureTopoFC(lp); }
void Face::TextureTopology(int32_t cTopology) { vantrel::d3dSetTextureTopoFC(lp, cTopology); }

}  // namespace kubisto
