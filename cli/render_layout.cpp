#include "cli/render_layout.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "cli/cli_error.h"
#include "cli/output_files.h"
#include "platform/window.h"
#include "workroom/workroom.h"

namespace kubisto::cli {
namespace {

// The wall pictures are named relative to the current directory; it is put back afterwards.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::string& dir) {
    if (char* here = ::getcwd(nullptr, 0)) {
      m_previous = here;
      std::free(here);
    }
    if (::chdir(dir.c_str()) != 0) throw CliError(dir + ": " + std::strerror(errno), kExitFailure);
  }
  ~WorkingDirectory() {
    if (!m_previous.empty() && ::chdir(m_previous.c_str()) != 0) {
      // Nothing more to do: the verb ends right after.
    }
  }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::string m_previous;
};

class Window {
 public:
  Window(int width, int height) : m_hwnd(platform::CreateWindow(width, height)) {
    if (m_hwnd == 0) throw CliError("cannot make a view of that size", kExitUsage);
  }
  ~Window() { platform::DestroyWindow(m_hwnd); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  platform::HWND get() const { return m_hwnd; }

 private:
  platform::HWND m_hwnd;
};

}  // namespace

Picture RenderLayout(const Layout& layout, const RenderRequest& request,
                     const std::string& dataDir) {
  WorkingDirectory data(dataDir);
  Window window(request.width, request.height);
  Picture picture;
  {
    // The room goes before its window.
    CWorkRoom room;
    room.HandleOfPictureBoxForD3dIO(window.get());
    room.ReplaceBlocks(layout.divide, layout.records);
    if (!request.view.empty()) room.SetView(request.view);
    for (const std::string& turn : request.turns) room.Turn(turn);
    if (!platform::ReadFramebuffer(window.get(), picture.pixels, &picture.width, &picture.height))
      throw CliError("the view could not be read", kExitFailure);
  }
  return picture;
}

void WritePng(const Picture& picture, const std::string& path) {
  std::vector<unsigned char> rgb(picture.pixels.size() * 3);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    rgb[i * 3 + 0] = static_cast<unsigned char>(picture.pixels[i] >> 16);
    rgb[i * 3 + 1] = static_cast<unsigned char>(picture.pixels[i] >> 8);
    rgb[i * 3 + 2] = static_cast<unsigned char>(picture.pixels[i]);
  }
  StagedOutput out(path);
  // Speed matters more than size for thumbnails and pictures of a few hundred pixels.
  stbi_write_png_compression_level = 4;
  if (!stbi_write_png(out.Staged().c_str(), picture.width, picture.height, 3, rgb.data(),
                      picture.width * 3))
    throw CliError("cannot write " + path + ": " + std::strerror(errno), kExitFailure);
  out.Commit();
}

}  // namespace kubisto::cli
