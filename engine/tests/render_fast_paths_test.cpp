// The rasterizer's fast paths (SSE2 spans, tiny triangles) against its plain edge-function loop:
// the room with its wall pictures and every block gives the same picture either way, but for depths
// and colours rounded differently in the last place, which changes a few pixels by a unit or two of
// a colour channel or where two surfaces meet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/render/rasterize.h"
#include "engine/tests/support/room_scene.h"

namespace engine {
namespace {

std::vector<uint32_t> Draw(room::Room& r, bool fast) {
  render::SetRasterFastPaths(fast);
  r.RenderFrame();
  render::SetRasterFastPaths(true);
  const uint32_t* c = r.device->ColorBuffer();
  return {c, c + static_cast<size_t>(r.device->GetWidth()) * r.device->GetHeight()};
}

TEST(RasterFastPathsTest, SamePictureWithAndWithout) {
  for (int divide : {5, 9}) {
    auto r = room::BuildRoom(416, 338, KUBISTO_SOURCE_DIR "/assets/files/walls", divide);
    ASSERT_TRUE(r);
    const Color colours[3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    for (int x = 0; x < divide; ++x)
      for (int z = 0; z < divide; ++z)
        room::AddBlock(*r, x, (x + z) % divide, z, colours[(x + z) % 3]);
    const std::vector<uint32_t> plain = Draw(*r, false), fast = Draw(*r, true);
    int small = 0, large = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
      int worst = 0;
      for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((plain[i] >> shift) & 0xFF) -
                                         static_cast<int>((fast[i] >> shift) & 0xFF)));
      small += worst > 0 && worst <= 2;
      large += worst > 2;
    }
    // Rounding: a unit or two on about 1 % of the pixels (mostly the walls' texels, stepped in the
    // level's own coordinates); where two surfaces meet, a few dozen pixels (measured: 36).
    EXPECT_LE(small, static_cast<int>(plain.size() / 50)) << divide << " cells";
    EXPECT_LE(large, static_cast<int>(plain.size() / 1000)) << divide << " cells";
  }
}

}  // namespace
}  // namespace engine
