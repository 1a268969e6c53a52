// Fog: how much of a point's own colour remains at a distance from the camera.
#pragma once

#include <cmath>

#include "engine/types.h"

namespace engine::render {

struct FogParams {
  bool enabled = false;
  FogMode mode = kFogLinear;
  float start = 1.0f, end = 100.0f, density = 1.0f;
};

// The fraction (0..1) of the colour kept at camera depth z; 1 when fog is off. Linear fog is full
// from `end` on and absent before `start` (an empty or reversed range fogs everything from
// `start` on); the exponential modes fall off with density times z (squared for the second).
inline float FogFactor(const FogParams& fog, float z) {
  if (!fog.enabled) return 1.0f;
  float f;
  switch (fog.mode) {
    case kFogExponential:
      f = std::exp(-fog.density * z);
      break;
    case kFogExponentialSquared: {
      float dz = fog.density * z;
      f = std::exp(-dz * dz);
      break;
    }
    default:
      if (fog.end > fog.start) {
        f = (fog.end - z) / (fog.end - fog.start);
      } else {
        f = z < fog.start ? 1.0f : 0.0f;
      }
      break;
  }
  if (!(f > 0.0f)) return 0.0f;  // also NaN
  return f < 1.0f ? f : 1.0f;
}

}  // namespace engine::render
