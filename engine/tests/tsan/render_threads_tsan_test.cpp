// The threaded rasterizer under ThreadSanitizer (built only in the sanitizer build, from the few
// sources it needs): random triangles, lines and points recorded and drawn in bands by the pool,
// frame after frame, give the pixels of drawing them one by one, and no two threads touch the
// same memory unordered.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/render/display_list.h"
#include "engine/render/lines.h"
#include "engine/render/raster_pool.h"
#include "engine/render/rasterize.h"

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

TEST(RenderThreadsTsanTest, BandsDrawnByThePoolMatchOneByOne) {
  std::mt19937 rng(7);
  DisplayList list;
  for (int frame = 0; frame < 20; ++frame) {
    const std::vector<Shape> shapes = RandomShapes(rng, 300);
    Buffers one, many;
    for (const Shape& s : shapes) {
      if (s.kind == 0) DrawTriangle(one.target(), s.v[0], s.v[1], s.v[2], s.state);
      if (s.kind == 1) DrawLine(one.target(), s.v[0], s.v[1]);
      if (s.kind == 2) DrawPoint(one.target(), s.v[0]);
    }
    const int threads = 2 + frame % 2;
    list.Begin(many.target(), 8 + frame);
    for (const Shape& s : shapes) {
      if (s.kind == 0) list.Triangle(s.v[0], s.v[1], s.v[2], s.state);
      if (s.kind == 1) list.Line(s.v[0], s.v[1]);
      if (s.kind == 2) list.Point(s.v[0]);
    }
    ParallelFor(threads, list.BandCount(), [&list](int k) { list.DrawBand(k); });
    ASSERT_EQ(many.color, one.color) << "frame " << frame;
    ASSERT_EQ(many.depth, one.depth) << "frame " << frame;
  }
}

}  // namespace
}  // namespace engine::render
