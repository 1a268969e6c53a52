// The process-wide window table and the calls on it.
//
// No call keeps a pointer into the table across a call into user code (a window procedure or a
// repaint hook): such code may create, resize or destroy windows, including the one being served.
#include "platform/window.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace platform {
namespace {

struct Window {
  int width = 0;
  int height = 0;
  WindowProc proc = &DefaultWindowProc;
  std::map<std::string, uintptr_t, std::less<>> props;
  bool dirty = false;  // the update region is not empty
  Rect update;
  std::vector<uint32_t> framebuffer;
  std::function<void(HWND)> repaintHook;
};

struct Table {
  std::recursive_mutex lock;
  std::map<HWND, std::unique_ptr<Window>> windows;
  HWND lastId = 0;
};

Table& table() {
  static Table* t = new Table;  // never destroyed: windows may be touched during static destruction
  return *t;
}

// The window of an id, or null. Callers hold the table lock while they use the result.
Window* find(HWND id) {
  auto& windows = table().windows;
  auto it = windows.find(id);
  return it == windows.end() ? nullptr : it->second.get();
}

bool validExtent(int w, int h) {
  return w >= 0 && h >= 0 && w <= kMaxClientExtent && h <= kMaxClientExtent;
}

// Adds r (clipped to the client area) to the update region. An empty client area has nothing to
// paint.
void addToUpdate(Window& w, Rect r) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, w.width);
  r.bottom = std::min(r.bottom, w.height);
  if (r.left >= r.right || r.top >= r.bottom) return;
  if (!w.dirty) {
    w.update = r;
    w.dirty = true;
    return;
  }
  w.update.left = std::min(w.update.left, r.left);
  w.update.top = std::min(w.update.top, r.top);
  w.update.right = std::max(w.update.right, r.right);
  w.update.bottom = std::max(w.update.bottom, r.bottom);
}

void callRepaintHook(HWND id) {
  std::function<void(HWND)> hook;
  {
    std::lock_guard guard(table().lock);
    Window* w = find(id);
    if (!w || !w->repaintHook) return;
    hook = w->repaintHook;  // a copy: the hook may replace itself or destroy the window
  }
  hook(id);
}

}  // namespace

HWND CreateWindow(int width, int height) {
  if (!validExtent(width, height)) return 0;
  auto w = std::make_unique<Window>();
  w->width = width;
  w->height = height;
  w->framebuffer.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  addToUpdate(*w, Rect{0, 0, width, height});
  std::lock_guard guard(table().lock);
  Table& t = table();
  HWND id = t.lastId + 1;
  while (id == 0 || t.windows.count(id)) ++id;  // only after 2^32 windows
  t.lastId = id;
  t.windows.emplace(id, std::move(w));
  return id;
}

bool DestroyWindow(HWND id) {
  if (!IsWindow(id)) return false;
  SendMessage(id, WM_DESTROY, 0, 0);
  std::lock_guard guard(table().lock);
  return table().windows.erase(id) == 1;  // the procedure may have destroyed it already
}

bool IsWindow(HWND id) {
  std::lock_guard guard(table().lock);
  return find(id) != nullptr;
}

bool GetClientSize(HWND id, int* width, int* height) {
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w) return false;
  if (width) *width = w->width;
  if (height) *height = w->height;
  return true;
}

