// Shared pieces of the tests that run against the real libvantrel.so: a check that the library is
// complete, and a fixture with a headless window and recording host services.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/window.h"
#include "scene/scene.h"
#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"

namespace kubisto::testing {

// The name of every export the program declares.
inline const std::vector<const char*>& DeclaredExports() {
  static const std::vector<const char*> names = {
#define KUBISTO_VANTREL_EXPORT(name) #name,
#include "scene/vantrel_exports.inc"
#undef KUBISTO_VANTREL_EXPORT
  };
  return names;
}

// True when the bridge library loads and has every declared export.
inline bool BridgeComplete() {
  try {
    for (const char* name : DeclaredExports()) vantrel::Resolve(name);
  } catch (const BindingError&) {
    return false;
  }
  return true;
}

// Every test on the library needs all of it: a missing export is a fault of the build.
#define REQUIRE_BRIDGE()                            \
  ASSERT_TRUE(::kubisto::testing::BridgeComplete()) \
      << "libvantrel.so does not load or lacks exports"

// A headless window, recording services and a root object set up on the window.
class SceneTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 120;

  void SetUp() override {
    setServices(&host);
    window = platform::CreateWindow(kWidth, kHeight);
    ASSERT_NE(window, 0u);
    REQUIRE_BRIDGE();
    rm = std::make_unique<Direct3DRM>();
    ASSERT_TRUE(rm->Init(window));
  }

  void TearDown() override {
    rm.reset();
    platform::DestroyWindow(window);
    setServices(nullptr);
  }

  RecordingServices host;
  platform::HWND window = 0;
  std::unique_ptr<Direct3DRM> rm;
};

}  // namespace kubisto::testing

namespace kubisto::testing {

// Writes a 24-bit BMP of the given size (a grey ramp) and returns its path.
inline std::string WriteBitmap(const std::string& name, int width, int height) {
  const std::string path = ProgramTempFolder().File(name);
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t imageSize = static_cast<uint32_t>(stride * height);
  std::vector<unsigned char> file(54 + imageSize, 0);
  auto put32 = [&file](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  file[26] = 1;   // planes
  file[28] = 24;  // bits per pixel
  put32(34, imageSize);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * 3; ++x)
      file[54 + y * stride + x] = static_cast<unsigned char>(x + y);
  }
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return path;
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  return path;
}

}  // namespace kubisto::testing
