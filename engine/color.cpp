#include "engine/color.h"

#include <cmath>

namespace engine {
namespace {

uint32_t Channel(float f) {
  if (!(f > 0.0f)) return 0;  // also NaN
  if (f >= 1.0f) return 255;
  return static_cast<uint32_t>(std::lround(f * 255.0f));
}

}  // namespace

Color CreateColorRGBA(float red, float green, float blue, float alpha) {
  return (Channel(alpha) << 24) | (Channel(red) << 16) | (Channel(green) << 8) | Channel(blue);
}

Color CreateColorRGB(float red, float green, float blue) {
  return CreateColorRGBA(red, green, blue, 1.0f);
}

float ColorGetRed(Color c) { return static_cast<float>((c >> 16) & 0xFF) / 255.0f; }
float ColorGetGreen(Color c) { return static_cast<float>((c >> 8) & 0xFF) / 255.0f; }
float ColorGetBlue(Color c) { return static_cast<float>(c & 0xFF) / 255.0f; }
float ColorGetAlpha(Color c) { return static_cast<float>(c >> 24) / 255.0f; }

}  // namespace engine
