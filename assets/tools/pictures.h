// The pictures and sounds of the program, each drawn or synthesised from scratch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

// Room walls, 256 x 256, drawn upright (row 0 at the top of the wall).
enum class Wall { North, West, East, South, Ceiling, Floor };
Canvas wallPicture(Wall wall);

// Wood grain: light for the tool panel, darker and richer for the title ground.
Canvas woodGrain(int width, int height, uint32_t seed, bool light);

// The cube-shaped character (red front, brown sides, a face) in a size x size box at (x, y).
void drawCubeCharacter(Canvas& canvas, double x, double y, double size);
Canvas windowIcon(int size);
Canvas statusIcon(int size);  // the small green square
Canvas titlePicture();        // 299 x 98

// The nine 16 x 16 toolbar images, in toolbar order, with the file stem of each.
struct NamedPicture {
  std::string name;
  Canvas picture;
};
std::vector<NamedPicture> toolbarImages();
// The English twins of the three view pictures (front, top, side), drawn as F, T and R where the
// toolbar images show their kanji.
std::vector<NamedPicture> englishViewImages();
// The twelve 32 x 32 button icons.
std::vector<NamedPicture> buttonIcons();
// The desktop's icons of the program and of its layout files in every hicolor size, each named by
// its path under an icon folder without ".png" (e.g. "hicolor/48x48/apps/...").
std::vector<NamedPicture> desktopIcons();

// Sounds, mono samples in -1..1 at the given rate.
constexpr int kSampleRate = 22050;
std::vector<double> splashSound();
std::vector<double> moveSound();
std::vector<double> turnSound();
std::vector<double> kashaSound();

// The help document (HTML, UTF-8).
// The top of a help page up to <body>: language, title and the shared style.
std::string helpPageHead(const std::string& lang, const std::string& title);
std::string helpDocument();
std::string helpScriptingSection();  // appended to the help document
// Its English twin, with the same sections, anchors and pictures.
std::string englishHelpDocument();
std::string englishHelpScriptingSection();  // appended to the English help document

}  // namespace assetgen
