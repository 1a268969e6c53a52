// The stroke font's glyphs and layout.
#include "stroke_font.h"

#include <cmath>
#include <limits>
#include <map>
#include <numbers>

namespace assetgen {
namespace {

using Path = std::vector<Point>;

struct Glyph {
  double advance = 0;
  std::vector<Path> paths;
};

// Points along an elliptic arc from angle a0 to a1 (degrees, counter-clockwise as seen, 0 = right).
Path arc(double cx, double cy, double rx, double ry, double a0, double a1, int steps = 24) {
  Path p;
  for (int i = 0; i <= steps; ++i) {
    const double t = (a0 + (a1 - a0) * i / steps) * std::numbers::pi / 180.0;
    p.push_back({cx + rx * std::cos(t), cy - ry * std::sin(t)});
  }
  return p;
}

Path join(Path a, const Path& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::map<char, Glyph>& glyphs() {
  static const std::map<char, Glyph> table = [] {
    std::map<char, Glyph> g;
    g['O'] = {8.0, {arc(3.6, 5, 3.3, 5, 0, 360, 48)}};
    g['o'] = {6.2, {arc(2.8, 6.75, 2.5, 3.25, 0, 360, 40)}};
    g['h'] = {6.2,
              {{{0.5, 0}, {0.5, 10}}, join(arc(2.75, 6.0, 2.25, 2.4, 180, 0), Path{{5.0, 10}})}};
    g['!'] = {2.4, {{{0.9, 0}, {0.9, 6.8}}, {{0.9, 9.7}, {0.9, 9.75}}}};
    g['K'] = {6.8, {{{0.5, 0}, {0.5, 10}}, {{5.8, 0}, {0.5, 6.2}}, {{2.3, 4.1}, {6.0, 10}}}};
    g['u'] = {
        6.2,
        {join(Path{{0.5, 3.5}}, arc(2.75, 7.6, 2.25, 2.4, 180, 360)), {{5.0, 3.5}, {5.0, 10}}}};
    g['b'] = {6.2, {{{0.5, 0}, {0.5, 10}}, arc(2.9, 6.75, 2.4, 3.25, 0, 360, 40)}};
    g['i'] = {2.4, {{{0.9, 3.5}, {0.9, 10}}, {{0.9, 1.2}, {0.9, 1.25}}}};
    g['s'] = {5.6, {join(arc(2.6, 5.15, 2.1, 1.65, 25, 270), arc(2.6, 8.4, 2.2, 1.6, 90, -155))}};
    g['t'] = {
        4.6, {join(Path{{1.6, 1.0}}, arc(3.4, 8.6, 1.8, 1.4, 180, 270)), {{0.0, 3.6}, {3.8, 3.6}}}};
    g['X'] = {7.0, {{{0.5, 0}, {6.0, 10}}, {{6.0, 0}, {0.5, 10}}}};
    g['Y'] = {7.0, {{{0.5, 0}, {3.25, 5}}, {{6.0, 0}, {3.25, 5}}, {{3.25, 5}, {3.25, 10}}}};
    g['Z'] = {7.0, {{{0.5, 0}, {6.0, 0}, {0.5, 10}, {6.0, 10}}}};
    g['-'] = {5.0, {{{0.5, 5.5}, {4.0, 5.5}}}};
    g[' '] = {4.0, {}};
    return g;
  }();
  return table;
}

}  // namespace

double TextLayout::distance(Point p) const {
  double best = std::numeric_limits<double>::max();
  for (const Segment& s : segments) best = std::min(best, distanceToSegment(p, s.a, s.b));
  return best;
}

Shape TextLayout::shape(double halfWidth) const {
  const TextLayout copy = *this;
  const double l = left - halfWidth, r = right + halfWidth, t = top - halfWidth,
               b = bottom + halfWidth;
  return [copy, halfWidth, l, r, t, b](double x, double y) {
    if (x < l || x > r || y < t || y > b) return false;
    return copy.distance({x, y}) <= halfWidth;
  };
}

double textWidth(const std::string& text, double capHeight, double tracking) {
  const double unit = capHeight / 10.0;
  double w = 0;
  for (char c : text) {
    auto it = glyphs().find(c);
    if (it != glyphs().end()) w += it->second.advance * unit + tracking;
  }
  return w > 0 ? w - tracking : 0;
}

TextLayout layoutText(const std::string& text, double left, double top, double capHeight,
                      double slant, double tracking) {
  TextLayout out;
  const double unit = capHeight / 10.0;
  const double baseline = top + capHeight;
  out.left = out.top = std::numeric_limits<double>::max();
  out.right = out.bottom = std::numeric_limits<double>::lowest();
  double pen = left;
  for (char c : text) {
    auto it = glyphs().find(c);
    if (it == glyphs().end()) continue;
    for (const Path& path : it->second.paths) {
      Path px;
      for (const Point& q : path) {
        const double y = top + q.y * unit;
        const double x = pen + q.x * unit + slant * (baseline - y);
        px.push_back({x, y});
        out.left = std::min(out.left, x);
        out.right = std::max(out.right, x);
        out.top = std::min(out.top, y);
        out.bottom = std::max(out.bottom, y);
      }
      if (px.size() == 1) px.push_back(px[0]);
      for (size_t i = 0; i + 1 < px.size(); ++i) out.segments.push_back({px[i], px[i + 1]});
    }
    pen += it->second.advance * unit + tracking;
  }
  if (out.segments.empty()) out.left = out.top = out.right = out.bottom = 0;
  return out;
}

}  // namespace assetgen
