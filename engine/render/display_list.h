// A frame's drawing recorded as the rasterizer's calls, sorted into bands of rows, so that several
// threads can draw it at once: each band is drawn by one thread, its commands in recorded order,
// which gives the same pixels as drawing them one by one.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/render/rasterize.h"
#include "engine/render/target.h"
#include "engine/render/vertex.h"

namespace engine::render {

// Aligned to cache lines: each thread fills a list of its own, and lists lie side by side.
class alignas(64) DisplayList {
 public:
  // Starts a recording for the target's rectangle cut into bands of bandRows rows.
  void Begin(const Target& target, int bandRows);

  void Triangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                const PolyState& state);
  void Line(const ScreenVertex& a, const ScreenVertex& b);
  void Point(const ScreenVertex& p);

  int BandCount() const { return static_cast<int>(bands_.size()); }
  // Draws the commands that touch band k into that band's rows.
  void DrawBand(int k) const;

 private:
  enum class Kind : uint8_t { kTriangle, kLine, kPoint };
  struct Command {
    Kind kind;
    uint32_t state;  // index into states_, for triangles
    ScreenVertex v[3];
  };

  // Files command `index` in every band that rows [top, bottom] (floats, may be out of range) meet.
  void File(uint32_t index, float top, float bottom);

  Target target_;
  int bandRows_ = 1;
  std::vector<Command> commands_;
  std::vector<PolyState> states_;
  std::vector<std::vector<uint32_t>> bands_;
};

}  // namespace engine::render
