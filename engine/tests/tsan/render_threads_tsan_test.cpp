// The threaded renderer under ThreadSanitizer (built only in the sanitizer build, from the engine's
// own sources): random triangles, lines and points drawn band by band by the pool, and the block
// room drawn on several threads, give the pixels of one thread, and no two threads touch the same
// memory unordered.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/render/lines.h"
#include "engine/render/raster_pool.h"
#include "engine/render/rasterize.h"
#include "engine/tests/support/room_scene.h"

namespace engine::render {
namespace {

constexpr int kW = 160, kH = 120;

struct Buffers {
  std::vector<uint32_t> color = std::vector<uint32_t>(kW * kH, 0);
  std::vector<float> depth = std::vector<float>(kW * kH, 0.0f);
  Target target() { return {color.data(), depth.data(), kW, 0, 0, kW, kH}; }
};

struct Shape {
  int kind;  // 0 triangle, 1 line, 2 point
  ScreenVertex v[3];
  PolyState state;
};

std::vector<Shape> RandomShapes(std::mt19937& rng, int count) {
  std::uniform_real_distribution<float> x(-20, kW + 20), y(-20, kH + 20), unit(0, 1);
  std::vector<Shape> shapes;
  for (int n = 0; n < count; ++n) {
    Shape s{};
    s.kind = n % 10 == 0 ? 1 : (n % 17 == 0 ? 2 : 0);
    for (ScreenVertex& v : s.v) {
      v = {x(rng), y(rng),    0.1f + unit(rng), 1.0f,      0,
           0,      unit(rng), unit(rng),        unit(rng), unit(rng)};
    }
    s.state.fog = n % 3 == 0;
    s.state.fogColor = 0x808080;
    if (n % 11 == 0) s.state.blend = Blend::kDarken;
    shapes.push_back(s);
  }
  return shapes;
}

void Draw(const Target& t, const Shape& s) {
  if (s.kind == 0) DrawTriangle(t, s.v[0], s.v[1], s.v[2], s.state);
  if (s.kind == 1) DrawLine(t, s.v[0], s.v[1]);
  if (s.kind == 2) DrawPoint(t, s.v[0]);
}

TEST(RenderThreadsTsanTest, BandsDrawnByThePoolMatchOneByOne) {
  std::mt19937 rng(7);
  for (int frame = 0; frame < 20; ++frame) {
    const std::vector<Shape> shapes = RandomShapes(rng, 300);
    Buffers one, many;
    for (const Shape& s : shapes) Draw(one.target(), s);
    const int threads = 2 + frame % 2, bandRows = 8 + frame;
    const Target whole = many.target();
    ParallelFor(threads, (kH + bandRows - 1) / bandRows, [&](int k) {
      Target band = whole;
      band.rowBegin = k * bandRows;
      band.rowEnd = std::min(kH, band.rowBegin + bandRows);
      for (const Shape& s : shapes) Draw(band, s);
    });
    ASSERT_EQ(many.color, one.color) << "frame " << frame;
    ASSERT_EQ(many.depth, one.depth) << "frame " << frame;
  }
}

TEST(RenderThreadsTsanTest, TheRoomDrawnOnSeveralThreadsMatchesOneThread) {
  for (int divide : {5, 8}) {
    auto room = engine::room::BuildRoom(kW, kH, KUBISTO_SOURCE_DIR "/assets/files/walls", divide);
    ASSERT_TRUE(room);
    for (int x = 0; x < divide; x += 2) engine::room::AddBlock(*room, x, 0, x, 0xFF0000FFu);
    std::vector<uint32_t> first;
    for (int threads : {1, 2, 3, 2}) {
      SetRenderThreads(threads);
      room->RenderFrame();
      const uint32_t* px = room->device->ColorBuffer();
      std::vector<uint32_t> picture(px, px + kW * kH);
      if (first.empty()) first = picture;
      EXPECT_EQ(picture, first) << divide << " cells a side, " << threads << " threads";
    }
    SetRenderThreads(0);
  }
}

}  // namespace
}  // namespace engine::render
