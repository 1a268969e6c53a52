// Generates the data files that lie beside the program: wall pictures, sounds, icons, toolbar and
// button images, the tool panel and title pictures, and the help document.
//
// Usage: generate_assets <output folder>   (normally assets/files of the source tree)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "file_writers.h"
#include "pictures.h"

using namespace assetgen;

namespace {

bool g_ok = true;

void check(bool ok, const std::string& path) {
  if (!ok) {
    std::fprintf(stderr, "generate_assets: cannot write %s\n", path.c_str());
    g_ok = false;
  }
}

bool writeText(const std::string& path, const std::string& text) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: generate_assets <output folder>\n");
    return 2;
  }
  const std::string root = argv[1];
  auto path = [&](const std::string& rel) { return root + "/" + rel; };

  const struct {
    Wall wall;
    const char* file;
  } walls[] = {{Wall::North, "walls/kita.bmp"},   {Wall::West, "walls/nishi.bmp"},
               {Wall::East, "walls/higashi.bmp"}, {Wall::South, "walls/minami.bmp"},
               {Wall::Ceiling, "walls/ten.bmp"},  {Wall::Floor, "walls/ti.bmp"}};
  for (const auto& w : walls) check(writeBmp24(path(w.file), wallPicture(w.wall)), w.file);

  check(writeWav(path("sound/splash.wav"), splashSound(), kSampleRate), "sound/splash.wav");
  check(writeWav(path("sound/move.wav"), moveSound(), kSampleRate), "sound/move.wav");
  check(writeWav(path("sound/turn.wav"), turnSound(), kSampleRate), "sound/turn.wav");
  check(writeWav(path("sound/kasha.wav"), kashaSound(), kSampleRate), "sound/kasha.wav");

  check(writeIco(path("icons/squr_g.ico"), {statusIcon(16), statusIcon(32)}), "icons/squr_g.ico");
  check(writeIco(path("images/kubisto.ico"), {windowIcon(16), windowIcon(32), windowIcon(48)}),
        "images/kubisto.ico");
  check(writePng(path("images/kubisto.png"), windowIcon(32)), "images/kubisto.png");
  for (const NamedPicture& p : toolbarImages())
    check(writePng(path("images/toolbar/" + p.name + ".png"), p.picture), p.name);
  for (const NamedPicture& p : buttonIcons())
    check(writePng(path("images/buttons/" + p.name + ".png"), p.picture), p.name);
  check(writePng(path("images/toolbox.png"), woodGrain(234, 478, 1999, true)), "images/toolbox.png");
  check(writePng(path("images/title.png"), titlePicture()), "images/title.png");

  check(writeText(path("help/kubisto.hlp"), helpDocument()), "help/kubisto.hlp");
  return g_ok ? 0 : 1;
}
