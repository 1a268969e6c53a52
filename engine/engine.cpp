#include "engine/engine.h"

#include "engine/animation.h"
#include "engine/face.h"
#include "engine/frame.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/shadow.h"
#include "engine/texture.h"
#include "engine/wrap.h"

namespace engine {
namespace {

bool Finite(Vector v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

Engine::Engine() : Object(Kind::Engine) {}
Engine::~Engine() = default;

Ref<Engine> Engine::Create() { return Ref<Engine>::Adopt(new Engine); }

void Engine::Adopt(Object* o) const {
  if (o) o->SetOwner(this);
}

template <class T, class... A>
static Ref<T> Make(const Engine& e, A&&... args) {
  auto r = Ref<T>::Adopt(new T(std::forward<A>(args)...));
  e.Adopt(r.get());
  return r;
}

Ref<Frame> Engine::CreateFrame(Frame* parent) {
  auto f = Make<Frame>(*this);
  if (parent && !parent->AddChild(f.get())) return nullptr;
  return f;
}

Ref<Mesh> Engine::CreateMesh() { return Make<Mesh>(*this); }
Ref<MeshBuilder> Engine::CreateMeshBuilder() { return Make<MeshBuilder>(*this); }
Ref<Face> Engine::CreateFace() { return Make<Face>(*this); }

Ref<Light> Engine::CreateLight(int32_t type, Color color) {
  if (type < kLightAmbient || type > kLightParallelPoint) return nullptr;
  return Make<Light>(*this, static_cast<LightType>(type), color);
}

Ref<Light> Engine::CreateLightRGB(int32_t type, float red, float green, float blue) {
  return CreateLight(type, CreateColorRGB(red, green, blue));
}

Ref<Material> Engine::CreateMaterial(float power) {
  if (!std::isfinite(power) || power < 0) return nullptr;
  return Make<Material>(*this, power);
}

Ref<Shadow> Engine::CreateShadow(Object* visual, Light* light, Vector point, Vector normal) {
  if (!visual || !light || !Finite(point) || !Finite(normal)) return nullptr;
  Kind k = visual->GetKind();
  if (k != Kind::MeshBuilder && k != Kind::Mesh && k != Kind::Frame) return nullptr;
  return Make<Shadow>(*this, visual, light, point, normal);
}

Ref<Wrap> Engine::CreateWrap(int32_t type, Frame* reference, Vector origin, Vector direction,
                             Vector up, float ou, float ov, float su, float sv) {
  if (type < kWrapFlat || type > kWrapChrome) return nullptr;
  if (!Finite(origin) || !Finite(direction) || !Finite(up) || !std::isfinite(ou) ||
      !std::isfinite(ov) || !std::isfinite(su) || !std::isfinite(sv))
    return nullptr;
  Vector z, x;
  if (!Normalize(direction, z) || !Normalize(Cross(up, z), x)) return nullptr;
  return Make<Wrap>(*this, static_cast<WrapType>(type), reference, origin, direction, up, ou, ov,
                    su, sv);
}

Ref<Animation> Engine::CreateAnimation() { return Make<Animation>(*this); }
Ref<AnimationSet> Engine::CreateAnimationSet() { return Make<AnimationSet>(*this); }

Ref<Texture> Engine::LoadTexture(const std::string& path) {
  Ref<Texture> t = Texture::Load(path);
  if (!t) return nullptr;
  Adopt(t.get());
  t->colors_ = textureColors_;
  t->shades_ = textureShades_;
  return t;
}

Object* Engine::GetNamedObject(const std::string& name) const {
  return FindNamedObject(name, this);
}

bool Engine::Tick(float delta) {
  if (!std::isfinite(delta)) return false;
  // Every frame of this engine sits in exactly one hierarchy; moving each root moves them all once.
  std::vector<Ref<Frame>> roots;
  ForEachLiveObject([&](Object* o) {
    if (o->GetOwner() != this) return;
    if (auto* f = As<Frame>(o); f && !f->GetParent()) roots.emplace_back(f);
  });
  for (auto& r : roots) r->Move(delta);
  return true;
}

bool Engine::SetDefaultTextureColors(int32_t colors) {
  if (colors < 1) return false;
  textureColors_ = colors;
  return true;
}

bool Engine::SetDefaultTextureShades(int32_t shades) {
  if (shades < 1) return false;
  textureShades_ = shades;
  return true;
}

Clipper::Clipper() : Object(Kind::Clipper) {}
Clipper::~Clipper() = default;

Ref<Clipper> CreateClipper(platform::HWND hwnd) {
  auto c = Ref<Clipper>::Adopt(new Clipper);
  c->SetHWnd(hwnd);
  return c;
}

}  // namespace engine
