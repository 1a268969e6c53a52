#include "engine/animation.h"

#include <algorithm>
#include <cmath>

#include "engine/frame.h"

namespace engine {
namespace {

template <class V>
void InsertKey(std::vector<Animation::Key<V>>& keys, float t, const V& value) {
  auto it = std::lower_bound(keys.begin(), keys.end(), t,
                             [](const Animation::Key<V>& k, float time) { return k.time < time; });
  if (it != keys.end() && it->time == t)
    it->value = value;
  else
    keys.insert(it, {t, value});
}

template <class V>
bool EraseKeys(std::vector<Animation::Key<V>>& keys, float t) {
  auto n = keys.size();
  std::erase_if(keys, [t](const Animation::Key<V>& k) { return k.time == t; });
  return keys.size() != n;
}

// The index i of the segment [keys[i], keys[i+1]] holding t and the fraction within it; keys has at
// least two entries and t lies within their span.
template <class V>
size_t Segment(const std::vector<Animation::Key<V>>& keys, float t, float& f) {
  auto it = std::upper_bound(keys.begin(), keys.end(), t,
                             [](float time, const Animation::Key<V>& k) { return time < k.time; });
  size_t i = it == keys.begin() ? 0 : static_cast<size_t>(it - keys.begin()) - 1;
  if (i + 1 >= keys.size()) i = keys.size() - 2;
  float span = keys[i + 1].time - keys[i].time;
  f = span > 0 ? std::clamp((t - keys[i].time) / span, 0.0f, 1.0f) : 0.0f;
  return i;
}

Vector Lerp(Vector a, Vector b, float f) { return a + (b - a) * f; }

// Catmull-Rom through the keys around the segment.
Vector Spline(Vector p0, Vector p1, Vector p2, Vector p3, float f) {
  float f2 = f * f, f3 = f2 * f;
  return (p1 * 2.0f + (p2 - p0) * f + (p0 * 2.0f - p1 * 5.0f + p2 * 4.0f - p3) * f2 +
          (p1 * 3.0f - p0 - p2 * 3.0f + p3) * f3) *
         0.5f;
}

Vector VectorAt(const std::vector<Animation::Key<Vector>>& keys, float t, bool spline) {
  if (keys.size() == 1 || t <= keys.front().time) return keys.front().value;
  if (t >= keys.back().time) return keys.back().value;
  float f;
  size_t i = Segment(keys, t, f);
  if (!spline) return Lerp(keys[i].value, keys[i + 1].value, f);
  Vector p0 = keys[i > 0 ? i - 1 : i].value;
  Vector p3 = keys[i + 2 < keys.size() ? i + 2 : i + 1].value;
  return Spline(p0, keys[i].value, keys[i + 1].value, p3, f);
}

Quaternion RotationAt(const std::vector<Animation::Key<Quaternion>>& keys, float t) {
  if (keys.size() == 1 || t <= keys.front().time) return keys.front().value;
  if (t >= keys.back().time) return keys.back().value;
  float f;
  size_t i = Segment(keys, t, f);
  return Slerp(keys[i].value, keys[i + 1].value, f);
}

}  // namespace

Animation::Animation() : Object(Kind::Animation) {}
Animation::~Animation() = default;

Object* Animation::Clone() const {
  auto* a = new Animation;
  CopyBaseTo(*a);
  a->options_ = options_;
  a->positions_ = positions_;
  a->scales_ = scales_;
  a->rotations_ = rotations_;
  a->frame_ = frame_;
  return a;
}

bool Animation::SetOptions(int32_t options) {
  constexpr int32_t kAll = kAnimationOpen | kAnimationClosed | kAnimationLinearPosition |
                           kAnimationSplinePosition | kAnimationScaleAndRotation |
                           kAnimationPosition;
  if (options & ~kAll) return false;
  if ((options & kAnimationOpen) && (options & kAnimationClosed)) return false;
  if ((options & kAnimationLinearPosition) && (options & kAnimationSplinePosition)) return false;
  options_ = options;
  return true;
}

bool Animation::AddPositionKey(float t, Vector p) {
  if (!std::isfinite(t) || !std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
    return false;
  InsertKey(positions_, t, p);
  return true;
}

bool Animation::AddScaleKey(float t, Vector s) {
  if (!std::isfinite(t) || !std::isfinite(s.x) || !std::isfinite(s.y) || !std::isfinite(s.z))
    return false;
  InsertKey(scales_, t, s);
  return true;
}

bool Animation::AddRotateKey(float t, const Quaternion& q) {
  float len = std::sqrt(q.s * q.s + Dot(q.v, q.v));
  if (!std::isfinite(t) || !(len > 0) || !std::isfinite(len)) return false;
  InsertKey(rotations_, t, Quaternion{q.s / len, q.v * (1.0f / len)});
  return true;
}

bool Animation::DeleteKey(float t) {
  bool a = EraseKeys(positions_, t);
  bool b = EraseKeys(scales_, t);
  bool c = EraseKeys(rotations_, t);
  return a || b || c;
}

bool Animation::SetFrame(Frame* frame) {
  frame_ = WeakRef<Frame>(frame);
  return true;
}

Frame* Animation::GetFrame() const { return frame_.get(); }

float Animation::WrapTime(float t) const {
  if (options_ & kAnimationOpen) return t;  // outside the keys the ends hold
  float first = INFINITY, last = -INFINITY;
  auto span = [&](auto& keys) {
    if (keys.empty()) return;
    first = std::min(first, keys.front().time);
    last = std::max(last, keys.back().time);
  };
  span(positions_);
  span(scales_);
  span(rotations_);
  if (!(last > first)) return t;
  float r = std::fmod(t - first, last - first);
  if (r < 0) r += last - first;
  return first + r;
}

bool Animation::SetTime(float t) {
  Frame* frame = frame_.get();
  if (!frame || !std::isfinite(t)) return false;
  t = WrapTime(t);
  Matrix m = frame->LocalTransform();
  if (options_ & kAnimationScaleAndRotation) {
    Matrix turn;
    bool changed = false;
    if (!scales_.empty()) {
      turn = Matrix::Scaling(VectorAt(scales_, t, false));
      changed = true;
    } else {
      // Keep the frame's present scale when there are no scale keys.
      turn = Matrix::Scaling({Length(m.Row(0)), Length(m.Row(1)), Length(m.Row(2))});
    }
    if (!rotations_.empty()) {
      turn = turn * RotationMatrix(RotationAt(rotations_, t));
      changed = true;
    } else {
      for (int i = 0; i < 3; ++i) {
        Vector axis;
        if (Normalize(m.Row(i), axis)) turn.SetRow(i, axis * Length(turn.Row(i)));
      }
    }
    if (changed)
      for (int i = 0; i < 3; ++i) m.SetRow(i, turn.Row(i));
  }
  if ((options_ & kAnimationPosition) && !positions_.empty())
    m.SetRow(3, VectorAt(positions_, t, options_ & kAnimationSplinePosition));
  frame->AddTransform(kCombineReplace, m);
  return true;
}

AnimationSet::AnimationSet() : Object(Kind::AnimationSet) {}
AnimationSet::~AnimationSet() = default;

bool AnimationSet::AddAnimation(Animation* a) {
  if (!a || std::find(animations_.begin(), animations_.end(), a) != animations_.end()) return false;
  animations_.emplace_back(a);
  return true;
}

bool AnimationSet::DeleteAnimation(Animation* a) {
  auto it = std::find(animations_.begin(), animations_.end(), a);
  if (!a || it == animations_.end()) return false;
  animations_.erase(it);
  return true;
}

bool AnimationSet::SetTime(float t) {
  bool ok = true;
  for (auto& a : animations_) ok = a->SetTime(t) && ok;
  return ok;
}

}  // namespace engine
