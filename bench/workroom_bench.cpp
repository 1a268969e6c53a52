// The workroom's commands at full cost: every block added is drawn, as the main window sees it.
// Sounds are off (the headless services play nothing).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "platform/paths.h"
#include "platform/window.h"
#include "workroom/workroom.h"

namespace {

using kubisto::CWorkRoom;

// A room drawn into a window of the main window's default view size, with the program's data
// folder as the current directory (the wall pictures are found relative to it).
struct DrawnRoom {
  DrawnRoom() {
    if (::chdir(platform::ProgramDirectory().c_str()) != 0) std::perror("chdir");
    hwnd = platform::CreateWindow(416, 338);
    room = std::make_unique<CWorkRoom>();
    room->HandleOfPictureBoxForD3dIO(hwnd);
  }
  ~DrawnRoom() {
    room.reset();
    platform::DestroyWindow(hwnd);
  }
  platform::HWND hwnd = 0;
  std::unique_ptr<CWorkRoom> room;
};

void BM_AddBlock(benchmark::State& state) {
  DrawnRoom r;
  int i = 0;
  for (auto _ : state) {
    const int cell = i++ % 125;
    r.room->AddBlock(cell % 5, cell / 5 % 5, cell / 25, 0xFF0000);
    state.PauseTiming();
    r.room->DelBlock();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddBlock)->Unit(benchmark::kMillisecond);

void BM_ViewPicked(benchmark::State& state) {
  DrawnRoom r;
  for (int z = 0; z < 5; z += 2) r.room->AddBlock(2, 1, z, 0xFF);
  for (auto _ : state) {
    r.room->ViewPicked(208, 180);  // near the middle of the view, on a block
    benchmark::DoNotOptimize(r.room->Divide());
  }
}
BENCHMARK(BM_ViewPicked)->Unit(benchmark::kMicrosecond);

// One redraw of the room with every cell filled: the part of each command that draws.
void BM_RenderFullRoom(benchmark::State& state) {
  DrawnRoom r;
  for (int z = 0; z < 5; ++z)
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) r.room->AddBlock(x, y, z, 0xFF0000);
  for (auto _ : state) r.room->SetView("FRONT");  // sets the orientation, redraws
}
BENCHMARK(BM_RenderFullRoom)->Unit(benchmark::kMillisecond);

// A cell-count change to 16 a side: the room rebuilt (4,096 marker spheres) and drawn.
void BM_ChangeDivideTo16(benchmark::State& state) {
  DrawnRoom r;
  for (auto _ : state) {
    r.room->Divide(16);
    state.PauseTiming();
    r.room->Divide(5);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ChangeDivideTo16)->Unit(benchmark::kMillisecond);

// Loading a layout that fills all 125 cells into an empty room of the same count.
void BM_LoadData_Full125(benchmark::State& state) {
  DrawnRoom r;
  const std::string file = "/tmp/workroom_bench_" + std::to_string(::getpid()) + ".KBS";
  for (int z = 0; z < 5; ++z)
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) r.room->AddBlock(x, y, z, 0xFF0000 >> (8 * ((x + y + z) % 3)));
  r.room->SaveData(file);
  for (auto _ : state) {
    state.PauseTiming();
    r.room->ResetData();
    state.ResumeTiming();
    r.room->LoadData(file);
  }
  std::remove(file.c_str());
}
BENCHMARK(BM_LoadData_Full125)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
