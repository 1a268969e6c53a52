// Device, viewport and scene rendering on a small window: set-up and its refusals, presentation,
// snapshot, projection, culling, lighting, colour models, fog, backgrounds, decals, shadows, and
// input that must be survived.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/device.h"
#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/light.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/pickedarray.h"
#include "engine/shadow.h"
#include "engine/texture.h"
#include "engine/viewport.h"
#include "platform/services.h"
#include "platform/window.h"

namespace engine {
namespace {

// A 64 x 64 window with a device, a viewport and a camera at the origin looking along +z.
struct Stage {
  platform::HWND window = 0;
  Ref<Engine> engine = Engine::Create();
  Ref<Frame> scene, camera;
  Ref<Device> device;
  Ref<Viewport> viewport;

  explicit Stage(int w = 64, int h = 64, const DeviceId* id = nullptr) {
    window = platform::CreateWindow(w, h);
    scene = engine->CreateFrame(nullptr);
    camera = engine->CreateFrame(scene.get());
    Ref<Clipper> clipper = CreateClipper(window);
    device = CreateDeviceFromClipper(engine.get(), clipper.get(), id, w, h);
    viewport = CreateViewport(engine.get(), device.get(), camera.get(), 0, 0, w, h);
  }
  ~Stage() {
    viewport.reset();
    device.reset();
    platform::DestroyWindow(window);
  }
  void Draw() {
    viewport->Clear();
    viewport->Render(scene.get());
  }
  uint32_t At(int x, int y) const {
    return device->ColorBuffer()[static_cast<size_t>(y) * device->GetWidth() + x] & 0xFFFFFF;
  }
  // A square of half size h at depth z, its front toward the camera (or away), as a new visual of
  // a new frame.
  Ref<MeshBuilder> Quad(float z, float h, Color c, bool facingCamera = true) {
    Ref<MeshBuilder> b = engine->CreateMeshBuilder();
    b->AddVertex({-h, -h, z});
    b->AddVertex({-h, h, z});
    b->AddVertex({h, h, z});
    b->AddVertex({h, -h, z});
    int32_t n = b->AddNormal({0, 0, -1});
    if (facingCamera)
      b->AddFaceIndexed({{0, n}, {1, n}, {2, n}, {3, n}});
    else
      b->AddFaceIndexed({{3, n}, {2, n}, {1, n}, {0, n}});
    b->SetColor(c);
    scene->AddVisual(b.get());
    return b;
  }
};

int Ch(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

TEST(DeviceTest, RefusesWhatCannotBeDrawnInto) {
  Ref<Engine> e = Engine::Create();
  platform::HWND empty = platform::CreateWindow(0, 0);
  Ref<Clipper> onEmpty = CreateClipper(empty);
  EXPECT_FALSE(CreateDeviceFromClipper(e.get(), onEmpty.get(), nullptr, 0, 0));
  platform::HWND w = platform::CreateWindow(32, 32);
  Ref<Clipper> c = CreateClipper(w);
  EXPECT_FALSE(CreateDeviceFromClipper(e.get(), c.get(), nullptr, 32, 0));
  EXPECT_FALSE(CreateDeviceFromClipper(e.get(), c.get(), nullptr, Device::kMaxExtent + 1, 32));
  EXPECT_FALSE(CreateDeviceFromClipper(e.get(), nullptr, nullptr, 32, 32));
  DeviceId unknown;
  unknown.bytes[0] = 0x55;
  EXPECT_FALSE(CreateDeviceFromClipper(e.get(), c.get(), &unknown, 32, 32));
  Ref<Device> d = CreateDeviceFromClipper(e.get(), c.get(), nullptr, 32, 32);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->GetColorModel(), kColorModelRGB);
  EXPECT_EQ(std::string(d->GetClassName()), "Device");
  Ref<Frame> cam = e->CreateFrame(nullptr);
  EXPECT_FALSE(CreateViewport(e.get(), d.get(), cam.get(), 0, 0, 33, 32));
  EXPECT_FALSE(CreateViewport(e.get(), d.get(), nullptr, 0, 0, 32, 32));
  EXPECT_FALSE(CreateViewport(e.get(), d.get(), cam.get(), 16, 16, 17, 8));
  platform::DestroyWindow(w);
  EXPECT_FALSE(d->Update());  // the window is gone: a failure, not a crash
  EXPECT_FALSE(CreateDeviceFromClipper(e.get(), c.get(), nullptr, 32, 32));
  platform::DestroyWindow(empty);
}

TEST(DeviceTest, DevicesAndSettings) {
  const auto& devices = EnumerateDevices();
  ASSERT_EQ(devices.size(), 2u);
  Stage mono(16, 16, &devices[0].id);
  ASSERT_TRUE(mono.device);
  EXPECT_EQ(mono.device->GetColorModel(), kColorModelMono);
  Device& d = *mono.device;
  EXPECT_TRUE(d.SetQuality(kQualityGouraud));
  EXPECT_EQ(d.GetQuality(), 137);
  EXPECT_FALSE(d.SetQuality(3));
  EXPECT_FALSE(d.SetTextureQuality(6));
  EXPECT_TRUE(d.SetTextureQuality(5));
  EXPECT_FALSE(d.SetShades(0));
  EXPECT_TRUE(d.SetDither(false));
  EXPECT_FALSE(d.GetDither());
}

TEST(DeviceTest, UpdatePresentsNewFramesOnly) {
  Stage s(16, 8);
  s.scene->SetSceneBackground(0xFF123456u);
  s.Draw();
  ASSERT_TRUE(s.device->Update());
  std::vector<uint32_t> shown;
  ASSERT_TRUE(platform::ReadFramebuffer(s.window, shown, nullptr, nullptr));
  EXPECT_EQ(shown[0], 0x123456u);
  EXPECT_TRUE(platform::GetUpdateRect(s.window, nullptr));  // marked for repainting
  platform::ValidateRect(s.window);
  // Nothing drawn since: a paint handler that updates must not cause another repaint.
  ASSERT_TRUE(s.device->Update());
  EXPECT_FALSE(platform::GetUpdateRect(s.window, nullptr));
  EXPECT_TRUE(s.device->HandlePaint(nullptr));
  EXPECT_TRUE(s.device->HandleActivate(0));
  EXPECT_FALSE(s.device->IsActive());
}

TEST(DeviceTest, SnapshotCopiesTheImage) {
  Stage s(20, 10);
  s.scene->SetSceneBackground(0xFF804020u);
  s.Draw();
  platform::Picture* pic = s.device->Snapshot(20, 10);
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->width(), 20);
  EXPECT_EQ(pic->height(), 10);
  EXPECT_EQ(pic->pixels()[199], 0x804020u);
  EXPECT_FALSE(pic->hasPalette());
  pic->Release();
  EXPECT_EQ(s.device->Snapshot(0, 10), nullptr);
  EXPECT_EQ(s.device->Snapshot(21, 10), nullptr);

