// A small scene built, drawn, picked and copied through the exports alone.
#include "bridge_fixture.h"
#include "platform/picture.h"

namespace {

class SmallScene : public BridgeTest {
 protected:
  void Build(int width = 160, int height = 120) {
    Init(width, height);
    VT(d3dSetBackColor)(&rec, VT(d3dRGB)(0, 0, 1));
    VT(d3dSetPosition)(rec.camera, rec.scene, 0, 0, -10);
    light = VT(d3dCreateLightRGB)(&rec, 0, 1, 1, 1);
    VT(d3dAddLight)(rec.scene, light);
    holder = VT(d3dCreateFrame)(&rec, 0);
    quad = Quad(0, 0, 0, 1, VT(d3dRGB)(1, 0, 0));
    VT(d3dAddVisual)(holder, quad);
  }

  // A red square of half-size s around (x, y, z), facing the camera at -z.
  uint32_t Quad(float x, float y, float z, float s, int32_t color) {
    uint32_t mb = VT(d3dCreateMeshBuilder)(&rec);
    VT(d3dAddVertexMB)(mb, x - s, y + s, z);
    VT(d3dAddVertexMB)(mb, x + s, y + s, z);
    VT(d3dAddVertexMB)(mb, x + s, y - s, z);
    VT(d3dAddVertexMB)(mb, x - s, y - s, z);
    VT(d3dAddNormalMB)(mb, 0, 0, -1);
    uint32_t face = VT(d3dCreateFaceMB)(mb);
    for (int i = 0; i < 4; ++i) VT(d3dAddVertexAndNormal)(face, i, 0);
    VT(d3dRelease)(face);
    VT(d3dSetColorMB)(mb, color);
    made.push_back(mb);
    return mb;
  }

  void TearDown() override {
    for (uint32_t h : made) VT(d3dRelease)(h);
    VT(d3dRelease)(holder);
    VT(d3dRelease)(light);
    BridgeTest::TearDown();
  }

  // The entries of a pick as (visual, frame) pairs; the array is given back.
  std::vector<std::pair<uint32_t, uint32_t>> PickAt(int x, int y) {
    std::vector<std::pair<uint32_t, uint32_t>> out;
    uint32_t picked = VT(d3dPick)(&rec, x, y);
    EXPECT_NE(picked, 0u);
    int32_t n = VT(d3dPickedCount)(picked);
    for (int32_t i = 0; i < n; ++i) {
      uint32_t v = VT(d3dPickedObject)(picked, i);
      uint32_t f = VT(d3dPickedFrame)(picked, i);
      out.push_back({v, f});
      VT(d3dRelease)(v);
      VT(d3dRelease)(f);
    }
    EXPECT_EQ(VT(d3dPickedObject)(picked, n), 0u);
    EXPECT_EQ(VT(d3dPickedFrame)(picked, n), 0u);
    EXPECT_EQ(VT(d3dPickedObject)(picked, -1), 0u);
    EXPECT_EQ(VT(d3dRelease)(picked), 1);
    return out;
  }

  // The run of pixels of one colour on a row of the window (the first run found).
  struct Span {
    int first = -1, last = -1;
    bool found() const { return first >= 0; }
    int middle() const { return (first + last) / 2; }
  };
  Span SpanOnRow(int y, uint32_t rgb) {
    Span s;
    int w = 0;
    platform::GetClientSize(hwnd, &w, nullptr);
    for (int x = 0; x < w; ++x) {
      if (WindowPixel(x, y) == rgb) {
        if (!s.found()) s.first = x;
        s.last = x;
      } else if (s.found()) {
        break;
      }
    }
    return s;
  }

