#include "scene/frame.h"

#include "scene/light.h"
#include "scene/texture.h"
#include "scene/vantrel_declare.h"
#include "scene/wrapping.h"

namespace kubisto {

using detail::BoolArg;
using detail::Succeeded;
using detail::Wrapped;

namespace {

enum class Attachment { Visual, Light };

// How a frame holds obj, tested in the order Frame, Mesh, MeshBuilder, Shadow, Texture, then
// Light. Any other kind, or no object at all, ends the program at once.
Attachment AttachmentOf(const SceneObjectPtr& obj) {
  if (obj) {
    switch (obj->Kind()) {
      case ObjectKind::Frame:
      case ObjectKind::Mesh:
      case ObjectKind::MeshBuilder:
      case ObjectKind::Shadow:
      case ObjectKind::Texture:
        return Attachment::Visual;
      case ObjectKind::Light:
        return Attachment::Light;
      default:
        break;
    }
  }
  detail::EndProgramAtOnce();
}

}  // namespace

bool Frame::AddObject(const SceneObjectPtr& obj) {
  if (AttachmentOf(obj) == Attachment::Visual) return Succeeded(vantrel::d3dAddVisual(lp, obj->lp));
  return Succeeded(vantrel::d3dAddLight(lp, obj->lp));
}

bool Frame::DeleteObject(const SceneObjectPtr& obj) {
  if (AttachmentOf(obj) == Attachment::Visual) {
    return Succeeded(vantrel::d3dDeleteVisual(lp, obj->lp));
  }
  return Succeeded(vantrel::d3dDeleteLight(lp, obj->lp));
}

bool Frame::AddChild(const FramePtr& Child) {
  return Succeeded(vantrel::d3dAddChild(lp, HandleOf(Child)));
}

bool Frame::DeleteChild(const FramePtr& Child) {
  return Succeeded(vantrel::d3dDeleteChild(lp, HandleOf(Child)));
}

bool Frame::Move(float vDelta) { return Succeeded(vantrel::d3dMove(lp, vDelta)); }

int32_t Frame::MaterialMode() const { return vantrel::d3dGetMaterialMode(lp); }
void Frame::MaterialMode(int32_t cMaterialMode) { vantrel::d3dSetMaterialMode(lp, cMaterialMode); }
int32_t Frame::SortMode() const { return vantrel::d3dGetSortMode(lp); }
void Frame::SortMode(int32_t cSortMode) { vantrel::d3dSetSortMode(lp, cSortMode); }

bool Frame::SetOrientation(float Dx, float Dy, float Dz, float Ux, float Uy, float Uz,
                           const SceneObjectPtr& FrameRef) {
  return Succeeded(
      vantrel::d3dSetOrientation(lp, OptionalHandleOf(FrameRef), Dx, Dy, Dz, Ux, Uy, Uz));
}

bool Frame::GetOrientation(float* lpZ, float* lpY, const SceneObjectPtr& FrameRef) {
  return Succeeded(vantrel::d3dGetOrientation(lp, OptionalHandleOf(FrameRef), lpZ, lpY));
}

bool Frame::SetPosition(float x, float Y, float Z, const SceneObjectPtr& FrameRef) {
  return Succeeded(vantrel::d3dSetPosition(lp, OptionalHandleOf(FrameRef), x, Y, Z));
}

bool Frame::GetPosition(float* lpPosition, const SceneObjectPtr& FrameRef) {
  return Succeeded(vantrel::d3dGetPosition(lp, OptionalHandleOf(FrameRef), lpPosition));
}

bool Frame::SetRotation(float x, float Y, float Z, float vTheta, const SceneObjectPtr& FrameRef) {
  return Succeeded(vantrel::d3dSetRotation(lp, OptionalHandleOf(FrameRef), x, Y, Z, vTheta));
}

bool Frame::GetRotation(float* lpAxis, float& vTheta, const SceneObjectPtr& FrameRef) {
  return Succeeded(vantrel::d3dGetRotation(lp, OptionalHandleOf(FrameRef), lpAxis, &vTheta));
}

bool Frame::SetVelocity(float x, float Y, float Z, bool bRotation, const SceneObjectPtr& FrameRef) {
  return Succeeded(
      vantrel::d3dSetVelocity(lp, OptionalHandleOf(FrameRef), x, Y, Z, BoolArg(bRotation)));
}

bool Frame::GetVelocity(float* lpVelocity, bool bRotation, const SceneObjectPtr& FrameRef) {
  return Succeeded(
      vantrel::d3dGetVelocity(lp, OptionalHandleOf(FrameRef), lpVelocity, BoolArg(bRotation)));
}

int32_t Frame::Color() const { return vantrel::d3dGetColorFM(lp); }
void Frame::Color(int32_t d3dColor) { vantrel::d3dSetColorFM(lp, d3dColor); }
FramePtr Frame::Parent() const { return Wrapped<Frame>(vantrel::d3dGetParent(lp)); }
FramePtr Frame::Scene() const { return Wrapped<Frame>(vantrel::d3dGetScene(lp)); }
FramePtr Frame::Child(int32_t Index) const {
  return Wrapped<Frame>(vantrel::d3dGetChild(lp, Index));
}
int32_t Frame::ChildCount() const { return vantrel::d3dGetChildCount(lp); }

bool Frame::AddRotation(int32_t cCombine, float x, float Y, float Z, float vTheta) {
  return Succeeded(vantrel::d3dAddRotation(lp, cCombine, x, Y, Z, vTheta));
}

bool Frame::AddScale(int32_t cCombine, float x, float Y, float Z) {
  return Succeeded(vantrel::d3dAddScale(lp, cCombine, x, Y, Z));
}

bool Frame::AddTranslation(int32_t cCombine, float x, float Y, float Z) {
  return Succeeded(vantrel::d3dAddTranslation(lp, cCombine, x, Y, Z));
}

FramePtr Frame::Clone() const { return Wrapped<Frame>(vantrel::d3dCloneFM(lp)); }
int32_t Frame::LightCount() const { return vantrel::d3dGetLightCount(lp); }

LightPtr Frame::Light(int32_t iLight) const {
  return Wrapped<kubisto::Light>(vantrel::d3dGetLight(lp, iLight));
}

int32_t Frame::VisualCount() const { return vantrel::d3dGetVisualCount(lp); }

SceneObjectPtr Frame::Visual(int32_t iVisual) const {
  return ObjectFromHandle(vantrel::d3dGetVisual(lp, iVisual));
}

bool Frame::AddTransform(int32_t cCombine, const float* lpMatrix) {
  return Succeeded(vantrel::d3dAddTransform(lp, cCombine, lpMatrix));
}

bool Frame::GetTransform(float* lpMatrix) {
  return Succeeded(vantrel::d3dGetTransform(lp, lpMatrix));
}
bool Frame::FrameToScene(float* lpVector) {
  return Succeeded(vantrel::d3dFrameToScene(lp, lpVector));
}
bool Frame::SceneToFrame(float* lpVector) {
  return Succeeded(vantrel::d3dSceneToFrame(lp, lpVector));
}

bool Frame::LookAt(const FramePtr& Target, int32_t cConstraint) {
  return Succeeded(vantrel::d3dLookAt(lp, HandleOf(Target), 0, cConstraint));
}

TexturePtr Frame::Texture() const {
  return Wrapped<kubisto::Texture>(vantrel::d3dGetTextureFM(lp));
}

void Frame::Texture(const TexturePtr& tx) { vantrel::d3dSetTextureFM(lp, HandleOf(tx)); }
int32_t Frame::TextureTopology() const { return vantrel::d3dGetTextureTopoFM(lp); }
void Frame::TextureTopology(int32_t cTopology) { vantrel::d3dSetTextureTopoFM(lp, cTopology); }

}  // namespace kubisto
