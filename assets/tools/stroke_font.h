// A tiny stroke font for the lettering of the pictures: each glyph is a set of polylines on a
// grid whose capitals are 10 units tall (y runs down, 0 at the cap line, 10 on the baseline).
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

struct Segment {
  Point a, b;
};

struct TextLayout {
  std::vector<Segment> segments;                    // in pixels
  double left = 0, top = 0, right = 0, bottom = 0;  // the strokes' centre lines' extent

  double distance(Point p) const;
  // Everything within halfWidth of the strokes.
  Shape shape(double halfWidth) const;
};

// Lays out `text` with its cap line at y = top and its left edge at x = left; `capHeight` is the
// height of a capital in pixels; `slant` shears the glyphs (x moves right by slant per pixel up);
// `tracking` is extra space between glyphs, in pixels. Characters without a glyph are skipped.
TextLayout layoutText(const std::string& text, double left, double top, double capHeight,
                      double slant = 0.0, double tracking = 0.0);

// The advance of `text` in pixels at that size.
double textWidth(const std::string& text, double capHeight, double tracking = 0.0);

}  // namespace assetgen
