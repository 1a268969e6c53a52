#include "scene/material.h"

#include "scene/vantrel_declare.h"
#include "scene/wrapping.h"

namespace kubisto {

float Material::Power() const { return vantrel::d3dGetPower(lp); }
void Material::Power(float vPower) { vantrel::d3dSetPower(lp, vPower); }
int32_t Material::Emissive() const { return vantrel::d3dGetEmissive(lp); }
void Material::Emissive(int32_t d3dColor) { vantrel::d3dSetEmissive(lp, d3dColor); }
int32_t Material::Specular() const { return vantrel::d3dGetSpecular(lp); }
void Material::Specular(int32_t d3dColor) { vantrel::d3dSetSpecular(lp, d3dColor); }
MaterialPtr Material::Clone() const { return detail::Wrapped<Material>(vantrel::d3dCloneMT(lp)); }

}  // namespace kubisto
