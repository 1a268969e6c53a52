#include "engine/render/lighting.h"

#include <algorithm>
#include <cmath>

#include "engine/color.h"
#include "engine/light.h"
#include "engine/material.h"

namespace engine::render {

void AddLight(LightEnv& env, const Light& light, const Matrix& toCamera) {
  if (env.lights.size() >= kMaxLights) return;
  PreparedLight p;
  p.light = &light;
  p.type = light.GetType();
  Color c = light.GetColor();
  p.r = ColorGetRed(c);
  p.g = ColorGetGreen(c);
  p.b = ColorGetBlue(c);
  p.position = toCamera.Position();
  Vector dir = TransformDirection(Vector{0, 0, 1}, toCamera);
  if (!Normalize(dir, p.direction)) p.direction = Vector{0, 0, 1};
  p.range = light.GetRange();
  p.constant = light.GetConstantAttenuation();
  p.linear = light.GetLinearAttenuation();
  p.quadratic = light.GetQuadraticAttenuation();
  float umbra = std::max(0.0f, light.GetUmbra());
  float penumbra = std::max(umbra, light.GetPenumbra());
  p.cosUmbra = std::cos(std::min(umbra, 3.14159265f) * 0.5f);
  p.cosPenumbra = std::cos(std::min(penumbra, 3.14159265f) * 0.5f);
  p.enableFrame = light.GetEnableFrame();
  if (p.type == kLightPoint || p.type == kLightSpot || p.type == kLightParallelPoint)
    env.positionDependent = true;
  env.lights.push_back(p);
}

SurfaceMaterial MaterialOf(const Material* m) {
  SurfaceMaterial s;
  if (!m) return s;
  s.power = m->GetPower();
  s.sr = m->Specular().r;
  s.sg = m->Specular().g;
  s.sb = m->Specular().b;
  s.er = m->Emissive().r;
  s.eg = m->Emissive().g;
  s.eb = m->Emissive().b;
  s.specular = s.power > 0 && (s.sr > 0 || s.sg > 0 || s.sb > 0);
  return s;
}

namespace {

// 1 / (constant + linear d + quadratic d^2), and 0 beyond the range.
float Attenuation(const PreparedLight& l, float d) {
  if (d > l.range) return 0.0f;
  float den = l.constant + l.linear * d + l.quadratic * d * d;
  return den > 1e-6f ? 1.0f / den : 1.0f;
}

}  // namespace

SurfaceLight Illuminate(const LightEnv& env, uint64_t mask, Vector p, Vector n,
                        const SurfaceMaterial& material, Vector objectCenter) {
  SurfaceLight out{0, 0, 0, 0, 0, 0};
  const size_t count = env.lights.size();
  for (size_t i = 0; i < count; ++i) {
    if (!(mask >> i & 1)) continue;
    const PreparedLight& l = env.lights[i];
    if (l.type == kLightAmbient) {
      out.r += l.r;
      out.g += l.g;
      out.b += l.b;
      continue;
    }
    Vector toLight;  // unit, from the point toward the light
    float strength = 1.0f;
    switch (l.type) {
      case kLightDirectional:
        toLight = -l.direction;
        break;
      case kLightParallelPoint: {
        Vector d = objectCenter - l.position;
        float dist = Length(p - l.position);
        strength = Attenuation(l, dist);
        if (!Normalize(-d, toLight)) toLight = -l.direction;
        break;
      }
      default: {  // point and spot
        Vector d = l.position - p;
        float dist = Length(d);
        if (dist <= 0.0f) continue;
        toLight = d * (1.0f / dist);
        strength = Attenuation(l, dist);
        if (l.type == kLightSpot) {
          float c = -Dot(toLight, l.direction);  // cosine of the angle off the spot's axis
          if (c < l.cosPenumbra) continue;
          if (c < l.cosUmbra) strength *= (c - l.cosPenumbra) / (l.cosUmbra - l.cosPenumbra);
        }
        break;
      }
    }
    if (strength <= 0.0f) continue;
    float diffuse = Dot(n, toLight);
    if (diffuse <= 0.0f) continue;
    diffuse *= strength;
    out.r += l.r * diffuse;
    out.g += l.g * diffuse;
    out.b += l.b * diffuse;
    if (material.specular) {
      // Blinn: the half-way vector between the light and the eye (the camera sits at the origin).
      Vector toEye, half;
      if (Normalize(-p, toEye) && Normalize(toLight + toEye, half)) {
        float s = Dot(n, half);
        if (s > 0.0f) {
          s = std::pow(s, material.power) * strength;
          out.sr += l.r * material.sr * s;
          out.sg += l.g * material.sg * s;
          out.sb += l.b * material.sb * s;
        }
      }
    }
  }
  return out;
}

}  // namespace engine::render
