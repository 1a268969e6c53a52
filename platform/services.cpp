// Host services and their headless defaults.
#include "platform/services.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {

// The classic desktop scheme, as Windows colour values (0x00BBGGRR).
constexpr uint32_t kClassicColors[kSysColorCount] = {
    0x00C0C0C0,  // 0 scroll bar
    0x00808000,  // 1 desktop (teal)
    0x00800000,  // 2 active caption (navy)
    0x00808080,  // 3 inactive caption
    0x00C0C0C0,  // 4 menu
    0x00FFFFFF,  // 5 window
    0x00000000,  // 6 window frame
    0x00000000,  // 7 menu text
    0x00000000,  // 8 window text
    0x00FFFFFF,  // 9 caption text
    0x00C0C0C0,  // 10 active border
    0x00C0C0C0,  // 11 inactive border
    0x00808080,  // 12 application workspace
    0x00800000,  // 13 highlight
    0x00FFFFFF,  // 14 highlight text
    0x00C0C0C0,  // 15 button face
    0x00808080,  // 16 button shadow
    0x00808080,  // 17 grey text
    0x00000000,  // 18 button text
    0x00C0C0C0,  // 19 inactive caption text
    0x00FFFFFF,  // 20 button highlight
    0x00000000,  // 21 3D dark shadow
    0x00C0C0C0,  // 22 3D light
    0x00000000,  // 23 tooltip text
    0x00E1FFFF,  // 24 tooltip background
    0x00000000,  // 25 (unused)
    0x00FF0000,  // 26 hot-tracked item
    0x00D08410,  // 27 active caption gradient
    0x00B5B5B5,  // 28 inactive caption gradient
    0x00800000,  // 29 menu highlight
    0x00C0C0C0,  // 30 menu bar
};

struct Services {
  MessageBoxHandler messageBox;
  std::function<void()> processMessages;
  std::function<uint32_t(int)> sysColor;
  int screenBits = 32;
};

Services& services() {
  static Services* s =
      new Services;  // never destroyed: services may be called during static destruction
  return *s;
}

}  // namespace

int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned flags) {
  if (auto& handler = services().messageBox) return handler(owner, text, caption, flags);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return IDOK;
}

void SetMessageBoxHandler(MessageBoxHandler handler) { services().messageBox = std::move(handler); }

void ProcessPendingMessages() {
  if (auto& handler = services().processMessages) handler();
}

void SetProcessMessagesHandler(std::function<void()> handler) {
  services().processMessages = std::move(handler);
}

uint32_t GetSysColor(int index) {
  if (auto& handler = services().sysColor) return handler(index);
  if (index < 0 || index >= kSysColorCount) return 0;
  return kClassicColors[index];
}

void SetSysColorHandler(std::function<uint32_t(int)> handler) {
  services().sysColor = std::move(handler);
}

int GetScreenBitsPerPixel() { return services().screenBits; }

void SetScreenBitsPerPixel(int bits) { services().screenBits = bits; }

}  // namespace platform
