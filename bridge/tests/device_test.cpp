// The device on a window: set-up and its refusals, the colour model search and its message, the
// settings by screen depth, the window binding (resize, paint, passing messages on) and tear-down.
#include <cstdio>

#include "bridge_fixture.h"
#include "platform/services.h"

namespace {

bool RecordIsEmpty(const DeviceRecord& r) {
  return r.engine == 0 && r.clipper == 0 && r.device == 0 && r.viewport == 0 && r.scene == 0 &&
         r.camera == 0 && r.colorModel == 0;
}

std::string ClassName(uint32_t h) {
  char buf[40] = {};
  return VT(d3dGetClassName)(h, sizeof buf, buf) ? buf : "";
}

// A window procedure that counts what reaches it, to see the bridge pass messages on.
int g_seen = 0;
uint32_t g_lastMessage = 0;
platform::LRESULT CountingProc(platform::HWND hwnd, uint32_t msg, platform::WPARAM wp,
                               platform::LPARAM lp) {
  ++g_seen;
  g_lastMessage = msg;
  if (msg == 0x0400) return 77;
  return platform::DefaultWindowProc(hwnd, msg, wp, lp);
}

// A subclass of its own that passes everything on, as a host's might.
platform::WindowProc g_forwardTo = nullptr;
platform::LRESULT ForwardingProc(platform::HWND hwnd, uint32_t msg, platform::WPARAM wp,
                                 platform::LPARAM lp) {
  return platform::CallWindowProc(g_forwardTo, hwnd, msg, wp, lp);
}

using DeviceSetUp = BridgeTest;
using ColorModelSearch = BridgeTest;
using WindowBinding = BridgeTest;

// ---- Set-up and tear-down ----

TEST_F(DeviceSetUp, RefusedForWindowZeroKeepingOnlyTheColourModel) {
  EXPECT_EQ(VT(d3dInit)(0, &rec, 2), 0);
  EXPECT_EQ(rec.colorModel, 2u);
  rec.colorModel = 0;
  EXPECT_TRUE(RecordIsEmpty(rec));
  EXPECT_EQ(rec.hwnd, 0u);
  EXPECT_EQ(VT(d3dInit)(MakeWindow(10, 10), nullptr, 0), 0);
}

TEST_F(DeviceSetUp, RefusedWhileTheRecordHoldsAnEngine) {
  Init();
  DeviceRecord before = rec;
  EXPECT_EQ(VT(d3dInit)(MakeWindow(50, 50), &rec, 1), 0);
  EXPECT_EQ(rec.colorModel, 1u);  // stored even though refused
  EXPECT_EQ(rec.engine, before.engine);
  EXPECT_EQ(rec.device, before.device);
  EXPECT_EQ(rec.hwnd, before.hwnd);
}

TEST_F(DeviceSetUp, MakesEveryObjectWithTheSetUpValues) {
  Init(160, 120);
  EXPECT_EQ(rec.hwnd, hwnd);
  EXPECT_EQ(ClassName(rec.scene), "Frame");
  EXPECT_EQ(ClassName(rec.camera), "Frame");
  EXPECT_EQ(ClassName(rec.device), "Device");
  EXPECT_EQ(ClassName(rec.viewport), "Viewport");
  uint32_t parent = VT(d3dGetParent)(rec.camera);
  EXPECT_EQ(parent, rec.scene);  // one handle value per object
  VT(d3dRelease)(parent);
  float pos[3] = {9, 9, 9};
  EXPECT_EQ(VT(d3dGetPosition)(rec.camera, rec.scene, pos), 1);
  EXPECT_EQ(pos[0], 0.0f);
  EXPECT_EQ(pos[2], 0.0f);

  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 160);
  EXPECT_EQ(VT(d3dGetDeviceHeight)(&rec), 120);
  EXPECT_EQ(VT(d3dGetViewportX)(&rec), 0);
  EXPECT_EQ(VT(d3dGetViewportY)(&rec), 0);
  EXPECT_EQ(VT(d3dGetViewportWidth)(&rec), 160);
  EXPECT_EQ(VT(d3dGetViewportHeight)(&rec), 120);
  EXPECT_EQ(VT(d3dGetBack)(&rec), 5000.0f);
  EXPECT_EQ(VT(d3dGetFront)(&rec), 1.0f);
  EXPECT_EQ(VT(d3dGetField)(&rec), 0.5f);
  EXPECT_EQ(VT(d3dGetDeviceQuality)(&rec), 137);
  EXPECT_EQ(VT(d3dGetProjection)(&rec), 0);
  EXPECT_EQ(VT(d3dGetUniformScaling)(&rec), 1);

