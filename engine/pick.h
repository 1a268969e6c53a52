// Picking: the visuals whose drawn faces lie under a pixel. The ray runs from the camera through
// the pixel's centre; a face counts only where it is drawn (front-facing, between the front and
// back planes), so that what is picked is what is seen.
#pragma once

#include "engine/object.h"
#include "engine/pickedarray.h"

namespace engine {

class Frame;
class Viewport;

// One entry per visual below scene that the ray through device pixel (x, y) of the viewport hits,
// at its nearest hit, nearest first, with the frame path from the scene root to the frame holding
// the visual. An empty array for a point outside the viewport; nullptr without a camera.
// Faces are examined only for visuals whose bounding box the ray crosses.
Ref<PickedArray> PickVisuals(const Viewport& viewport, Frame* scene, int x, int y);

// For tests: off examines every face of every visual, as a reference for the bounds test.
void SetPickByBounds(bool on);

}  // namespace engine
