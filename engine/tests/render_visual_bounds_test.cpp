// Visuals are put on the screen by their boxes before their faces: one wholly outside the view is
// left out, and each band of rows draws only the visuals that reach it. A visual that shows only in
// part, or reaches behind the camera, must still be drawn as before, on one thread or on several.
#include <gtest/gtest.h>

#include "engine/device.h"
#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/meshbuilder.h"
#include "engine/render/raster_pool.h"
#include "engine/viewport.h"
#include "platform/window.h"

namespace engine {
namespace {

constexpr int kSize = 64;

class VisualBoundsTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    render::SetRenderThreads(GetParam());
    window_ = platform::CreateWindow(kSize, kSize);
    scene_ = engine_->CreateFrame(nullptr);
    camera_ = engine_->CreateFrame(scene_.get());
    Ref<Clipper> clipper = CreateClipper(window_);
    device_ = CreateDeviceFromClipper(engine_.get(), clipper.get(), nullptr, kSize, kSize);
    viewport_ = CreateViewport(engine_.get(), device_.get(), camera_.get(), 0, 0, kSize, kSize);
    viewport_->SetBack(100);
  }
  void TearDown() override {
    viewport_.reset();
    device_.reset();
    platform::DestroyWindow(window_);
    render::SetRenderThreads(0);
  }

  // An unlit white rectangle facing the camera, from (x0, y0) to (x1, y1) at depth z.
  void Rect(float x0, float y0, float x1, float y1, float z) {
    Ref<MeshBuilder> b = engine_->CreateMeshBuilder();
    b->AddVertex({x0, y0, z});
    b->AddVertex({x0, y1, z});
    b->AddVertex({x1, y1, z});
    b->AddVertex({x1, y0, z});
    b->AddFaceIndexed({{0, -1}, {1, -1}, {2, -1}, {3, -1}});
    b->SetQuality(kShadeFlat + kLightOff + kFillSolid);
    scene_->AddVisual(b.get());
  }

  // How many pixels are drawn (not black).
  int Drawn() {
    viewport_->Clear();
    viewport_->Render(scene_.get());
    int n = 0;
    for (int i = 0; i < kSize * kSize; ++i) n += (device_->ColorBuffer()[i] & 0xFFFFFF) != 0;
    return n;
  }

  platform::HWND window_ = 0;
  Ref<Engine> engine_ = Engine::Create();
  Ref<Frame> scene_, camera_;
  Ref<Device> device_;
  Ref<Viewport> viewport_;
};

TEST_P(VisualBoundsTest, VisualsPartlyInViewAreDrawnAndOthersAreNot) {
  // Wholly beside, above, below the view and beyond the back plane: nothing.
  Rect(-100, -1, -90, 1, 10);
  Rect(90, -1, 100, 1, 10);
  Rect(-1, 90, 1, 100, 10);
  Rect(-1, -100, 1, -90, 10);
  Rect(-1, -1, 1, 1, 150);
  EXPECT_EQ(Drawn(), 0);
  // Half off each edge: the half inside shows.
  Rect(-100, -0.5f, 0, 0.5f, 10);
  const int left = Drawn();
  EXPECT_GT(left, 0);
  Rect(0, -100, 0.5f, 0, 10);
  const int leftAndBottom = Drawn();
  EXPECT_GT(leftAndBottom, left);
  // Reaching from behind the camera past its front plane, and from near through the back plane.
  Rect(1, 1, 2, 2, -5);  // wholly behind: nothing more
  EXPECT_EQ(Drawn(), leftAndBottom);
  Ref<MeshBuilder> floor = engine_->CreateMeshBuilder();
  floor->AddVertex({-1, -1, -50});
  floor->AddVertex({-1, -1, 50});
  floor->AddVertex({1, -1, 50});
  floor->AddVertex({1, -1, -50});
  floor->AddFaceIndexed({{0, -1}, {1, -1}, {2, -1}, {3, -1}});
  floor->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  scene_->AddVisual(floor.get());
  const int withFloor = Drawn();
  EXPECT_GT(withFloor, leftAndBottom);
  Rect(-0.5f, 2, 0.5f, 3, 150);
  Ref<MeshBuilder> wall = engine_->CreateMeshBuilder();  // across the back plane, upright
  wall->AddVertex({0.6f, 0.2f, 50});
  wall->AddVertex({0.6f, 0.8f, 50});
  wall->AddVertex({0.6f, 0.8f, 200});
  wall->AddVertex({0.6f, 0.2f, 200});
  wall->AddFaceIndexed({{3, -1}, {2, -1}, {1, -1}, {0, -1}});
  wall->AddFaceIndexed({{0, -1}, {1, -1}, {2, -1}, {3, -1}});
  wall->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  scene_->AddVisual(wall.get());
  EXPECT_GT(Drawn(), withFloor);
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoThreads, VisualBoundsTest, ::testing::Values(1, 2));

}  // namespace
}  // namespace engine
