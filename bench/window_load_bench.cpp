// Loading a layout through the real main window (Qt offscreen) with the sound effects off: the
// blocks appear as they come, the view redrawn at most once per display frame and once at the end.
// Each load starts from a room as at start (empty, 5 cells a side): a full 125-block layout of
// 5 cells a side, and a 1,000-block layout of 16 cells a side (which rebuilds the room first).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "app/host/qt_services.h"
#include "app/host/sound_switch.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "platform/window.h"

namespace {

namespace app = kubisto::app;

QTemporaryDir* g_folder = nullptr;
long g_repaints = 0;  // repaint requests of the view: a picture drawn, or one painted on screen

// A layout file of `count` blocks of `divide` cells a side, in file order, in three colours.
std::string WriteLayout(int divide, int count) {
  std::string text = std::to_string(divide) + "\r\n";
  int written = 0;
  for (int z = 0; z < divide && written < count; ++z)
    for (int y = 0; y < divide && written < count; ++y)
      for (int x = 0; x < divide && written < count; ++x, ++written)
        text += std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z) + "," +
                std::to_string(0xFF << (8 * ((x + y + z) % 3))) + "\r\n";
  text += "-1,-1,-1,0\r\n\"Kubisto\"\r\n";
  const std::string path =
      g_folder->filePath(QString("layout_%1_%2.kbs").arg(divide).arg(count)).toStdString();
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  return path;
}

void LoadThroughTheWindow(benchmark::State& state, int divide, int count) {
  app::frmMain* window = app::modMain::MainWindow();
  const std::string path = WriteLayout(divide, count);
  long repaints = 0;
  for (auto _ : state) {
    state.PauseTiming();
    app::modMain::g_objWorkRoom->ReplaceBlocks(5, {});  // the room as at start
    QApplication::processEvents();
    const long before = g_repaints;
    state.ResumeTiming();
    window->OpenLayout(path);
    QApplication::processEvents();  // the last picture on the screen
    repaints += g_repaints - before;
  }
  state.counters["blocks"] = static_cast<double>(app::modMain::g_objWorkRoom->Blocks().size());
  state.counters["repaints"] =
      benchmark::Counter(static_cast<double>(repaints), benchmark::Counter::kAvgIterations);
}

void BM_QuietLoad125Blocks(benchmark::State& state) { LoadThroughTheWindow(state, 5, 125); }
void BM_QuietLoad1000BlocksOf16Cells(benchmark::State& state) {
  LoadThroughTheWindow(state, 16, 1000);
}
BENCHMARK(BM_QuietLoad125Blocks)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QuietLoad1000BlocksOf16Cells)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setApplicationName("kubisto");
  QTemporaryDir folder;
  g_folder = &folder;
  // The user's own settings stay as they are: the switch is turned off in a folder of our own.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.filePath("settings"));
  app::InstallQtServices();
  app::SetSoundEffectsOn(false);
  app::modMain::Main();
  app::frmMain* window = app::modMain::MainWindow();
  if (window == nullptr) return 1;
  const platform::HWND view = window->picView()->hWnd();
  platform::SetRepaintHook(view, [window](platform::HWND) {
    ++g_repaints;
    window->picView()->update();
  });
  QApplication::processEvents();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  platform::SetRepaintHook(view, {});
  app::modMain::FinKubisto();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return 0;
}
