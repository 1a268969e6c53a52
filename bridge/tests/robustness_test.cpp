// Every export called with what a faulty caller might pass: handle 0, the handle of an object that
// is gone, forged values, records that hold nothing or garbage, and null addresses. Each call must
// give its failure result, write nothing and leave the live objects as they were.
#include <cstring>
#include <fstream>
#include <functional>
#include <set>

#include "bridge_fixture.h"

namespace {

// Live objects of every kind, and caller memory that failing calls must leave alone.
struct Objects {
  DeviceRecord rec{};
  uint32_t frame = 0, target = 0, child = 0, mb = 0, mb2 = 0, face = 0, mesh = 0, light = 0,
           mat = 0, tex = 0, wrap = 0, anim = 0, set = 0, picked = 0;
  VantrelPicture* picture = nullptr;
  alignas(16) unsigned char scratch[256];

  void FillScratch() { std::memset(scratch, 0xA5, sizeof scratch); }
  bool ScratchUntouched() const {
    for (unsigned char c : scratch)
      if (c != 0xA5) return false;
    return true;
  }
};

struct BadHandleCall {
  const char* name;
  std::function<double(uint32_t h, DeviceRecord* r)> call;
  double failure;
};

struct NullAddressCall {
  const char* name;
  std::function<double()> call;
  double failure;
};

class Robustness : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    Init(64, 48);
    o.frame = VT(d3dCreateFrame)(&rec, 0);
    o.target = VT(d3dCreateFrame)(&rec, 0);
    o.child = VT(d3dCreateFrame)(&rec, o.frame);
    o.mb = VT(d3dCreateMeshBuilder)(&rec);
    o.mb2 = VT(d3dCreateMeshBuilder)(&rec);
    o.face = VT(d3dCreateFaceMB)(o.mb);
    VT(d3dAddVertexFC)(o.face, 0, 0, 0);
    VT(d3dAddVertexFC)(o.face, 0, 1, 0);
    VT(d3dAddVertexFC)(o.face, 1, 1, 0);
    VT(d3dAddNormalMB)(o.mb, 0, 0, -1);
    VT(d3dSetName)(o.frame, "keep");
    o.mesh = VT(d3dCreateMesh)(&rec);
    const int32_t tri[] = {0, 1, 2};
    VT(d3dAddGroup)(o.mesh, 3, 1, 3, tri);
    o.light = VT(d3dCreateLightRGB)(&rec, 1, 1, 1, 1);
    o.mat = VT(d3dCreateMaterial)(&rec, 1);
    std::string file = WriteSmallBmp();
    o.tex = VT(d3dLoadTexture)(&rec, file.c_str());
    o.wrap = VT(d3dCreateWrap)(&rec, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1);
    o.anim = VT(d3dCreateAnimation)(&rec);
    o.set = VT(d3dCreateAnimationSet)(&rec);
    o.picked = VT(d3dPick)(&rec, 1, 1);
    o.rec = rec;
    for (uint32_t h : {o.frame, o.target, o.child, o.mb, o.mb2, o.face, o.mesh, o.light, o.mat,
                       o.tex, o.wrap, o.anim, o.set, o.picked})
      ASSERT_NE(h, 0u);
  }

  void TearDown() override {
    for (uint32_t h : {o.frame, o.target, o.child, o.mb, o.mb2, o.face, o.mesh, o.light, o.mat,
                       o.tex, o.wrap, o.anim, o.set, o.picked})
      VT(d3dRelease)(h);
    BridgeTest::TearDown();
  }

  // Handles that name nothing: 0, objects that are gone, and forged values, some of them one
  // generation away from a live handle.
  std::vector<uint32_t> BadHandles() {
    uint32_t deadFrame = DeadFrame();
    uint32_t deadBuilder = VT(d3dCreateMeshBuilder)(&rec);
    VT(d3dRelease)(deadBuilder);
    uint32_t deadPicked = VT(d3dPick)(&rec, 1, 1);
    VT(d3dRelease)(deadPicked);
    return {0u,
            deadFrame,
            deadBuilder,
            deadPicked,
            o.mb ^ 0x00100000u,
            o.frame ^ 0x80000000u,
            o.mesh & 0x000FFFFFu,
            0x000FFFFFu,
            0xFFFFFFFFu,
            0x7FFFFFFFu};
  }

  // clang-format off
  std::vector<BadHandleCall> BadHandleCalls() {
    return {
    {"d3dInit", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; return static_cast<double>(VT(d3dInit)(0, r, 0)); }, 0},
    {"d3dQuit", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dQuit)(r)); }, 1},
    {"d3dConfigure", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dConfigure)(r, 0, 0, 0, 0)); }, 0},
    {"d3dRender", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; VT(d3dRender)(r); return 0; }, 0},
    {"d3dClear", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; VT(d3dClear)(r); return 0; }, 0},
    {"d3dTick", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dTick)(r, 1.0f)); }, 0},
    {"d3dSetCamera", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetCamera)(r, h)); }, 0},
    {"d3dGetCamera", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetCamera)(r)); }, 0},
    {"d3dSetFront", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetFront)(r, 1.0f)); }, 0},
    {"d3dSetBack", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetBack)(r, 1.0f)); }, 0},
    {"d3dSetField", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetField)(r, 1.0f)); }, 0},
    {"d3dGetFront", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetFront)(r)); }, 0},
    {"d3dGetBack", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetBack)(r)); }, 0},
    {"d3dGetField", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetField)(r)); }, 0},
    {"d3dSetPlane", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetPlane)(r, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetPlane", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetPlane)(r, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetProjection", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetProjection)(r, 0)); }, 0},
    {"d3dGetProjection", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetProjection)(r)); }, 0},
    {"d3dSetUniformScaling", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetUniformScaling)(r, 0)); }, 0},
    {"d3dGetUniformScaling", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetUniformScaling)(r)); }, 0},
    {"d3dGetViewportX", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetViewportX)(r)); }, 0},
    {"d3dGetViewportY", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetViewportY)(r)); }, 0},
    {"d3dGetViewportWidth", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetViewportWidth)(r)); }, 0},
    {"d3dGetViewportHeight", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetViewportHeight)(r)); }, 0},
    {"d3dGetDeviceWidth", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDeviceWidth)(r)); }, 0},
    {"d3dGetDeviceHeight", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDeviceHeight)(r)); }, 0},
    {"d3dSetDeviceQuality", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetDeviceQuality)(r, 0)); }, 0},
    {"d3dGetDeviceQuality", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDeviceQuality)(r)); }, 0},
    {"d3dSetDither", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetDither)(r, 0)); }, 0},
    {"d3dGetDither", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDither)(r)); }, 0},
    {"d3dSetTextureQuality", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureQuality)(r, 0)); }, 0},
    {"d3dGetTextureQuality", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureQuality)(r)); }, 0},
    {"d3dGetColorModel", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetColorModel)(r)); }, 0},
    {"d3dAddRef", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddRef)(h)); }, 0},
    {"d3dRelease", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dRelease)(h)); }, 0},
    {"d3dCreateFrame", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateFrame)(r, h)); }, 0},
    {"d3dCreateMesh", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateMesh)(r)); }, 0},
    {"d3dCreateMeshBuilder", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateMeshBuilder)(r)); }, 0},
    {"d3dCreateFace", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateFace)(r)); }, 0},
    {"d3dCreateLight", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateLight)(r, 0, 0)); }, 0},
    {"d3dCreateLightRGB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateLightRGB)(r, 0, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dCreateMaterial", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateMaterial)(r, 1.0f)); }, 0},
    {"d3dCreateShadow", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateShadow)(r, h, h, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dCreateWrap", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateWrap)(r, 0, h, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dCreateAnimation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateAnimation)(r)); }, 0},
    {"d3dCreateAnimationSet", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateAnimationSet)(r)); }, 0},
    {"d3dLoadTexture", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dLoadTexture)(r, "x")); }, 0},
    {"d3dCreateFaceMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateFaceMB)(h)); }, 0},
    {"d3dCreateMeshMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateMeshMB)(h)); }, 0},
    {"d3dCloneFM", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCloneFM)(h)); }, 0},
    {"d3dCloneFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCloneFC)(h)); }, 0},
    {"d3dCloneLT", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCloneLT)(h)); }, 0},
    {"d3dCloneMS", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCloneMS)(h)); }, 0},
    {"d3dCloneMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCloneMB)(h)); }, 0},
    {"d3dCloneTX", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCloneTX)(h)); }, 0},
    {"d3dCloneMT", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCloneMT)(h)); }, 0},
    {"d3dAddChild", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddChild)(h, h)); }, 0},
    {"d3dDeleteChild", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dDeleteChild)(h, h)); }, 0},
    {"d3dGetParent", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetParent)(h)); }, 0},
    {"d3dGetScene", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetScene)(h)); }, 0},
    {"d3dGetChildCount", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetChildCount)(h)); }, 0},
    {"d3dGetChild", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetChild)(h, 0)); }, 0},
    {"d3dAddVisual", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddVisual)(h, h)); }, 0},
    {"d3dDeleteVisual", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dDeleteVisual)(h, h)); }, 0},
    {"d3dAddLight", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddLight)(h, h)); }, 0},
    {"d3dDeleteLight", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dDeleteLight)(h, h)); }, 0},
    {"d3dGetVisualCount", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVisualCount)(h)); }, 0},
    {"d3dGetVisual", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVisual)(h, 0)); }, 0},
    {"d3dGetLightCount", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetLightCount)(h)); }, 0},
    {"d3dGetLight", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetLight)(h, 0)); }, 0},
    {"d3dSetPosition", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetPosition)(h, h, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetPosition", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetPosition)(h, h, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetRotation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetRotation)(h, h, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetRotation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetRotation)(h, h, reinterpret_cast<float*>(o.scratch), reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetOrientation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetOrientation)(h, h, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetOrientation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetOrientation)(h, h, reinterpret_cast<float*>(o.scratch), reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetVelocity", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetVelocity)(h, h, 1.0f, 1.0f, 1.0f, 0)); }, 0},
    {"d3dGetVelocity", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVelocity)(h, h, reinterpret_cast<float*>(o.scratch), 0)); }, 0},
    {"d3dAddRotation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddRotation)(h, 0, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dAddScale", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddScale)(h, 0, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dAddTranslation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddTranslation)(h, 0, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dAddTransform", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddTransform)(h, 0, reinterpret_cast<const float*>(o.scratch))); }, 0},
    {"d3dGetTransform", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTransform)(h, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dLookAt", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dLookAt)(h, h, h, 0)); }, 0},
    {"d3dMove", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dMove)(h, 1.0f)); }, 0},
    {"d3dSetColorFM", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetColorFM)(h, 0)); }, 0},
    {"d3dGetColorFM", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetColorFM)(h)); }, 0},
    {"d3dSetTextureFM", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureFM)(h, h)); }, 0},
    {"d3dGetTextureFM", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureFM)(h)); }, 0},
    {"d3dSetTextureTopoFM", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureTopoFM)(h, 0)); }, 0},
    {"d3dGetTextureTopoFM", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureTopoFM)(h)); }, 0},
    {"d3dSetMaterialMode", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetMaterialMode)(h, 0)); }, 0},
    {"d3dGetMaterialMode", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetMaterialMode)(h)); }, 0},
    {"d3dSetSortMode", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetSortMode)(h, 0)); }, 0},
    {"d3dGetSortMode", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetSortMode)(h)); }, 0},
    {"d3dSetBackColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetBackColor)(r, 0)); }, 0},
    {"d3dGetBackColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetBackColor)(r)); }, 0},
    {"d3dSetBackColorRGB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetBackColorRGB)(r, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dSetFogEnable", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetFogEnable)(r, 0)); }, 0},
    {"d3dGetFogEnable", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetFogEnable)(r)); }, 0},
    {"d3dSetFogColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetFogColor)(r, 0)); }, 0},
    {"d3dGetFogColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetFogColor)(r)); }, 0},
    {"d3dSetFogColorRGB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetFogColorRGB)(r, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dSetFogMode", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetFogMode)(r, 0)); }, 0},
    {"d3dGetFogMode", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetFogMode)(r)); }, 0},
    {"d3dSetFogParams", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetFogParams)(r, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetFogParams", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetFogParams)(r, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dAddVertexMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddVertexMB)(h, 1.0f, 1.0f, 1.0f)); }, -1},
    {"d3dAddNormalMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddNormalMB)(h, 1.0f, 1.0f, 1.0f)); }, -1},
    {"d3dSetVertexMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetVertexMB)(h, 0, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dSetNormalMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetNormalMB)(h, 0, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetVertexMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVertexMB)(h, 0, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dGetNormalMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetNormalMB)(h, 0, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dGetVertexCountMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVertexCountMB)(h)); }, 0},
    {"d3dGetNormalCountMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetNormalCountMB)(h)); }, 0},
    {"d3dGetFaceCount", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetFaceCount)(h)); }, 0},
    {"d3dGetFace", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetFace)(h, 0)); }, 0},
    {"d3dAddFace", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddFace)(h, h)); }, 0},
    {"d3dAddFrame", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddFrame)(h, h)); }, 0},
    {"d3dAddMesh", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddMesh)(h, h)); }, 0},
    {"d3dAddMeshBuilder", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddMeshBuilder)(h, h)); }, 0},
    {"d3dGenerateNormals", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGenerateNormals)(h)); }, 0},
    {"d3dScaleMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dScaleMB)(h, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dTranslateMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dTranslateMB)(h, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetBoxMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetBoxMB)(h, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dLoadMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dLoadMB)(h, "x")); }, 0},
    {"d3dLoadMBByName", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dLoadMBByName)(h, "x", "x")); }, 0},
    {"d3dLoadMBByIndex", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dLoadMBByIndex)(h, "x", 0)); }, 0},
    {"d3dSaveMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSaveMB)(h, "x", 0, 0)); }, 0},
    {"d3dSetColorMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetColorMB)(h, 0)); }, 0},
    {"d3dSetColorSource", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetColorSource)(h, 0)); }, 0},
    {"d3dGetColorSource", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetColorSource)(h)); }, 0},
    {"d3dSetMaterialMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetMaterialMB)(h, h)); }, 0},
    {"d3dSetTextureMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureMB)(h, h)); }, 0},
    {"d3dSetTextureCoordMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureCoordMB)(h, 0, 1.0f, 1.0f)); }, 0},
    {"d3dGetTextureCoordMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureCoordMB)(h, 0, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetTextureTopoMB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureTopoMB)(h, 0)); }, 0},
    {"d3dSetQuality", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetQuality)(h, 0)); }, 0},
    {"d3dGetQuality", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetQuality)(h)); }, 0},
    {"d3dSetPerspective", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetPerspective)(h, 0)); }, 0},
    {"d3dGetPerspective", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetPerspective)(h)); }, 0},
    {"d3dSetVertexColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetVertexColor)(h, 0, 0)); }, 0},
    {"d3dSetVertexColorRGB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetVertexColorRGB)(h, 0, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetVertexColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVertexColor)(h, 0)); }, 0},
    {"d3dAddVertexFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddVertexFC)(h, 1.0f, 1.0f, 1.0f)); }, -1},
    {"d3dAddVertexAndNormal", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddVertexAndNormal)(h, 0, 0)); }, 0},
    {"d3dGetVertexCountFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVertexCountFC)(h)); }, 0},
    {"d3dGetVertexFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVertexFC)(h, 0, reinterpret_cast<float*>(o.scratch), reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dGetVertexIndex", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVertexIndex)(h, 0)); }, -1},
    {"d3dGetNormalFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetNormalFC)(h, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetColorFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetColorFC)(h, 0)); }, 0},
    {"d3dGetColorFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetColorFC)(h)); }, 0},
    {"d3dSetMaterialFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetMaterialFC)(h, h)); }, 0},
    {"d3dGetMaterialFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetMaterialFC)(h)); }, 0},
    {"d3dSetTextureFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureFC)(h, h)); }, 0},
    {"d3dGetTextureFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureFC)(h)); }, 0},
    {"d3dSetTextureCoordFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureCoordFC)(h, 0, 1.0f, 1.0f)); }, 0},
    {"d3dGetTextureCoordFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureCoordFC)(h, 0, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetTextureTopoFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureTopoFC)(h, 0)); }, 0},
    {"d3dGetTextureTopoFC", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureTopoFC)(h)); }, 0},
    {"d3dAddGroup", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddGroup)(h, 0, 0, 0, reinterpret_cast<const int32_t*>(o.scratch))); }, -1},
    {"d3dGetGroupCount", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupCount)(h)); }, 0},
    {"d3dSetVertices", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetVertices)(h, 0, 0, 0, reinterpret_cast<const MeshVertex*>(o.scratch))); }, 0},
    {"d3dGetVertices", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetVertices)(h, 0, 0, 0, reinterpret_cast<MeshVertex*>(o.scratch))); }, 0},
    {"d3dGetGroupVertexCount", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupVertexCount)(h, 0)); }, 0},
    {"d3dGetGroupFaceCount", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupFaceCount)(h, 0)); }, 0},
    {"d3dGetGroupVertexPerFace", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupVertexPerFace)(h, 0)); }, 0},
    {"d3dGetGroupData", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupData)(h, 0, 40, reinterpret_cast<int32_t*>(o.scratch))); }, 0},
    {"d3dSetGroupColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetGroupColor)(h, 0, 0)); }, 0},
    {"d3dGetGroupColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupColor)(h, 0)); }, 0},
    {"d3dSetGroupColorRGB", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetGroupColorRGB)(h, 0, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dSetGroupMapping", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetGroupMapping)(h, 0, 0)); }, 0},
    {"d3dGetGroupMapping", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupMapping)(h, 0)); }, 0},
    {"d3dSetGroupQuality", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetGroupQuality)(h, 0, 0)); }, 0},
    {"d3dGetGroupQuality", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupQuality)(h, 0)); }, 0},
    {"d3dSetGroupMaterial", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetGroupMaterial)(h, 0, h)); }, 0},
    {"d3dGetGroupMaterial", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupMaterial)(h, 0)); }, 0},
    {"d3dSetGroupTexture", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetGroupTexture)(h, 0, h)); }, 0},
    {"d3dGetGroupTexture", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetGroupTexture)(h, 0)); }, 0},
    {"d3dScaleMS", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dScaleMS)(h, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dTranslateMS", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dTranslateMS)(h, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dGetBoxMS", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetBoxMS)(h, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetType", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetType)(h, 0)); }, 0},
    {"d3dGetType", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetType)(h)); }, 0},
    {"d3dSetColorLT", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetColorLT)(h, 0)); }, 0},
    {"d3dGetColorLT", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetColorLT)(h)); }, 0},
    {"d3dSetRange", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetRange)(h, 1.0f)); }, 0},
    {"d3dGetRange", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetRange)(h)); }, 0},
    {"d3dSetUmbra", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetUmbra)(h, 1.0f)); }, 0},
    {"d3dGetUmbra", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetUmbra)(h)); }, 0},
    {"d3dSetPenumbra", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetPenumbra)(h, 1.0f)); }, 0},
    {"d3dGetPenumbra", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetPenumbra)(h)); }, 0},
    {"d3dSetConstantAtt", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetConstantAtt)(h, 1.0f)); }, 0},
    {"d3dGetConstantAtt", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetConstantAtt)(h)); }, 0},
    {"d3dSetLinearAtt", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetLinearAtt)(h, 1.0f)); }, 0},
    {"d3dGetLinearAtt", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetLinearAtt)(h)); }, 0},
    {"d3dSetQuadraticAtt", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetQuadraticAtt)(h, 1.0f)); }, 0},
    {"d3dGetQuadraticAtt", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetQuadraticAtt)(h)); }, 0},
    {"d3dSetEnableFrame", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetEnableFrame)(h, h)); }, 0},
    {"d3dGetEnableFrame", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetEnableFrame)(h)); }, 0},
    {"d3dSetPower", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetPower)(h, 1.0f)); }, 0},
    {"d3dGetPower", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetPower)(h)); }, 0},
    {"d3dSetSpecular", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetSpecular)(h, 0)); }, 0},
    {"d3dGetSpecular", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetSpecular)(h)); }, 0},
    {"d3dSetEmissive", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetEmissive)(h, 0)); }, 0},
    {"d3dGetEmissive", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetEmissive)(h)); }, 0},
    {"d3dSetTextureColors", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureColors)(h, 0)); }, 0},
    {"d3dGetTextureColors", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureColors)(h)); }, 0},
    {"d3dSetTextureShades", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTextureShades)(h, 0)); }, 0},
    {"d3dGetTextureShades", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureShades)(h)); }, 0},
    {"d3dGetTextureWidth", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureWidth)(h)); }, 0},
    {"d3dGetTextureHeight", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetTextureHeight)(h)); }, 0},
    {"d3dSetDecalSize", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetDecalSize)(h, 1.0f, 1.0f)); }, 0},
    {"d3dGetDecalSize", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDecalSize)(h, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSetDecalOrigin", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetDecalOrigin)(h, 0, 0)); }, 0},
    {"d3dGetDecalOrigin", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDecalOrigin)(h, reinterpret_cast<int32_t*>(o.scratch))); }, 0},
    {"d3dSetDecalScale", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetDecalScale)(h, 0)); }, 0},
    {"d3dGetDecalScale", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDecalScale)(h)); }, 0},
    {"d3dSetDecalTransparency", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetDecalTransparency)(h, 0)); }, 0},
    {"d3dGetDecalTransparency", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDecalTransparency)(h)); }, 0},
    {"d3dSetDecalTranspColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetDecalTranspColor)(h, 0)); }, 0},
    {"d3dGetDecalTranspColor", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetDecalTranspColor)(h)); }, 0},
    {"d3dApply", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dApply)(h, h)); }, 0},
    {"d3dApplyRelative", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dApplyRelative)(h, h, h)); }, 0},
    {"d3dSetOptions", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetOptions)(h, 0)); }, 0},
    {"d3dGetOptions", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetOptions)(h)); }, 0},
    {"d3dAddPositionKey", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddPositionKey)(h, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dAddScaleKey", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddScaleKey)(h, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dAddRotateKey", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddRotateKey)(h, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f)); }, 0},
    {"d3dDeleteKey", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dDeleteKey)(h, 1.0f)); }, 0},
    {"d3dSetFrame", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetFrame)(h, h)); }, 0},
    {"d3dSetTimeAM", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTimeAM)(h, 1.0f)); }, 0},
    {"d3dAddAnimation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dAddAnimation)(h, h)); }, 0},
    {"d3dDeleteAnimation", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dDeleteAnimation)(h, h)); }, 0},
    {"d3dSetTimeAS", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetTimeAS)(h, 1.0f)); }, 0},
    {"d3dPick", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dPick)(r, 0, 0)); }, 0},
    {"d3dPickedCount", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dPickedCount)(h)); }, 0},
    {"d3dPickedObject", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dPickedObject)(h, 0)); }, 0},
    {"d3dPickedFrame", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dPickedFrame)(h, 0)); }, 0},
    {"d3dCreateBitmap", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dCreateBitmap)(r, &o.picture)); }, 0},
    {"d3dSetImage", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetImage)(r, h)); }, 0},
    {"d3dSetName", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetName)(h, "x")); }, 0},
    {"d3dGetName", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetName)(h, 40, reinterpret_cast<char*>(o.scratch))); }, 0},
    {"d3dGetClassName", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetClassName)(h, 40, reinterpret_cast<char*>(o.scratch))); }, 0},
    {"d3dSetItemData", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSetItemData)(h, 0)); }, 0},
    {"d3dGetItemData", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetItemData)(h)); }, 0},
    {"d3dGetNamedObject", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dGetNamedObject)(r, "x")); }, 0},
    {"d3dFrameToScene", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dFrameToScene)(h, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dSceneToFrame", [&](uint32_t h, DeviceRecord* r) -> double { (void)h; (void)r; return static_cast<double>(VT(d3dSceneToFrame)(h, reinterpret_cast<float*>(o.scratch))); }, 0},
    };
  }

  std::vector<NullAddressCall> NullAddressCalls() {
    return {
    {"d3dGetPlane", [&]() -> double { return static_cast<double>(VT(d3dGetPlane)(&o.rec, nullptr)); }, 0},
    {"d3dLoadTexture", [&]() -> double { return static_cast<double>(VT(d3dLoadTexture)(&o.rec, nullptr)); }, 0},
    {"d3dGetPosition", [&]() -> double { return static_cast<double>(VT(d3dGetPosition)(o.frame, 0, nullptr)); }, 0},
    {"d3dGetRotation", [&]() -> double { return static_cast<double>(VT(d3dGetRotation)(o.frame, 0, nullptr, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dGetRotation", [&]() -> double { return static_cast<double>(VT(d3dGetRotation)(o.frame, 0, reinterpret_cast<float*>(o.scratch), nullptr)); }, 0},
    {"d3dGetOrientation", [&]() -> double { return static_cast<double>(VT(d3dGetOrientation)(o.frame, 0, nullptr, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dGetOrientation", [&]() -> double { return static_cast<double>(VT(d3dGetOrientation)(o.frame, 0, reinterpret_cast<float*>(o.scratch), nullptr)); }, 0},
    {"d3dGetVelocity", [&]() -> double { return static_cast<double>(VT(d3dGetVelocity)(o.frame, 0, nullptr, 0)); }, 0},
    {"d3dAddTransform", [&]() -> double { return static_cast<double>(VT(d3dAddTransform)(o.frame, 0, nullptr)); }, 0},
    {"d3dGetTransform", [&]() -> double { return static_cast<double>(VT(d3dGetTransform)(o.frame, nullptr)); }, 0},
    {"d3dGetFogParams", [&]() -> double { return static_cast<double>(VT(d3dGetFogParams)(&o.rec, nullptr)); }, 0},
    {"d3dGetVertexMB", [&]() -> double { return static_cast<double>(VT(d3dGetVertexMB)(o.mb, 0, nullptr)); }, 0},
    {"d3dGetNormalMB", [&]() -> double { return static_cast<double>(VT(d3dGetNormalMB)(o.mb, 0, nullptr)); }, 0},
    {"d3dGetBoxMB", [&]() -> double { return static_cast<double>(VT(d3dGetBoxMB)(o.mb, nullptr)); }, 0},
    {"d3dLoadMB", [&]() -> double { return static_cast<double>(VT(d3dLoadMB)(o.mb, nullptr)); }, 0},
    {"d3dLoadMBByName", [&]() -> double { return static_cast<double>(VT(d3dLoadMBByName)(o.mb, nullptr, "x")); }, 0},
    {"d3dLoadMBByName", [&]() -> double { return static_cast<double>(VT(d3dLoadMBByName)(o.mb, "x", nullptr)); }, 0},
    {"d3dLoadMBByIndex", [&]() -> double { return static_cast<double>(VT(d3dLoadMBByIndex)(o.mb, nullptr, 0)); }, 0},
    {"d3dSaveMB", [&]() -> double { return static_cast<double>(VT(d3dSaveMB)(o.mb, nullptr, 0, 0)); }, 0},
    {"d3dGetTextureCoordMB", [&]() -> double { return static_cast<double>(VT(d3dGetTextureCoordMB)(o.mb, 0, nullptr)); }, 0},
    {"d3dGetVertexFC", [&]() -> double { return static_cast<double>(VT(d3dGetVertexFC)(o.face, 0, nullptr, reinterpret_cast<float*>(o.scratch))); }, 0},
    {"d3dGetVertexFC", [&]() -> double { return static_cast<double>(VT(d3dGetVertexFC)(o.face, 0, reinterpret_cast<float*>(o.scratch), nullptr)); }, 0},
    {"d3dGetNormalFC", [&]() -> double { return static_cast<double>(VT(d3dGetNormalFC)(o.face, nullptr)); }, 0},
    {"d3dGetTextureCoordFC", [&]() -> double { return static_cast<double>(VT(d3dGetTextureCoordFC)(o.face, 0, nullptr)); }, 0},
    {"d3dAddGroup", [&]() -> double { return static_cast<double>(VT(d3dAddGroup)(o.mesh, 4, 1, 4, nullptr)); }, -1},
    {"d3dSetVertices", [&]() -> double { return static_cast<double>(VT(d3dSetVertices)(o.mesh, 0, 0, 1, nullptr)); }, 0},
    {"d3dGetVertices", [&]() -> double { return static_cast<double>(VT(d3dGetVertices)(o.mesh, 0, 0, 1, nullptr)); }, 0},
    {"d3dGetGroupData", [&]() -> double { return static_cast<double>(VT(d3dGetGroupData)(o.mesh, 0, 40, nullptr)); }, 0},
    {"d3dGetBoxMS", [&]() -> double { return static_cast<double>(VT(d3dGetBoxMS)(o.mesh, nullptr)); }, 0},
    {"d3dGetDecalSize", [&]() -> double { return static_cast<double>(VT(d3dGetDecalSize)(o.tex, nullptr)); }, 0},
    {"d3dGetDecalOrigin", [&]() -> double { return static_cast<double>(VT(d3dGetDecalOrigin)(o.tex, nullptr)); }, 0},
    {"d3dCreateBitmap", [&]() -> double { return static_cast<double>(VT(d3dCreateBitmap)(&o.rec, nullptr)); }, VANTREL_STATUS_FAILED},
    {"d3dSetName", [&]() -> double { return static_cast<double>(VT(d3dSetName)(o.frame, nullptr)); }, 0},
    {"d3dGetName", [&]() -> double { return static_cast<double>(VT(d3dGetName)(o.frame, 40, nullptr)); }, 0},
    {"d3dGetClassName", [&]() -> double { return static_cast<double>(VT(d3dGetClassName)(o.frame, 40, nullptr)); }, 0},
    {"d3dGetNamedObject", [&]() -> double { return static_cast<double>(VT(d3dGetNamedObject)(&o.rec, nullptr)); }, 0},
    {"d3dFrameToScene", [&]() -> double { return static_cast<double>(VT(d3dFrameToScene)(o.frame, nullptr)); }, 0},
    {"d3dSceneToFrame", [&]() -> double { return static_cast<double>(VT(d3dSceneToFrame)(o.frame, nullptr)); }, 0},
    };
  }

  // clang-format on

  // The live objects still hold what SetUp gave them.
  void ExpectObjectsIntact() {
    EXPECT_EQ(VT(d3dGetVertexCountMB)(o.mb), 3);
    EXPECT_EQ(VT(d3dGetFaceCount)(o.mb), 1);
    EXPECT_EQ(VT(d3dGetChildCount)(o.frame), 1);
    EXPECT_EQ(VT(d3dGetChildCount)(rec.scene), 3);
    EXPECT_EQ(VT(d3dGetGroupCount)(o.mesh), 1);
    char name[8] = {};
    EXPECT_EQ(VT(d3dGetName)(o.frame, sizeof name, name), 1);
    EXPECT_STREQ(name, "keep");
    EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 64);
  }

  Objects o;
};

TEST_F(Robustness, TablesCoverEveryExportThatTakesAHandleOrAnAddress) {
  std::set<std::string> covered = {"d3dRGB",      "d3dVBColor", "d3dGetRed",
                                   "d3dGetGreen", "d3dGetBlue", "Pass"};
  for (const BadHandleCall& c : BadHandleCalls())
    EXPECT_TRUE(covered.insert(c.name).second) << c.name;
  std::set<std::string> all;
  std::ifstream in(std::string(KUBISTO_SOURCE_DIR) + "/bridge/tests/exports.txt");
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) all.insert(line);
  std::vector<std::string> missing, extra;
  for (const std::string& n : all)
    if (!covered.count(n)) missing.push_back(n);
  for (const std::string& n : covered)
    if (!all.count(n)) extra.push_back(n);
  EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first " << missing.front();
  EXPECT_TRUE(extra.empty()) << extra.size() << " unknown, first " << extra.front();
}

TEST_F(Robustness, BadHandlesAndUnusableRecordsGiveTheFailureResult) {
  DeviceRecord empty{};
  const std::vector<uint32_t> bad = BadHandles();
  for (uint32_t h : bad) {
    for (int variant = 0; variant < 3; ++variant) {
      // A record that holds garbage: every field a handle that names nothing.
      const DeviceRecord garbageValues{0x7FFFFFF0u, bad[1],   0xFFFFFFFFu, bad[2],
                                       bad[3],      0x12345u, h,           2};
      DeviceRecord garbage = garbageValues;
      empty = DeviceRecord{};
      DeviceRecord* r = variant == 0 ? nullptr : variant == 1 ? &empty : &garbage;
      for (const BadHandleCall& c : BadHandleCalls()) {
        if (variant == 2) garbage = garbageValues;  // d3dQuit empties it
        o.FillScratch();
        o.picture = nullptr;
        EXPECT_EQ(c.call(h, r), c.failure)
            << c.name << " handle " << std::hex << h << " record " << variant;
        EXPECT_TRUE(o.ScratchUntouched()) << c.name << " handle " << std::hex << h;
        EXPECT_EQ(o.picture, nullptr) << c.name;
      }
    }
  }
  ExpectObjectsIntact();
}

TEST_F(Robustness, NeededHandleArgumentsOnALiveRecordMustBeLive) {
  for (uint32_t h : BadHandles()) {
    if (h == 0) continue;  // 0 stands for the scene (frames) or for none (wrap reference)
    EXPECT_EQ(VT(d3dCreateFrame)(&rec, h), 0u) << std::hex << h;
    EXPECT_EQ(VT(d3dCreateWrap)(&rec, 0, h, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1), 0u)
        << std::hex << h;
  }
  for (uint32_t h : BadHandles()) {
    EXPECT_EQ(VT(d3dSetCamera)(&rec, h), 0) << std::hex << h;
    EXPECT_EQ(VT(d3dSetImage)(&rec, h), 0) << std::hex << h;
    EXPECT_EQ(VT(d3dCreateShadow)(&rec, h, o.light, 0, 0, 0, 0, 1, 0), 0u) << std::hex << h;
    EXPECT_EQ(VT(d3dCreateShadow)(&rec, o.mb, h, 0, 0, 0, 0, 1, 0), 0u) << std::hex << h;
    EXPECT_EQ(VT(d3dAddChild)(o.frame, h), 0);
    EXPECT_EQ(VT(d3dAddVisual)(o.frame, h), 0);
    EXPECT_EQ(VT(d3dAddLight)(o.frame, h), 0);
    EXPECT_EQ(VT(d3dAddFace)(o.mb, h), 0);
    EXPECT_EQ(VT(d3dAddMeshBuilder)(o.mb, h), 0);
    EXPECT_EQ(VT(d3dAddMesh)(o.mb, h), 0);
    EXPECT_EQ(VT(d3dAddFrame)(o.mb, h), 0);
    EXPECT_EQ(VT(d3dApply)(o.wrap, h), 0);
    EXPECT_EQ(VT(d3dApplyRelative)(o.wrap, h, o.mb), 0);
    EXPECT_EQ(VT(d3dAddAnimation)(o.set, h), 0);
    EXPECT_EQ(VT(d3dLookAt)(o.frame, h, 0, 0), 0);
    if (h == 0) continue;
    // Where 0 means "none", a handle that names nothing is refused rather than taken for none.
    EXPECT_EQ(VT(d3dSetPosition)(o.frame, h, 1, 1, 1), 0);
    EXPECT_EQ(VT(d3dSetTextureFM)(o.frame, h), 0);
    EXPECT_EQ(VT(d3dSetMaterialMB)(o.mb, h), 0);
    EXPECT_EQ(VT(d3dSetEnableFrame)(o.light, h), 0);
    EXPECT_EQ(VT(d3dSetFrame)(o.anim, h), 0);
  }
  ExpectObjectsIntact();
  float p[3] = {};
  VT(d3dGetPosition)(o.frame, 0, p);
  EXPECT_EQ(p[0], 0.0f);
}

TEST_F(Robustness, NullAddressesGiveTheFailureResultAndWriteNothing) {
  for (const NullAddressCall& c : NullAddressCalls()) {
    o.FillScratch();
    EXPECT_EQ(c.call(), c.failure) << c.name;
    EXPECT_TRUE(o.ScratchUntouched()) << c.name;
  }
  ExpectObjectsIntact();
}

TEST_F(Robustness, SizesAndIndicesOutOfRangeChangeNothing) {
  char buf[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(VT(d3dGetName)(o.frame, 0, buf), 0);
  EXPECT_EQ(VT(d3dGetName)(o.frame, -5, buf), 0);
  EXPECT_EQ(VT(d3dGetClassName)(o.frame, 0, buf), 0);
  EXPECT_EQ(buf[0], 'a');
  float v[3] = {7, 7, 7};
  for (int32_t i : {-1, 3, 0x7FFFFFFF, static_cast<int32_t>(0x80000000u)}) {
    EXPECT_EQ(VT(d3dGetVertexMB)(o.mb, i, v), 0);
    EXPECT_EQ(VT(d3dSetVertexMB)(o.mb, i, 1, 1, 1), 0);
    EXPECT_EQ(VT(d3dGetVertexFC)(o.face, i, v, v), 0);
    EXPECT_EQ(VT(d3dGetChild)(o.frame, i), 0u);
    EXPECT_EQ(VT(d3dGetFace)(o.mb, i), 0u);
    EXPECT_EQ(VT(d3dPickedObject)(o.picked, i), 0u);
    EXPECT_EQ(VT(d3dGetGroupFaceCount)(o.mesh, i), 0);
    EXPECT_EQ(VT(d3dSetGroupColor)(o.mesh, i, 0), 0);
    EXPECT_EQ(VT(d3dGetVertices)(o.mesh, 0, i, 1, reinterpret_cast<MeshVertex*>(o.scratch)), 0);
  }
  const int32_t tri[] = {0, 1, 2};
  for (int32_t n : {-1, 0, 0x7FFFFFFF, static_cast<int32_t>(0x80000000u)}) {
    EXPECT_EQ(VT(d3dAddGroup)(o.mesh, n, 1, 3, tri), -1) << n;
    EXPECT_EQ(VT(d3dAddGroup)(o.mesh, 3, n, 3, tri), -1) << n;
  }
  EXPECT_EQ(VT(d3dAddGroup)(o.mesh, 3, 1, -3, tri), -1);
  EXPECT_EQ(v[0], 7.0f);
  int32_t data[2];
  EXPECT_EQ(VT(d3dGetGroupData)(o.mesh, 0, 2, data), 0);  // three entries do not fit in two
  ExpectObjectsIntact();
}

TEST_F(Robustness, InitOnAWindowThatDoesNotExistLeavesAnEmptyRecord) {
  DeviceRecord r{};
  EXPECT_EQ(VT(d3dInit)(0x7FFFFFF0u, &r, 2), 1);
  EXPECT_EQ(r.engine, 0u);
  EXPECT_EQ(r.device, 0u);
  EXPECT_EQ(r.hwnd, 0u);
}

}  // namespace
