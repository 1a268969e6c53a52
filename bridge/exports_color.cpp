// Colour conversions, reference counting and Pass.
#include "bridge/export_helpers.h"
#include "engine/color.h"
#include "platform/services.h"

using namespace bridge;

namespace {
// The single-precision value of 1/255 that turns a program colour's channel into a fraction.
constexpr float kChannelScale = 0.003921569f;
constexpr uint32_t kSystemColorBit = 0x80000000u;
}  // namespace

int32_t d3dRGB(float red, float green, float blue) {
  return Guard<int32_t>(
      0, [&] { return static_cast<int32_t>(engine::CreateColorRGB(red, green, blue)); });
}

int32_t d3dVBColor(int32_t color) {
  return Guard<int32_t>(0, [&] {
    uint32_t c = static_cast<uint32_t>(color);
    if (c & kSystemColorBit) c = platform::GetSysColor(static_cast<int>(c & 0xFF));
    float r = static_cast<float>(c & 0xFF) * kChannelScale;
    float g = static_cast<float>((c >> 8) & 0xFF) * kChannelScale;
    float b = static_cast<float>((c >> 16) & 0xFF) * kChannelScale;
    return static_cast<int32_t>(engine::CreateColorRGB(r, g, b));
  });
}

float d3dGetRed(int32_t color) { return engine::ColorGetRed(static_cast<engine::Color>(color)); }
float d3dGetGreen(int32_t color) {
  return engine::ColorGetGreen(static_cast<engine::Color>(color));
}
float d3dGetBlue(int32_t color) { return engine::ColorGetBlue(static_cast<engine::Color>(color)); }

int32_t d3dAddRef(uint32_t handle) {
  return Guard<int32_t>(0, [&] { return FromBool(bridge::AddRef(handle) == 0); });
}

int32_t d3dRelease(uint32_t handle) {
  return Guard<int32_t>(0, [&] { return FromBool(bridge::Release(handle) == 0); });
}

intptr_t Pass(intptr_t value) { return value; }
