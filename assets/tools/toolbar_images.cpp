// The nine 16 x 16 toolbar images, and the English twins of the three view pictures.
#include <cmath>
#include <numbers>

#include "pictures.h"

namespace assetgen {
namespace {

// Sets pixels from rows of '#' (ink) and '.' (clear).
void stamp(Canvas& c, const std::vector<const char*>& rows, const Color& ink) {
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; rows[y][x] != '\0'; ++x)
      if (rows[y][x] == '#') c.at(static_cast<int>(x), static_cast<int>(y)) = ink;
}

Canvas exitCross() {
  Canvas c(16, 16);
  c.fill(segment({3.5, 3.5}, {12.5, 12.5}, 1.5), solid(rgb(0, 0, 0)));
  c.fill(segment({12.5, 3.5}, {3.5, 12.5}, 1.5), solid(rgb(0, 0, 0)));
  return c;
}

Canvas openFolder() {
  Canvas c(16, 16);
  const Color edge = rgb(110, 80, 0);
  // The back of the folder with its tab.
  c.fill(polygon({{0.5, 4}, {5, 4}, {6.5, 5.5}, {12.5, 5.5}, {12.5, 14.5}, {0.5, 14.5}}),
         solid(edge));
  c.fill(polygon({{1.5, 5}, {4.6, 5}, {6.1, 6.5}, {11.5, 6.5}, {11.5, 13.5}, {1.5, 13.5}}),
         solid(rgb(214, 168, 20)));
  // The front flap, tilted open.
  c.fill(polygon({{3.5, 8}, {15.5, 8}, {12.5, 14.5}, {0.5, 14.5}}), solid(edge));
  c.fill(polygon({{4.2, 9}, {14.1, 9}, {11.9, 13.5}, {1.9, 13.5}}),
         linear({0, 9}, rgb(255, 236, 110), {0, 14}, rgb(246, 196, 30)));
  // The arrow coming out of it.
  const Color green = rgb(0, 140, 30);
  c.fill(polyline({{7.5, 7}, {8.5, 4}, {11.5, 2.2}}, 0.9), solid(green));
  c.fill(polygon({{15.5, 2}, {11, -0.2}, {11.8, 4.6}}), solid(green));
  return c;
}

Canvas floppyDisk() {
  Canvas c(16, 16);
  c.fill(polygon({{1, 1}, {13.5, 1}, {15, 2.5}, {15, 15}, {1, 15}}), solid(rgb(20, 24, 60)));
  c.fill(polygon({{2, 2}, {13, 2}, {14, 3}, {14, 14}, {2, 14}}), solid(rgb(52, 64, 150)));
  c.fill(rect(4, 1, 12, 6.5), solid(rgb(200, 204, 214)));
  c.fill(rect(9, 2, 11, 5.5), solid(rgb(60, 64, 80)));
  c.fill(rect(3.5, 8.5, 12.5, 15), solid(rgb(250, 250, 250)));
  c.fill(rect(4.5, 10, 11.5, 11), solid(rgb(150, 150, 170)));
  c.fill(rect(4.5, 12, 11.5, 13), solid(rgb(150, 150, 170)));
  return c;
}

Canvas turningSign() {
  Canvas c(16, 16);
  const double cx = 8, cy = 8.5, r = 5.2;
  std::vector<Point> arc;
  const double a0 = 100, a1 = 390;  // degrees, counter-clockwise as seen
  for (int i = 0; i <= 40; ++i) {
    const double t = (a0 + (a1 - a0) * i / 40.0) * std::numbers::pi / 180.0;
    arc.push_back({cx + r * std::cos(t), cy - r * std::sin(t)});
  }
  const Color blue = rgb(20, 70, 220), dark = rgb(0, 20, 110);
  c.fill(polyline(arc, 2.1), solid(dark));
  c.fill(polyline(arc, 1.3), linear({0, 2}, rgb(90, 150, 255), {0, 15}, blue));
  // The arrow head at the end of the arc, pointing along the turn (upwards on the right).
  const double te = a1 * std::numbers::pi / 180.0;
  const Point tip{cx + r * std::cos(te), cy - r * std::sin(te)};
  const Point dir{-std::sin(te), -std::cos(te)};  // tangent, counter-clockwise as seen
  const Point nrm{std::cos(te), -std::sin(te)};
  const Point p1{tip.x + dir.x * 3.6, tip.y + dir.y * 3.6};
  const Point p2{tip.x + nrm.x * 3.4 - dir.x * 0.6, tip.y + nrm.y * 3.4 - dir.y * 0.6};
  const Point p3{tip.x - nrm.x * 3.4 - dir.x * 0.6, tip.y - nrm.y * 3.4 - dir.y * 0.6};
  c.fill(polygon({p1, p2, p3}), solid(blue));
  c.fill(polyline({p1, p2, p3, p1}, 0.45), solid(dark));
  return c;
}

Canvas noEntry() {
  Canvas c(16, 16);
  c.fill(ellipse(8, 8, 7.5, 7.5), solid(rgb(120, 0, 0)));
  c.fill(ellipse(8, 8, 6.6, 6.6), linear({0, 1}, rgb(255, 70, 60), {0, 15}, rgb(200, 0, 0)));
  c.fill(rect(3, 6.5, 13, 9.5), solid(rgb(255, 255, 255)));
  return c;
}

Canvas character(const std::vector<const char*>& rows) {
  Canvas c(16, 16);
  stamp(c, rows, rgb(0, 0, 0));
  return c;
}

Canvas flyingBird() {
  Canvas c(16, 16);
  const Color edge = rgb(0, 90, 110);
  const Color body = rgb(40, 220, 235);
  const std::vector<Point> left = {{0.3, 4.5}, {3.5, 4.2}, {6.5, 6.5},
                                   {8.5, 9.5}, {5.5, 9.2}, {2.5, 7}};
  const std::vector<Point> right = {{15.7, 2}, {12.5, 3},   {9.5, 6.5},
                                    {8, 9.5},  {10.5, 9.3}, {13, 6}};
  for (const auto* wing : {&left, &right}) {
    std::vector<Point> loop = *wing;
    loop.push_back(loop.front());
    c.fill(polyline(loop, 0.6), solid(edge));
    c.fill(polygon(*wing), solid(body));
  }
  c.fill(ellipse(8, 10.3, 4.6, 2.2), solid(edge));
  c.fill(ellipse(8, 10.3, 3.8, 1.5), solid(body));
  c.fill(ellipse(12.2, 9.6, 1.9, 1.7), solid(edge));
  c.fill(ellipse(12.2, 9.6, 1.2, 1.1), solid(body));
  c.fill(polygon({{13.6, 9}, {15.8, 9.8}, {13.6, 10.5}}), solid(rgb(255, 160, 0)));
  c.fill(polygon({{4, 10}, {1.2, 9}, {1.6, 12}}), solid(edge));
  return c;
}

}  // namespace

