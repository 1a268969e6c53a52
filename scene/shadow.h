// Shadow: the shadow visual of another visual under a light; added to a frame like any visual.
#pragma once

#include "scene/fwd.h"

namespace kubisto {

class Shadow final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Shadow; }
};

}  // namespace kubisto
