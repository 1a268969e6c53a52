// The software renderer on the real block room, as the workroom builds it and the main window shows
// it: one redraw with no blocks and with every cell filled, at the view's usual size and larger,
// and one pick at a block's centre. Sounds are off (the headless services play nothing).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/paths.h"
#include "platform/window.h"
#include "workroom/workroom.h"

namespace {

using kubisto::CWorkRoom;
using kubisto::LayoutRecord;

// A room drawn into a headless window, with the program's folder as the current directory (the
// wall pictures are found relative to it).
struct Room {
  Room(int w, int h, bool fill) {
    if (::chdir(platform::ProgramDirectory().c_str()) != 0) std::perror("chdir");
    hwnd = platform::CreateWindow(w, h);
    room = std::make_unique<CWorkRoom>();
    room->HandleOfPictureBoxForD3dIO(hwnd);
    std::vector<LayoutRecord> blocks;
    const std::int32_t colours[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};
    int n = 0;
    if (fill)
      for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y)
          for (int z = 0; z < 5; ++z) blocks.push_back({x, y, z, colours[n++ % 6]});
    room->ReplaceBlocks(5, blocks);
  }
  ~Room() {
    room.reset();
    platform::DestroyWindow(hwnd);
  }
  platform::HWND hwnd = 0;
  std::unique_ptr<CWorkRoom> room;
};

// One redraw: setting the starting view again sets the orientation it has and draws the room.
void Frame(benchmark::State& state, int w, int h, bool fill) {
  Room r(w, h, fill);
  for (auto _ : state) r.room->SetView("FRONT");
}

void BM_RoomFrame_417x347_NoBlocks(benchmark::State& s) { Frame(s, 417, 347, false); }
void BM_RoomFrame_417x347_125Blocks(benchmark::State& s) { Frame(s, 417, 347, true); }
void BM_RoomFrame_800x600_125Blocks(benchmark::State& s) { Frame(s, 800, 600, true); }

void BM_PickBlockCentre_417x347_125Blocks(benchmark::State& state) {
  Room r(417, 347, true);
  for (auto _ : state) {
    r.room->ViewPicked(208, 200);  // the front layer's middle block
    benchmark::DoNotOptimize(r.room->Divide());
  }
}

BENCHMARK(BM_RoomFrame_417x347_NoBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoomFrame_417x347_125Blocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoomFrame_800x600_125Blocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickBlockCentre_417x347_125Blocks)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
