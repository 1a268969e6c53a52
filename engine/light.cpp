#include "engine/light.h"

#include <cmath>

#include "engine/frame.h"

namespace engine {

Light::Light(LightType type, Color color) : Object(Kind::Light), type_(type), color_(color) {}
Light::~Light() = default;

Object* Light::Clone() const {
  auto* l = new Light(type_, color_);
  CopyBaseTo(*l);
  l->range_ = range_;
  l->umbra_ = umbra_;
  l->penumbra_ = penumbra_;
  l->constant_ = constant_;
  l->linear_ = linear_;
  l->quadratic_ = quadratic_;
  l->enableFrame_ = enableFrame_;
  return l;
}

bool Light::SetType(int32_t type) {
  if (type < kLightAmbient || type > kLightParallelPoint) return false;
  type_ = static_cast<LightType>(type);
  return true;
}

bool Light::SetColorRGB(float r, float g, float b) { return SetColor(CreateColorRGB(r, g, b)); }

namespace {
bool NonNegative(float v) { return std::isfinite(v) && v >= 0; }
}  // namespace

bool Light::SetRange(float range) {
  if (!NonNegative(range)) return false;
  range_ = range;
  return true;
}

bool Light::SetUmbra(float angle) {
  if (!NonNegative(angle)) return false;
  umbra_ = angle;
  return true;
}

bool Light::SetPenumbra(float angle) {
  if (!NonNegative(angle)) return false;
  penumbra_ = angle;
  return true;
}

bool Light::SetConstantAttenuation(float a) {
  if (!NonNegative(a)) return false;
  constant_ = a;
  return true;
}

bool Light::SetLinearAttenuation(float a) {
  if (!NonNegative(a)) return false;
  linear_ = a;
  return true;
}

bool Light::SetQuadraticAttenuation(float a) {
  if (!NonNegative(a)) return false;
  quadratic_ = a;
  return true;
}

Frame* Light::GetEnableFrame() const { return enableFrame_.get(); }

bool Light::SetEnableFrame(Frame* frame) {
  enableFrame_ = WeakRef<Frame>(frame);
  return true;
}

}  // namespace engine
