#include "scene/light.h"

#include "scene/frame.h"
#include "scene/vantrel_declare.h"
#include "scene/wrapping.h"

namespace kubisto {

using detail::Wrapped;

int32_t Light::Color() const { return vantrel::d3dGetColorLT(lp); }
void Light::Color(int32_t d3dColor) { vantrel::d3dSetColorLT(lp, d3dColor); }
int32_t Light::Style() const { return vantrel::d3dGetType(lp); }
void Light::Style(int32_t cLightType) { vantrel::d3dSetType(lp, cLightType); }
float Light::Umbra() const { return vantrel::d3dGetUmbra(lp); }
void Light::Umbra(float vAngle) { vantrel::d3dSetUmbra(lp, vAngle); }
float Light::Penumbra() const { return vantrel::d3dGetPenumbra(lp); }
void Light::Penumbra(float vAngle) { vantrel::d3dSetPenumbra(lp, vAngle); }
float Light::Range() const { return vantrel::d3dGetRange(lp); }
void Light::Range(float x) { vantrel::d3dSetRange(lp, x); }
float Light::ConstantAtt() const { return vantrel::d3dGetConstantAtt(lp); }
void Light::ConstantAtt(float vAtt) { vantrel::d3dSetConstantAtt(lp, vAtt); }
float Light::LinearAtt() const { return vantrel::d3dGetLinearAtt(lp); }
void Light::LinearAtt(float vAtt) { vantrel::d3dSetLinearAtt(lp, vAtt); }
float Light::QuadraticAtt() const { return vantrel::d3dGetQuadraticAtt(lp); }
void Light::QuadraticAtt(float vAtt) { vantrel::d3dSetQuadraticAtt(lp, vAtt); }

void Light::SetAttenuation(float vConstant, float vLinear, float vQuadratic) {
  vantrel::d3dSetConstantAtt(lp, vConstant);
  vantrel::d3dSetLinearAtt(lp, vLinear);
  vantrel::d3dSetQuadraticAtt(lp, vQuadratic);
}

void Light::SetSpot(float vUmbra, float vPenumbra) {
  vantrel::d3dSetUmbra(lp, vUmbra);
  vantrel::d3dSetPenumbra(lp, vPenumbra);
}

FramePtr Light::EnableFrame() const { return Wrapped<Frame>(vantrel::d3dGetEnableFrame(lp)); }
void Light::EnableFrame(const FramePtr& fm) { vantrel::d3dSetEnableFrame(lp, HandleOf(fm)); }
LightPtr Light::Clone() const { return Wrapped<Light>(vantrel::d3dCloneLT(lp)); }

}  // namespace kubisto
