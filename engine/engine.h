// The engine: the factory of every engine object, the clock that moves frames (Tick), lookup of
// named objects, and the default texture colours and shades. Every Create method returns a new
// object carrying one reference for the caller, or nullptr on bad input.
#pragma once

#include <cstdint>
#include <string>

#include "engine/animation.h"
#include "engine/color.h"
#include "engine/face.h"
#include "engine/frame.h"
#include "engine/light.h"
#include "engine/material.h"
#include "engine/math.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/object.h"
#include "engine/shadow.h"
#include "engine/texture.h"
#include "engine/types.h"
#include "engine/wrap.h"
#include "platform/window.h"

namespace engine {

class Engine final : public Object {
 public:
  // A new engine with one reference.
  static Ref<Engine> Create();
  ~Engine() override;

  // A frame below parent, or a new scene root when parent is nullptr.
  Ref<Frame> CreateFrame(Frame* parent);
  Ref<Mesh> CreateMesh();
  Ref<MeshBuilder> CreateMeshBuilder();
  Ref<Face> CreateFace();
  // nullptr for a type outside LightType.
  Ref<Light> CreateLight(int32_t type, Color color);
  Ref<Light> CreateLightRGB(int32_t type, float red, float green, float blue);
  Ref<Material> CreateMaterial(float power);
  // nullptr unless visual is a visual kind and light is given.
  Ref<Shadow> CreateShadow(Object* visual, Light* light, Vector point, Vector normal);
  // nullptr for a type outside WrapType or a direction that is zero or parallel to up.
  Ref<Wrap> CreateWrap(int32_t type, Frame* reference, Vector origin, Vector direction, Vector up,
                       float ou, float ov, float su, float sv);
  Ref<Animation> CreateAnimation();
  Ref<AnimationSet> CreateAnimationSet();
  // Reads a picture file; nullptr when it cannot be read. The texture gets the default colours and
  // shades.
  Ref<Texture> LoadTexture(const std::string& path);

  // The first live object of this engine with that name (no new reference), or nullptr.
  Object* GetNamedObject(const std::string& name) const;

  // Moves every frame of this engine that has a rotation or velocity by delta units of time.
  bool Tick(float delta);

  // Colours and shades that new textures start with; false for a count below 1.
  bool SetDefaultTextureColors(int32_t colors);
  bool SetDefaultTextureShades(int32_t shades);
  int32_t GetDefaultTextureColors() const { return textureColors_; }
  int32_t GetDefaultTextureShades() const { return textureShades_; }

  // Marks an object as made by this engine (for GetNamedObject and Tick); used by other factories
  // (device, viewport, loaders) that live outside this class.
  void Adopt(Object* o) const;

 private:
  Engine();
  int32_t textureColors_ = 8;
  int32_t textureShades_ = 16;
};

// A clipper: binds drawing to one platform window.
class Clipper final : public Object {
 public:
  // A clipper bound to no window.
  Clipper();
  ~Clipper() override;
  bool SetHWnd(platform::HWND hwnd) {
    hwnd_ = hwnd;
    return true;
  }
  platform::HWND GetHWnd() const { return hwnd_; }

 private:
  platform::HWND hwnd_ = 0;
};

// A new clipper bound to the window (one reference for the caller).
Ref<Clipper> CreateClipper(platform::HWND hwnd);

}  // namespace engine
