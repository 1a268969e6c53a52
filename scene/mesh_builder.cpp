// MeshBuilder's plain members: geometry access, appearance, merging, loading and saving.
#include "scene/mesh_builder.h"

#include "scene/face.h"
#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/services.h"
#include "scene/texture.h"
#include "scene/vantrel_declare.h"
#include "scene/wrapping.h"

namespace kubisto {

using detail::BoolArg;
using detail::Succeeded;
using detail::Wrapped;

namespace {

void TellCannotRead() {
  services().MessageBox("ファイルが読めません。", vbExclamation | vbOKOnly, services().AppTitle());
}

}  // namespace

int32_t MeshBuilder::AddVertex(float x, float Y, float Z) {
  return vantrel::d3dAddVertexMB(lp, x, Y, Z);
}

int32_t MeshBuilder::AddNormal(float x, float Y, float Z) {
  return vantrel::d3dAddNormalMB(lp, x, Y, Z);
}

FacePtr MeshBuilder::CreateFace() { return Wrapped<kubisto::Face>(vantrel::d3dCreateFaceMB(lp)); }

FacePtr MeshBuilder::Face(int32_t iFace) const {
  return Wrapped<kubisto::Face>(vantrel::d3dGetFace(lp, iFace));
}

bool MeshBuilder::GetBox(float* lpBox) { return Succeeded(vantrel::d3dGetBoxMB(lp, lpBox)); }
bool MeshBuilder::GenerateNormals() { return Succeeded(vantrel::d3dGenerateNormals(lp)); }
int32_t MeshBuilder::NormalCount() const { return vantrel::d3dGetNormalCountMB(lp); }
int32_t MeshBuilder::VertexCount() const { return vantrel::d3dGetVertexCountMB(lp); }
int32_t MeshBuilder::FaceCount() const { return vantrel::d3dGetFaceCount(lp); }

bool MeshBuilder::SetNormal(int32_t iNormal, float x, float Y, float Z) {
  return Succeeded(vantrel::d3dSetNormalMB(lp, iNormal, x, Y, Z));
}

bool MeshBuilder::GetNormal(int32_t iNormal, float* lpNormal) {
  return Succeeded(vantrel::d3dGetNormalMB(lp, iNormal, lpNormal));
}

bool MeshBuilder::SetVertex(int32_t iVertex, float x, float Y, float Z) {
  return Succeeded(vantrel::d3dSetVertexMB(lp, iVertex, x, Y, Z));
}

bool MeshBuilder::GetVertex(int32_t iVertex, float* lpVertex) {
  return Succeeded(vantrel::d3dGetVertexMB(lp, iVertex, lpVertex));
}

void MeshBuilder::Load(const std::string& filename) {
  if (vantrel::d3dLoadMB(lp, filename.c_str()) == 0) TellCannotRead();
}

void MeshBuilder::LoadByName(const std::string& filename, const std::string& ObjectName) {
  if (vantrel::d3dLoadMBByName(lp, filename.c_str(), ObjectName.c_str()) == 0) TellCannotRead();
}

void MeshBuilder::LoadByIndex(const std::string& filename, int32_t ObjectIndex) {
  if (vantrel::d3dLoadMBByIndex(lp, filename.c_str(), ObjectIndex) == 0) TellCannotRead();
}

bool MeshBuilder::SaveEx(const std::string& filename, int32_t cSaveFormat, int32_t cSaveOption) {
  if (VertexCount() == 0) {
    services().MessageBox("保存すべき頂点がありません。", vbExclamation | vbOKOnly,
                          services().AppTitle());
    return false;
  }
  return Succeeded(vantrel::d3dSaveMB(lp, filename.c_str(), cSaveFormat, cSaveOption));
}

bool MeshBuilder::Save(const std::string& filename) {
  constexpr int32_t kBinaryFormat = 0;
  constexpr int32_t kSaveEverything = 15;  // normals, texture coordinates, materials, texture names
  return SaveEx(filename, kBinaryFormat, kSaveEverything);
}

bool MeshBuilder::Size(float x, float Y, float Z) {
  return Succeeded(vantrel::d3dScaleMB(lp, x, Y, Z));
}

bool MeshBuilder::Translate(float x, float Y, float Z) {
  return Succeeded(vantrel::d3dTranslateMB(lp, x, Y, Z));
}

int32_t MeshBuilder::ColorSource() const { return vantrel::d3dGetColorSource(lp); }
void MeshBuilder::ColorSource(int32_t cColorSource) {
  vantrel::d3dSetColorSource(lp, cColorSource);
}
void MeshBuilder::Material(const MaterialPtr& mt) { vantrel::d3dSetMaterialMB(lp, HandleOf(mt)); }
void MeshBuilder::Texture(const TexturePtr& tx) { vantrel::d3dSetTextureMB(lp, HandleOf(tx)); }

bool MeshBuilder::SetTextureCoordinates(int32_t iVertex, float x, float Y) {
  return Succeeded(vantrel::d3dSetTextureCoordMB(lp, iVertex, x, Y));
}

bool MeshBuilder::GetTextureCoordinates(int32_t iVertex, float* lpCoordinates) {
  return Succeeded(vantrel::d3dGetTextureCoordMB(lp, iVertex, lpCoordinates));
}

void MeshBuilder::TextureTopology(int32_t cTopology) {
  vantrel::d3dSetTextureTopoMB(lp, cTopology);
}
void MeshBuilder::Color(int32_t d3dColor) { vantrel::d3dSetColorMB(lp, d3dColor); }
int32_t MeshBuilder::Quality() const { return vantrel::d3dGetQuality(lp); }
void MeshBuilder::Quality(int32_t cQuality) { vantrel::d3dSetQuality(lp, cQuality); }
bool MeshBuilder::Perspective() const { return Succeeded(vantrel::d3dGetPerspective(lp)); }
void MeshBuilder::Perspective(bool bPerspective) {
  vantrel::d3dSetPerspective(lp, BoolArg(bPerspective));
}

MeshPtr MeshBuilder::CreateMesh() { return Wrapped<Mesh>(vantrel::d3dCreateMeshMB(lp)); }

int32_t MeshBuilder::AddObject(const SceneObjectPtr& obj) {
  // Tested in the order Mesh, MeshBuilder, Face, Frame; anything else ends the program at once.
  if (obj) {
    switch (obj->Kind()) {
      case ObjectKind::Mesh:
        return vantrel::d3dAddMesh(lp, obj->lp);
      case ObjectKind::MeshBuilder:
        return vantrel::d3dAddMeshBuilder(lp, obj->lp);
      case ObjectKind::Face:
        return vantrel::d3dAddFace(lp, obj->lp);
      case ObjectKind::Frame:
        return vantrel::d3dAddFrame(lp, obj->lp);
      default:
        break;
    }
  }
  detail::EndProgramAtOnce();
}

MeshBuilderPtr MeshBuilder::Clone() const { return Wrapped<MeshBuilder>(vantrel::d3dCloneMB(lp)); }
int32_t MeshBuilder::VertexColor(int32_t iVertex) const {
  return vantrel::d3dGetVertexColor(lp, iVertex);
}
void MeshBuilder::VertexColor(int32_t iVertex, int32_t d3dColor) {
  vantrel::d3dSetVertexColor(lp, iVertex, d3dColor);
}

}  // namespace kubisto