  // On a screen of 256 colours the device draws through a palette, and the picture carries it.
  platform::SetScreenBitsPerPixel(8);
  Stage p(8, 8);
  platform::SetScreenBitsPerPixel(32);
  ASSERT_TRUE(p.device->UsesPalette());
  p.scene->SetSceneBackground(0xFF804020u);
  p.Draw();
  pic = p.device->Snapshot(8, 8);
  ASSERT_TRUE(pic && pic->hasPalette());
  EXPECT_NE(std::find(pic->palette(), pic->palette() + 256, pic->pixels()[0]),
            pic->palette() + 256);
  pic->Release();
}

TEST(ViewportTest, SettingsAreChecked) {
  Stage s(64, 32);
  Viewport& v = *s.viewport;
  EXPECT_FALSE(v.Configure(0, 0, 65, 32));
  EXPECT_FALSE(v.Configure(-1, 0, 10, 10));
  EXPECT_FALSE(v.Configure(0, 0, 0, 10));
  EXPECT_TRUE(v.Configure(8, 4, 16, 16));
  EXPECT_EQ(v.GetX(), 8);
  EXPECT_EQ(v.GetHeight(), 16);
  EXPECT_TRUE(v.Configure(0, 0, 64, 32));
  EXPECT_FALSE(v.SetFront(0.0f));
  EXPECT_FALSE(v.SetFront(std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(v.SetBack(v.GetFront()));
  EXPECT_TRUE(v.SetBack(5000.0f));
  EXPECT_FALSE(v.SetField(-0.5f));
  EXPECT_FALSE(v.SetPlane(1, 0, -1, 1));
  EXPECT_FALSE(v.SetProjection(2));
  EXPECT_FALSE(v.SetCamera(nullptr));
  EXPECT_TRUE(v.SetField(0.3f));
  float l, r, b, t;
  v.GetPlane(l, r, b, t);
  EXPECT_FLOAT_EQ(l, -0.3f);
  EXPECT_FLOAT_EQ(t, 0.3f);

  // Uniform scaling fits the field to the shorter side; without it each side is fitted.
  v.SetField(0.5f);
  Viewport::Projection p = v.GetProjectionParams();
  EXPECT_FLOAT_EQ(p.scaleX, 32.0f);
  EXPECT_FLOAT_EQ(p.scaleY, 32.0f);
  EXPECT_FLOAT_EQ(p.centerX, 32.0f);
  EXPECT_FLOAT_EQ(p.centerY, 16.0f);
  v.SetUniformScaling(false);
  p = v.GetProjectionParams();
  EXPECT_FLOAT_EQ(p.scaleX, 64.0f);
  EXPECT_FLOAT_EQ(p.scaleY, 32.0f);
}

TEST(RenderTest, BackFacesAreNeverDrawnNorPicked) {
  Stage s;
  s.device->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  s.Quad(5, 1, 0xFFFF0000u, true);
  s.Quad(4, 1, 0xFF0000FFu, false);  // nearer, but seen from behind
  s.Draw();
  EXPECT_EQ(Ch(s.At(32, 32), 16), 255);
  EXPECT_EQ(Ch(s.At(32, 32), 0), 0);
  Ref<PickedArray> picks = s.viewport->Pick(32, 32);
  ASSERT_EQ(picks->GetSize(), 1u);
  EXPECT_NEAR(picks->GetPick(0)->description.depth, 5.0f, 1e-4f);
  EXPECT_EQ(picks->GetPick(0)->path.back().get(), s.scene.get());
  // A quad at depth 5 of half size 1 spans 0.2 front units: 12.8 pixels each way from the centre.
  EXPECT_NE(s.At(32 + 12, 32), 0u);
  EXPECT_EQ(s.At(32 + 14, 32), 0u);
}

TEST(RenderTest, FrontAndBackPlanesClip) {
  Stage s;
  s.viewport->SetBack(10.0f);
  Ref<MeshBuilder> b = s.engine->CreateMeshBuilder();
  // A floor-like quad reaching from behind the camera to beyond the back plane.
  b->AddVertex({-1, -1, -5});
  b->AddVertex({-1, -1, 50});
  b->AddVertex({1, -1, 50});
  b->AddVertex({1, -1, -5});
  b->AddFaceIndexed({{0, -1}, {1, -1}, {2, -1}, {3, -1}});
  b->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  s.scene->AddVisual(b.get());
  s.Draw();
  // Drawn up to the back plane (1/10 of the way down from the horizon), not beyond.
  EXPECT_NE(s.At(32, 63), 0u);
  EXPECT_NE(s.At(32, 32 + 7), 0u);
  EXPECT_EQ(s.At(32, 32 + 5), 0u);
  EXPECT_EQ(s.viewport->Pick(32, 32 + 5)->GetSize(), 0u);
  EXPECT_EQ(s.viewport->Pick(32, 32 + 7)->GetSize(), 1u);
}

TEST(RenderTest, LightsShadeSurfaces) {
  Stage s;
  Ref<MeshBuilder> q = s.Quad(5, 1, CreateColorRGB(1, 0.5f, 0));
  s.scene->AddLight(s.engine->CreateLightRGB(kLightAmbient, 0.2f, 0.2f, 0.2f).get());
  Ref<Frame> lf = s.engine->CreateFrame(s.scene.get());
  lf->AddLight(s.engine->CreateLightRGB(kLightDirectional, 0.5f, 0.5f, 0.5f).get());
  lf->SetOrientation(nullptr, {0, 0, 1}, {0, 1, 0});  // shining along +z, onto the quad's front
  s.Draw();
  uint32_t c = s.At(32, 32);
  EXPECT_NEAR(Ch(c, 16), 0.7 * 255, 3);
  EXPECT_NEAR(Ch(c, 8), 0.35 * 255, 3);
  EXPECT_EQ(Ch(c, 0), 0);

  // Turned away, only the ambient light remains.
  lf->SetOrientation(nullptr, {0, 0, -1}, {0, 1, 0});
  s.Draw();
  EXPECT_NEAR(Ch(s.At(32, 32), 16), 0.2 * 255, 3);

  // Lighting off in the builder's quality: the colour as it is.
  q->SetQuality(kShadeGouraud + kLightOff + kFillSolid);
  s.Draw();
  EXPECT_EQ(Ch(s.At(32, 32), 16), 255);
  EXPECT_NEAR(Ch(s.At(32, 32), 8), 128, 1);

  // ... also when the device's quality has lighting off while the builder's has it on.
  q->SetQuality(kQualityGouraud);
  s.device->SetQuality(kShadeGouraud + kLightOff + kFillSolid);
  s.Draw();
  EXPECT_EQ(Ch(s.At(32, 32), 16), 255);
}

TEST(RenderTest, SpotLightsReachOnlySoFar) {
  Stage s;  // flat shading: each face lit at its centre
  s.Quad(5, 1, 0xFFFFFFFFu);
  Ref<Frame> lf = s.engine->CreateFrame(s.scene.get());
  Ref<Light> spot = s.engine->CreateLightRGB(kLightSpot, 1, 1, 1);
  spot->SetUmbra(0.2f);     // full angles: lit fully within 0.1 of the axis,
  spot->SetPenumbra(0.4f);  // not at all beyond 0.2
  lf->AddLight(spot.get());
  s.Draw();
  EXPECT_EQ(Ch(s.At(32, 32), 16), 255);
  const float off[] = {0.15f, 0.3f};
  lf->SetOrientation(nullptr, {std::sin(off[0]), 0, std::cos(off[0])}, {0, 1, 0});
  s.Draw();
  // In the penumbra the light falls off with the cosine of the angle off the axis.
  const double part = (std::cos(0.15) - std::cos(0.2)) / (std::cos(0.1) - std::cos(0.2));
  EXPECT_NEAR(Ch(s.At(32, 32), 16), 255 * part, 3);
  lf->SetOrientation(nullptr, {std::sin(off[1]), 0, std::cos(off[1])}, {0, 1, 0});
  s.Draw();
  EXPECT_EQ(Ch(s.At(32, 32), 16), 0);
  lf->SetOrientation(nullptr, {0, 0, 1}, {0, 1, 0});
  spot->SetRange(4.0f);  // the quad lies beyond the range
  s.Draw();
  EXPECT_EQ(Ch(s.At(32, 32), 16), 0);
}

TEST(RenderTest, MonoModelDrawsShadesOfTheSurfaceColour) {
  Stage s(64, 64, &EnumerateDevices()[0].id);
  s.device->SetShades(4);
  s.Quad(5, 1, CreateColorRGB(1, 0, 0));
  Ref<Frame> lf = s.engine->CreateFrame(s.scene.get());
  lf->AddLight(s.engine->CreateLightRGB(kLightDirectional, 0.0f, 0.6f, 0.0f).get());
  lf->SetOrientation(nullptr, {0, 0, 1}, {0, 1, 0});
  s.Draw();
  // A green light on a red surface: the mono model lights by intensity (0.587 * 0.6 = 0.35, in
  // steps of 1/3: 1/3), so the surface shows red; the RGB model would show black.
  uint32_t c = s.At(32, 32);
  EXPECT_NEAR(Ch(c, 16), 85, 2);
  EXPECT_EQ(Ch(c, 8), 0);
}

TEST(RenderTest, FogBackgroundAndImage) {
  Stage s;
  s.Quad(10, 4, 0xFFFFFFFFu)->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  s.scene->SetSceneBackground(0xFF102030u);
  s.scene->SetSceneFogEnable(true);
  s.scene->SetSceneFogColor(0xFF0000FFu);
  s.scene->SetSceneFogParams(0, 20, 1);
  s.Draw();
  EXPECT_EQ(s.At(0, 0), 0x102030u);
  uint32_t c = s.At(32, 32);  // half way into the fog
  EXPECT_NEAR(Ch(c, 16), 128, 2);
  EXPECT_EQ(Ch(c, 0), 255);

  Ref<Texture> image = Ref<Texture>::Adopt(new Texture(2, 1, {0xFFFF0000u, 0xFF00FF00u}));
  s.scene->SetSceneBackgroundImage(image.get());
  s.scene->SetSceneFogEnable(false);
  s.Draw();
  EXPECT_EQ(s.At(0, 0), 0xFF0000u);
  EXPECT_EQ(s.At(63, 63), 0x00FF00u);
}

TEST(RenderTest, TexturesAndTheirAbsence) {
  Stage s;
  Ref<MeshBuilder> q = s.Quad(5, 1, 0xFFFFFFFFu);
  q->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  const float uv[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
  for (int i = 0; i < 4; ++i) q->SetTextureCoordinates(i, uv[i][0], uv[i][1]);
  Ref<Texture> t =
      Ref<Texture>::Adopt(new Texture(2, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u}));
  q->SetTexture(t.get());
  s.Draw();
  EXPECT_EQ(s.At(24, 24), 0xFF0000u);  // top left texel at the top left
  EXPECT_EQ(s.At(40, 40), 0xFFFF00u);
  // A texture without pixels draws the face in its colour.
  Ref<Texture> empty = Ref<Texture>::Adopt(new Texture(0, 0, {}));
  q->SetTexture(empty.get());
  s.Draw();
  EXPECT_EQ(s.At(32, 32), 0xFFFFFFu);
}

TEST(RenderTest, DecalsStandAtTheirFrame) {
  Stage s;
  Ref<Texture> t =
      Ref<Texture>::Adopt(new Texture(2, 2, {0xFFFF0000u, 0xFF000000u, 0xFF000000u, 0xFFFF0000u}));
  t->SetDecalSize(2, 2);
  t->SetDecalOrigin(1, 1);  // the middle of the picture at the frame's origin
  t->SetDecalTransparency(true);
  t->SetDecalTransparentColor(0xFF000000u);
  Ref<Frame> f = s.engine->CreateFrame(s.scene.get());
  f->SetPosition(nullptr, {0, 0, 5});
  f->AddVisual(t.get());
  s.scene->SetSceneBackground(0xFF0000FFu);
  s.Draw();
  EXPECT_EQ(s.At(26, 26), 0xFF0000u);  // top left quarter: red
  EXPECT_EQ(s.At(38, 26), 0x0000FFu);  // top right: transparent, the background shows
  EXPECT_EQ(s.At(38, 38), 0xFF0000u);
  EXPECT_EQ(s.At(32 + 14, 32), 0x0000FFu);  // beyond the decal's 12.8 pixels
}

TEST(RenderTest, ShadowsFallOnTheirPlane) {
  Stage s;
  // Looking down at a floor at y = -2 from above; a small square hangs above it, lit from above.
  s.camera->SetOrientation(nullptr, {0, -1, 0}, {0, 0, 1});
  Ref<MeshBuilder> floor = s.engine->CreateMeshBuilder();
  floor->AddVertex({-10, -4, -10});
  floor->AddVertex({-10, -4, 10});
  floor->AddVertex({10, -4, 10});
  floor->AddVertex({10, -4, -10});
  floor->AddFaceIndexed({{0, -1}, {1, -1}, {2, -1}, {3, -1}});
  floor->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  s.scene->AddVisual(floor.get());
  Ref<MeshBuilder> square = s.engine->CreateMeshBuilder();
  square->AddVertex({0.5f, -2, 0.5f});
  square->AddVertex({0.5f, -2, 1.5f});
  square->AddVertex({1.5f, -2, 1.5f});
  square->AddVertex({1.5f, -2, 0.5f});
  square->AddFaceIndexed({{0, -1}, {1, -1}, {2, -1}, {3, -1}});
  Ref<Frame> lf = s.engine->CreateFrame(s.scene.get());
  Ref<Light> sun = s.engine->CreateLightRGB(kLightDirectional, 1, 1, 1);
  lf->AddLight(sun.get());
  lf->SetOrientation(nullptr, {0, -1, 0}, {0, 0, 1});
  Ref<Shadow> shadow = s.engine->CreateShadow(square.get(), sun.get(), {0, -4, 0}, {0, 1, 0});
  ASSERT_TRUE(shadow);
  s.scene->AddVisual(shadow.get());  // the square itself is not drawn, only its shadow
  s.Draw();
  // The square's shadow lies straight below it, on the floor at depth 4, around (1, 1).
  float sx, sy, depth;
  ASSERT_TRUE(s.viewport->Transform({1, -4, 1}, sx, sy, depth));
  EXPECT_EQ(s.At(static_cast<int>(sx), static_cast<int>(sy)), 0x7F7F7Fu);
  EXPECT_EQ(s.At(32, 32), 0xFFFFFFu);
}

TEST(RenderTest, EnableFramesAndMaterials) {
  Stage s;
  // Two quads side by side, each in a frame of its own; the light lights only the right one's.
  Ref<Frame> left = s.engine->CreateFrame(s.scene.get()),
             right = s.engine->CreateFrame(s.scene.get());
  left->SetPosition(nullptr, {-1.1f, 0, 0});
  right->SetPosition(nullptr, {1.1f, 0, 0});
  for (Frame* f : {left.get(), right.get()}) {
    Ref<MeshBuilder> q = s.Quad(5, 1, 0xFFFFFFFFu);
    s.scene->DeleteVisual(q.get());
    f->AddVisual(q.get());
  }
  Ref<Frame> lf = s.engine->CreateFrame(s.scene.get());
  Ref<Light> light = s.engine->CreateLightRGB(kLightDirectional, 1, 1, 1);
  lf->AddLight(light.get());
  lf->SetOrientation(nullptr, {0, 0, 1}, {0, 1, 0});
  light->SetEnableFrame(right.get());
  s.Draw();
  float lx, rx, y, depth;
  ASSERT_TRUE(s.viewport->Transform({-1.1f, 0, 5}, lx, y, depth));
  ASSERT_TRUE(s.viewport->Transform({1.1f, 0, 5}, rx, y, depth));
  EXPECT_EQ(s.At(static_cast<int>(lx), 32), 0u);
  EXPECT_EQ(s.At(static_cast<int>(rx), 32), 0xFFFFFFu);

  // An emissive material shows without light; the frame's colour replaces the face's in
  // "material from frame" mode.
  Ref<Material> glow = s.engine->CreateMaterial(0);
  glow->SetEmissive(0, 0, 0.5f);
  As<MeshBuilder>(left->GetVisual(0))->SetMaterial(glow.get());
  right->SetColor(0xFF00FF00u);
  right->SetMaterialMode(kMaterialFromFrame);
  s.Draw();
  EXPECT_NEAR(Ch(s.At(static_cast<int>(lx), 32), 0), 128, 1);
  EXPECT_EQ(s.At(static_cast<int>(rx), 32), 0x00FF00u);
}

TEST(RenderTest, SpecularHighlightFacesTheLight) {
  Stage s;
  s.device->SetQuality(kShadeFlat + kLightOn + kFillSolid);
  Ref<MeshBuilder> q = s.Quad(5, 1, 0xFF000000u);  // black: only the highlight shows
  Ref<Material> shiny = s.engine->CreateMaterial(100);
  shiny->SetSpecular(1, 1, 1);
  q->SetMaterial(shiny.get());
  Ref<Frame> lf = s.engine->CreateFrame(s.scene.get());
  lf->AddLight(s.engine->CreateLightRGB(kLightDirectional, 1, 1, 1).get());
  lf->SetOrientation(nullptr, {0, 0, 1}, {0, 1, 0});  // from behind the eye: the mirror direction
  s.Draw();
  EXPECT_GT(Ch(s.At(32, 32), 16), 240);
  lf->SetOrientation(nullptr, {0.8f, 0, 0.6f}, {0, 1, 0});  // from the side: no highlight
  s.Draw();
  EXPECT_LT(Ch(s.At(32, 32), 16), 10);
}

TEST(RenderTest, WireframeAndPointsDrawOutlinesOnly) {
  Stage s;
  s.device->SetQuality(kShadeFlat + kLightOff + kFillWireframe);
  s.Quad(5, 1, 0xFFFFFFFFu);
  s.Draw();
  EXPECT_EQ(s.At(32, 32), 0u);  // inside: nothing
  int lit = 0;
  for (int x = 0; x < 64; ++x) lit += s.At(x, 32) != 0;
  EXPECT_EQ(lit, 2);  // the left and right edges
  s.device->SetQuality(kShadeFlat + kLightOff + kFillPoints);
  s.Draw();
  int points = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) points += s.At(x, y) != 0;
  EXPECT_EQ(points, 4);
}

TEST(RenderTest, WrappedTextureCoordinatesTakeTheShortWay) {
  // u is given as 0.8 on the quad's left edge and 0.2 on its right. Without wrapping it runs
  // 0.8 -> 0.2 across; wrapped in u it takes the short way, 0.8 -> 1.2.
  Stage s;
  s.device->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  Ref<MeshBuilder> q = s.Quad(5, 1, 0xFFFFFFFFu);
  const float u[4] = {0.8f, 0.8f, 0.2f, 0.2f};
  for (int i = 0; i < 4; ++i) q->SetTextureCoordinates(i, u[i], 0.5f);
  Ref<Texture> t =
      Ref<Texture>::Adopt(new Texture(4, 1, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu}));
  q->SetTexture(t.get());
  s.Draw();
  EXPECT_EQ(s.At(22, 32), 0x0000FFu);  // u 0.73: third texel
  EXPECT_EQ(s.At(42, 32), 0x00FF00u);  // u 0.27: second texel
  q->SetTextureTopology(true, false);
  s.Draw();
  EXPECT_EQ(s.At(22, 32), 0xFFFFFFu);  // u 0.84: fourth texel
  EXPECT_EQ(s.At(42, 32), 0xFF0000u);  // u 1.16: the first again
}

TEST(RenderTest, BadGeometryIsSkipped) {
  Stage s;
  s.Draw();
  const uint32_t background = s.At(32, 32);
  Ref<MeshBuilder> b = s.engine->CreateMeshBuilder();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  b->AddVertex({0, 0, 5});
  b->AddVertex({0, 1, 5});
  b->AddVertex({0, 2, 5});
  b->AddVertex({nan, 0, 5});
  b->AddVertex({inf, 1, 5});
  b->AddVertex({1e30f, -1e30f, 5});
  b->AddVertex({1, 0, 1e-30f});
  b->AddFaceIndexed({{0, -1}});                    // one corner
  b->AddFaceIndexed({{0, -1}, {1, -1}});           // two
  b->AddFaceIndexed({{0, -1}, {1, -1}, {2, -1}});  // no area
  b->AddFaceIndexed({{0, -1}, {3, -1}, {1, -1}});  // not a number
  b->AddFaceIndexed({{0, -1}, {1, -1}, {4, -1}});  // infinite
  b->AddFaceIndexed({{0, -1}, {1, -1}, {5, -1}});  // huge
  b->AddFaceIndexed({{5, -1}, {1, -1}, {6, -1}});  // huge and at the camera
  s.scene->AddVisual(b.get());
  Ref<Mesh> m = s.engine->CreateMesh();
  const uint32_t faces[] = {0, 1, 2};
  ASSERT_EQ(m->AddGroup(3, 1, 3, faces), 0);  // all three vertices at the origin
  s.scene->AddVisual(m.get());
  for (int quality :
       {int{kQualityGouraud}, kShadeFlat + kLightOn + kFillWireframe, kLightOn + kFillPoints}) {
    SCOPED_TRACE(quality);
    s.device->SetQuality(quality);
    s.Draw();
    s.device->Update();
    // Nothing was drawn: every pixel keeps the background, and the centre picks nothing.
    int drawn = 0;
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) drawn += s.At(x, y) != background;
    }
    EXPECT_EQ(drawn, 0);
    Ref<PickedArray> picked = s.viewport->Pick(32, 32);
    EXPECT_EQ(picked ? picked->GetSize() : 0u, 0u);
  }
}

