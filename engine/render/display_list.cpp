#include "engine/render/display_list.h"

#include <algorithm>
#include <cmath>

#include "engine/render/lines.h"

namespace engine::render {
namespace {

bool SameState(const PolyState& a, const PolyState& b) {
  return a.texture == b.texture && a.quality == b.quality && a.fog == b.fog &&
         a.fogColor == b.fogColor && a.blend == b.blend && a.colorKey == b.colorKey;
}

}  // namespace

void DisplayList::Begin(const Target& target, int bandRows) {
  target_ = target;
  bandRows_ = std::max(1, bandRows);
  commands_.clear();
  states_.clear();
  const int rows = std::max(0, target.y1 - target.y0);
  bands_.resize(static_cast<size_t>((rows + bandRows_ - 1) / bandRows_));
  for (std::vector<uint32_t>& b : bands_) b.clear();
}

void DisplayList::File(uint32_t index, float top, float bottom) {
  // A row or so of slack either way: the rasterizer decides exactly which rows it covers. Corners
  // that are not numbers draw nothing anywhere.
  if (!(bottom >= static_cast<float>(target_.y0) - 1.0f) ||
      !(top <= static_cast<float>(target_.y1) + 1.0f) || bands_.empty())
    return;
  const float last = static_cast<float>(bands_.size() - 1);
  auto band = [&](float y) {
    return static_cast<size_t>(std::clamp(
        (y - static_cast<float>(target_.y0)) / static_cast<float>(bandRows_), 0.0f, last));
  };
  const size_t first = band(top - 1.0f), end = band(bottom + 1.0f);
  for (size_t k = first; k <= end; ++k) bands_[k].push_back(index);
}

void DisplayList::Triangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                           const PolyState& state) {
  // Only what the rasterizer would draw, filed in the bands of the rows it may cover.
  int first, last;
  if (!TriangleRows(target_, a, b, c, first, last)) return;
  if (states_.empty() || !SameState(states_.back(), state)) states_.push_back(state);
  const uint32_t index = static_cast<uint32_t>(commands_.size());
  commands_.push_back({Kind::kTriangle, static_cast<uint32_t>(states_.size() - 1), {a, b, c}});
  const size_t end = static_cast<size_t>((last - target_.y0) / bandRows_);
  for (size_t k = static_cast<size_t>((first - target_.y0) / bandRows_); k <= end; ++k)
    bands_[k].push_back(index);
}

void DisplayList::Line(const ScreenVertex& a, const ScreenVertex& b) {
  const uint32_t index = static_cast<uint32_t>(commands_.size());
  commands_.push_back({Kind::kLine, 0, {a, b, b}});
  File(index, std::min(a.y, b.y), std::max(a.y, b.y));
}

void DisplayList::Point(const ScreenVertex& p) {
  const uint32_t index = static_cast<uint32_t>(commands_.size());
  commands_.push_back({Kind::kPoint, 0, {p, p, p}});
  File(index, p.y, p.y);
}

void DisplayList::DrawBand(int k) const {
  Target t = target_;
  t.rowBegin = t.y0 + k * bandRows_;
  t.rowEnd = std::min(t.y1, t.rowBegin + bandRows_);
  for (uint32_t index : bands_[static_cast<size_t>(k)]) {
    const Command& c = commands_[index];
    switch (c.kind) {
      case Kind::kTriangle:
        DrawTriangle(t, c.v[0], c.v[1], c.v[2], states_[c.state]);
        break;
      case Kind::kLine:
        DrawLine(t, c.v[0], c.v[1]);
        break;
      case Kind::kPoint:
        DrawPoint(t, c.v[0]);
        break;
    }
  }
}

}  // namespace engine::render
