// Lights and materials.
#include "bridge/export_helpers.h"
#include "engine/color.h"
#include "engine/light.h"
#include "engine/material.h"

using namespace bridge;
using engine::Light;
using engine::Material;

// ---- Lights ----

int32_t d3dSetType(uint32_t light, int32_t type) {
  return Flag<Light>(light, [&](Light& l) { return l.SetType(type); });
}
int32_t d3dGetType(uint32_t light) {
  return Value<Light, int32_t>(light, 0, [](Light& l) { return l.GetType(); });
}
int32_t d3dSetColorLT(uint32_t light, int32_t color) {
  return Flag<Light>(light,
                     [&](Light& l) { return l.SetColor(static_cast<engine::Color>(color)); });
}
int32_t d3dGetColorLT(uint32_t light) {
  return Value<Light, int32_t>(light, 0, [](Light& l) { return l.GetColor(); });
}
int32_t d3dSetRange(uint32_t light, float value) {
  return Flag<Light>(light, [&](Light& l) { return l.SetRange(value); });
}
float d3dGetRange(uint32_t light) {
  return Value<Light, float>(light, 0.0f, [](Light& l) { return l.GetRange(); });
}
int32_t d3dSetUmbra(uint32_t light, float angle) {
  return Flag<Light>(light, [&](Light& l) { return l.SetUmbra(angle); });
}
float d3dGetUmbra(uint32_t light) {
  return Value<Light, float>(light, 0.0f, [](Light& l) { return l.GetUmbra(); });
}
int32_t d3dSetPenumbra(uint32_t light, float angle) {
  return Flag<Light>(light, [&](Light& l) { return l.SetPenumbra(angle); });
}
float d3dGetPenumbra(uint32_t light) {
  return Value<Light, float>(light, 0.0f, [](Light& l) { return l.GetPenumbra(); });
}
int32_t d3dSetConstantAtt(uint32_t light, float value) {
  return Flag<Light>(light, [&](Light& l) { return l.SetConstantAttenuation(value); });
}
float d3dGetConstantAtt(uint32_t light) {
  return Value<Light, float>(light, 0.0f, [](Light& l) { return l.GetConstantAttenuation(); });
}
int32_t d3dSetLinearAtt(uint32_t light, float value) {
  return Flag<Light>(light, [&](Light& l) { return l.SetLinearAttenuation(value); });
}
float d3dGetLinearAtt(uint32_t light) {
  return Value<Light, float>(light, 0.0f, [](Light& l) { return l.GetLinearAttenuation(); });
}
int32_t d3dSetQuadraticAtt(uint32_t light, float value) {
  return Flag<Light>(light, [&](Light& l) { return l.SetQuadraticAttenuation(value); });
}
float d3dGetQuadraticAtt(uint32_t light) {
  return Value<Light, float>(light, 0.0f, [](Light& l) { return l.GetQuadraticAttenuation(); });
}
int32_t d3dSetEnableFrame(uint32_t light, uint32_t frame) {
  return Flag<Light>(light, [&](Light& l) {
    engine::Frame* f = nullptr;
    return Optional(frame, f) && l.SetEnableFrame(f);
  });
}
uint32_t d3dGetEnableFrame(uint32_t light) {
  return Value<Light, uint32_t>(light, 0,
                                [](Light& l) { return HandOutBorrowed(l.GetEnableFrame()); });
}

// ---- Materials: the engine keeps specular and emissive as fractions, the caller speaks colours
// ----

int32_t d3dSetPower(uint32_t material, float power) {
  return Flag<Material>(material, [&](Material& m) { return m.SetPower(power); });
}
float d3dGetPower(uint32_t material) {
  return Value<Material, float>(material, 0.0f, [](Material& m) { return m.GetPower(); });
}
int32_t d3dSetSpecular(uint32_t material, int32_t color) {
  return Flag<Material>(material, [&](Material& m) {
    auto c = static_cast<engine::Color>(color);
    return m.SetSpecular(engine::ColorGetRed(c), engine::ColorGetGreen(c), engine::ColorGetBlue(c));
  });
}
int32_t d3dGetSpecular(uint32_t material) {
  return Value<Material, int32_t>(material, 0, [](Material& m) -> engine::Color {
    float r, g, b;
    return m.GetSpecular(r, g, b) ? engine::CreateColorRGB(r, g, b) : 0;
  });
}
int32_t d3dSetEmissive(uint32_t material, int32_t color) {
  return Flag<Material>(material, [&](Material& m) {
    auto c = static_cast<engine::Color>(color);
    return m.SetEmissive(engine::ColorGetRed(c), engine::ColorGetGreen(c), engine::ColorGetBlue(c));
  });
}
int32_t d3dGetEmissive(uint32_t material) {
  return Value<Material, int32_t>(material, 0, [](Material& m) -> engine::Color {
    float r, g, b;
    return m.GetEmissive(r, g, b) ? engine::CreateColorRGB(r, g, b) : 0;
  });
}
