// Factories on the record's engine (and on a mesh builder), and cloning.
#include "bridge/export_helpers.h"
#include "engine/animation.h"
#include "engine/face.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/shadow.h"
#include "engine/texture.h"
#include "engine/wrap.h"

using namespace bridge;

namespace {

// Runs a factory on the record's engine and hands its result out.
template <class F>
uint32_t Make(DeviceRecord* rec, F&& make) noexcept {
  return Guard<uint32_t>(0, [&]() -> uint32_t {
    engine::Engine* e = EngineOf(rec);
    return e ? HandOut(make(*e)) : 0;
  });
}

// A copy of an object of kind T, handed out with its one reference.
template <class T>
uint32_t CloneAs(uint32_t h) noexcept {
  return Guard<uint32_t>(0, [&]() -> uint32_t {
    T* o = ResolveAs<T>(h);
    return o ? HandOutOwned(o->Clone()) : 0;
  });
}

}  // namespace

uint32_t d3dCreateFrame(DeviceRecord* rec, uint32_t parent) {
  return Make(rec, [&](engine::Engine& e) -> engine::Ref<engine::Frame> {
    engine::Frame* p = nullptr;
    if (!Optional(parent, p)) return nullptr;
    if (!p) p = SceneOf(rec);
    return p ? e.CreateFrame(p) : nullptr;
  });
}

uint32_t d3dCreateMesh(DeviceRecord* rec) {
  return Make(rec, [](engine::Engine& e) { return e.CreateMesh(); });
}
uint32_t d3dCreateMeshBuilder(DeviceRecord* rec) {
  return Make(rec, [](engine::Engine& e) { return e.CreateMeshBuilder(); });
}
uint32_t d3dCreateFace(DeviceRecord* rec) {
  return Make(rec, [](engine::Engine& e) { return e.CreateFace(); });
}
uint32_t d3dCreateLight(DeviceRecord* rec, int32_t type, int32_t color) {
  return Make(rec, [&](engine::Engine& e) {
    return e.CreateLight(type, static_cast<engine::Color>(color));
  });
}
uint32_t d3dCreateLightRGB(DeviceRecord* rec, int32_t type, float red, float green, float blue) {
  return Make(rec, [&](engine::Engine& e) { return e.CreateLightRGB(type, red, green, blue); });
}
uint32_t d3dCreateMaterial(DeviceRecord* rec, float power) {
  return Make(rec, [&](engine::Engine& e) { return e.CreateMaterial(power); });
}

uint32_t d3dCreateShadow(DeviceRecord* rec, uint32_t visual, uint32_t light, float px, float py,
                         float pz, float nx, float ny, float nz) {
  return Make(rec, [&](engine::Engine& e) -> engine::Ref<engine::Shadow> {
    engine::Object* v = Resolve(visual);
    engine::Light* l = ResolveAs<engine::Light>(light);
    if (!v || !l) return nullptr;
    return e.CreateShadow(v, l, {px, py, pz}, {nx, ny, nz});
  });
}

uint32_t d3dCreateWrap(DeviceRecord* rec, int32_t type, uint32_t reference, float ox, float oy,
                       float oz, float dx, float dy, float dz, float ux, float uy, float uz,
                       float ou, float ov, float su, float sv) {
  return Make(rec, [&](engine::Engine& e) -> engine::Ref<engine::Wrap> {
    engine::Frame* ref = nullptr;
    if (!Optional(reference, ref)) return nullptr;
    return e.CreateWrap(type, ref, {ox, oy, oz}, {dx, dy, dz}, {ux, uy, uz}, ou, ov, su, sv);
  });
}

uint32_t d3dCreateAnimation(DeviceRecord* rec) {
  return Make(rec, [](engine::Engine& e) { return e.CreateAnimation(); });
}
uint32_t d3dCreateAnimationSet(DeviceRecord* rec) {
  return Make(rec, [](engine::Engine& e) { return e.CreateAnimationSet(); });
}

uint32_t d3dLoadTexture(DeviceRecord* rec, const char* fileName) {
  return Make(rec, [&](engine::Engine& e) -> engine::Ref<engine::Texture> {
    if (!fileName) return nullptr;
    return e.LoadTexture(fileName);
  });
}

uint32_t d3dCreateFaceMB(uint32_t meshBuilder) {
  return Guard<uint32_t>(0, [&]() -> uint32_t {
    engine::MeshBuilder* mb = ResolveAs<engine::MeshBuilder>(meshBuilder);
    return mb ? HandOut(mb->CreateFace()) : 0;
  });
}

uint32_t d3dCreateMeshMB(uint32_t meshBuilder) {
  return Guard<uint32_t>(0, [&]() -> uint32_t {
    engine::MeshBuilder* mb = ResolveAs<engine::MeshBuilder>(meshBuilder);
    if (!mb) return 0;
    // The mesh takes the builder's owner in CreateMesh. The owner is only an identity: its engine
    // may be gone (after d3dQuit) and must not be called.
    return HandOut(mb->CreateMesh());
  });
}

uint32_t d3dCloneFM(uint32_t frame) { return CloneAs<engine::Frame>(frame); }
uint32_t d3dCloneFC(uint32_t face) { return CloneAs<engine::Face>(face); }
uint32_t d3dCloneLT(uint32_t light) { return CloneAs<engine::Light>(light); }
uint32_t d3dCloneMS(uint32_t mesh) { return CloneAs<engine::Mesh>(mesh); }
uint32_t d3dCloneMB(uint32_t meshBuilder) { return CloneAs<engine::MeshBuilder>(meshBuilder); }
uint32_t d3dCloneTX(uint32_t texture) { return CloneAs<engine::Texture>(texture); }
uint32_t d3dCloneMT(uint32_t material) { return CloneAs<engine::Material>(material); }
