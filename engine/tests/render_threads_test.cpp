// Drawing a frame on several threads gives the same pixels and depths as drawing it on one. Every
// frame that any engine test draws is also drawn with 1, 2 and 3 threads and compared.
#include <gtest/gtest.h>

#include <vector>

#include "engine/render/raster_pool.h"
#include "engine/render/scene_renderer.h"
#include "engine/tests/support/room_scene.h"

namespace engine {
namespace {

class ThreadCheckEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { render::SetThreadCheck(true); }
  void TearDown() override {
    render::SetThreadCheck(false);
    EXPECT_EQ(render::ThreadCheckMismatches(), 0)
        << "frames drawn on 2 or 3 threads differ from the same frames drawn on one";
  }
};

[[maybe_unused]] ::testing::Environment* const kThreadCheck =
    ::testing::AddGlobalTestEnvironment(new ThreadCheckEnvironment);

using room::Picture;

Picture Draw(room::Room& r, int threads) {
  render::SetRenderThreads(threads);
  r.RenderFrame();
  render::SetRenderThreads(0);
  return room::TakePicture(r);
}

TEST(ThreadedRenderTest, FullRoomIsTheSameOnOneTwoAndThreeThreads) {
  // Sizes whose rows do not divide evenly into bands, and the big picture size.
  for (auto [w, h] : {std::pair{416, 338}, std::pair{801, 599}, std::pair{1920, 1080}}) {
    auto r = room::BuildRoom(w, h, "");
    ASSERT_TRUE(r);
    const Color colours[3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    for (int x = 0; x < 5; ++x)
      for (int y = 0; y < 5; ++y)
        for (int z = 0; z < 5; ++z)
          if ((x + y + z) % 2 == 0) room::AddBlock(*r, x, y, z, colours[(x + z) % 3]);
    const Picture one = Draw(*r, 1);
    for (int threads : {2, 3, 8}) {
      const Picture many = Draw(*r, threads);
      EXPECT_EQ(many.color, one.color) << w << " x " << h << ", " << threads << " threads";
      EXPECT_EQ(many.depth, one.depth) << w << " x " << h << ", " << threads << " threads";
    }
  }
}

TEST(ThreadedRenderTest, BandsOfAnyHeightGiveTheSamePicture) {
  // Drawn whole, then in bands of one row, of a few rows that do not divide the view, and as the
  // renderer chooses, on one thread and on two.
  auto r = room::BuildRoom(801, 599, "");
  ASSERT_TRUE(r);
  for (int x = 0; x < 5; ++x) room::AddBlock(*r, x, x % 3, 4 - x, 0xFF00FF00u);
  render::SetBandRows(599);
  const Picture whole = Draw(*r, 1);
  for (int rows : {1, 7, 64, 0}) {
    render::SetBandRows(rows);
    for (int threads : {1, 2}) {
      const Picture banded = Draw(*r, threads);
      EXPECT_EQ(banded.color, whole.color) << rows << " rows, " << threads << " threads";
      EXPECT_EQ(banded.depth, whole.depth) << rows << " rows, " << threads << " threads";
    }
  }
  render::SetBandRows(0);
}

TEST(ThreadedRenderTest, ThreadCountComesFromTheEnvironmentOrTheOverride) {
  EXPECT_GE(render::RenderThreads(), 1);
  render::SetRenderThreads(3);
  EXPECT_EQ(render::RenderThreads(), 3);
  render::SetRenderThreads(0);
  EXPECT_GE(render::RenderThreads(), 1);
  EXPECT_LE(render::RenderThreads(), 64);
}

}  // namespace
}  // namespace engine
