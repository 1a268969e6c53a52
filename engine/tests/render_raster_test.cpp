// The rasterizer core: coverage and the fill rule, depth, interpolation, textures, clipping, and
// input that must draw nothing without failing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/render/clip.h"
#include "engine/render/fog.h"
#include "engine/render/lines.h"
#include "engine/render/mip_texture.h"
#include "engine/render/rasterize.h"
#include "engine/render/sample.h"

namespace engine::render {
namespace {

struct Buffers {
  int w, h;
  std::vector<uint32_t> color;
  std::vector<float> depth;
  Buffers(int w_, int h_) : w(w_), h(h_), color(w_ * h_, 0), depth(w_ * h_, 0.0f) {}
  Target target() { return {color.data(), depth.data(), w, 0, 0, w, h}; }
  void Clear() {
    std::fill(color.begin(), color.end(), 0);
    std::fill(depth.begin(), depth.end(), 0.0f);
  }
  int Count() const {
    int n = 0;
    for (uint32_t c : color) n += c != 0;
    return n;
  }
};

ScreenVertex V(float x, float y, float depth = 0.5f, float r = 1, float g = 1, float b = 1) {
  return {x, y, depth, 1.0f, 0, 0, r, g, b, 1.0f};
}

TEST(RasterTest, AlignedSquareCoversExactlyItsPixels) {
  Buffers buf(8, 8);
  PolyState st;
  // Corners on pixel borders: the square [2,5) x [1,4) is 3 x 3 pixels, no more.
  DrawTriangle(buf.target(), V(2, 1), V(5, 1), V(5, 4), st);
  DrawTriangle(buf.target(), V(2, 1), V(5, 4), V(2, 4), st);
  EXPECT_EQ(buf.Count(), 9);
  for (int y = 1; y < 4; ++y)
    for (int x = 2; x < 5; ++x) EXPECT_NE(buf.color[y * 8 + x], 0u) << x << "," << y;
}

TEST(RasterTest, FanAroundAPointDrawsEveryPixelOnce) {
  // Triangles sharing edges must neither leave gaps nor draw a pixel twice: draw each alone,
  // count how often each pixel is hit.
  const int n = 13;
  Buffers buf(64, 64);
  std::vector<int> hits(64 * 64, 0);
  std::vector<ScreenVertex> ring;
  for (int k = 0; k < n; ++k) {
    float a = 6.2831853f * k / n + 0.1f;
    ring.push_back(V(31.3f + 25.7f * std::cos(a), 30.9f + 25.3f * std::sin(a)));
  }
  PolyState st;
  for (int k = 0; k < n; ++k) {
    buf.Clear();
    DrawTriangle(buf.target(), V(31.37f, 30.81f), ring[k], ring[(k + 1) % n], st);
    for (int i = 0; i < 64 * 64; ++i) hits[i] += buf.color[i] != 0;
  }
  int inside = 0;
  for (int i = 0; i < 64 * 64; ++i) {
    EXPECT_LE(hits[i], 1) << "pixel " << i % 64 << "," << i / 64;
    inside += hits[i];
  }
  // Every pixel centre well inside the ring is covered.
  for (int y = 20; y < 42; ++y)
    for (int x = 20; x < 42; ++x) EXPECT_EQ(hits[y * 64 + x], 1) << x << "," << y;
  EXPECT_GT(inside, 1500);
}

TEST(RasterTest, TinyTrianglesShareTheirPixelsToo) {
  // Triangles smaller than a pixel or two take a path of their own; the fill rule must hold there
  // as well: no pixel twice, none missed at the centre.
  for (float radius : {0.9f, 1.4f}) {
    const int n = 7;
    Buffers buf(4, 4);
    std::vector<int> hits(16, 0);
    PolyState st;
    for (int k = 0; k < n; ++k) {
      float a0 = 6.2831853f * k / n, a1 = 6.2831853f * (k + 1) / n;
      buf.Clear();
      DrawTriangle(buf.target(), V(2.0f, 2.0f, 0.5f, 1, 0, 0),
                   V(2.0f + radius * std::cos(a0), 2.0f + radius * std::sin(a0), 0.5f, 0, 1, 0),
                   V(2.0f + radius * std::cos(a1), 2.0f + radius * std::sin(a1), 0.5f, 0, 0, 1),
                   st);
      for (int i = 0; i < 16; ++i) hits[i] += buf.color[i] != 0;
    }
    for (int i = 0; i < 16; ++i) EXPECT_LE(hits[i], 1) << "pixel " << i << " radius " << radius;
    for (int i : {5, 6, 9, 10}) EXPECT_EQ(hits[i], 1) << "pixel " << i << " radius " << radius;
  }
  // The colour at a covered centre is the corners' weighted mix.
  Buffers buf(2, 2);
  DrawTriangle(buf.target(), V(0, 0, 0.5f, 1, 0, 0), V(2, 0, 0.5f, 0, 1, 0), V(0, 2, 0.5f, 0, 0, 1),
               PolyState{});
  EXPECT_EQ(buf.color[0], (128u << 16) | (64u << 8) | 64u);  // weights 1/2, 1/4, 1/4
}

TEST(RasterTest, EitherWindingDrawsAndNearerWins) {
  Buffers buf(16, 16);
  PolyState st;
  DrawTriangle(buf.target(), V(0, 0, 0.2f, 1, 0, 0), V(16, 0, 0.2f, 1, 0, 0),
               V(0, 16, 0.2f, 1, 0, 0), st);
  DrawTriangle(buf.target(), V(0, 0, 0.5f, 0, 0, 1), V(0, 16, 0.5f, 0, 0, 1),
               V(16, 0, 0.5f, 0, 0, 1), st);  // the other winding, nearer
  DrawTriangle(buf.target(), V(0, 0, 0.3f, 0, 1, 0), V(16, 0, 0.3f, 0, 1, 0),
               V(0, 16, 0.3f, 0, 1, 0), st);  // behind the blue one
  EXPECT_EQ(buf.color[2 * 16 + 2], 0x0000FFu);
  EXPECT_FLOAT_EQ(buf.depth[2 * 16 + 2], 0.5f);
}

TEST(RasterTest, GouraudColourIsInterpolated) {
  Buffers buf(101, 4);
  PolyState st;
  DrawTriangle(buf.target(), V(0, 0, 0.5f, 0, 0, 0), V(100, 0, 0.5f, 1, 1, 1),
               V(100, 4, 0.5f, 1, 1, 1), st);
  DrawTriangle(buf.target(), V(0, 0, 0.5f, 0, 0, 0), V(100, 4, 0.5f, 1, 1, 1),
               V(0, 4, 0.5f, 0, 0, 0), st);
  uint32_t mid = buf.color[2 * 101 + 50];
  EXPECT_NEAR(static_cast<int>(mid & 0xFF), 128, 2);
  EXPECT_EQ((mid >> 16) & 0xFF, mid & 0xFF);
}

// A 2 x 1 texture: left texel red, right texel blue.
MipTexture TwoTexels() {
  uint32_t px[2] = {0xFFFF0000u, 0xFF0000FFu};
  MipTexture t;
  EXPECT_TRUE(t.Build(px, 2, 1, 2));
  return t;
}

TEST(RasterTest, PerspectiveCorrectTexturing) {
  // A quad whose left edge is 4 times nearer than its right: the near half of the texture takes
  // more of the screen, so u = 0.5 lies right of the middle.
  MipTexture tex = TwoTexels();
  Buffers buf(100, 2);
  PolyState st;
  st.texture = &tex;
  st.quality = kNearest;
  auto P = [](float x, float y, float z, float u) {
    ScreenVertex v = V(x, y, 1 / z);
    v.oow = 1 / z;
    v.uw = u / z;
    return v;
  };
  DrawTriangle(buf.target(), P(0, 0, 1, 0), P(100, 0, 4, 1), P(100, 2, 4, 1), st);
  DrawTriangle(buf.target(), P(0, 0, 1, 0), P(100, 2, 4, 1), P(0, 2, 1, 0), st);
  // Screen x fraction s maps to u = s / (4 - 3 s); u = 0.5 at s = 0.8.
  EXPECT_EQ(buf.color[100 + 78], 0xFF0000u);
  EXPECT_EQ(buf.color[100 + 82], 0x0000FFu);
  EXPECT_EQ(buf.color[100 + 60], 0xFF0000u);  // affine would give blue here
}

TEST(RasterTest, TextureModulatedByColourAndFogged) {
  uint32_t white = 0xFFFFFFFFu;
  MipTexture tex;
  ASSERT_TRUE(tex.Build(&white, 1, 1, 1));
  Buffers buf(4, 4);
  PolyState st;
  st.texture = &tex;
  st.quality = kLinear;
  DrawTriangle(buf.target(), V(0, 0, 0.5f, 0.5f, 1, 0), V(8, 0, 0.5f, 0.5f, 1, 0),
               V(0, 8, 0.5f, 0.5f, 1, 0), st);
  EXPECT_NEAR(static_cast<int>((buf.color[0] >> 16) & 0xFF), 128, 2);
  EXPECT_EQ((buf.color[0] >> 8) & 0xFF, 255u);
  EXPECT_EQ(buf.color[0] & 0xFF, 0u);

  buf.Clear();
  st.texture = nullptr;
  st.fog = true;
  st.fogColor = 0x0000FF;
  ScreenVertex a = V(0, 0), b = V(8, 0), c = V(0, 8);
  a.fog = b.fog = c.fog = 0.0f;  // all fog
  DrawTriangle(buf.target(), a, b, c, st);
  EXPECT_EQ(buf.color[0], 0x0000FFu);
}

TEST(RasterTest, MipmapsAverageAndMinificationPicksASmallLevel) {
  // A 64 x 64 checkerboard of single texels averages to grey one level down... and in any level
  // chosen for a tiny drawing.
  std::vector<uint32_t> px(64 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) px[y * 64 + x] = ((x + y) & 1) ? 0xFFFFFFFFu : 0xFF000000u;
  MipTexture tex;
  ASSERT_TRUE(tex.Build(px.data(), 64, 64, 64));
  EXPECT_EQ(tex.levelCount(), 7);
  EXPECT_EQ(tex.level(1).width, 32);
  EXPECT_NEAR(static_cast<int>(tex.level(1).texels[0] & 0xFF), 128, 1);

  Buffers buf(8, 8);
  PolyState st;
  st.texture = &tex;
  st.quality = kMipLinear;
  auto P = [](float x, float y, float u, float v) {
    ScreenVertex s = V(x, y);
    s.uw = u;
    s.vw = v;
    return s;
  };
  DrawTriangle(buf.target(), P(0, 0, 0, 0), P(8, 0, 1, 0), P(0, 8, 0, 1), st);
  DrawTriangle(buf.target(), P(8, 0, 1, 0), P(8, 8, 1, 1), P(0, 8, 0, 1), st);
  for (int i = 0; i < 64; ++i) EXPECT_NEAR(static_cast<int>(buf.color[i] & 0xFF), 128, 3) << i;
}

TEST(RasterTest, AnyPictureSizeBecomesPowersOfTwo) {
  EXPECT_EQ(NearestPowerOfTwo(1), 1);
  EXPECT_EQ(NearestPowerOfTwo(100), 128);
  EXPECT_EQ(NearestPowerOfTwo(90), 64);
  EXPECT_EQ(NearestPowerOfTwo(5000), 1024);
  std::vector<uint32_t> px(3 * 5, 0xFF808080u);
  MipTexture tex;
  ASSERT_TRUE(tex.Build(px.data(), 3, 5, 3));
  EXPECT_EQ(tex.level(0).width, 4);
  EXPECT_EQ(tex.level(0).height, 4);
  EXPECT_EQ(tex.level(0).texels[5], 0xFF808080u);
  EXPECT_FALSE(tex.Build(px.data(), 0, 5, 3));
  EXPECT_TRUE(tex.empty());
  EXPECT_FALSE(tex.Build(nullptr, 3, 5, 3));
}

TEST(RasterTest, BadTrianglesDrawNothing) {
  Buffers buf(16, 16);
  PolyState st;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  DrawTriangle(buf.target(), V(1, 1), V(8, 8), V(15, 15), st);  // zero area
  DrawTriangle(buf.target(), V(nan, 1), V(8, 1), V(1, 8), st);
  DrawTriangle(buf.target(), V(1, 1), V(inf, 1), V(1, 8), st);
  DrawTriangle(buf.target(), V(1, 1), V(1e30f, 1), V(1, 8), st);
  ScreenVertex d = V(8, 1);
  d.depth = nan;
  DrawTriangle(buf.target(), V(1, 1), d, V(1, 8), st);
  DrawTriangle(Target{}, V(0, 0), V(8, 0), V(0, 8), st);  // no buffers
  EXPECT_EQ(buf.Count(), 0);
  // Huge but allowed coordinates are clipped to the buffer.
  DrawTriangle(buf.target(), V(-16000, -8000), V(16000, -8000), V(-16000, 16000), st);
  EXPECT_EQ(buf.Count(), 256);
}

TEST(RasterTest, DrawsOnlyInsideTheTargetRectangle) {
  Buffers buf(16, 16);
  Target t = buf.target();
  t.x0 = 4;
  t.y0 = 5;
  t.x1 = 10;
  t.y1 = 7;
  DrawTriangle(t, V(-50, -50), V(100, -50), V(-50, 100), PolyState{});
  EXPECT_EQ(buf.Count(), 12);
  DrawLine(t, V(0, 6.5f), V(15, 6.5f));
  DrawPoint(t, V(1, 1));
  EXPECT_EQ(buf.Count(), 12);
}

TEST(RasterTest, ShadowsDarkenWhatIsBehind) {
  Buffers buf(4, 4);
  std::fill(buf.color.begin(), buf.color.end(), 0xFFFFFFu);
  std::fill(buf.depth.begin(), buf.depth.end(), 0.1f);
  PolyState st;
  st.blend = Blend::kDarken;
  DrawTriangle(buf.target(), V(0, 0, 0.2f), V(8, 0, 0.2f), V(0, 8, 0.2f), st);
  EXPECT_EQ(buf.color[0], 0x7F7F7Fu);
  EXPECT_FLOAT_EQ(buf.depth[0], 0.1f);  // depth is left alone
}

TEST(ClipTest, FrontAndBackPlanesCutAPolygon) {
  std::vector<CameraVertex> tri = {
      {0, 0, 0.5f, 0, 0, 1, 1, 1, 1}, {0, 1, 4, 1, 0, 1, 1, 1, 1}, {1, 0, 12, 0, 1, 1, 1, 1, 1}};
  std::vector<CameraVertex> out;
  ClipDepth(tri, 1.0f, 10.0f, out);
  ASSERT_EQ(out.size(), 5u);
  for (const CameraVertex& v : out) {
    EXPECT_GE(v.z, 1.0f - 1e-5f);
    EXPECT_LE(v.z, 10.0f + 1e-5f);
  }
  ClipDepth(tri, 20.0f, 30.0f, out);
  EXPECT_TRUE(out.empty());
}

TEST(ClipTest, GuardBandKeepsTheInside) {
  std::vector<ScreenVertex> poly = {V(-100, 5), V(50, 5), V(50, 200)}, scratch;
  EXPECT_FALSE(InsideRect(poly, 0, 0, 64, 64));
  ClipRect(poly, 0, 0, 64, 64, scratch);
  EXPECT_TRUE(InsideRect(poly, 0, 0, 64, 64));
  EXPECT_GE(poly.size(), 3u);
}

TEST(FogTest, ModesAndRanges) {
  FogParams fog;
  EXPECT_EQ(FogFactor(fog, 50), 1.0f);
  fog.enabled = true;
  fog.start = 10;
  fog.end = 20;
  EXPECT_FLOAT_EQ(FogFactor(fog, 15), 0.5f);
  EXPECT_EQ(FogFactor(fog, 5), 1.0f);
  EXPECT_EQ(FogFactor(fog, 25), 0.0f);
  fog.end = 10;  // empty range
  EXPECT_EQ(FogFactor(fog, 9), 1.0f);
  EXPECT_EQ(FogFactor(fog, 11), 0.0f);
  fog.mode = kFogExponential;
  fog.density = 0.1f;
  EXPECT_NEAR(FogFactor(fog, 10), std::exp(-1.0f), 1e-6);
  fog.mode = kFogExponentialSquared;
  EXPECT_NEAR(FogFactor(fog, 20), std::exp(-4.0f), 1e-6);
}

}  // namespace
}  // namespace engine::render