TEST(RenderTest, MeshGroupsAndOrthographicProjection) {
  Stage s;
  Ref<Mesh> m = s.engine->CreateMesh();
  const uint32_t quad[] = {0, 1, 2, 3};
  ASSERT_EQ(m->AddGroup(4, 1, 4, quad), 0);
  MeshVertex v[4];
  const float xy[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
  for (int i = 0; i < 4; ++i) {
    v[i].position = {xy[i][0], xy[i][1], 5};
    v[i].normal = {0, 0, -1};
  }
  ASSERT_TRUE(m->SetVertices(0, 0, 4, v));
  m->SetGroupColor(0, 0xFF00FF00u);
  m->SetGroupQuality(0, kShadeFlat + kLightOff + kFillSolid);
  s.scene->AddVisual(m.get());
  s.Draw();
  EXPECT_EQ(s.At(32, 32), 0x00FF00u);
  Ref<PickedArray> picks = s.viewport->Pick(32, 32);
  ASSERT_EQ(picks->GetSize(), 1u);
  EXPECT_EQ(picks->GetPick(0)->description.groupIndex, 0);
  EXPECT_EQ(picks->GetPick(0)->description.faceIndex, 0);

  // Orthographic: the plane's window is in camera units, whatever the depth: the quad of half
  // size 1 fills the field of 0.5 several times over, and so the whole viewport.
  ASSERT_TRUE(s.viewport->SetProjection(kProjectOrthographic));
  s.viewport->SetField(2.0f);
  s.Draw();
  EXPECT_EQ(s.At(32, 32), 0x00FF00u);
  EXPECT_EQ(s.At(32 + 14, 32), 0x00FF00u);  // half size 1 of 2: 16 pixels
  EXPECT_EQ(s.At(32 + 18, 32), 0u);
  EXPECT_EQ(s.viewport->Pick(32 + 14, 32)->GetSize(), 1u);
}

}  // namespace
}  // namespace engine
