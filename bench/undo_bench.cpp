// Undoing the load of a 125-block layout in the shell's undo history: the previous 125 blocks come
// back in one quiet replacement of the room, drawn once. Sounds are off (headless services).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/editing/edit_history.h"
#include "app/editing/work_room_api.h"
#include "platform/paths.h"
#include "platform/window.h"

namespace {

using kubisto::app::EditHistory;
using kubisto::app::WorkRoomApi;

struct DrawnRoom {
  DrawnRoom() {
    if (::chdir(platform::ProgramDirectory().c_str()) != 0) std::perror("chdir");
    hwnd = platform::CreateWindow(416, 338);
    room = kubisto::app::CreateCWorkRoom();
    room->SetHandleOfPictureBoxForD3dIO(hwnd);
    platform::SetRepaintHook(hwnd, [this](platform::HWND) { ++repaints; });
  }
  ~DrawnRoom() {
    platform::SetRepaintHook(hwnd, {});
    room.reset();
    platform::DestroyWindow(hwnd);
  }
  // Repaint requests of one plain redraw, to count redraws by.
  long RepaintsPerRedraw() {
    const long before = repaints;
    room->SetView("FRONT");
    return repaints - before;
  }
  platform::HWND hwnd = 0;
  std::unique_ptr<WorkRoomApi> room;
  long repaints = 0;
};

void FillRoom(WorkRoomApi& room, int shift) {
  for (int z = 0; z < 5; ++z)
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x)
        room.AddBlock(x, y, z, 0xFF0000 >> (8 * ((x + y + z + shift) % 3)));
}

void BM_UndoLoadOf125Blocks(benchmark::State& state) {
  DrawnRoom r;
  const std::string file = "/tmp/undo_bench_" + std::to_string(::getpid()) + ".kbs";
  FillRoom(*r.room, 1);
  r.room->SaveData(file);
  r.room->ResetData();
  FillRoom(*r.room, 0);  // the work that the load replaces and the undo brings back

  EditHistory history([&r] { return r.room.get(); }, nullptr);
  history.Record(EditHistory::Kind::kRoom, "load", [&] { r.room->LoadData(file); });
  const long perRedraw = r.RepaintsPerRedraw();
  long undoRepaints = 0;
  for (auto _ : state) {
    const long before = r.repaints;
    history.Undo();
    undoRepaints += r.repaints - before;
    state.PauseTiming();
    history.Redo();
    state.ResumeTiming();
  }
  state.counters["redraws"] =
      benchmark::Counter(static_cast<double>(undoRepaints) / static_cast<double>(perRedraw),
                         benchmark::Counter::kAvgIterations);
  state.counters["blocks"] = static_cast<double>(r.room->Blocks().size());
  std::remove(file.c_str());
}
BENCHMARK(BM_UndoLoadOf125Blocks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