  uint32_t light = 0, holder = 0, quad = 0;
  std::vector<uint32_t> made;
};

TEST_F(SmallScene, RenderDrawsTheQuadOverTheBackground) {
  Build();
  VT(d3dRender)(&rec);
  uint32_t centre = WindowPixel(80, 60);
  EXPECT_GT(Red(centre), 200);
  EXPECT_LT(Blue(centre), 50);
  EXPECT_EQ(WindowPixel(2, 2), 0x0000FFu);
  EXPECT_EQ(WindowPixel(80 + 30, 60), 0x0000FFu);  // the quad spans at most 16 pixels each way
}

TEST_F(SmallScene, PickFindsTheVisualAndItsFrame) {
  Build();
  auto hits = PickAt(80, 60);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].first, quad);
  EXPECT_EQ(hits[0].second, holder);
  EXPECT_TRUE(PickAt(2, 2).empty());  // an empty array, still released by the caller
}

TEST_F(SmallScene, VisualOnTheRootFrameIsHeldByTheRoot) {
  Build();
  uint32_t side = Quad(3, 0, 0, 0.5f, VT(d3dRGB)(0, 1, 0));
  VT(d3dAddVisual)(rec.scene, side);
  VT(d3dRender)(&rec);
  Span green = SpanOnRow(60, 0x00FF00);
  ASSERT_TRUE(green.found());
  EXPECT_GT(green.first, 80);
  auto hits = PickAt(green.middle(), 60);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].first, side);
  EXPECT_EQ(hits[0].second, rec.scene);
}

TEST_F(SmallScene, NearestComesFirstAndBackFacesAreNeitherDrawnNorPicked) {
  Build();
  uint32_t front = Quad(0, 0, -2, 0.5f, VT(d3dRGB)(0, 1, 0));
  uint32_t frontFrame = VT(d3dCreateFrame)(&rec, 0);
  VT(d3dAddVisual)(frontFrame, front);
  auto hits = PickAt(80, 60);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].first, front);
  EXPECT_EQ(hits[1].first, quad);

  // Turned half round about y, the red quad shows its back to the camera.
  VT(d3dAddRotation)(holder, 1, 0, 1, 0, 3.14159265f);
  hits = PickAt(80, 60);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].first, front);
  VT(d3dDeleteChild)(rec.scene, frontFrame);
  VT(d3dRelease)(frontFrame);
  VT(d3dRender)(&rec);
  EXPECT_EQ(WindowPixel(80, 60), 0x0000FFu);
  EXPECT_TRUE(PickAt(80, 60).empty());
}

TEST_F(SmallScene, TickTurnsAFrameBeforeTheNextRender) {
  Build();
  VT(d3dSetPosition)(holder, 0, 4, 0, 0);  // off the centre
  VT(d3dRender)(&rec);
  EXPECT_EQ(WindowPixel(80, 60), 0x0000FFu);
  VT(d3dSetVelocity)(holder, 0, -1, 0, 0, 0);
  VT(d3dTick)(&rec, 4.0f);
  VT(d3dRender)(&rec);
  EXPECT_GT(Red(WindowPixel(80, 60)), 200);
}

TEST_F(SmallScene, ResizeKeepsTheSceneAndPicksAtTheNewCentre) {
  Build(160, 120);
  VT(d3dRender)(&rec);
  Span before = SpanOnRow(60, 0xFF0000);
  ASSERT_TRUE(platform::SetClientSize(hwnd, 320, 240));
  EXPECT_EQ(VT(d3dGetViewportWidth)(&rec), 320);
  VT(d3dRender)(&rec);
  Span after = SpanOnRow(120, 0xFF0000);
  ASSERT_TRUE(after.found());
  // Twice the window, twice the picture, still centred.
  EXPECT_NEAR(after.last - after.first + 1, 2 * (before.last - before.first + 1), 2);
  EXPECT_NEAR(after.middle(), 160, 1);
  auto hits = PickAt(after.last - 1, 120);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].first, quad);
  EXPECT_TRUE(PickAt(after.last + 3, 120).empty());
}

