// The software renderer on the block room: one frame (clear, render, update) with no blocks and with
// every cell filled, at the program's usual view size and larger, and one pick at a block's centre.
#include <benchmark/benchmark.h>

#include "engine/pickedarray.h"
#include "engine/tools/room_scene.h"

namespace {

std::unique_ptr<engine::room::Room> MakeRoom(int w, int h, bool fill) {
  auto room = engine::room::BuildRoom(w, h, KUBISTO_SOURCE_DIR "/assets/files/walls");
  if (room && fill) {
    const engine::Color colours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,
                                      0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};
    int n = 0;
    for (int x = 0; x < room->divide; ++x)
      for (int y = 0; y < room->divide; ++y)
        for (int z = 0; z < room->divide; ++z) engine::room::AddBlock(*room, x, y, z, colours[n++ % 6]);
  }
  return room;
}

void Frame(benchmark::State& state, int w, int h, bool fill) {
  auto room = MakeRoom(w, h, fill);
  if (!room) {
    state.SkipWithError("cannot build the room");
    return;
  }
  room->RenderFrame();  // textures prepared once, as in the program after its first frame
  for (auto _ : state) {
    room->RenderFrame();
    benchmark::ClobberMemory();
  }
}

void BM_RoomFrame_416x338_NoBlocks(benchmark::State& s) { Frame(s, 416, 338, false); }
void BM_RoomFrame_416x338_125Blocks(benchmark::State& s) { Frame(s, 416, 338, true); }
void BM_RoomFrame_800x600_125Blocks(benchmark::State& s) { Frame(s, 800, 600, true); }

void BM_PickBlockCentre_416x338_125Blocks(benchmark::State& state) {
  auto room = MakeRoom(416, 338, true);
  if (!room) {
    state.SkipWithError("cannot build the room");
    return;
  }
  room->RenderFrame();
  // The front-most block in the middle of the front layer.
  engine::Vector world;
  room->Cell(2, 2, 4)->Transform(engine::Vector{}, world);
  float sx, sy, depth;
  room->viewport->Transform(world, sx, sy, depth);
  for (auto _ : state) {
    engine::Ref<engine::PickedArray> picks =
        room->viewport->Pick(static_cast<int>(sx), static_cast<int>(sy));
    benchmark::DoNotOptimize(picks.get());
  }
}

BENCHMARK(BM_RoomFrame_416x338_NoBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoomFrame_416x338_125Blocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoomFrame_800x600_125Blocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickBlockCentre_416x338_125Blocks)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
