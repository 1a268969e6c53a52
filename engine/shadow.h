// Shadows: a visual that draws another visual flattened onto a plane from a light.
#pragma once

#include "engine/light.h"
#include "engine/math.h"
#include "engine/object.h"

namespace engine {

class Shadow final : public Object {
 public:
  // The plane passes through point with the given normal (normalised; a zero normal gives y up).
  Shadow(Object* visual, Light* light, Vector point, Vector normal);
  ~Shadow() override;

  Object* GetVisual() const { return visual_.get(); }
  Light* GetLight() const { return light_.get(); }
  Vector GetPlanePoint() const { return point_; }
  Vector GetPlaneNormal() const { return normal_; }

 private:
  Ref<Object> visual_;
  Ref<Light> light_;
  Vector point_, normal_;
};

}  // namespace engine
