#include "scene/direct3drm.h"

#include <cstddef>

#include "scene/face.h"
#include "scene/frame.h"
#include "scene/light.h"
#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/mesh_builder.h"
#include "scene/pick.h"
#include "scene/services.h"
#include "scene/shadow.h"
#include "scene/texture.h"
#include "scene/vantrel_declare.h"
#include "scene/wrap.h"
#include "scene/wrapping.h"

namespace kubisto {

// The bridge reads and writes the first eight fields through its own record type.
static_assert(offsetof(Direct3DRMRecord, hwnd) == offsetof(DeviceRecord, hwnd));
static_assert(offsetof(Direct3DRMRecord, scene) == offsetof(DeviceRecord, scene));
static_assert(offsetof(Direct3DRMRecord, colorModel) == offsetof(DeviceRecord, colorModel));
static_assert(offsetof(Direct3DRMRecord, debugValue) == sizeof(DeviceRecord));

using detail::BoolArg;
using detail::Succeeded;
using detail::Wrapped;

namespace {

DeviceRecord* AsDeviceRecord(Direct3DRMRecord& record) {
  return reinterpret_cast<DeviceRecord*>(&record);
}

}  // namespace

Direct3DRM::~Direct3DRM() {
  // Quit whenever the record still holds an engine, not only while Initialized says so: the
  // subclassed window keeps the record's address, so leaving it set up would leave the window
  // pointing into a dead object.
  if (!Initialized && record_.engine == 0) return;
  try {
    vantrel::d3dQuit(AsDeviceRecord(record_));
  } catch (...) {
    // Nothing can be reported from an object's end.
  }
}

MeshBuilderPtr Direct3DRM::CreateMeshBuilder() {
  return Wrapped<MeshBuilder>(vantrel::d3dCreateMeshBuilder(AsDeviceRecord(record_)));
}

MeshPtr Direct3DRM::CreateMesh() {
  return Wrapped<Mesh>(vantrel::d3dCreateMesh(AsDeviceRecord(record_)));
}

LightPtr Direct3DRM::CreateLightRGB(int32_t cLightType, float r, float g, float b) {
  return Wrapped<Light>(vantrel::d3dCreateLightRGB(AsDeviceRecord(record_), cLightType, r, g, b));
}

LightPtr Direct3DRM::CreateLight(int32_t cLightType, int32_t d3dColor) {
  return Wrapped<Light>(vantrel::d3dCreateLight(AsDeviceRecord(record_), cLightType, d3dColor));
}

int32_t Direct3DRM::DebugValue() const { return static_cast<int32_t>(record_.debugValue); }

FacePtr Direct3DRM::CreateFace() {
  return Wrapped<Face>(vantrel::d3dCreateFace(AsDeviceRecord(record_)));
}

FramePtr Direct3DRM::CreateFrame(const SceneObjectPtr& Parent) {
  return Wrapped<Frame>(vantrel::d3dCreateFrame(AsDeviceRecord(record_), OptionalHandleOf(Parent)));
}

WrapPtr Direct3DRM::CreateWrap(int32_t cWrapType, float ox, float oy, float oz, float Dx, float Dy,
                               float Dz, float Ux, float Uy, float Uz, float ou, float ov, float su,
                               float sv, const SceneObjectPtr& FrameRef) {
  return Wrapped<Wrap>(vantrel::d3dCreateWrap(AsDeviceRecord(record_), cWrapType,
                                              OptionalHandleOf(FrameRef), ox, oy, oz, Dx, Dy, Dz,
                                              Ux, Uy, Uz, ou, ov, su, sv));
}

ShadowPtr Direct3DRM::CreateShadow(const SceneObjectPtr& Visual, const LightPtr& Light, float Px,
                                   float Py, float Pz, float nx, float ny, float nz) {
  const ObjectHandle visual = HandleOf(Visual);
  const ObjectHandle light = HandleOf(Light);
  return Wrapped<Shadow>(
      vantrel::d3dCreateShadow(AsDeviceRecord(record_), visual, light, Px, Py, Pz, nx, ny, nz));
}

TexturePtr Direct3DRM::LoadTexture(const std::string& filename) {
  TexturePtr tx =
      Wrapped<Texture>(vantrel::d3dLoadTexture(AsDeviceRecord(record_), filename.c_str()));
  if (tx->lp == 0) {
    services().MessageBox("ファイルが読めません。", vbExclamation | vbOKOnly,
                          "Direct3DRM.LoadTexture");
  }
  return tx;
}

MaterialPtr Direct3DRM::CreateMaterial(float vPower) {
  return Wrapped<Material>(vantrel::d3dCreateMaterial(AsDeviceRecord(record_), vPower));
}

bool Direct3DRM::Init(uint32_t hWndView, int32_t ColorMode) {
  if (Initialized) {
    Quit();
    services().DoEvents();
  }
  Initialized = Succeeded(vantrel::d3dInit(hWndView, AsDeviceRecord(record_), ColorMode));
  return Initialized;
}

PicturePtr Direct3DRM::Image() {
  // The export replaces the variable's picture by the snapshot; without a device it stays empty.
  platform::Picture* picture = nullptr;
  vantrel::d3dCreateBitmap(AsDeviceRecord(record_), &picture);
  return PicturePtr(picture);
}

void Direct3DRM::Render() { vantrel::d3dRender(AsDeviceRecord(record_)); }

void Direct3DRM::Clear() { vantrel::d3dClear(AsDeviceRecord(record_)); }

bool Direct3DRM::Tick(float vDelta) {
  return Succeeded(vantrel::d3dTick(AsDeviceRecord(record_), vDelta));
}

FramePtr Direct3DRM::Scene() {
  // The record keeps its own reference; the wrapper gets one of its own. Taken before wrapping, so
  // that a failing call cannot make the wrapper give back a reference it never had.
  const ObjectHandle scene = record_.scene;
  vantrel::d3dAddRef(scene);
  return Wrapped<Frame>(scene);
}

bool Direct3DRM::Quit() {
  const int32_t result = vantrel::d3dQuit(AsDeviceRecord(record_));
  Initialized = false;
  return Succeeded(result);
}

float Direct3DRM::Back() const { return vantrel::d3dGetBack(AsDeviceRecord(record_)); }
void Direct3DRM::Back(float Z) { vantrel::d3dSetBack(AsDeviceRecord(record_), Z); }
float Direct3DRM::Front() const { return vantrel::d3dGetFront(AsDeviceRecord(record_)); }
void Direct3DRM::Front(float Z) { vantrel::d3dSetFront(AsDeviceRecord(record_), Z); }
float Direct3DRM::Field() const { return vantrel::d3dGetField(AsDeviceRecord(record_)); }
void Direct3DRM::Field(float vHeight) { vantrel::d3dSetField(AsDeviceRecord(record_), vHeight); }
int32_t Direct3DRM::ViewportWidth() const {
  return vantrel::d3dGetViewportWidth(AsDeviceRecord(record_));
}
int32_t Direct3DRM::ViewportHeight() const {
  return vantrel::d3dGetViewportHeight(AsDeviceRecord(record_));
}
int32_t Direct3DRM::ViewportX() const { return vantrel::d3dGetViewportX(AsDeviceRecord(record_)); }
int32_t Direct3DRM::ViewportY() const { return vantrel::d3dGetViewportY(AsDeviceRecord(record_)); }
int32_t Direct3DRM::DeviceWidth() const {
  return vantrel::d3dGetDeviceWidth(AsDeviceRecord(record_));
}
int32_t Direct3DRM::DeviceHeight() const {
  return vantrel::d3dGetDeviceHeight(AsDeviceRecord(record_));
}
int32_t Direct3DRM::BackColor() const { return vantrel::d3dGetBackColor(AsDeviceRecord(record_)); }
void Direct3DRM::BackColor(int32_t d3dColor) {
  vantrel::d3dSetBackColor(AsDeviceRecord(record_), d3dColor);
}
int32_t Direct3DRM::FogColor() const { return vantrel::d3dGetFogColor(AsDeviceRecord(record_)); }
void Direct3DRM::FogColor(int32_t d3dColor) {
  vantrel::d3dSetFogColor(AsDeviceRecord(record_), d3dColor);
}
void Direct3DRM::BackImage(const TexturePtr& tx) {
  vantrel::d3dSetImage(AsDeviceRecord(record_), HandleOf(tx));
}
bool Direct3DRM::FogEnable() const {
  return Succeeded(vantrel::d3dGetFogEnable(AsDeviceRecord(record_)));
}
void Direct3DRM::FogEnable(bool fEnable) {
  vantrel::d3dSetFogEnable(AsDeviceRecord(record_), BoolArg(fEnable));
}
int32_t Direct3DRM::FogMode() const { return vantrel::d3dGetFogMode(AsDeviceRecord(record_)); }
void Direct3DRM::FogMode(int32_t Mode) { vantrel::d3dSetFogMode(AsDeviceRecord(record_), Mode); }

int32_t Direct3DRM::SetFogParams(float FogStart, float FogEnd, float FogDensity) {
  return vantrel::d3dSetFogParams(AsDeviceRecord(record_), FogStart, FogEnd, FogDensity);
}

int32_t Direct3DRM::GetFogParams(float* lpParams) {
  return vantrel::d3dGetFogParams(AsDeviceRecord(record_), lpParams);
}

int32_t Direct3DRM::Quality() const {
  return vantrel::d3dGetDeviceQuality(AsDeviceRecord(record_));
}
void Direct3DRM::Quality(int32_t cQuality) {
  vantrel::d3dSetDeviceQuality(AsDeviceRecord(record_), cQuality);
}
int32_t Direct3DRM::TextureQuality() const {
  return vantrel::d3dGetTextureQuality(AsDeviceRecord(record_));
}
void Direct3DRM::TextureQuality(int32_t cTextureQuality) {
  vantrel::d3dSetTextureQuality(AsDeviceRecord(record_), cTextureQuality);
}
FramePtr Direct3DRM::Camera() const {
  return Wrapped<Frame>(vantrel::d3dGetCamera(AsDeviceRecord(record_)));
}
void Direct3DRM::Camera(const FramePtr& fm) {
  vantrel::d3dSetCamera(AsDeviceRecord(record_), HandleOf(fm));
}
bool Direct3DRM::Dither() const {
  return Succeeded(vantrel::d3dGetDither(AsDeviceRecord(record_)));
}
void Direct3DRM::Dither(bool bEnable) {
  vantrel::d3dSetDither(AsDeviceRecord(record_), BoolArg(bEnable));
}
int32_t Direct3DRM::ColorModel() const {
  return vantrel::d3dGetColorModel(AsDeviceRecord(record_));
}

bool Direct3DRM::SetPlane(float xmin, float xmax, float ymin, float ymax) {
  return Succeeded(vantrel::d3dSetPlane(AsDeviceRecord(record_), xmin, xmax, ymin, ymax));
}

bool Direct3DRM::GetPlane(float* lpBoundary) {
  return Succeeded(vantrel::d3dGetPlane(AsDeviceRecord(record_), lpBoundary));
}

PickPtr Direct3DRM::Pick(int32_t x, int32_t Y) {
  return Wrapped<kubisto::Pick>(vantrel::d3dPick(AsDeviceRecord(record_), x, Y));
}

int32_t Direct3DRM::Projection() const {
  return vantrel::d3dGetProjection(AsDeviceRecord(record_));
}
void Direct3DRM::Projection(int32_t cProjection) {
  vantrel::d3dSetProjection(AsDeviceRecord(record_), cProjection);
}

int32_t Direct3DRM::Configure(int32_t Xorg, int32_t Yorg, int32_t nWidth, int32_t nHeight) {
  return vantrel::d3dConfigure(AsDeviceRecord(record_), Xorg, Yorg, nWidth, nHeight);
}

bool Direct3DRM::UniformScaling() const {
  return Succeeded(vantrel::d3dGetUniformScaling(AsDeviceRecord(record_)));
}
void Direct3DRM::UniformScaling(bool bUniform) {
  vantrel::d3dSetUniformScaling(AsDeviceRecord(record_), BoolArg(bUniform));
}

SceneObjectPtr Direct3DRM::GetNamedObject(const std::string& ObjectName) {
  return ObjectFromHandle(vantrel::d3dGetNamedObject(AsDeviceRecord(record_), ObjectName.c_str()));
}

}  // namespace kubisto
