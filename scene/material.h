// Material: a surface material for mesh builders, faces and mesh groups.
#pragma once

#include <cstdint>

#include "scene/fwd.h"

namespace kubisto {

class Material final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Material; }

  float Power() const;
  void Power(float vPower);
  int32_t Emissive() const;  // engine colour, alpha 255
  void Emissive(int32_t d3dColor);
  int32_t Specular() const;
  void Specular(int32_t d3dColor);
  MaterialPtr Clone() const;
};

}  // namespace kubisto
