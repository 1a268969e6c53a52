// Draws the block room with the engine and writes it as a PNG, to look at the renderer's output.
//   kubisto-room-png [out.png] [width height] [walls folder] [blocks]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "engine/color.h"
#include "engine/tools/room_scene.h"

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : "room.png";
  int w = argc > 3 ? std::atoi(argv[2]) : 416, h = argc > 3 ? std::atoi(argv[3]) : 338;
  std::string walls = argc > 4 ? argv[4] : KUBISTO_SOURCE_DIR "/assets/files/walls";
  int blocks = argc > 5 ? std::atoi(argv[5]) : 4;

  auto room = engine::room::BuildRoom(w, h, walls);
  if (!room) {
    std::fprintf(stderr, "cannot build the room at %d x %d\n", w, h);
    return 1;
  }
  const engine::Color colours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,
                                    0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};
  int d = room->divide, n = 0;
  for (int x = 0; x < d && n < blocks; ++x)
    for (int z = 0; z < d && n < blocks; ++z)
      for (int y = 0; y < d && n < blocks; ++y, ++n)
        if (blocks < d * d * d) {
          // A few blocks spread over the table.
          int bx = (n * 2) % d, bz = (n * 3 + 1) % d, by = 0;
          engine::room::AddBlock(*room, bx, by, bz, colours[n % 6]);
        } else {
          engine::room::AddBlock(*room, x, y, z, colours[n % 6]);
        }
  room->RenderFrame();

  std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
  const uint32_t* px = room->device->ColorBuffer();
  for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
    rgb[i * 3 + 0] = (px[i] >> 16) & 0xFF;
    rgb[i * 3 + 1] = (px[i] >> 8) & 0xFF;
    rgb[i * 3 + 2] = px[i] & 0xFF;
  }
  if (!stbi_write_png(out.c_str(), w, h, 3, rgb.data(), w * 3)) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("wrote %s (%d x %d)\n", out.c_str(), w, h);
  return 0;
}
