// A headless window, a device record on it, and the platform services observed: what every bridge
// test starts from.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/window.h"
#include "tests/support/temp_folder.h"
#include "vantrel_library.h"

struct ShownMessage {
  platform::HWND owner;
  std::string text, caption;
  unsigned flags;
};

class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetScreenBitsPerPixel(32);
    platform::SetMessageBoxHandler([this](platform::HWND owner, const std::string& text,
                                          const std::string& caption, unsigned flags) {
      messages.push_back({owner, text, caption, flags});
      return platform::IDOK;
    });
  }

  void TearDown() override {
    VT(d3dQuit)(&rec);
    for (platform::HWND w : windows) platform::DestroyWindow(w);
    platform::SetMessageBoxHandler(nullptr);
    platform::SetScreenBitsPerPixel(32);
  }

  platform::HWND MakeWindow(int width, int height) {
    platform::HWND w = platform::CreateWindow(width, height);
    windows.push_back(w);
    return w;
  }

  // A record set up on a new window of that size.
  void Init(int width = 160, int height = 120, int32_t colorModel = 0) {
    hwnd = MakeWindow(width, height);
    ASSERT_EQ(VT(d3dInit)(hwnd, &rec, colorModel), 1);
    ASSERT_NE(rec.device, 0u);
  }

  // A frame that no longer lives: made below the scene, taken out of it and released.
  uint32_t DeadFrame() {
    uint32_t f = VT(d3dCreateFrame)(&rec, 0);
    VT(d3dDeleteChild)(rec.scene, f);
    EXPECT_EQ(VT(d3dRelease)(f), 1);
    return f;
  }

  // A pixel of what the window shows (0x00RRGGBB).
  uint32_t WindowPixel(int x, int y) {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    if (!platform::ReadFramebuffer(hwnd, pixels, &w, &h) || x >= w || y >= h) return 0xDEADBEEF;
    return pixels[static_cast<size_t>(y) * w + x];
  }

  DeviceRecord rec{};
  platform::HWND hwnd = 0;
  std::vector<platform::HWND> windows;
  std::vector<ShownMessage> messages;
};

// A 2 x 2 24-bit picture file for loading textures.
inline std::string WriteSmallBmp() {
  // In the test program's own folder: ctest runs tests in parallel, and a file rewritten under a
  // reader fails.
  std::string path = kubisto::testing::ProgramTempFolder().File("small.bmp");
  const unsigned char file[] = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,  // info
                                                                     // header
      16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 255, 0,
      0, 0,                             // bottom row: red, green, padding
      255, 0, 0, 255, 255, 255, 0, 0};  // top row: blue, white, padding
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file), sizeof file);
  return path;
}

inline int Red(uint32_t rgb) { return (rgb >> 16) & 0xFF; }
inline int Green(uint32_t rgb) { return (rgb >> 8) & 0xFF; }
inline int Blue(uint32_t rgb) { return rgb & 0xFF; }
