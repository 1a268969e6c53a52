// Materials: specular power and colour, emissive colour. Colours are kept as three fractions.
#pragma once

#include "engine/object.h"

namespace engine {

struct ColorRGB {
  float r = 0, g = 0, b = 0;
};

class Material final : public Object {
 public:
  explicit Material(float power);
  ~Material() override;
  Object* Clone() const override;

  bool SetPower(float power);  // false for a negative or non-finite power
  float GetPower() const { return power_; }
  bool SetSpecular(float r, float g, float b);
  bool GetSpecular(float& r, float& g, float& b) const;
  bool SetEmissive(float r, float g, float b);
  bool GetEmissive(float& r, float& g, float& b) const;
  const ColorRGB& Specular() const { return specular_; }
  const ColorRGB& Emissive() const { return emissive_; }

 private:
  float power_;
  ColorRGB specular_{1, 1, 1};
  ColorRGB emissive_{0, 0, 0};
};

}  // namespace engine
