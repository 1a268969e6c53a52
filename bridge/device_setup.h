// The device on a window: set-up, the device search by colour model, shades by screen depth, the
// subclass window procedure that keeps the device in step with the window, and tear-down.
#pragma once

#include <cstdint>

#include "bridge/vantrel.h"
#include "engine/device.h"
#include "platform/window.h"

namespace bridge {

// Window properties of a subclassed window: the previous procedure and the record's address.
inline constexpr const char* kPrevProcProperty = "d3dPrevProc";
inline constexpr const char* kInfoProperty = "d3dInfo";

// The device search's text and caption, shown when no device offers the wanted colour model.
inline constexpr const char* kNoColorModelText = "Specified color model is not available.";
inline constexpr const char* kNoColorModelCaption = "Vantrel.Dll";

// Makes clipper, device and viewport for the record's engine and camera on the window. On any
// failure everything is released through QuitRecord and the result is false.
bool SetUpDevice(DeviceRecord* rec, platform::HWND hwnd);

// Searches the device list for one drawing the colour model (1 mono, 2 RGB) at the screen depth;
// shows the "not available" message when there is none. True when one was found; *id is then set.
bool FindDeviceForColorModel(int32_t option, engine::DeviceId* id);

// Applies the device shades and the engine's default texture colours and shades for the screen
// depth last read. False for depth 0 or a refused setting.
bool SetShadesForScreenDepth(DeviceRecord* rec);

// The render depth flag of a device description for a screen depth; 0 for depths no device draws.
uint32_t DepthFlag(int bitsPerPixel);

// The subclass procedure: resize rebuilds the device, activate and paint reach the device; every
// message then goes on to the previous procedure.
platform::LRESULT BridgeWindowProc(platform::HWND hwnd, uint32_t msg, platform::WPARAM wParam,
                                   platform::LPARAM lParam);

// Releases scene, camera, viewport, device, engine and clipper (each if present, in that order),
// clears them and colorModel, and removes the window subclass when this record installed it.
void QuitRecord(DeviceRecord* rec);

// Module-wide state: the screen depth read at the last set-up, and the last device search.
struct SearchState {
  int screenBits = 0;
  bool found = false;
  engine::DeviceId id;
  bool hardware[2] = {false, false};  // per search: mono, RGB
};
SearchState& Search();

}  // namespace bridge
