// A viewport's clear is left for the drawing that follows to do band by band. Whatever happens in
// between, the device must show what clearing first and drawing after would show: a clear read
// back before any drawing, viewports cleared and drawn in turn on one device, a drawing that
// cannot happen, and a big view drawn in cache-sized bands.
#include <gtest/gtest.h>

#include <vector>

#include "engine/device.h"
#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/meshbuilder.h"
#include "engine/render/scene_renderer.h"
#include "engine/tests/support/room_scene.h"
#include "engine/viewport.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace engine {
namespace {

constexpr Color kSky = 0xFF204060u;
constexpr uint32_t kSkyPixel = 0x204060u;
constexpr Color kRed = 0xFFFF0000u;

// A device of w x h with a camera at the origin looking along +z into a scene with kSky behind,
// and a red square ahead that covers the middle of the view.
struct TwoViews {
  platform::HWND window = 0;
  Ref<Engine> engine = Engine::Create();
  Ref<Frame> scene, camera;
  Ref<Device> device;

  TwoViews(int w, int h) {
    window = platform::CreateWindow(w, h);
    scene = engine->CreateFrame(nullptr);
    scene->SetSceneBackground(kSky);
    camera = engine->CreateFrame(scene.get());
    Ref<Clipper> clipper = CreateClipper(window);
    device = CreateDeviceFromClipper(engine.get(), clipper.get(), nullptr, w, h);
    device->SetQuality(kShadeFlat + kLightOff + kFillSolid);
    Ref<MeshBuilder> b = engine->CreateMeshBuilder();
    const float z = 10, s = 2;
    for (Vector v : {Vector{-s, -s, z}, Vector{-s, s, z}, Vector{s, s, z}, Vector{s, -s, z}})
      b->AddVertex(v);
    const int32_t n = b->AddNormal({0, 0, -1});
    b->AddFaceIndexed({{0, n}, {1, n}, {2, n}, {3, n}});
    b->SetColor(kRed);
    b->SetQuality(kShadeFlat + kLightOff + kFillSolid);  // unlit: plain red
    scene->AddVisual(b.get());
  }
  ~TwoViews() {
    device.reset();
    platform::DestroyWindow(window);
  }
  Ref<Viewport> View(int x, int y, int w, int h) {
    return CreateViewport(engine.get(), device.get(), camera.get(), x, y, w, h);
  }
  uint32_t At(int x, int y) const {
    return device->ColorBuffer()[static_cast<size_t>(y) * device->GetWidth() + x] & 0xFFFFFF;
  }
  float DepthAt(int x, int y) {
    return device->DepthBuffer()[static_cast<size_t>(y) * device->GetWidth() + x];
  }
};

TEST(PendingClearTest, AClearedViewReadsAsClearedBeforeAnyDrawing) {
  TwoViews s(40, 30);
  Ref<Viewport> v = s.View(0, 0, 40, 30);
  // Something drawn first, so that an undone clear would show.
  ASSERT_TRUE(v->Clear());
  ASSERT_TRUE(v->Render(s.scene.get()));
  ASSERT_EQ(s.At(20, 15), 0xFF0000u);
  ASSERT_GT(s.DepthAt(20, 15), 0.0f);

  // The window, a snapshot and the buffers all see the clear.
  ASSERT_TRUE(v->Clear());
  ASSERT_TRUE(s.device->Update());
  std::vector<uint32_t> shown;
  int w = 0, h = 0;
  ASSERT_TRUE(platform::ReadFramebuffer(s.window, shown, &w, &h));
  EXPECT_EQ(shown[static_cast<size_t>(15) * w + 20] & 0xFFFFFF, kSkyPixel);
  ASSERT_TRUE(v->Render(s.scene.get()));
  ASSERT_TRUE(v->Clear());
  platform::Picture* pic = s.device->Snapshot(40, 30);
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->pixels()[15 * 40 + 20] & 0xFFFFFF, kSkyPixel);
  pic->Release();
  ASSERT_TRUE(v->Render(s.scene.get()));
  ASSERT_TRUE(v->Clear());
  EXPECT_EQ(s.At(20, 15), kSkyPixel);
  EXPECT_EQ(s.DepthAt(20, 15), 0.0f);
}

TEST(PendingClearTest, ViewportsClearedAndDrawnInTurnKeepEachOthersPixels) {
  TwoViews s(80, 30);
  Ref<Viewport> left = s.View(0, 0, 40, 30), right = s.View(40, 0, 40, 30);
  // Both cleared before either is drawn: the second clear must not lose the first.
  ASSERT_TRUE(left->Clear());
  ASSERT_TRUE(right->Clear());
  ASSERT_TRUE(left->Render(s.scene.get()));
  ASSERT_TRUE(right->Render(s.scene.get()));
  EXPECT_EQ(s.At(20, 15), 0xFF0000u);
  EXPECT_EQ(s.At(60, 15), 0xFF0000u);
  EXPECT_EQ(s.At(1, 1), kSkyPixel);
  EXPECT_EQ(s.At(41, 1), kSkyPixel);

  // A clear of one leaves the other's drawing alone, drawn or not.
  ASSERT_TRUE(right->Clear());
  EXPECT_EQ(s.At(20, 15), 0xFF0000u);
  EXPECT_EQ(s.At(60, 15), kSkyPixel);
  ASSERT_TRUE(left->Clear());
  ASSERT_TRUE(left->Render(s.scene.get()));
  EXPECT_EQ(s.At(20, 15), 0xFF0000u);
  EXPECT_EQ(s.At(60, 15), kSkyPixel);
}

TEST(PendingClearTest, AViewThatCannotBeDrawnStillShowsItsClear) {
  TwoViews s(40, 30);
  Ref<Viewport> v = s.View(0, 0, 40, 30);
  ASSERT_TRUE(v->Clear());
  ASSERT_TRUE(v->Render(s.scene.get()));
  ASSERT_EQ(s.At(20, 15), 0xFF0000u);
  // A camera scaled to nothing cannot be inverted: nothing is drawn, but the clear holds.
  ASSERT_TRUE(s.camera->AddScale(kCombineReplace, Vector{0, 0, 0}));
  ASSERT_TRUE(v->Clear());
  v->Render(s.scene.get());
  EXPECT_EQ(s.At(20, 15), kSkyPixel);
  EXPECT_EQ(s.DepthAt(20, 15), 0.0f);
}

TEST(PendingClearTest, TheBigRoomIsTheSameClearedAheadOrBandByBand) {
  // 1920 x 1080 is drawn in cache-sized bands that each clear their rows; a clear done before the
  // drawing (as a read of the buffers does it) must give the same picture.
  auto r = room::BuildRoom(1920, 1080, "");
  ASSERT_TRUE(r);
  for (int x = 0; x < 5; ++x) room::AddBlock(*r, x, 4 - x, x % 2 ? 4 : 0, kRed);
  const size_t n = size_t{1920} * 1080;
  r->RenderFrame();
  const std::vector<uint32_t> banded(r->device->ColorBuffer(), r->device->ColorBuffer() + n);
  const std::vector<float> bandedDepth(r->device->DepthBuffer(), r->device->DepthBuffer() + n);
  r->viewport->Clear();
  r->device->FinishClear();
  r->viewport->Render(r->scene.get());
  EXPECT_EQ(std::vector<uint32_t>(r->device->ColorBuffer(), r->device->ColorBuffer() + n), banded);
  EXPECT_EQ(std::vector<float>(r->device->DepthBuffer(), r->device->DepthBuffer() + n),
            bandedDepth);
}

}  // namespace
}  // namespace engine