  // The window is subclassed, remembering its previous procedure and the record.
  EXPECT_EQ(platform::GetProp(hwnd, "d3dInfo"), reinterpret_cast<uintptr_t>(&rec));
  EXPECT_EQ(platform::GetProp(hwnd, "d3dPrevProc"),
            reinterpret_cast<uintptr_t>(&platform::DefaultWindowProc));
  EXPECT_NE(platform::GetWindowProc(hwnd), &platform::DefaultWindowProc);
}

TEST_F(DeviceSetUp, WindowWithoutAreaGivesOneAndAnEmptyUnboundRecord) {
  platform::HWND w = MakeWindow(0, 0);
  EXPECT_EQ(VT(d3dInit)(w, &rec, 2), 1);
  EXPECT_TRUE(RecordIsEmpty(rec));
  EXPECT_EQ(rec.hwnd, 0u);
  EXPECT_EQ(platform::GetWindowProc(w), &platform::DefaultWindowProc);
  EXPECT_EQ(platform::GetProp(w, "d3dInfo"), 0u);
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 0);
  // Emptied, the record may be set up again.
  EXPECT_EQ(VT(d3dInit)(MakeWindow(20, 20), &rec, 0), 1);
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 20);
}

TEST_F(DeviceSetUp, ScreenDepthZeroFailsTheSetUp) {
  platform::SetScreenBitsPerPixel(0);
  platform::HWND w = MakeWindow(40, 30);
  EXPECT_EQ(VT(d3dInit)(w, &rec, 0), 1);
  EXPECT_TRUE(RecordIsEmpty(rec));
  EXPECT_EQ(platform::GetProp(w, "d3dInfo"), 0u);
}

TEST_F(DeviceSetUp, QuitReleasesEverythingAndRemovesTheSubclass) {
  Init();
  DeviceRecord before = rec;
  EXPECT_EQ(VT(d3dQuit)(&rec), 1);
  EXPECT_TRUE(RecordIsEmpty(rec));
  EXPECT_EQ(rec.hwnd, hwnd);  // the window stays named
  EXPECT_EQ(platform::GetWindowProc(hwnd), &platform::DefaultWindowProc);
  EXPECT_EQ(platform::GetProp(hwnd, "d3dInfo"), 0u);
  EXPECT_EQ(platform::GetProp(hwnd, "d3dPrevProc"), 0u);
  // The record held the last references: its handles are dead now.
  for (uint32_t h :
       {before.engine, before.clipper, before.device, before.viewport, before.scene, before.camera})
    EXPECT_EQ(ClassName(h), "") << h;
  // Quit again, and on a record that never was set up.
  EXPECT_EQ(VT(d3dQuit)(&rec), 1);
  DeviceRecord empty{};
  empty.hwnd = 1234;
  EXPECT_EQ(VT(d3dQuit)(&empty), 1);
  EXPECT_EQ(empty.hwnd, 1234u);
  EXPECT_EQ(VT(d3dQuit)(nullptr), 1);
}

TEST_F(DeviceSetUp, ObjectsKeptByTheProgramOutliveQuit) {
  Init();
  uint32_t mb = VT(d3dCreateMeshBuilder)(&rec);
  VT(d3dAddVertexMB)(mb, 1, 2, 3);
  VT(d3dQuit)(&rec);
  EXPECT_EQ(VT(d3dGetVertexCountMB)(mb), 1);
  // Making objects from it must not reach the engine that made it, which is gone.
  uint32_t face = VT(d3dCreateFaceMB)(mb);
  EXPECT_EQ(VT(d3dAddVertexFC)(face, 0, 1, 0), 0);
  EXPECT_EQ(VT(d3dAddVertexFC)(face, 1, 1, 0), 0);
  uint32_t mesh = VT(d3dCreateMeshMB)(mb);
  uint32_t copy = VT(d3dCloneMB)(mb);
  EXPECT_NE(mesh, 0u);
  EXPECT_EQ(VT(d3dGetVertexCountMB)(copy), 3);
  for (uint32_t h : {face, mesh, copy}) VT(d3dRelease)(h);
  EXPECT_EQ(VT(d3dRelease)(mb), 1);
}

