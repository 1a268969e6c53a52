// Light: a light source, placed in the scene by adding it to a frame (Frame::AddObject).
// Angles in radians; colours are engine colours.
#pragma once

#include <cstdint>

#include "scene/fwd.h"

namespace kubisto {

class Light final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Light; }

  int32_t Color() const;
  void Color(int32_t d3dColor);
  int32_t Style() const;  // the light type
  void Style(int32_t cLightType);
  float Umbra() const;
  void Umbra(float vAngle);
  float Penumbra() const;
  void Penumbra(float vAngle);
  float Range() const;
  void Range(float x);
  float ConstantAtt() const;
  void ConstantAtt(float vAtt);
  float LinearAtt() const;
  void LinearAtt(float vAtt);
  float QuadraticAtt() const;
  void QuadraticAtt(float vAtt);
  // Sets the three factors in that order, each whatever became of the one before.
  void SetAttenuation(float vConstant, float vLinear, float vQuadratic);
  void SetSpot(float vUmbra, float vPenumbra);
  FramePtr EnableFrame() const;
  void EnableFrame(const FramePtr& fm);
  LightPtr Clone() const;
};

}  // namespace kubisto
