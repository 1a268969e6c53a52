#include "scene/wrap.h"

#include "scene/vantrel_declare.h"

namespace kubisto {

int32_t Wrap::Apply(const SceneObjectPtr& Target, const SceneObjectPtr& FrameRef) {
  const ObjectHandle target = HandleOf(Target);
  if (!FrameRef) return vantrel::d3dApply(lp, target);
  return vantrel::d3dApplyRelative(lp, FrameRef->lp, target);
}

}  // namespace kubisto
