// Headless windows: the window-system stand-in shared by the program and the bridge.
//
// A window is a 32-bit id (0 = none) in a process-wide table. It has a client size, a chain of
// window procedures, string-keyed properties, an update region and a framebuffer holding what it
// shows. Single-threaded use is assumed. Every call fails cleanly (false / 0 / nullptr) on an id
// that is 0, unknown or destroyed; ids are never reused, so a stale id stays invalid.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

using HWND = uint32_t;  // 0 = no window
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WindowProc = LRESULT (*)(HWND, uint32_t msg, WPARAM, LPARAM);

inline constexpr uint32_t WM_DESTROY = 0x0002;   // sent by DestroyWindow before the id dies
inline constexpr uint32_t WM_SIZE = 0x0005;      // lParam = width | height << 16 (16 bits each)
inline constexpr uint32_t WM_ACTIVATE = 0x0006;  // wParam: 0 inactive, 1 active
inline constexpr uint32_t WM_PAINT = 0x000F;

// Largest client width or height (the size message packs each into 16 bits).
inline constexpr int kMaxClientExtent = 32767;

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom are exclusive
};

struct PaintInfo {
  Rect paint;  // the update region being painted, in client coordinates
};

// Packs a client size into a size message's lParam.
inline LPARAM MakeSizeParam(int width, int height) {
  return static_cast<LPARAM>((static_cast<uint32_t>(width) & 0xFFFFu) |
                             ((static_cast<uint32_t>(height) & 0xFFFFu) << 16));
}

// --- Life ---
// Creates a headless window of the given client size (0..kMaxClientExtent each; else 0) whose
// procedure is DefaultWindowProc and whose framebuffer is black. The new window is invalid as a
// whole.
HWND CreateWindow(int width, int height);
// Sends WM_DESTROY through the procedure chain, then removes the window. False for a bad id.
bool DestroyWindow(HWND);
bool IsWindow(HWND);

// --- Size ---
bool GetClientSize(HWND, int* w, int* h);  // either pointer may be null
// Resizes the framebuffer (keeping the overlapping top-left part, new pixels black), invalidates
// the whole client area and sends WM_SIZE through the procedure chain. False for a bad id or size.
bool SetClientSize(HWND, int w, int h);

// --- Window procedures ---
// The procedure every window starts with: WM_PAINT validates the update region; the result is 0.
LRESULT DefaultWindowProc(HWND, uint32_t msg, WPARAM, LPARAM);
WindowProc GetWindowProc(HWND);  // nullptr for a bad id
// Installs a procedure and returns the previous one (nullptr and no change for a bad id or a null
// procedure).
WindowProc SetWindowProc(HWND, WindowProc);
// Calls proc directly (0 when proc is null); used by a subclass to pass a message on.
LRESULT CallWindowProc(WindowProc proc, HWND, uint32_t msg, WPARAM, LPARAM);
// Calls the window's current procedure; 0 for a bad id.
LRESULT SendMessage(HWND, uint32_t msg, WPARAM, LPARAM);

// --- Properties (string-keyed, pointer-sized values) ---
bool SetProp(HWND, const char* name, uintptr_t value);  // false for a bad id or a null name
uintptr_t GetProp(HWND, const char* name);              // 0 when absent
uintptr_t RemoveProp(HWND, const char* name);           // the removed value; 0 when absent

// --- Update region (kept as one bounding rectangle, clipped to the client area) ---
// Adds rect (null = whole client area) to the update region and calls the repaint hook.
bool InvalidateRect(HWND, const Rect* rect);
bool ValidateRect(HWND);  // empties the update region
// Fills *rect (may be null) with the update region; false when there is nothing to paint.
bool GetUpdateRect(HWND, Rect* rect);
// Starts painting: fills *info (may be null) with the update region and validates it, so that an
// invalidation made while painting is kept for the next round. EndPaint ends the round.
bool BeginPaint(HWND, PaintInfo* info);
bool EndPaint(HWND, const PaintInfo* info);

// --- Framebuffer: what the window shows, 0x00RRGGBB, client-sized, row-major, top row first ---
// Copies the part of pixels (width x height, strideInPixels per row) that overlaps the client area,
// starting at the top-left, invalidates the window and calls the repaint hook.
bool WriteFramebuffer(HWND, const uint32_t* pixels, int width, int height, int strideInPixels);
// Copies the whole framebuffer into out (w * h pixels); w and h may be null.
bool ReadFramebuffer(HWND, std::vector<uint32_t>& out, int* w, int* h);

// Called after the window is invalidated or its framebuffer written, so a host view can schedule a
// repaint. An empty function removes the hook.
void SetRepaintHook(HWND, std::function<void(HWND)> hook);

}  // namespace platform