TEST_F(DeviceSetUp, RenderAndClearOnAnEmptyRecordDoNothing) {
  hwnd = MakeWindow(8, 8);
  std::vector<uint32_t> before, after;
  platform::WriteFramebuffer(hwnd, std::vector<uint32_t>(64, 0x123456).data(), 8, 8, 8);
  VT(d3dRender)(&rec);
  VT(d3dClear)(&rec);
  VT(d3dRender)(nullptr);
  VT(d3dClear)(nullptr);
  EXPECT_EQ(WindowPixel(3, 3), 0x123456u);
  EXPECT_EQ(VT(d3dTick)(&rec, 1.0f), 0);
}

TEST_F(DeviceSetUp, ClearShowsTheBackgroundColour) {
  Init(32, 24);
  EXPECT_EQ(VT(d3dSetBackColor)(&rec, VT(d3dRGB)(0, 0, 1)), 1);
  VT(d3dClear)(&rec);
  EXPECT_EQ(WindowPixel(5, 5), 0x0000FFu);
}

TEST_F(DeviceSetUp, SetCameraChangesTheViewportOnly) {
  Init();
  uint32_t other = VT(d3dCreateFrame)(&rec, 0);
  uint32_t first = rec.camera;
  EXPECT_EQ(VT(d3dSetCamera)(&rec, other), 1);
  uint32_t cam = VT(d3dGetCamera)(&rec);
  EXPECT_EQ(cam, other);
  VT(d3dRelease)(cam);
  EXPECT_EQ(rec.camera, first);
  EXPECT_EQ(VT(d3dSetCamera)(&rec, 0), 0);
  VT(d3dRender)(&rec);  // still renders the record's scene
  VT(d3dRelease)(other);
}

TEST_F(DeviceSetUp, ViewportSettersRefuseBadValuesAndKeepGoodOnes) {
  Init();
  EXPECT_EQ(VT(d3dSetFront)(&rec, 2.0f), 1);
  EXPECT_EQ(VT(d3dGetFront)(&rec), 2.0f);
  EXPECT_EQ(VT(d3dSetField)(&rec, 0.0f), 0);
  EXPECT_EQ(VT(d3dGetField)(&rec), 0.5f);
  EXPECT_EQ(VT(d3dSetPlane)(&rec, -1, 2, -3, 4), 1);
  float plane[4] = {};
  EXPECT_EQ(VT(d3dGetPlane)(&rec, plane), 1);
  EXPECT_EQ(plane[0], -1.0f);
  EXPECT_EQ(plane[1], 2.0f);
  EXPECT_EQ(plane[2], -3.0f);
  EXPECT_EQ(plane[3], 4.0f);
  EXPECT_EQ(VT(d3dSetProjection)(&rec, 1), 1);
  EXPECT_EQ(VT(d3dGetProjection)(&rec), 1);
  EXPECT_EQ(VT(d3dSetProjection)(&rec, 5), 0);
  EXPECT_EQ(VT(d3dSetUniformScaling)(&rec, -1), 1);  // any non-zero value is true
  EXPECT_EQ(VT(d3dGetUniformScaling)(&rec), 1);
  EXPECT_EQ(VT(d3dSetDither)(&rec, 0), 1);
  EXPECT_EQ(VT(d3dGetDither)(&rec), 0);
  EXPECT_EQ(VT(d3dSetTextureQuality)(&rec, 3), 1);
  EXPECT_EQ(VT(d3dGetTextureQuality)(&rec), 3);
  EXPECT_EQ(VT(d3dSetDeviceQuality)(&rec, 64 + 1), 1);
  EXPECT_EQ(VT(d3dGetDeviceQuality)(&rec), 65);
  EXPECT_EQ(VT(d3dConfigure)(&rec, 10, 10, 50, 40), 1);
  EXPECT_EQ(VT(d3dGetViewportX)(&rec), 10);
  EXPECT_EQ(VT(d3dGetViewportWidth)(&rec), 50);
  EXPECT_EQ(VT(d3dConfigure)(&rec, 0, 0, 1000, 40), 0);
}

// ---- Colour model search ----

