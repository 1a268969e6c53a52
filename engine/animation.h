// Animations: position, scale and rotation keys over time that place one frame; animation sets run
// several animations at one time.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/math.h"
#include "engine/object.h"
#include "engine/types.h"

namespace engine {

class Frame;

class Animation final : public Object {
 public:
  Animation();
  ~Animation() override;
  Object* Clone() const override;

  // AnimationOptions: open or closed (not both), linear or spline position, and whether position
  // and/or scale-and-rotation are applied. False for a contradictory set. Default: closed, linear,
  // position, scale and rotation.
  bool SetOptions(int32_t options);
  int32_t GetOptions() const { return options_; }

  // A key at time t replaces a key of the same kind at the same time.
  bool AddPositionKey(float t, Vector p);
  bool AddScaleKey(float t, Vector s);
  bool AddRotateKey(float t, const Quaternion& q);  // false for a zero quaternion
  // Removes every key at time t; false when there is none.
  bool DeleteKey(float t);

  // The frame that SetTime places (kept weakly); nullptr detaches.
  bool SetFrame(Frame* frame);
  Frame* GetFrame() const;

  // Places the frame for time t: scale, then rotation, then position, each interpolated between
  // the keys around t. An open animation holds its first and last keys outside their range; a
  // closed one repeats over the span of its keys. False when no frame is set.
  bool SetTime(float t);

  template <class V>
  struct Key {
    float time;
    V value;
  };

 private:
  float WrapTime(float t) const;

  int32_t options_ =
      kAnimationClosed | kAnimationLinearPosition | kAnimationPosition | kAnimationScaleAndRotation;
  std::vector<Key<Vector>> positions_;
  std::vector<Key<Vector>> scales_;
  std::vector<Key<Quaternion>> rotations_;
  WeakRef<Frame> frame_;
};

class AnimationSet final : public Object {
 public:
  AnimationSet();
  ~AnimationSet() override;

  // False for null or an animation already in the set.
  bool AddAnimation(Animation* a);
  bool DeleteAnimation(Animation* a);  // false when not in the set
  // Sets the time of every animation in the set; false when any of them fails.
  bool SetTime(float t);
  const std::vector<Ref<Animation>>& Animations() const { return animations_; }

 private:
  std::vector<Ref<Animation>> animations_;
};

}  // namespace engine
