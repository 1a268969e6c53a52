// A headless window owned for a scope: destroyed when its owner goes, on every path out.
#pragma once

#include <utility>

#include "platform/window.h"

namespace platform {

class ScopedWindow {
 public:
  ScopedWindow() = default;
  // A new window of the client size; get() is 0 when it could not be made.
  ScopedWindow(int width, int height) : hwnd_(CreateWindow(width, height)) {}
  ~ScopedWindow() { Reset(); }
  ScopedWindow(ScopedWindow&& other) noexcept : hwnd_(std::exchange(other.hwnd_, 0)) {}
  ScopedWindow& operator=(ScopedWindow&& other) noexcept {
    if (this != &other) {
      Reset();
      hwnd_ = std::exchange(other.hwnd_, 0);
    }
    return *this;
  }
  ScopedWindow(const ScopedWindow&) = delete;
  ScopedWindow& operator=(const ScopedWindow&) = delete;

  HWND get() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != 0; }
  // Destroys the window now (a window whose users must go first).
  void Reset() {
    if (hwnd_ != 0) DestroyWindow(std::exchange(hwnd_, 0));
  }

 private:
  HWND hwnd_ = 0;
};

}  // namespace platform
