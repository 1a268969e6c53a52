// The render verb: a layout drawn by the workroom on a headless window, as the main window's view
// shows it, written as a PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/scoped_window.h"
#include "workroom/layout_file.h"

namespace kubisto::output {

// The main window's 3D view at its usual size: the fixed client area less the tool and status
// bars as Qt lays them out (the render test checks that the two agree).
inline constexpr int kViewWidth = 417;
inline constexpr int kViewHeight = 347;

struct RenderRequest {
  std::string view;                // "" (the starting view), "FRONT", "TOP", "SIDE" or "BIRD"
  std::vector<std::string> turns;  // "LEFT", "RIGHT", "UP", "DOWN", applied in order
  int width = kViewWidth, height = kViewHeight;
};

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// Draws the layout. The wall pictures are read from dataDir. Throws OutputError when the room
// cannot be drawn.
Picture RenderLayout(const Layout& layout, const RenderRequest& request,
                     const std::string& dataDir);

// Writes the picture as a PNG at path, all or nothing; throws OutputError naming path on failure.
void WritePng(const Picture& picture, const std::string& path);

// A headless window for a view of the size; OutputError of Cause::kRequest for a size no window can
// have.
platform::ScopedWindow ViewWindow(int width, int height);

}  // namespace kubisto::output