TEST_F(SmallScene, PickWithoutAViewportGivesZero) {
  DeviceRecord empty{};
  EXPECT_EQ(VT(d3dPick)(&empty, 1, 1), 0u);
  EXPECT_EQ(VT(d3dPick)(nullptr, 1, 1), 0u);
  EXPECT_EQ(VT(d3dPickedCount)(0), 0);
}

// ---- The snapshot ----

TEST_F(SmallScene, BitmapOnATrueColourScreenCarriesNoPalette) {
  Build();
  VT(d3dRender)(&rec);
  platform::Picture* old = platform::CreatePicture(1, 1);
  old->AddRef();  // keep it to see the bridge give its reference back
  VantrelPicture* pic = old;
  EXPECT_EQ(VT(d3dCreateBitmap)(&rec, &pic), VANTREL_STATUS_NOPALETTE);
  ASSERT_NE(pic, nullptr);
  ASSERT_NE(pic, old);
  EXPECT_EQ(old->Release(), 0u);
  EXPECT_EQ(pic->width(), 160);
  EXPECT_EQ(pic->height(), 120);
  EXPECT_FALSE(pic->hasPalette());
  EXPECT_GT(Red(pic->pixels()[60 * 160 + 80]), 200);
  EXPECT_EQ(pic->pixels()[0] & 0xFFFFFF, 0x0000FFu);
  pic->Release();
}

TEST_F(SmallScene, BitmapOnAPaletteScreenCarriesThePalette) {
  platform::SetScreenBitsPerPixel(8);
  Build();
  VT(d3dRender)(&rec);
  VantrelPicture* pic = nullptr;
  EXPECT_EQ(VT(d3dCreateBitmap)(&rec, &pic), 0);
  ASSERT_NE(pic, nullptr);
  EXPECT_TRUE(pic->hasPalette());
  EXPECT_EQ(pic->width(), 160);
  pic->Release();
}

TEST_F(SmallScene, BitmapHasTheViewportsSize) {
  Build();
  VT(d3dConfigure)(&rec, 10, 10, 50, 40);
  VT(d3dRender)(&rec);
  VantrelPicture* pic = nullptr;
  VT(d3dCreateBitmap)(&rec, &pic);
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->width(), 50);
  EXPECT_EQ(pic->height(), 40);
  pic->Release();
}

TEST_F(SmallScene, BitmapWithoutADeviceLeavesThePictureAlone) {
  platform::Picture* mine = platform::CreatePicture(2, 2);
  VantrelPicture* pic = mine;
  DeviceRecord empty{};
  EXPECT_EQ(VT(d3dCreateBitmap)(&empty, &pic), 0);
  EXPECT_EQ(pic, mine);
  EXPECT_EQ(VT(d3dCreateBitmap)(nullptr, &pic), 0);
  EXPECT_EQ(pic, mine);
  mine->Release();
  Build();
  EXPECT_EQ(VT(d3dCreateBitmap)(&rec, nullptr), VANTREL_STATUS_FAILED);
}

TEST_F(SmallScene, BackgroundImageNeedsATexture) {
  Build();
  std::string file = WriteSmallBmp();
  uint32_t tex = VT(d3dLoadTexture)(&rec, file.c_str());
  ASSERT_NE(tex, 0u);
  EXPECT_EQ(VT(d3dSetImage)(&rec, 0), 0);
  EXPECT_EQ(VT(d3dSetImage)(&rec, quad), 0);  // not a texture
  EXPECT_EQ(VT(d3dSetImage)(&rec, tex), 1);
  VT(d3dRender)(&rec);
  // The 2 x 2 picture (blue, white over red, green) stretched over the background colour.
  EXPECT_EQ(WindowPixel(2, 117), 0xFF0000u);
  EXPECT_EQ(WindowPixel(157, 2), 0xFFFFFFu);
  VT(d3dRelease)(tex);
  std::remove(file.c_str());
}

}  // namespace