bool SetClientSize(HWND id, int width, int height) {
  if (!validExtent(width, height)) return false;
  {
    std::lock_guard guard(table().lock);
    Window* w = find(id);
    if (!w) return false;
    std::vector<uint32_t> resized(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const int rows = std::min(height, w->height), cols = std::min(width, w->width);
    for (int y = 0; y < rows; ++y) {
      std::copy_n(w->framebuffer.begin() + static_cast<ptrdiff_t>(y) * w->width, cols,
                  resized.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    w->framebuffer = std::move(resized);
    w->width = width;
    w->height = height;
    w->dirty = false;
    addToUpdate(*w, Rect{0, 0, width, height});
  }
  SendMessage(id, WM_SIZE, 0, MakeSizeParam(width, height));
  callRepaintHook(id);
  return true;
}

LRESULT DefaultWindowProc(HWND id, uint32_t msg, WPARAM, LPARAM) {
  if (msg == WM_PAINT) ValidateRect(id);
  return 0;
}

WindowProc GetWindowProc(HWND id) {
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  return w ? w->proc : nullptr;
}

WindowProc SetWindowProc(HWND id, WindowProc proc) {
  if (!proc) return nullptr;
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w) return nullptr;
  return std::exchange(w->proc, proc);
}

LRESULT CallWindowProc(WindowProc proc, HWND id, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(id, msg, wParam, lParam) : 0;
}

LRESULT SendMessage(HWND id, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  WindowProc proc = GetWindowProc(id);
  return CallWindowProc(proc, id, msg, wParam, lParam);
}

bool SetProp(HWND id, const char* name, uintptr_t value) {
  if (!name) return false;
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w) return false;
  w->props[name] = value;
  return true;
}

uintptr_t GetProp(HWND id, const char* name) {
  if (!name) return 0;
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w) return 0;
  auto it = w->props.find(std::string_view(name));
  return it == w->props.end() ? 0 : it->second;
}

uintptr_t RemoveProp(HWND id, const char* name) {
  if (!name) return 0;
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w) return 0;
  auto it = w->props.find(std::string_view(name));
  if (it == w->props.end()) return 0;
  uintptr_t value = it->second;
  w->props.erase(it);
  return value;
}

bool InvalidateRect(HWND id, const Rect* rect) {
  {
    std::lock_guard guard(table().lock);
    Window* w = find(id);
    if (!w) return false;
    addToUpdate(*w, rect ? *rect : Rect{0, 0, w->width, w->height});
  }
  callRepaintHook(id);
  return true;
}

bool ValidateRect(HWND id) {
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w) return false;
  w->dirty = false;
  w->update = Rect{};
  return true;
}

bool GetUpdateRect(HWND id, Rect* rect) {
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w || !w->dirty) {
    if (rect) *rect = Rect{};
    return false;
  }
  if (rect) *rect = w->update;
  return true;
}

bool BeginPaint(HWND id, PaintInfo* info) {
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w) return false;
  if (info) info->paint = w->dirty ? w->update : Rect{};
  w->dirty = false;
  w->update = Rect{};
  return true;
}

bool EndPaint(HWND id, const PaintInfo*) { return IsWindow(id); }

bool WriteFramebuffer(HWND id, const uint32_t* pixels, int width, int height, int strideInPixels) {
  if (!pixels || width < 0 || height < 0 || strideInPixels < width) return false;
  {
    std::lock_guard guard(table().lock);
    Window* w = find(id);
    if (!w) return false;
    const int rows = std::min(height, w->height), cols = std::min(width, w->width);
    for (int y = 0; y < rows; ++y) {
      std::copy_n(pixels + static_cast<ptrdiff_t>(y) * strideInPixels, cols,
                  w->framebuffer.begin() + static_cast<ptrdiff_t>(y) * w->width);
    }
    addToUpdate(*w, Rect{0, 0, w->width, w->height});
  }
  callRepaintHook(id);
  return true;
}

bool ReadFramebuffer(HWND id, std::vector<uint32_t>& out, int* width, int* height) {
  std::lock_guard guard(table().lock);
  Window* w = find(id);
  if (!w) return false;
  out = w->framebuffer;
  if (width) *width = w->width;
  if (height) *height = w->height;
  return true;
}

void SetRepaintHook(HWND id, std::function<void(HWND)> hook) {
  std::lock_guard guard(table().lock);
  if (Window* w = find(id)) w->repaintHook = std::move(hook);
}

}  // namespace platform