TEST_F(ColorModelSearch, FindsBothModelsAtTheUsualDepths) {
  for (int depth : {8, 16, 24, 32}) {
    for (int32_t model : {1, 2}) {
      platform::SetScreenBitsPerPixel(depth);
      DeviceRecord r{};
      ASSERT_EQ(VT(d3dInit)(MakeWindow(16, 16), &r, model), 1);
      EXPECT_EQ(VT(d3dGetColorModel)(&r), model) << depth;
      VT(d3dQuit)(&r);
    }
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(ColorModelSearch, DefaultDeviceNeedsNoSearch) {
  platform::SetScreenBitsPerPixel(1);
  Init(16, 16, 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(VT(d3dGetColorModel)(&rec), 2);
}

TEST_F(ColorModelSearch, NoMatchingDeviceShowsTheMessageAndUsesTheDefault) {
  platform::SetScreenBitsPerPixel(1);
  Init(16, 16, 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].owner, 0u);
  EXPECT_EQ(messages[0].text, "Specified color model is not available.");
  EXPECT_EQ(messages[0].caption, "Vantrel.Dll");
  EXPECT_EQ(messages[0].flags, platform::MB_OK);
  EXPECT_EQ(VT(d3dGetColorModel)(&rec), 2);
  EXPECT_EQ(rec.colorModel, 1u);
}

TEST_F(ColorModelSearch, UnknownOptionSearchesNothing) {
  Init(16, 16, 7);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_NE(rec.device, 0u);
}

// ---- Settings by screen depth, seen through a texture's starting colours and shades ----

struct DepthCase {
  int depth;
  int32_t colors, shades;
};

class ScreenDepthSettings : public BridgeTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(ScreenDepthSettings, GiveNewTexturesTheirColoursAndShades) {
  platform::SetScreenBitsPerPixel(GetParam().depth);
  Init(16, 16);
  std::string file = WriteSmallBmp();
  uint32_t tex = VT(d3dLoadTexture)(&rec, file.c_str());
  ASSERT_NE(tex, 0u);
  EXPECT_EQ(VT(d3dGetTextureWidth)(tex), 2);
  EXPECT_EQ(VT(d3dGetTextureColors)(tex), GetParam().colors);
  EXPECT_EQ(VT(d3dGetTextureShades)(tex), GetParam().shades);
  VT(d3dRelease)(tex);
  std::remove(file.c_str());
}

// 8 and 16 are the engine's own starting values, which a 256-colour screen keeps.
INSTANTIATE_TEST_SUITE_P(Depths, ScreenDepthSettings,
                         ::testing::Values(DepthCase{1, 8, 4}, DepthCase{8, 8, 16},
                                           DepthCase{16, 64, 32}, DepthCase{24, 64, 256},
                                           DepthCase{32, 64, 256}));

// ---- The window binding ----

TEST_F(WindowBinding, ResizeRebuildsDeviceAndViewportFromTheSetUpValues) {
  Init(160, 120);
  DeviceRecord before = rec;
  uint32_t other = VT(d3dCreateFrame)(&rec, 0);
  VT(d3dSetCamera)(&rec, other);
  VT(d3dSetField)(&rec, 0.8f);
  VT(d3dSetFront)(&rec, 3.0f);
  VT(d3dSetDeviceQuality)(&rec, 136);

  ASSERT_TRUE(platform::SetClientSize(hwnd, 200, 150));
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 200);
  EXPECT_EQ(VT(d3dGetDeviceHeight)(&rec), 150);
  EXPECT_EQ(VT(d3dGetViewportWidth)(&rec), 200);
  EXPECT_EQ(VT(d3dGetViewportHeight)(&rec), 150);
  EXPECT_NE(rec.device, before.device);
  EXPECT_EQ(ClassName(before.device), "");  // the old device is gone
  EXPECT_EQ(rec.engine, before.engine);
  EXPECT_EQ(rec.scene, before.scene);
  EXPECT_EQ(rec.camera, before.camera);
  EXPECT_EQ(VT(d3dGetField)(&rec), 0.5f);
  EXPECT_EQ(VT(d3dGetFront)(&rec), 1.0f);
  EXPECT_EQ(VT(d3dGetBack)(&rec), 5000.0f);
  EXPECT_EQ(VT(d3dGetDeviceQuality)(&rec), 137);
  uint32_t cam = VT(d3dGetCamera)(&rec);
  EXPECT_EQ(cam, rec.camera);
  VT(d3dRelease)(cam);
  VT(d3dRelease)(other);
  EXPECT_EQ(platform::GetProp(hwnd, "d3dInfo"), reinterpret_cast<uintptr_t>(&rec));
}

TEST_F(WindowBinding, ResizeToNoAreaOrTheSameSizeLeavesTheDevice) {
  Init(160, 120);
  uint32_t device = rec.device;
  platform::SetClientSize(hwnd, 0, 120);
  EXPECT_EQ(rec.device, device);
  platform::SetClientSize(hwnd, 160, 0);
  EXPECT_EQ(rec.device, device);
  platform::SetClientSize(hwnd, 160, 120);
  EXPECT_EQ(rec.device, device);
  platform::SendMessage(hwnd, platform::WM_SIZE, 0, platform::MakeSizeParam(160, 120));
  EXPECT_EQ(rec.device, device);
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 160);
}

