// The status values of the exports that report a status instead of a flag (d3dAddVertexFC,
// d3dCreateBitmap): 0 for success, a negative value naming the failure.
#pragma once

#include <cstdint>

#include "bridge/vantrel.h"

namespace bridge {

inline constexpr int32_t kStatusOk = 0;
inline constexpr int32_t kStatusFailed = VANTREL_STATUS_FAILED;
inline constexpr int32_t kStatusNoPalette = VANTREL_STATUS_NOPALETTE;

}  // namespace bridge
