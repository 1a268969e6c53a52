// The web module's entry: just enough to prove the port under node and in a browser (a room, a
// layout in and out as bytes, the view as RGBA pixels). It is a stand-in, kept as thin as possible:
// the browser's front end will call the room command table's dispatcher instead, which replaces
// everything here but main().
//
// Every export catches whatever the layers below throw: the error's text is kept for
// kubisto_error(), and the export returns its failure value (0 or null).
#include <emscripten/emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"
#include "workroom/layout_file.h"
#include "workroom/workroom.h"

namespace {

// The folder that the build packs the wall pictures into (web/CMakeLists.txt); the room names
// them relative to the current directory.
constexpr char kDataFolder[] = "/kubisto";
constexpr char kSaveFile[] = "/tmp/layout.kbs";

struct View {
  platform::HWND window = 0;
  std::unique_ptr<kubisto::CWorkRoom> room;

  ~View() {
    room.reset();  // the room goes before its window
    if (window != 0) platform::DestroyWindow(window);
  }
};

std::unique_ptr<View> g_view;
std::string g_error;
std::vector<std::uint8_t> g_result;  // the bytes that the last call returned

std::unique_ptr<View> MakeView(int divide, int width, int height,
                               const std::vector<kubisto::LayoutRecord>& blocks) {
  auto view = std::make_unique<View>();
  view->window = platform::CreateWindow(width, height);
  if (view->window == 0) throw std::runtime_error("cannot make a view of that size");
  view->room = std::make_unique<kubisto::CWorkRoom>();
  // The cell count first, so that the room is built once, for that count (as --render does).
  view->room->Divide(divide);
  view->room->HandleOfPictureBoxForD3dIO(view->window);
  if (!blocks.empty()) view->room->ReplaceBlocks(divide, blocks);
  return view;
}

template <class F>
auto Guarded(F f, decltype(f()) failure) noexcept -> decltype(f()) {
  try {
    g_error.clear();
    return f();
  } catch (const std::exception& e) {
    g_error = e.what();
  } catch (...) {
    g_error = "unknown error";
  }
  return failure;
}

View& TheView() {
  if (!g_view) throw std::runtime_error("no room: call kubisto_create first");
  return *g_view;
}

}  // namespace

extern "C" {

// Makes a room of `divide` cells a side (1..16), drawn into a view of width x height pixels,
// replacing any earlier one. 1 on success.
EMSCRIPTEN_KEEPALIVE int kubisto_create(int divide, int width, int height) {
  return Guarded(
      [&] {
        if (divide < 1 || divide > kubisto::kMaxLayoutDivide)
          throw std::invalid_argument("the cell count must lie in 1.." +
                                      std::to_string(kubisto::kMaxLayoutDivide));
        g_view.reset();
        g_view = MakeView(divide, width, height, {});
        return 1;
      },
      0);
}

// Replaces the room's blocks by those of a layout file's bytes. A bad layout leaves the room as
// it was. 1 on success.
EMSCRIPTEN_KEEPALIVE int kubisto_load(const char* bytes, int size) {
  return Guarded(
      [&] {
        if (bytes == nullptr || size < 0) throw std::invalid_argument("no layout bytes");
        View& view = TheView();
        const kubisto::Layout layout =
            kubisto::ParseLayout(std::string_view(bytes, static_cast<size_t>(size)), "layout");
        view.room->ReplaceBlocks(layout.divide, layout.records);
        return 1;
      },
      0);
}

// Sets one of the fixed viewpoints ("FRONT", "TOP", "SIDE", "BIRD"), which redraws the room.
EMSCRIPTEN_KEEPALIVE int kubisto_set_view(const char* name) {
  return Guarded(
      [&] {
        if (name == nullptr) throw std::invalid_argument("no view name");
        TheView().room->SetView(name);
        return 1;
      },
      0);
}

// The view as width x height RGBA pixels (top row first), valid until the next call; null on
// failure. A size other than the view's builds the room afresh at that size with the same blocks
// (the view and turns start over).
EMSCRIPTEN_KEEPALIVE const std::uint8_t* kubisto_render(int width, int height) {
  return Guarded(
      [&]() -> const std::uint8_t* {
        View& view = TheView();
        int w = 0, h = 0;
        platform::GetClientSize(view.window, &w, &h);
        if (w != width || h != height) {
          const int divide = view.room->Divide();
          const auto blocks = view.room->Blocks();
          g_view.reset();
          g_view = MakeView(divide, width, height, blocks);
        }
        std::vector<std::uint32_t> pixels;
        if (!platform::ReadFramebuffer(g_view->window, pixels, &w, &h))
          throw std::runtime_error("the view could not be read");
        g_result.resize(pixels.size() * 4);
        for (size_t i = 0; i < pixels.size(); ++i) {
          g_result[4 * i] = static_cast<std::uint8_t>(pixels[i] >> 16);
          g_result[4 * i + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
          g_result[4 * i + 2] = static_cast<std::uint8_t>(pixels[i]);
          g_result[4 * i + 3] = 0xFF;
        }
        return g_result.data();
      },
      nullptr);
}

// The layout file's bytes for the room's blocks, written by the room's own save; their count is
// kubisto_result_size(). Null on failure.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* kubisto_save() {
  return Guarded(
      [&]() -> const std::uint8_t* {
        TheView().room->SaveData(kSaveFile);
        std::ifstream file(kSaveFile, std::ios::binary);
        if (!file) throw std::runtime_error("the saved layout could not be read back");
        g_result.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        return g_result.data();
      },
      nullptr);
}

EMSCRIPTEN_KEEPALIVE int kubisto_result_size() { return static_cast<int>(g_result.size()); }

// The message of the last call that failed; "" after one that succeeded.
EMSCRIPTEN_KEEPALIVE const char* kubisto_error() { return g_error.c_str(); }

}  // extern "C"

int main() {
  // emscripten starts with a umask of 0777, under which every file saved is of mode 0 and cannot
  // be opened again.
  ::umask(022);
  if (::chdir(kDataFolder) != 0) std::perror(kDataFolder);
  return 0;
}
