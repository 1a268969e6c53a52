#include "scene/pick.h"

#include "scene/frame.h"
#include "scene/vantrel_declare.h"
#include "scene/wrapping.h"

namespace kubisto {

int32_t Pick::PickedCount() const { return vantrel::d3dPickedCount(lp); }

SceneObjectPtr Pick::PickedObject(int16_t iPick) const {
  return ObjectFromHandle(vantrel::d3dPickedObject(lp, iPick));
}

FramePtr Pick::PickedFrame(int32_t iPick) const {
  return detail::Wrapped<Frame>(vantrel::d3dPickedFrame(lp, iPick));
}

}  // namespace kubisto
