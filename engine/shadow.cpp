#include "engine/shadow.h"

#include "engine/light.h"

namespace engine {

Shadow::Shadow(Object* visual, Light* light, Vector point, Vector normal)
    : Object(Kind::Shadow), visual_(visual), light_(light), point_(point) {
  if (!Normalize(normal, normal_)) normal_ = {0, 1, 0};
}

Shadow::~Shadow() = default;

}  // namespace engine
