#include "engine/types.h"

namespace engine {

bool IsValidQuality(int32_t quality) {
  if (quality & ~(kShadeMask | kLightMask | kFillMask)) return false;
  int32_t shade = quality & kShadeMask, light = quality & kLightMask, fill = quality & kFillMask;
  return shade <= kShadePhong && (light == kLightOff || light == kLightOn) &&
         (fill == kFillPoints || fill == kFillWireframe || fill == kFillSolid);
}

}  // namespace engine
