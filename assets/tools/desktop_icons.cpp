// The icons a desktop shows for the program and for its layout files, in the hicolor sizes.
#include "pictures.h"

namespace assetgen {

namespace {

const int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// A sheet of paper with a folded corner, with the cube character on it.
Canvas layoutFileIcon(int size) {
  Canvas c(size, size);
  const double u = size / 32.0;
  const double left = 4 * u, right = 28 * u, top = 1 * u, bottom = 31 * u, fold = 8 * u;
  const std::vector<Point> sheet = {
      {left, top}, {right - fold, top}, {right, top + fold}, {right, bottom}, {left, bottom}};
  const double edge = std::max(0.6, 0.7 * u);
  c.fill(polyline({sheet[0], sheet[1], sheet[2], sheet[3], sheet[4], sheet[0]}, edge),
         solid(rgb(110, 110, 120)));
  c.fill(polygon(sheet),
         linear({left, top}, rgb(255, 255, 255), {right, bottom}, rgb(222, 226, 234)));
  c.fill(polygon({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}}),
         solid(rgb(190, 194, 204)));
  c.fill(
      polyline({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}}, edge * 0.7),
      solid(rgb(110, 110, 120)));
  // Lines of text above the character on the larger sizes.
  if (size >= 32) {
    for (int i = 0; i < 2; ++i) {
      const double y = top + (4.5 + 3 * i) * u;
      c.fill(rect(left + 3 * u, y, right - fold - 1.5 * u, y + 1.2 * u), solid(rgb(170, 176, 190)));
    }
  }
  drawCubeCharacter(c, left + 1.5 * u, top + 9.5 * u, 20 * u);
  return c;
}

}  // namespace

std::vector<NamedPicture> desktopIcons() {
  std::vector<NamedPicture> icons;
  for (int size : kIconSizes) {
    const std::string folder = "hicolor/" + std::to_string(size) + "x" + std::to_string(size);
    icons.push_back({folder + "/apps/kubisto", windowIcon(size)});
    icons.push_back({folder + "/mimetypes/application-x-kubisto-layout", layoutFileIcon(size)});
  }
  return icons;
}

}  // namespace assetgen
