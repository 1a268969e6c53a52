// Engine colours: packed 0xAARRGGBB, alpha in bits 24-31.
#pragma once

#include <cstdint>

namespace engine {

using Color = uint32_t;

// Packs three fractions 0.0-1.0 (clamped; NaN counts as 0) with alpha 255. Each channel is the
// fraction times 255, rounded to nearest.
Color CreateColorRGB(float red, float green, float blue);
// Like CreateColorRGB with an alpha fraction.
Color CreateColorRGBA(float red, float green, float blue, float alpha);

// The channel as a fraction 0.0-1.0.
float ColorGetRed(Color c);
float ColorGetGreen(Color c);
float ColorGetBlue(Color c);
float ColorGetAlpha(Color c);

inline constexpr Color kWhite = 0xFFFFFFFFu;
inline constexpr Color kBlack = 0xFF000000u;

}  // namespace engine
