// Lighting: the scene's lights in camera space, and the light that reaches a point of a surface.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/math.h"
#include "engine/types.h"

namespace engine {
class Frame;
class Light;
class Material;
}  // namespace engine

namespace engine::render {

struct PreparedLight {
  const Light* light = nullptr;
  LightType type = kLightAmbient;
  float r = 0, g = 0, b = 0;
  Vector position;   // camera space
  Vector direction;  // camera space, unit: where the light travels
  float range = 0;
  float constant = 1, linear = 0, quadratic = 0;
  float cosUmbra = 1, cosPenumbra = 1;  // of the half angles
  const Frame* enableFrame = nullptr;
};

// Lights after the first 64 are ignored, so that the set lit by a visual fits a mask.
inline constexpr size_t kMaxLights = 64;

struct LightEnv {
  std::vector<PreparedLight> lights;
  bool positionDependent = false;  // some light depends on where the point is
};

// Adds a light shining from a frame whose transform into camera space is toCamera.
void AddLight(LightEnv& env, const Light& light, const Matrix& toCamera);

struct SurfaceLight {
  float r, g, b;     // diffuse light, ambient included: multiplies the surface colour
  float sr, sg, sb;  // specular light: added
};

// Specular and emissive part of a surface; none without a material.
struct SurfaceMaterial {
  bool specular = false;
  float power = 0;
  float sr = 0, sg = 0, sb = 0;
  float er = 0, eg = 0, eb = 0;
};
SurfaceMaterial MaterialOf(const Material* m);

// The light reaching point p (camera space) with unit normal n from the lights in mask.
// objectCenter is the visual's origin in camera space (parallel point lights aim at it).
SurfaceLight Illuminate(const LightEnv& env, uint64_t mask, Vector p, Vector n,
                        const SurfaceMaterial& material, Vector objectCenter);

}  // namespace engine::render