TEST_F(WindowBinding, FailedRebuildEmptiesTheRecordAndUnbindsTheWindow) {
  Init(160, 120);
  platform::SetScreenBitsPerPixel(0);
  platform::SetClientSize(hwnd, 100, 100);
  EXPECT_TRUE(RecordIsEmpty(rec));
  EXPECT_EQ(rec.hwnd, hwnd);
  EXPECT_EQ(platform::GetWindowProc(hwnd), &platform::DefaultWindowProc);
  EXPECT_EQ(platform::GetProp(hwnd, "d3dInfo"), 0u);
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 0);
}

TEST_F(WindowBinding, EveryMessageGoesOnToThePreviousProcedure) {
  hwnd = MakeWindow(64, 48);
  platform::SetWindowProc(hwnd, &CountingProc);
  ASSERT_EQ(VT(d3dInit)(hwnd, &rec, 0), 1);
  g_seen = 0;
  EXPECT_EQ(platform::SendMessage(hwnd, 0x0400, 0, 0), 77);
  platform::SendMessage(hwnd, platform::WM_ACTIVATE, 1, 0);
  platform::SetClientSize(hwnd, 80, 60);
  EXPECT_EQ(g_seen, 3);
  EXPECT_EQ(g_lastMessage, platform::WM_SIZE);
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 80);
  VT(d3dQuit)(&rec);
  EXPECT_EQ(platform::GetWindowProc(hwnd), &CountingProc);
}

TEST_F(WindowBinding, PaintShowsTheLastFrameAndValidatesTheWindow) {
  Init(32, 24);
  VT(d3dSetBackColor)(&rec, VT(d3dRGB)(0, 1, 0));
  VT(d3dRender)(&rec);
  platform::InvalidateRect(hwnd, nullptr);
  platform::SendMessage(hwnd, platform::WM_PAINT, 0, 0);
  EXPECT_FALSE(platform::GetUpdateRect(hwnd, nullptr));
  EXPECT_EQ(WindowPixel(10, 10), 0x00FF00u);
}

TEST_F(WindowBinding, SecondRecordOnTheSameWindowKeepsTheFirstBinding) {
  Init(64, 48);
  DeviceRecord second{};
  ASSERT_EQ(VT(d3dInit)(hwnd, &second, 0), 1);
  platform::SetClientSize(hwnd, 70, 50);  // must not pass messages round in a circle
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 70);
  VT(d3dQuit)(&second);
  EXPECT_EQ(platform::GetProp(hwnd, "d3dInfo"), reinterpret_cast<uintptr_t>(&rec));
  platform::SetClientSize(hwnd, 90, 50);
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 90);

  // Also with another subclass installed between the two set-ups.
  platform::WindowProc bridgeProc = platform::SetWindowProc(hwnd, &ForwardingProc);
  g_forwardTo = bridgeProc;
  DeviceRecord third{};
  ASSERT_EQ(VT(d3dInit)(hwnd, &third, 0), 1);
  platform::SetClientSize(hwnd, 100, 50);
  EXPECT_EQ(VT(d3dGetDeviceWidth)(&rec), 100);
  VT(d3dQuit)(&third);
  EXPECT_EQ(platform::GetWindowProc(hwnd), &ForwardingProc);
}

}  // namespace
