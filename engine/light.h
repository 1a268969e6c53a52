// Lights: ambient, point, spot, directional and parallel point. A light shines from the frame it is
// added to: position from the frame's origin, direction along the frame's z axis.
#pragma once

#include <cstdint>

#include "engine/color.h"
#include "engine/object.h"
#include "engine/types.h"

namespace engine {

class Frame;

class Light final : public Object {
 public:
  static constexpr float kUnlimitedRange = 1.8e19f;  // about the square root of the largest float

  Light(LightType type, Color color);
  ~Light() override;
  Object* Clone() const override;

  bool SetType(int32_t type);  // false outside LightType
  LightType GetType() const { return type_; }
  bool SetColor(Color c) {
    color_ = c;
    return true;
  }
  bool SetColorRGB(float r, float g, float b);
  Color GetColor() const { return color_; }
  // Distance beyond which a point or spot light has no effect (by default none in practice);
  // false for a negative value.
  bool SetRange(float range);
  float GetRange() const { return range_; }
  // Spot cone: full light inside umbra, none outside penumbra (full angles, radians).
  bool SetUmbra(float angle);
  float GetUmbra() const { return umbra_; }
  bool SetPenumbra(float angle);
  float GetPenumbra() const { return penumbra_; }
  // Intensity falls with distance d as 1 / (constant + linear * d + quadratic * d * d).
  bool SetConstantAttenuation(float a);
  float GetConstantAttenuation() const { return constant_; }
  bool SetLinearAttenuation(float a);
  float GetLinearAttenuation() const { return linear_; }
  bool SetQuadraticAttenuation(float a);
  float GetQuadraticAttenuation() const { return quadratic_; }
  // With an enable frame the light lights only the visuals in that frame's hierarchy. Kept weakly
  // (the frame usually holds the light). nullptr: everything.
  bool SetEnableFrame(Frame* frame);
  Frame* GetEnableFrame() const;

 private:
  LightType type_;
  Color color_;
  float range_ = kUnlimitedRange;
  float umbra_ = 0.4f;
  float penumbra_ = 0.5f;
  float constant_ = 1.0f;
  float linear_ = 0.0f;
  float quadratic_ = 0.0f;
  WeakRef<Frame> enableFrame_;
};

}  // namespace engine
