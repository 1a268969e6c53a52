// A viewport: a rectangle of a device seen through a camera frame, with its front and back planes,
// field, projection and scaling. Clear paints the camera scene's background, Render draws a scene
// from the camera, Pick finds the visuals under a point.
#pragma once

#include <cstdint>

#include "engine/math.h"
#include "engine/object.h"
#include "engine/pickedarray.h"

namespace engine {

class Device;
class Engine;
class Frame;

enum ProjectionType : int32_t {
  kProjectPerspective = 0,
  kProjectOrthographic = 1,
};

class Viewport final : public Object {
 public:
  ~Viewport() override;

  Device* GetDevice() const { return device_.get(); }
  // The camera looks along its own +z with +y up. nullptr is refused.
  bool SetCamera(Frame* camera);
  Frame* GetCamera() const { return camera_.get(); }

  // Moves the viewport on its device; false unless the rectangle has an area and lies on the
  // device.
  bool Configure(int x, int y, int width, int height);
  int GetX() const { return x_; }
  int GetY() const { return y_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

  // Distances of the front and back planes from the camera: 0 < front < back (false otherwise).
  bool SetFront(float front);
  float GetFront() const { return front_; }
  bool SetBack(float back);
  float GetBack() const { return back_; }
  // Half the extent of the front plane's window (along the shorter side with uniform scaling);
  // sets the plane to (-field, field, -field, field). False for 0, negatives and non-finite values.
  bool SetField(float field);
  float GetField() const { return field_; }
  // The front plane's window; false unless left < right and bottom < top.
  bool SetPlane(float left, float right, float bottom, float top);
  bool GetPlane(float& left, float& right, float& bottom, float& top) const;
  bool SetProjection(int32_t type);  // ProjectionType; false otherwise
  ProjectionType GetProjection() const { return projection_; }
  // On (the default): the same scale across and down, the plane's window fitted to the shorter
  // side of the viewport (the longer side sees more). Off: each side fitted exactly.
  bool SetUniformScaling(bool on) {
    uniformScaling_ = on;
    return true;
  }
  bool GetUniformScaling() const { return uniformScaling_; }

  // Paints the viewport's rectangle with the background colour (and image) of the camera's scene
  // and clears its depth. False without a camera.
  bool Clear();
  // Draws the hierarchy below frame (normally the scene root), lit by the lights of its scene, from
  // the camera. False without a camera or frame.
  bool Render(Frame* frame);
  // The visuals drawn at device pixel (x, y) of the camera's scene, nearest first; an empty array
  // for a point outside the viewport. One reference for the caller; nullptr without a camera.
  Ref<PickedArray> Pick(int x, int y);

  // Where a world point lands: device pixel coordinates (pixel centres at +0.5) and its camera
  // depth. False when it lies behind the camera (perspective) or without a camera.
  bool Transform(Vector world, float& sx, float& sy, float& depth) const;

  // ---- For the renderer and picking ----
  // Pixels per front-plane unit across and down, and the screen point of the plane's origin.
  struct Projection {
    float scaleX, scaleY, centerX, centerY;
    bool perspective;
    float front, back;
  };
  Projection GetProjectionParams() const;

 private:
  friend Ref<Viewport> CreateViewport(Engine* engine, Device* device, Frame* camera, int x, int y,
                                      int width, int height);
  Viewport(Device* device, Frame* camera);

  Ref<Device> device_;
  Ref<Frame> camera_;
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  float front_ = 1.0f, back_ = 100.0f, field_ = 0.5f;
  float left_ = -0.5f, right_ = 0.5f, bottom_ = -0.5f, top_ = 0.5f;
  ProjectionType projection_ = kProjectPerspective;
  bool uniformScaling_ = true;
};

// A viewport on device through camera at (x, y, width, height), one reference for the caller;
// nullptr when the device or camera is missing or the rectangle does not lie on the device.
Ref<Viewport> CreateViewport(Engine* engine, Device* device, Frame* camera, int x, int y, int width,
                             int height);

}  // namespace engine
