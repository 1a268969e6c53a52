// Shared pieces of the tests that run against the real libvantrel.so: host services that record
// what the scene classes ask of them, and a fixture with a headless window.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/window.h"
#include "scene/scene.h"

namespace kubisto::testing {

class RecordingServices final : public Services {
 public:
  struct Box {
    std::string text;
    int style;
    std::string caption;
  };
  std::vector<Box> boxes;
  int doEvents = 0;

  RecordingServices() {
    setServices(nullptr);
    title_ = services().AppTitle();
  }

  int MessageBox(const std::string& text, int style, const std::string& caption) override {
    boxes.push_back({text, style, caption});
    return vbOK;
  }
  void DoEvents() override { ++doEvents; }
  void PlayWave(const std::string&, bool) override {}
  // Death tests look for this line and the exit code 0.
  [[noreturn]] void EndProgram() override {
    std::fputs("program ended\n", stderr);
    std::fflush(stderr);
    std::_Exit(0);
  }
  std::string ProgramDir() override { return "."; }
  std::string AppTitle() override { return title_; }
  bool SetClipboardPicture(const platform::Picture&) override { return false; }

 private:
  std::string title_;
};

// True when the bridge library has every named export (it lands in stages).
inline bool HasExports(std::initializer_list<const char*> names) {
  try {
    for (const char* name : names) vantrel::Resolve(name);
  } catch (const BindingError&) {
    return false;
  }
  return true;
}

#define REQUIRE_EXPORTS(...)                                        \
  if (!::kubisto::testing::HasExports({__VA_ARGS__})) {             \
    GTEST_SKIP() << "the bridge library lacks an export this needs"; \
  }

// A headless window, recording services and a root object set up on the window.
class SceneTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 120;

  void SetUp() override {
    setServices(&host);
    window = platform::CreateWindow(kWidth, kHeight);
    ASSERT_NE(window, 0u);
    REQUIRE_EXPORTS("d3dInit", "d3dQuit", "d3dRelease", "d3dCreateFrame", "d3dCreateMeshBuilder");
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
