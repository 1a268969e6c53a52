// The software renderer on the block room: one frame (clear, render, update) with no blocks and
// with every cell filled, at the program's usual view size, its HiDPI double and larger, on 1 and 2
// threads; the room of 16 cells a side (frame and rebuild); one pick at a block's centre.
// Frames are timed by the wall clock, since the render threads do part of the work; their CPU
// column is the whole process's, every thread's work added up.
//
// `engine_bench --frames=N --size=WxH [--threads=T] [--divide=D] [--hash]` draws the room with
// every block (none at D other than 5) once to warm up and then N frames, and exits without timing
// anything: a fixed amount of work for bench/cachegrind_frames.py to count under valgrind. --hash
// prints a hash of the last frame's colours and depths, to compare renderers bit for bit.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "engine/pickedarray.h"
#include "engine/render/raster_pool.h"
#include "engine/tests/support/room_scene.h"

namespace {

std::unique_ptr<engine::room::Room> MakeRoom(int w, int h, bool fill, int divide = 5) {
  auto room = engine::room::BuildRoom(w, h, KUBISTO_SOURCE_DIR "/assets/files/walls", divide);
  if (room && fill) {
    const engine::Color colours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,
                                      0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};
    int n = 0;
    for (int x = 0; x < room->divide; ++x)
      for (int y = 0; y < room->divide; ++y)
        for (int z = 0; z < room->divide; ++z)
          engine::room::AddBlock(*room, x, y, z, colours[n++ % 6]);
  }
  return room;
}

// Arguments: width, height, threads.
void Frame(benchmark::State& state, bool fill, int divide = 5) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  auto room = MakeRoom(w, h, fill, divide);
  if (!room) {
    state.SkipWithError("cannot build the room");
    return;
  }
  engine::render::SetRenderThreads(static_cast<int>(state.range(2)));
  room->RenderFrame();  // textures prepared once, as in the program after its first frame
  for (auto _ : state) {
    room->RenderFrame();
    benchmark::ClobberMemory();
  }
  engine::render::SetRenderThreads(0);
}

void BM_RoomFrame_NoBlocks(benchmark::State& s) { Frame(s, false); }
void BM_RoomFrame_125Blocks(benchmark::State& s) { Frame(s, true); }
// 16 cells a side: 4,096 marker spheres and no blocks, as a cell-count change leaves it.
void BM_RoomFrame_Divide16(benchmark::State& s) { Frame(s, false, 16); }

// The view's own size, on 1 and 2 threads.
void ViewSize(benchmark::internal::Benchmark* b) {
  for (int threads : {1, 2}) b->Args({416, 338, threads});
  b->ArgNames({"w", "h", "threads"});
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int threads : {1, 2})
    for (auto [w, h] :
         {std::pair{416, 338}, std::pair{800, 600}, std::pair{832, 676}, std::pair{1920, 1080}})
      b->Args({w, h, threads});
  b->ArgNames({"w", "h", "threads"});
}

BENCHMARK(BM_RoomFrame_NoBlocks)
    ->Apply(ViewSize)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_RoomFrame_125Blocks)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_RoomFrame_Divide16)
    ->Apply(ViewSize)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// Building the room of 16 cells a side on the engine: every marker sphere, the walls and table.
void BM_BuildRoom_Divide16(benchmark::State& state) {
  for (auto _ : state) {
    auto room = MakeRoom(416, 338, false, 16);
    benchmark::DoNotOptimize(room.get());
  }
}
BENCHMARK(BM_BuildRoom_Divide16)->Unit(benchmark::kMillisecond);

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

BENCHMARK(BM_PickBlockCentre_416x338_125Blocks)->Unit(benchmark::kMicrosecond);

// The --frames mode: its exit status, or -1 when --frames is not among the arguments.
int DrawFrames(int argc, char** argv) {
  int frames = -1, w = 416, h = 338, threads = 1, divide = 5;
  bool hash = false;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--hash") == 0) {
      hash = true;
    } else if (std::sscanf(a, "--frames=%d", &frames) != 1 &&
               std::sscanf(a, "--size=%dx%d", &w, &h) != 2 &&
               std::sscanf(a, "--threads=%d", &threads) != 1)
      std::sscanf(a, "--divide=%d", &divide);
  }
  if (frames < 0) return -1;
  auto room = MakeRoom(w, h, divide == 5, divide);
  if (!room) return std::fprintf(stderr, "cannot build the room\n"), 1;
  engine::render::SetRenderThreads(threads);
  room->RenderFrame();
  for (int n = 0; n < frames; ++n) room->RenderFrame();
  engine::render::SetRenderThreads(0);
  if (hash) {  // FNV-1a over the colour and depth buffers' bytes
    const engine::Device& d = *room->device;
    const size_t n = static_cast<size_t>(d.GetWidth()) * d.GetHeight();
    uint64_t h64 = 14695981039346656037ull;
    auto add = [&](const void* p, size_t bytes) {
      for (size_t k = 0; k < bytes; ++k)
        h64 = (h64 ^ static_cast<const unsigned char*>(p)[k]) * 1099511628211ull;
    };
    add(d.ColorBuffer(), n * sizeof(uint32_t));
    add(room->device->DepthBuffer(), n * sizeof(float));
    std::printf("%016llx\n", static_cast<unsigned long long>(h64));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int drawn = DrawFrames(argc, argv);
  if (drawn >= 0) return drawn;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
