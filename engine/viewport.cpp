#include "engine/viewport.h"

#include <algorithm>
#include <cmath>

#include "engine/device.h"
#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/pick.h"
#include "engine/render/scene_renderer.h"

namespace engine {

Viewport::Viewport(Device* device, Frame* camera)
    : Object(Kind::Viewport), device_(device), camera_(camera) {}

Viewport::~Viewport() = default;

bool Viewport::SetCamera(Frame* camera) {
  if (!camera) return false;
  camera_ = Ref<Frame>(camera);
  return true;
}

bool Viewport::Configure(int x, int y, int width, int height) {
  if (!device_ || width <= 0 || height <= 0 || x < 0 || y < 0) return false;
  if (x > device_->GetWidth() - width || y > device_->GetHeight() - height) return false;
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  return true;
}

bool Viewport::SetFront(float front) {
  if (!(front > 0.0f) || !std::isfinite(front) || !(front < back_)) return false;
  front_ = front;
  return true;
}

bool Viewport::SetBack(float back) {
  if (!std::isfinite(back) || !(back > front_)) return false;
  back_ = back;
  return true;
}

bool Viewport::SetField(float field) {
  if (!(field > 0.0f) || !std::isfinite(field)) return false;
  field_ = field;
  left_ = bottom_ = -field;
  right_ = top_ = field;
  return true;
}

bool Viewport::SetPlane(float left, float right, float bottom, float top) {
  if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(bottom) ||
      !std::isfinite(top) || !(left < right) || !(bottom < top))
    return false;
  left_ = left;
  right_ = right;
  bottom_ = bottom;
  top_ = top;
  return true;
}

bool Viewport::GetPlane(float& left, float& right, float& bottom, float& top) const {
  left = left_;
  right = right_;
  bottom = bottom_;
  top = top_;
  return true;
}

bool Viewport::SetProjection(int32_t type) {
  if (type != kProjectPerspective && type != kProjectOrthographic) return false;
  projection_ = static_cast<ProjectionType>(type);
  return true;
}

Viewport::Projection Viewport::GetProjectionParams() const {
  Projection p;
  float w = static_cast<float>(width_), h = static_cast<float>(height_);
  p.scaleX = w / (right_ - left_);
  p.scaleY = h / (top_ - bottom_);
  // Uniform scaling keeps pixels square and fits the plane's window to the shorter side, so a
  // wide viewport sees more across than down (and the room's floor, ceiling and side walls show).
  if (uniformScaling_) p.scaleX = p.scaleY = std::min(p.scaleX, p.scaleY);
  // The plane's centre sits at the viewport's centre.
  p.centerX = static_cast<float>(x_) + w * 0.5f - (left_ + right_) * 0.5f * p.scaleX;
  p.centerY = static_cast<float>(y_) + h * 0.5f + (bottom_ + top_) * 0.5f * p.scaleY;
  p.perspective = projection_ == kProjectPerspective;
  p.front = front_;
  p.back = back_;
  return p;
}

bool Viewport::Clear() {
  if (!camera_ || !device_) return false;
  render::ClearViewport(*this, camera_->GetScene());
  return true;
}

bool Viewport::Render(Frame* frame) {
  if (!camera_ || !device_ || !frame) return false;
  render::RenderScene(*this, frame);
  return true;
}

Ref<PickedArray> Viewport::Pick(int x, int y) {
  if (!camera_) return nullptr;
  return PickVisuals(*this, camera_->GetScene(), x, y);
}

bool Viewport::Transform(Vector world, float& sx, float& sy, float& depth) const {
  if (!camera_) return false;
  Vector c;
  if (!camera_->InverseTransform(world, c)) return false;
  Projection p = GetProjectionParams();
  float px = c.x, py = c.y;
  if (p.perspective) {
    if (!(c.z > 0.0f)) return false;
    px = c.x * p.front / c.z;
    py = c.y * p.front / c.z;
  }
  sx = p.centerX + px * p.scaleX;
  sy = p.centerY - py * p.scaleY;
  depth = c.z;
  return true;
}

Ref<Viewport> CreateViewport(Engine* engine, Device* device, Frame* camera, int x, int y, int width,
                             int height) {
  if (!device || !camera) return nullptr;
  Ref<Viewport> vp = Ref<Viewport>::Adopt(new Viewport(device, camera));
  if (!vp->Configure(x, y, width, height)) return nullptr;
  if (engine) engine->Adopt(vp.get());
  return vp;
}

}  // namespace engine
