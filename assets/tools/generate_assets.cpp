// Generates the data files that lie beside the program: wall pictures, sounds, icons, toolbar and
// button images, the tool panel and title pictures, and the help documents (Japanese and English).
//
// Usage: generate_assets <output folder>   (normally assets/files of the source tree)
// The desktop's icons, installed but not laid beside the program, go to <output folder>/../desktop.
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

  // The room gives each side wall's corner at the floor the texture coordinate v = 0, and the
  // engine takes v = 0 from a picture's top row: so the four side walls are stored upside down,
  // to stand upright in the room. Ceiling and floor have no up and down.
  const struct {
    Wall wall;
    const char* file;
    bool upsideDown;
  } walls[] = {{Wall::North, "walls/kita.bmp", true},   {Wall::West, "walls/nishi.bmp", true},
               {Wall::East, "walls/higashi.bmp", true}, {Wall::South, "walls/minami.bmp", true},
               {Wall::Ceiling, "walls/ten.bmp", false}, {Wall::Floor, "walls/ti.bmp", false}};
  for (const auto& w : walls) {
    const Canvas picture = wallPicture(w.wall);
    check(writeBmp24(path(w.file), w.upsideDown ? picture.flippedVertically() : picture), w.file);
  }

  check(writeWav(path("sound/splash.wav"), splashSound(), kSampleRate), "sound/splash.wav");
  check(writeWav(path("sound/move.wav"), moveSound(), kSampleRate), "sound/move.wav");
  check(writeWav(path("sound/turn.wav"), turnSound(), kSampleRate), "sound/turn.wav");
  check(writeWav(path("sound/kasha.wav"), kashaSound(), kSampleRate), "sound/kasha.wav");

  check(writeIco(path("icons/squr_g.ico"), {statusIcon(16), statusIcon(32)}), "icons/squr_g.ico");
  check(writePng(path("images/kubisto.png"), windowIcon(32)), "images/kubisto.png");
  for (const NamedPicture& p : toolbarImages())
    check(writePng(path("images/" + p.name + ".png"), p.picture), p.name);
  for (const NamedPicture& p : englishViewImages())
    check(writePng(path("images/" + p.name + ".png"), p.picture), p.name);
  for (const NamedPicture& p : buttonIcons())
    check(writePng(path("images/" + p.name + ".png"), p.picture), p.name);
  check(writePng(path("images/toolbox.png"), woodGrain(234, 478, 1999, true)),
        "images/toolbox.png");
  check(writePng(path("images/title.png"), titlePicture()), "images/title.png");

  check(writeText(path("help/kubisto.hlp"), helpDocument()), "help/kubisto.hlp");
  check(writeText(path("help/kubisto_en.hlp"), englishHelpDocument()), "help/kubisto_en.hlp");

  for (const NamedPicture& p : desktopIcons())
    check(writePng(path("../desktop/icons/" + p.name + ".png"), p.picture), p.name);
  return g_ok ? 0 : 1;
}
