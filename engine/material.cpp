#include "engine/material.h"

#include <cmath>

namespace engine {
namespace {

bool Fraction(float v) { return std::isfinite(v) && v >= 0; }

}  // namespace

Material::Material(float power) : Object(Kind::Material), power_(Fraction(power) ? power : 0) {}
Material::~Material() = default;

Object* Material::Clone() const {
  auto* m = new Material(power_);
  CopyBaseTo(*m);
  m->specular_ = specular_;
  m->emissive_ = emissive_;
  return m;
}

bool Material::SetPower(float power) {
  if (!Fraction(power)) return false;
  power_ = power;
  return true;
}

bool Material::SetSpecular(float r, float g, float b) {
  if (!Fraction(r) || !Fraction(g) || !Fraction(b)) return false;
  specular_ = {r, g, b};
  return true;
}

bool Material::GetSpecular(float& r, float& g, float& b) const {
  r = specular_.r;
  g = specular_.g;
  b = specular_.b;
  return true;
}

bool Material::SetEmissive(float r, float g, float b) {
  if (!Fraction(r) || !Fraction(g) || !Fraction(b)) return false;
  emissive_ = {r, g, b};
  return true;
}

bool Material::GetEmissive(float& r, float& g, float& b) const {
  r = emissive_.r;
  g = emissive_.g;
  b = emissive_.b;
  return true;
}

}  // namespace engine