std::vector<NamedPicture> toolbarImages() {
  // 前, 上 and 右 as 16-dot characters.
  const std::vector<const char*> mae = {
      "................", "....#......#....", ".....#....#.....", ".##############.",
      "................", "..#####...#..#..", "..#...#...#..#..", "..#####...#..#..",
      "..#...#...#..#..", "..#####...#..#..", "..#...#...#..#..", "..#...#......#..",
      ".#...##....#.#..", "#...........##..", "................", "................"};
  const std::vector<const char*> ue = {
      "................", ".......#........", ".......#........", ".......#........",
      ".......#........", ".......#######..", ".......#........", ".......#........",
      ".......#........", ".......#........", ".......#........", ".......#........",
      ".......#........", ".##############.", "................", "................"};
  const std::vector<const char*> migi = {
      "................", "......#.........", "......#.........", ".##############.",
      ".....#..........", ".....#..........", "....#...........", "...#.#########..",
      "..#..#.......#..", ".#...#.......#..", ".....#.......#..", ".....#.......#..",
      ".....#########..", ".....#.......#..", "................", "................"};
  return {{"tb_fin", exitCross()},    {"tb_load", openFolder()},    {"tb_save", floppyDisk()},
          {"tb_turn", turningSign()}, {"tb_stop", noEntry()},       {"tb_front", character(mae)},
          {"tb_top", character(ue)},  {"tb_side", character(migi)}, {"tb_bird", flyingBird()}};
}

std::vector<NamedPicture> englishViewImages() {
  // F, T and R in the same 16-dot manner: one-dot strokes from row 1 down to row 13.
  const std::vector<const char*> front = {
      "................", "...##########...", "...#............", "...#............",
      "...#............", "...#............", "...#............", "...########.....",
      "...#............", "...#............", "...#............", "...#............",
      "...#............", "...#............", "................", "................"};
  const std::vector<const char*> top = {
      "................", "..###########...", ".......#........", ".......#........",
      ".......#........", ".......#........", ".......#........", ".......#........",
      ".......#........", ".......#........", ".......#........", ".......#........",
      ".......#........", ".......#........", "................", "................"};
  const std::vector<const char*> right = {
      "................", "...########.....", "...#.......#....", "...#.......#....",
      "...#.......#....", "...#.......#....", "...#.......#....", "...########.....",
      "...#...#........", "...#....#.......", "...#.....#......", "...#......#.....",
      "...#.......#....", "...#........#...", "................", "................"};
  return {{"tb_front_en", character(front)},
          {"tb_top_en", character(top)},
          {"tb_side_en", character(right)}};
}

}  // namespace assetgen
