// Wrap: a texture wrap (flat, cylindrical, spherical, chrome) that computes texture coordinates.
#pragma once

#include <cstdint>

#include "scene/fwd.h"

namespace kubisto {

class Wrap final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Wrap; }

  // Applies the wrap to Target (any scene object); relative to FrameRef when it is given. 1/0.
  int32_t Apply(const SceneObjectPtr& Target, const SceneObjectPtr& FrameRef = nullptr);
};

}  // namespace kubisto
