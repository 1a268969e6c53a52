// The web module's exports: the page's only way into the room. One room at a time, made by
// kubisto_create. Every export catches whatever the layers below throw: the error's text is kept
// for kubisto_error(), and the export returns its failure value (0 or null). Texts in and out are
// UTF-8 and NUL-terminated; a text returned stays valid until the next call.
//
// The room's commands go through one dispatcher, kubisto_run(name, arguments), with the names,
// arguments, checks and messages of the room command table (workroom/room_commands.h). Files are
// paths in the module's in-memory file system (the loader's FS): the page writes an uploaded or
// stored layout there and runs "load", or runs "save" and reads the file back.
#include <emscripten/emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "web/src/web_room.h"
#include "web/src/web_services.h"
#include "workroom/room_commands.h"

namespace {

kubisto::web::WebServices g_services;
std::unique_ptr<kubisto::web::WebRoom> g_room;
std::string g_error;
const char* g_fault = "";            // the failed call's kind of fault, as a script names it
std::string g_text;                  // the text that the last call returned
std::vector<std::uint8_t> g_result;  // the bytes that the last call returned

template <class F>
auto Guarded(F f, decltype(f()) failure) noexcept -> decltype(f()) {
  try {
    g_error.clear();
    g_fault = "";
    return f();
  } catch (const kubisto::commands::CommandError& e) {
    g_error = e.what();
    g_fault = kubisto::commands::FaultName(e.fault());
  } catch (const std::exception& e) {
    g_error = e.what();
  } catch (...) {
    g_error = "unknown error";
  }
  return failure;
}

kubisto::web::WebRoom& Room() { return kubisto::web::CurrentRoom(); }

// Arguments as the page passes them: one text, the arguments separated by line feeds ("" for
// none).
std::vector<std::string> SplitArguments(const char* text) {
  std::vector<std::string> arguments;
  if (text == nullptr || *text == '\0') return arguments;
  std::string rest = text;
  for (size_t at; (at = rest.find('\n')) != std::string::npos; rest.erase(0, at + 1))
    arguments.push_back(rest.substr(0, at));
  arguments.push_back(rest);
  return arguments;
}

}  // namespace

kubisto::web::WebRoom& kubisto::web::CurrentRoom() {
  if (!g_room) throw std::runtime_error("no room: call kubisto_create first");
  return *g_room;
}

extern "C" {

// Makes a room of 5 cells a side drawn at width x height pixels, replacing any earlier one (a
// size out of range is refused and keeps it).
EMSCRIPTEN_KEEPALIVE int kubisto_create(int width, int height) {
  return Guarded(
      [&] {
        kubisto::commands::CheckPictureSize(width, height);  // a refused size keeps the room
        g_room.reset();
        g_room = std::make_unique<kubisto::web::WebRoom>(width, height, g_services);
        g_services.TakeSounds();
        return 1;
      },
      0);
}

// Draws the room at another size, keeping its blocks (the view and turns start over).
EMSCRIPTEN_KEEPALIVE int kubisto_resize(int width, int height) {
  return Guarded([&] { return Room().Resize(width, height), 1; }, 0);
}

// Runs the room command `name` (get_divide, set_divide, add, delete, select, move, current,
// blocks, clear, load, save, view, turn, recolour) with its arguments separated by line feeds.
// Returns the result as JSON text, or null with the message in kubisto_error().
EMSCRIPTEN_KEEPALIVE const char* kubisto_run(const char* name, const char* arguments) {
  return Guarded(
      [&]() -> const char* {
        if (name == nullptr) throw std::invalid_argument("no command name");
        g_text = Room().Run(name, SplitArguments(arguments));
        return g_text.c_str();
      },
      nullptr);
}

// The layout file's bytes of the room as "save" writes them (kubisto_result_size() of them),
// without counting the room saved: kubisto_mark_saved() does that once the page has kept them.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* kubisto_layout_bytes() {
  return Guarded(
      [&]() -> const std::uint8_t* {
        const std::string bytes = Room().LayoutBytes();
        g_result.assign(bytes.begin(), bytes.end());
        return g_result.data();
      },
      nullptr);
}

EMSCRIPTEN_KEEPALIVE int kubisto_mark_saved() {
  return Guarded([&] { return Room().MarkSaved(), 1; }, 0);
}

// A click on the view at (x, y) pixels: selects the block there, or none. 1 on success.
EMSCRIPTEN_KEEPALIVE int kubisto_pick(float x, float y) {
  return Guarded([&] { return Room().Pick(x, y), 1; }, 0);
}

// Undo and redo: 1 when a change was undone or redone, 0 when there was none (or on failure).
EMSCRIPTEN_KEEPALIVE int kubisto_undo() {
  return Guarded([&] { return Room().Undo() ? 1 : 0; }, 0);
}
EMSCRIPTEN_KEEPALIVE int kubisto_redo() {
  return Guarded([&] { return Room().Redo() ? 1 : 0; }, 0);
}

// The room's state as JSON: {"divide", "current": [x, y, z] or null, "blocks": count, "undo" and
// "redo": the entries' texts ("" for none), "modified", "sounds": the sounds to play and
// "messages": the messages to show since the last call}.
EMSCRIPTEN_KEEPALIVE const char* kubisto_state() {
  return Guarded(
      [&]() -> const char* {
        g_text = Room().State();
        return g_text.c_str();
      },
      nullptr);
}

// The view as RGBA pixels (top row first) at the room's size; kubisto_result_size() bytes.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* kubisto_pixels() {
  return Guarded(
      [&]() -> const std::uint8_t* {
        g_result = Room().Pixels();
        return g_result.data();
      },
      nullptr);
}

// The names the commands take for views, turn steps and move directions, in the command table's
// order, as JSON: {"view": [...], "turn": [...], "direction": [...]}. The page names its buttons'
// commands by these places, not by names of its own.
EMSCRIPTEN_KEEPALIVE const char* kubisto_names() {
  namespace commands = kubisto::commands;
  const auto list = [](commands::Arg kind) {
    std::string json = "[";
    for (const char* name : commands::Names(kind)) {
      if (json.size() > 1) json += ',';
      json += '"' + std::string(name) + '"';
    }
    return json + "]";
  };
  g_text = "{\"view\":" + list(commands::Arg::kView) +
           ",\"turn\":" + list(commands::Arg::kTurnStep) +
           ",\"direction\":" + list(commands::Arg::kDirection) + "}";
  return g_text.c_str();
}

EMSCRIPTEN_KEEPALIVE int kubisto_result_size() { return static_cast<int>(g_result.size()); }

// The message of the last call that failed; "" after one that succeeded.
EMSCRIPTEN_KEEPALIVE const char* kubisto_error() { return g_error.c_str(); }

// The kind of the last call's refusal by the command table: "ValueError" (a value or unsaved
// work), "TypeError" (an argument of the wrong kind or count), "OSError" (a file that cannot be
// read or written, or is no layout); "" for other failures and after a success.
EMSCRIPTEN_KEEPALIVE const char* kubisto_error_kind() { return g_fault; }

}  // extern "C"

int main() {
  // emscripten starts with a umask of 0777, under which every file saved is of mode 0 and cannot
  // be opened again.
  ::umask(022);
  kubisto::setServices(&g_services);
  if (::chdir(kubisto::web::kDataFolder) != 0) std::perror(kubisto::web::kDataFolder);
  ::mkdir("/files", 0755);  // where the page puts the layouts it loads and saves
  return 0;
}
