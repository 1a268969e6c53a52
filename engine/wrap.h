// Wraps: compute texture coordinates for the vertices of a mesh builder, mesh or face.
//
// A wrap has an origin, a direction (its z axis) and an up vector (its y axis; its x axis is
// up x direction), a texture origin (ou, ov) and a scale (su, sv). With (x, y, z) a vertex in the
// wrap's axes relative to its origin:
//   flat:        u = su * x + ou,                  v = sv * y + ov
//   cylindrical: u = su * atan2(x, z) / 2pi + ou,  v = sv * y + ov
//   spherical:   u = su * atan2(x, z) / 2pi + ou,  v = sv * acos(y / |p|) / pi + ov
//   chrome:      the vertex normal reflected about the view direction (the wrap's z), mapped like
//                the spherical case, so the picture seems to mirror the surroundings.
#pragma once

#include "engine/math.h"
#include "engine/object.h"
#include "engine/types.h"

namespace engine {

class Frame;

class Wrap final : public Object {
 public:
  Wrap(WrapType type, Frame* reference, Vector origin, Vector direction, Vector up, float ou,
       float ov, float su, float sv);
  ~Wrap() override;

  WrapType GetType() const { return type_; }

  // Computes texture coordinates for a mesh builder, mesh or face (a builder's face sets its
  // builder's vertices), with the wrap's values taken in the object's own coordinates. False for
  // null or another kind.
  bool Apply(Object* target) const;
  // The same with the object's vertices placed by frame into the world and the wrap's values taken
  // in its reference frame's coordinates (the world when it has none).
  bool ApplyRelative(const Frame* frame, Object* target) const;

  // The coordinates of one vertex (in the wrap's coordinates) with its normal.
  void Compute(Vector position, Vector normal, float& u, float& v) const;

 private:
  bool ApplyWith(const Matrix& toWrap, Object* target) const;

  WrapType type_;
  WeakRef<Frame> reference_;
  Vector origin_, x_, y_, z_;
  float ou_, ov_, su_, sv_;
};

}  // namespace engine
