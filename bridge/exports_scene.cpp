// The scene's background colour and image, and its fog: settings of the record's scene frame.
#include "bridge/export_helpers.h"
#include "engine/color.h"
#include "engine/texture.h"

using namespace bridge;
using engine::Frame;

int32_t d3dSetBackColor(DeviceRecord* rec, int32_t color) {
  return SceneFlag(
      rec, [&](Frame& s) { return s.SetSceneBackground(static_cast<engine::Color>(color)); });
}
int32_t d3dGetBackColor(DeviceRecord* rec) {
  return SceneValue<int32_t>(rec, [](Frame& s) { return s.GetSceneBackground(); });
}
int32_t d3dSetBackColorRGB(DeviceRecord* rec, float red, float green, float blue) {
  return SceneFlag(rec, [&](Frame& s) { return s.SetSceneBackgroundRGB(red, green, blue); });
}
int32_t d3dSetFogEnable(DeviceRecord* rec, int32_t on) {
  return SceneFlag(rec, [&](Frame& s) { return s.SetSceneFogEnable(ToBool(on)); });
}
int32_t d3dGetFogEnable(DeviceRecord* rec) {
  return SceneValue<int32_t>(rec, [](Frame& s) { return FromBool(s.GetSceneFogEnable()); });
}
int32_t d3dSetFogColor(DeviceRecord* rec, int32_t color) {
  return SceneFlag(rec,
                   [&](Frame& s) { return s.SetSceneFogColor(static_cast<engine::Color>(color)); });
}
int32_t d3dGetFogColor(DeviceRecord* rec) {
  return SceneValue<int32_t>(rec, [](Frame& s) { return s.GetSceneFogColor(); });
}
int32_t d3dSetFogColorRGB(DeviceRecord* rec, float red, float green, float blue) {
  return SceneFlag(
      rec, [&](Frame& s) { return s.SetSceneFogColor(engine::CreateColorRGB(red, green, blue)); });
}
int32_t d3dSetFogMode(DeviceRecord* rec, int32_t mode) {
  return SceneFlag(rec, [&](Frame& s) { return s.SetSceneFogMode(mode); });
}
int32_t d3dGetFogMode(DeviceRecord* rec) {
  return SceneValue<int32_t>(rec, [](Frame& s) { return s.GetSceneFogMode(); });
}
int32_t d3dSetFogParams(DeviceRecord* rec, float start, float end, float density) {
  return SceneFlag(rec, [&](Frame& s) { return s.SetSceneFogParams(start, end, density); });
}
int32_t d3dGetFogParams(DeviceRecord* rec, float* startEndDensity) {
  return SceneFlag(rec, [&](Frame& s) {
    float start, end, density;
    if (!startEndDensity || !s.GetSceneFogParams(start, end, density)) return false;
    startEndDensity[0] = start;
    startEndDensity[1] = end;
    startEndDensity[2] = density;
    return true;
  });
}

int32_t d3dSetImage(DeviceRecord* rec, uint32_t texture) {
  return SceneFlag(rec, [&](Frame& s) {
    engine::Texture* t = ResolveAs<engine::Texture>(texture);
    return t && s.SetSceneBackgroundImage(t);
  });
}
