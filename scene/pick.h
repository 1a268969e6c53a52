// Pick: what lies under one pixel of the drawing window, nearest first, numbered from 0. Every
// object read from it owns a reference of its own and may outlive the Pick.
#pragma once

#include <cstdint>

#include "scene/fwd.h"

namespace kubisto {

class Pick final : public SceneObject {
 public:
  using SceneObject::SceneObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Pick; }

  int32_t PickedCount() const;
  // The picked visual, wrapped by its own class. An index out of range ends the program (the
  // object maker accepts no handle 0): stay below PickedCount.
  SceneObjectPtr PickedObject(int16_t iPick) const;
  // The frame that directly holds the picked visual (lp 0 when there is none).
  FramePtr PickedFrame(int32_t iPick) const;
};

}  // namespace kubisto
