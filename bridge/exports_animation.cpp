// Animations (keys placing one frame over time) and animation sets.
#include "bridge/export_helpers.h"
#include "engine/animation.h"

using namespace bridge;
using engine::Animation;
using engine::AnimationSet;

int32_t d3dSetOptions(uint32_t animation, int32_t options) {
  return Flag<Animation>(animation, [&](Animation& a) { return a.SetOptions(options); });
}
int32_t d3dGetOptions(uint32_t animation) {
  return Value<Animation, int32_t>(animation, 0, [](Animation& a) { return a.GetOptions(); });
}
int32_t d3dAddPositionKey(uint32_t animation, float time, float x, float y, float z) {
  return Flag<Animation>(animation, [&](Animation& a) {
    return a.AddPositionKey(time, {x, y, z});
  });
}
int32_t d3dAddScaleKey(uint32_t animation, float time, float x, float y, float z) {
  return Flag<Animation>(animation, [&](Animation& a) { return a.AddScaleKey(time, {x, y, z}); });
}
int32_t d3dAddRotateKey(uint32_t animation, float time, float x, float y, float z, float s) {
  return Flag<Animation>(animation, [&](Animation& a) {
    engine::Quaternion q;
    q.s = s;
    q.v = {x, y, z};
    return a.AddRotateKey(time, q);
  });
}
int32_t d3dDeleteKey(uint32_t animation, float time) {
  return Flag<Animation>(animation, [&](Animation& a) { return a.DeleteKey(time); });
}
int32_t d3dSetFrame(uint32_t animation, uint32_t frame) {
  return Flag<Animation>(animation, [&](Animation& a) {
    engine::Frame* f = nullptr;
    return Optional(frame, f) && a.SetFrame(f);
  });
}
int32_t d3dSetTimeAM(uint32_t animation, float time) {
  return Flag<Animation>(animation, [&](Animation& a) { return a.SetTime(time); });
}
int32_t d3dAddAnimation(uint32_t animationSet, uint32_t animation) {
  return Flag<AnimationSet>(animationSet, [&](AnimationSet& s) {
    Animation* a = ResolveAs<Animation>(animation);
    return a && s.AddAnimation(a);
  });
}
int32_t d3dDeleteAnimation(uint32_t animationSet, uint32_t animation) {
  return Flag<AnimationSet>(animationSet, [&](AnimationSet& s) {
    Animation* a = ResolveAs<Animation>(animation);
    return a && s.DeleteAnimation(a);
  });
}
int32_t d3dSetTimeAS(uint32_t animationSet, float time) {
  return Flag<AnimationSet>(animationSet, [&](AnimationSet& s) { return s.SetTime(time); });
}
