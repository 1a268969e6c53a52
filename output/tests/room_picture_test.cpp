// The room as the workroom builds and the engine draws it, through the render verb's path: its
// picture against a reference, and what must be seen in it.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <set>

#include "output/headless_services.h"
#include "output/render_layout.h"

namespace kubisto::output {
namespace {

// Four blocks on the floor of the five-cell room, seen from the starting view at the view's size.
Picture ReferenceRoom() {
  Layout layout;
  layout.divide = 5;
  const std::int32_t colours[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};  // 0x00BBGGRR
  for (int n = 0; n < 4; ++n)
    layout.records.push_back({(n * 2) % 5, 0, (n * 3 + 1) % 5, colours[n]});
  HeadlessServicesScope quiet;
  return RenderLayout(layout, RenderRequest{}, KUBISTO_BIN_DIR);
}

std::uint32_t At(const Picture& p, int x, int y) {
  return p.pixels[static_cast<size_t>(y) * p.width + x] & 0xFFFFFF;
}
int Channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }
int Red(std::uint32_t c) { return Channel(c, 16); }
int Green(std::uint32_t c) { return Channel(c, 8); }
int Blue(std::uint32_t c) { return Channel(c, 0); }

TEST(RoomPictureTest, MatchesTheReferencePicture) {
  const Picture room = ReferenceRoom();
  const QImage ref(KUBISTO_SOURCE_DIR "/output/tests/data/room_reference.png");
  ASSERT_FALSE(ref.isNull());
  ASSERT_EQ(room.width, ref.width());
  ASSERT_EQ(room.height, ref.height());
  int off = 0, checked = 0;
  for (int y = 3; y < room.height; y += 17) {
    for (int x = 5; x < room.width; x += 23) {
      const std::uint32_t want = ref.pixel(x, y) & 0xFFFFFF, got = At(room, x, y);
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

TEST(RoomPictureTest, ShowsTheRoomFromInside) {
  const Picture room = ReferenceRoom();
  // The far wall is textured: along a row below the window its pattern changes colour.
  std::set<std::uint32_t> farWall;
  for (int x = 60; x < 350; x += 5) farWall.insert(At(room, x, 270));
  EXPECT_GT(farWall.size(), 3u);
  // The side walls, the floor and the ceiling are drawn, each in its own picture.
  const std::uint32_t west = At(room, 15, 150), east = At(room, 395, 150),
                      floor = At(room, 200, 335), ceiling = At(room, 200, 5);
  for (std::uint32_t c : {west, east, floor, ceiling})
    EXPECT_GT(Red(c) + Green(c) + Blue(c), 150) << std::hex << c;
  EXPECT_EQ(std::set<std::uint32_t>({west, east, floor, ceiling}).size(), 4u);

  // The table's front edge is brown: red well above green, green above blue.
  const std::uint32_t table = At(room, 210, 225);
  EXPECT_GT(Red(table), 2 * Green(table)) << std::hex << table;
  EXPECT_GE(Green(table), Blue(table)) << std::hex << table;

  // Marker spheres: the spawn cell's (top, left, front) green, another red.
  const std::uint32_t spawn = At(room, 144, 69), marker = At(room, 176, 69);
  EXPECT_GT(Green(spawn), 100) << std::hex << spawn;
  EXPECT_LT(Red(spawn), 60) << std::hex << spawn;
  EXPECT_GT(Red(marker), 100) << std::hex << marker;
  EXPECT_LT(Green(marker), 60) << std::hex << marker;

  // The blocks in their colours: cell x grows to the left, z towards the viewer.
  EXPECT_EQ(At(room, 208, 197), 0x00FF00u);  // (2, 0, 4), in front
  EXPECT_EQ(At(room, 153, 193), 0x0000FFu);  // (4, 0, 2)
  EXPECT_EQ(At(room, 258, 193), 0xFF0000u);  // (0, 0, 1)
  EXPECT_EQ(At(room, 233, 190), 0xFFFF00u);  // (1, 0, 0), behind the green one
}

}  // namespace
}  // namespace kubisto::output
