// The block room as the workroom builds it: its picture against a reference, what must be seen in
// it, and picking a block by its projected centre.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/frame.h"
#include "engine/pickedarray.h"
#include "engine/texture.h"
#include "engine/tools/room_scene.h"

namespace engine {
namespace {

using room::Room;

// The room of the reference picture: generated wall patterns, four blocks on the table.
std::unique_ptr<Room> ReferenceRoom() {
  auto r = room::BuildRoom(416, 338, "");
  const Color colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
  for (int n = 0; n < 4; ++n) room::AddBlock(*r, (n * 2) % 5, 0, (n * 3 + 1) % 5, colours[n]);
  r->RenderFrame();
  return r;
}

uint32_t PixelAt(const Room& r, int x, int y) {
  return r.device->ColorBuffer()[static_cast<size_t>(y) * r.device->GetWidth() + x] & 0xFFFFFF;
}

int Channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// Where a point of the room frame lands on the screen.
bool ScreenOf(const Room& r, Vector inRoom, int& x, int& y) {
  Vector world;
  if (!r.room->Transform(inRoom, world)) return false;
  float sx, sy, depth;
  if (!r.viewport->Transform(world, sx, sy, depth)) return false;
  x = static_cast<int>(sx);
  y = static_cast<int>(sy);
  return true;
}

TEST(RoomRenderTest, MatchesTheReferencePicture) {
  auto r = ReferenceRoom();
  Ref<Texture> ref = Texture::Load(KUBISTO_SOURCE_DIR "/engine/tests/data/room_reference.png");
  ASSERT_TRUE(ref);
  ASSERT_EQ(ref->GetWidth(), 416);
  ASSERT_EQ(ref->GetHeight(), 338);
  int off = 0, checked = 0;
  for (int y = 3; y < 338; y += 17) {
    for (int x = 5; x < 416; x += 23) {
      uint32_t want = ref->Pixels()[static_cast<size_t>(y) * 416 + x] & 0xFFFFFF;
      uint32_t got = PixelAt(*r, x, y);
      int worst = 0;
      for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(Channel(want, shift) - Channel(got, shift)));
      off += worst > 24;
      ++checked;
    }
  }
  // A few samples may sit on an edge that moved by a pixel; the picture as a whole must agree.
  EXPECT_LE(off, checked / 50) << off << " of " << checked << " samples differ";
}

TEST(RoomRenderTest, ShowsTheRoomFromInside) {
  auto r = ReferenceRoom();
  // Every wall but the north one shows at its centre, textured (its pattern has two colours, so
  // pixels along it differ); the north wall stands between camera and room and is culled.
  struct Probe {
    const char* name;
    Vector at;
  } probes[] = {{"south (far) wall", {200, 300, -500}},
                {"west wall", {-500, 0, -440}},
                {"east wall", {500, 0, -440}},
                {"floor", {0, -500, -440}},
                {"ceiling", {0, 500, -440}}};
  for (const Probe& p : probes) {
    int x, y;
    ASSERT_TRUE(ScreenOf(*r, p.at, x, y)) << p.name;
    ASSERT_TRUE(x >= 0 && x < 416 && y >= 0 && y < 338) << p.name << " at " << x << "," << y;
    EXPECT_NE(PixelAt(*r, x, y), 0u) << p.name;
  }
  int x, y;
  // Textured: along the far wall the pattern changes.
  ASSERT_TRUE(ScreenOf(*r, {-400, 400, -500}, x, y));
  uint32_t a = PixelAt(*r, x, y);
  ASSERT_TRUE(ScreenOf(*r, {-300, 400, -500}, x, y));
  EXPECT_NE(a, PixelAt(*r, x, y));

  // The table's front edge is brown: red well above green, green above blue.
  ASSERT_TRUE(ScreenOf(*r, {60, -72, 110}, x, y));
  uint32_t table = PixelAt(*r, x, y);
  EXPECT_GT(Channel(table, 16), 2 * Channel(table, 8)) << std::hex << table;
  EXPECT_GE(Channel(table, 8), Channel(table, 0)) << std::hex << table;

  // Marker spheres: the spawn cell's green, another red.
  ASSERT_TRUE(ScreenOf(*r, room::CellCentre(5, 4, 4, 4), x, y));
  uint32_t spawn = PixelAt(*r, x, y);
  EXPECT_GT(Channel(spawn, 8), 100) << std::hex << spawn;
  EXPECT_LT(Channel(spawn, 16), 60) << std::hex << spawn;
  ASSERT_TRUE(ScreenOf(*r, room::CellCentre(5, 0, 4, 4), x, y));
  uint32_t marker = PixelAt(*r, x, y);
  EXPECT_GT(Channel(marker, 16), 100) << std::hex << marker;
  EXPECT_LT(Channel(marker, 8), 60) << std::hex << marker;
}

TEST(RoomRenderTest, UpdateShowsTheFrameInTheWindow) {
  auto r = ReferenceRoom();
  std::vector<uint32_t> shown;
  int w = 0, h = 0;
  ASSERT_TRUE(platform::ReadFramebuffer(r->window, shown, &w, &h));
  ASSERT_EQ(w, 416);
  ASSERT_EQ(h, 338);
  EXPECT_TRUE(std::equal(shown.begin(), shown.end(), r->device->ColorBuffer()));
}

TEST(RoomPickTest, FindsABlockByItsProjectedCentre) {
  auto r = room::BuildRoom(416, 338, "");
  room::AddBlock(*r, 1, 0, 3, 0xFF0000FFu);
  room::AddBlock(*r, 3, 2, 1, 0xFFFF0000u);
  r->RenderFrame();
  for (auto [cx, cy, cz] : {std::tuple{1, 0, 3}, std::tuple{3, 2, 1}}) {
    Vector world;
    ASSERT_TRUE(r->Cell(cx, cy, cz)->Transform(Vector{}, world));
    float sx, sy, depth;
    ASSERT_TRUE(r->viewport->Transform(world, sx, sy, depth));
    Ref<PickedArray> picks = r->viewport->Pick(static_cast<int>(sx), static_cast<int>(sy));
    ASSERT_TRUE(picks);
    ASSERT_GE(picks->GetSize(), 2u);
    const PickEntry* first = picks->GetPick(0);
    // The block, seen in front of its own marker and of the far wall.
    Box box;
    ASSERT_TRUE(As<MeshBuilder>(first->visual.get())->GetBox(box));
    EXPECT_NEAR(box.max.x - box.min.x, 48.0f, 1e-3f);
    ASSERT_FALSE(first->path.empty());
    EXPECT_EQ(first->path.front().get(), r->scene.get());
    EXPECT_EQ(first->path.back().get(), r->Cell(cx, cy, cz));
    EXPECT_EQ(first->path[first->path.size() - 2].get(), r->room.get());
    EXPECT_GE(first->description.faceIndex, 0);
    for (size_t i = 1; i < picks->GetSize(); ++i)
      EXPECT_LE(picks->GetPick(i - 1)->description.depth, picks->GetPick(i)->description.depth);
  }
}

TEST(RoomPickTest, NeverPicksWhatIsNotDrawn) {
  auto r = room::BuildRoom(416, 338, "");
  r->RenderFrame();
  // An empty spot of the far wall: the far wall, and not the culled north wall in front of it.
  Ref<PickedArray> picks = r->viewport->Pick(20, 150);
  ASSERT_TRUE(picks);
  ASSERT_EQ(picks->GetSize(), 1u);
  Box box;
  ASSERT_TRUE(As<MeshBuilder>(picks->GetPick(0)->visual.get())->GetBox(box));
  EXPECT_NEAR(box.max.x - box.min.x, 0.0f, 1e-3f);  // the west or east wall: a plane x = const
  // Outside the viewport: nothing.
  picks = r->viewport->Pick(-1, 10);
  ASSERT_TRUE(picks);
  EXPECT_EQ(picks->GetSize(), 0u);
  picks = r->viewport->Pick(416, 10);
  EXPECT_EQ(picks->GetSize(), 0u);
}

}  // namespace
}  // namespace engine
