// Picking tests bounding boxes before faces: the same visuals, faces, depths and positions as
// testing every face, in the room with random blocks seen from random directions, and after a
// builder's vertices move.
#include <gtest/gtest.h>

#include <random>

#include "engine/pick.h"
#include "engine/pickedarray.h"
#include "engine/tests/support/room_scene.h"

namespace engine {
namespace {

void ExpectSamePicks(const PickedArray& fast, const PickedArray& full, int x, int y) {
  ASSERT_EQ(fast.GetSize(), full.GetSize()) << "at " << x << ", " << y;
  for (size_t i = 0; i < full.GetSize(); ++i) {
    const PickEntry& a = *fast.GetPick(i);
    const PickEntry& b = *full.GetPick(i);
    EXPECT_EQ(a.visual.get(), b.visual.get()) << "at " << x << ", " << y;
    EXPECT_EQ(a.description.faceIndex, b.description.faceIndex);
    EXPECT_EQ(a.description.groupIndex, b.description.groupIndex);
    EXPECT_EQ(a.description.depth, b.description.depth);
    EXPECT_EQ(a.description.position, b.description.position);
    EXPECT_EQ(a.path.size(), b.path.size());
  }
}

// Picks at `rays` random pixels both ways and compares; returns how many pixels hit a block.
int CompareRandomRays(room::Room& r, std::mt19937& rng, int rays) {
  std::uniform_int_distribution<int> px(0, r.viewport->GetWidth() - 1);
  std::uniform_int_distribution<int> py(0, r.viewport->GetHeight() - 1);
  int blocks = 0;
  for (int n = 0; n < rays; ++n) {
    const int x = px(rng), y = py(rng);
    SetPickByBounds(true);
    Ref<PickedArray> fast = r.viewport->Pick(x, y);
    SetPickByBounds(false);
    Ref<PickedArray> full = r.viewport->Pick(x, y);
    SetPickByBounds(true);
    if (!fast || !full) {
      ADD_FAILURE() << "no pick result";
      return blocks;
    }
    ExpectSamePicks(*fast, *full, x, y);
    if (::testing::Test::HasFailure()) return blocks;
    if (fast->GetSize() > 0) {
      const Object* seen = fast->GetPick(0)->visual.get();
      for (const Ref<MeshBuilder>& b : r.blocks) blocks += b.get() == seen;
    }
  }
  return blocks;
}

TEST(PickBoundsTest, SameResultsAsTestingEveryFace) {
  std::mt19937 rng(20261208);
  auto r = room::BuildRoom(416, 338, "");
  ASSERT_TRUE(r);
  std::uniform_int_distribution<int> cell(0, 4);
  for (int n = 0; n < 40; ++n)
    room::AddBlock(*r, cell(rng), cell(rng), cell(rng), 0xFF000000u | rng());
  std::uniform_real_distribution<float> angle(-3.14159f, 3.14159f);
  int blocks = 0;
  for (int view = 0; view < 6; ++view) {
    // Turned the room about two axes (the first view as the program shows it).
    if (view > 0) {
      ASSERT_TRUE(r->room->AddRotation(kCombineBefore, Vector{0, 1, 0}, angle(rng)));
      ASSERT_TRUE(r->room->AddRotation(kCombineBefore, Vector{1, 0, 0}, angle(rng) / 4));
    }
    r->RenderFrame();
    blocks += CompareRandomRays(*r, rng, 800);
    if (HasFailure()) return;
  }
  EXPECT_GT(blocks, 100);  // the rays met blocks, not only walls
}

TEST(PickBoundsTest, FollowsABuilderWhoseVerticesMove) {
  auto r = room::BuildRoom(416, 338, "");
  ASSERT_TRUE(r);
  room::AddBlock(*r, 2, 2, 4, 0xFFFF0000u);
  r->RenderFrame();
  MeshBuilder& block = *r->blocks.back();
  Vector world;
  ASSERT_TRUE(r->Cell(0, 0, 4)->Transform(Vector{}, world));
  float sx, sy, depth;
  ASSERT_TRUE(r->viewport->Transform(world, sx, sy, depth));
  auto picksBlock = [&] {
    Ref<PickedArray> picks = r->viewport->Pick(static_cast<int>(sx), static_cast<int>(sy));
    return picks && picks->GetSize() > 0 && picks->GetPick(0)->visual.get() == &block;
  };
  EXPECT_FALSE(picksBlock());
  // Moved two cells down and left by its vertices, the block is found where it now is.
  Box box;
  ASSERT_TRUE(block.GetBox(box));
  const float cellSize = box.max.x - box.min.x;
  ASSERT_TRUE(block.Translate(Vector{-2 * cellSize, -2 * cellSize, 0}));
  EXPECT_TRUE(picksBlock());
  ASSERT_TRUE(block.Translate(Vector{2 * cellSize, 2 * cellSize, 0}));
  EXPECT_FALSE(picksBlock());
  for (int32_t i = 0; i < block.GetVertexCount(); ++i) {
    Vector v;
    ASSERT_TRUE(block.GetVertex(i, v));
    ASSERT_TRUE(block.SetVertex(i, Vector{v.x - 2 * cellSize, v.y - 2 * cellSize, v.z}));
  }
  EXPECT_TRUE(picksBlock());
}

}  // namespace
}  // namespace engine
