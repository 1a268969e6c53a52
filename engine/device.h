// The device: a back buffer and a z-buffer of a window's client size, the drawing settings every
// viewport on it uses, and the presentation of finished frames in the window.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/object.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace engine {

class Clipper;
class Engine;

// Colour models (the bits of a device description's colour model field).
enum ColorModel : int32_t {
  kColorModelMono = 1,  // a ramp of shades of the light colour per surface colour
  kColorModelRGB = 2,   // full colour
};

// Render bit depth flags of a device description.
enum RenderDepthFlags : uint32_t {
  kDepth1 = 0x4000,
  kDepth2 = 0x2000,
  kDepth4 = 0x1000,
  kDepth8 = 0x800,
  kDepth16 = 0x400,
  kDepth24 = 0x200,
  kDepth32 = 0x100,
};

struct DeviceId {
  uint8_t bytes[16] = {};
};

// What a device can do. Ours are software devices: the hardware fields are 0.
struct DeviceDescription {
  DeviceId id;
  const char* name = "";
  uint32_t hardwareColorModel = 0;
  uint32_t hardwareDepths = 0;
  uint32_t softwareColorModel = 0;
  uint32_t softwareDepths = 0;
};

// The devices that CreateDeviceFromClipper can make: the mono ramp device and the RGB device.
const std::vector<DeviceDescription>& EnumerateDevices();

class Device final : public Object {
 public:
  // Largest width or height of a device.
  static constexpr int kMaxExtent = 8192;

  ~Device() override;

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

  // Render quality: shade mode + lighting + fill (RenderQuality); false unless IsValidQuality.
  bool SetQuality(int32_t quality);
  int32_t GetQuality() const { return quality_; }
  // Shades of each colour in the mono model; false below 1.
  bool SetShades(int32_t shades);
  int32_t GetShades() const { return shades_; }
  bool SetDither(bool on) {
    dither_ = on;
    return true;
  }
  bool GetDither() const { return dither_; }
  // Texture quality 0..5 (nearest, linear, mip nearest, mip linear, linear mip nearest, linear
  // mip linear); false outside.
  bool SetTextureQuality(int32_t quality);
  int32_t GetTextureQuality() const { return textureQuality_; }
  int32_t GetColorModel() const { return colorModel_; }
  // True when the device draws through a 256-entry palette (a screen of 8 bits or fewer); its
  // frames are then reduced to that palette when shown.
  bool UsesPalette() const { return usesPalette_; }
  // The palette (256 entries, 0x00RRGGBB) when UsesPalette, else nullptr.
  const uint32_t* Palette() const;

  // Shows the back buffer in the window (its framebuffer) and marks the window for repainting.
  // Shows nothing when nothing was drawn since the last Update, so that a paint handler that
  // updates does not repaint for ever. False when the window is gone.
  bool Update();
  // Window notifications: activation (wParam of the activate message) and painting. The window's
  // framebuffer keeps the last frame shown, so painting has nothing to redraw.
  bool HandleActivate(uint32_t wParam);
  bool HandlePaint(const platform::PaintInfo* paint);
  bool IsActive() const { return active_; }

  // The image as shown by the last Update (or drawn since), width x height of it from the top
  // left, as a new picture with one reference (with the palette when the device uses one);
  // nullptr for a size of 0 or beyond the device.
  platform::Picture* Snapshot(int width, int height) const;

  // ---- For the renderer ----
  // The buffers, with any clear still pending done first.
  uint32_t* ColorBuffer() {
    FinishClear();
    return color_.data();
  }
  const uint32_t* ColorBuffer() const {
    FinishClear();
    return color_.data();
  }
  float* DepthBuffer() {
    FinishClear();
    return depth_.data();
  }
  // The buffers as they are, for the renderer, which does a pending clear itself.
  uint32_t* RawColorBuffer() { return color_.data(); }
  float* RawDepthBuffer() { return depth_.data(); }
  // Called after drawing into the buffers.
  void MarkDrawn() { drawn_ = true; }

  // A clear of a rectangle ([x0, x1) x [y0, y1)) to one colour and depth 0 that is left for the
  // renderer to do band by band as it draws, so that each band is still in the core's cache when
  // it is drawn on. Whatever reads or writes the buffers otherwise does it first (FinishClear).
  struct Clear {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    uint32_t color = 0;  // 0x00RRGGBB
  };
  // Leaves c pending; one pending before is done first.
  void DeferClear(const Clear& c);
  // Hands the pending clear to the caller, who must do it; false when none is pending.
  bool TakeClear(Clear& c);
  // Does the pending clear now, if any.
  void FinishClear() const;

 private:
  friend Ref<Device> CreateDeviceFromClipper(Engine* engine, Clipper* clipper, const DeviceId* id,
                                             int width, int height);
  Device(platform::HWND hwnd, int width, int height, int32_t colorModel);

  platform::HWND hwnd_;
  int width_, height_;
  std::vector<uint32_t> color_;  // 0x00RRGGBB
  std::vector<float> depth_;     // larger is nearer
  std::vector<uint32_t> shown_;  // scratch for palette reduction
  int32_t quality_ = 136;        // flat, lit, solid
  int32_t shades_ = 32;
  bool dither_ = true;
  int32_t textureQuality_ = 0;
  int32_t colorModel_;
  bool usesPalette_ = false;
  bool active_ = true;
  bool drawn_ = true;
  bool clearPending_ = false;
  Clear pending_;
};

// Clears rows [rowBegin, rowEnd) of c's rectangle in a buffer pair of `pitch` pixels per row.
void ClearRows(const Device::Clear& c, uint32_t* color, float* depth, int pitch, int rowBegin,
               int rowEnd);

// A device on the clipper's window at width x height (normally the client size), one reference for
// the caller. id chooses one of EnumerateDevices (nullptr: the RGB device). nullptr when the
// clipper has no live window, the size is not within 1..Device::kMaxExtent, or the id is unknown.
Ref<Device> CreateDeviceFromClipper(Engine* engine, Clipper* clipper, const DeviceId* id, int width,
                                    int height);

}  // namespace engine
