#include "engine/render/clip.h"
#include "engine/render/draw_context.h"
#include "engine/render/lines.h"

namespace engine::render {

void EmitLine(DrawContext& dc, const ScreenVertex& a, const ScreenVertex& b) {
  DrawLine(dc.target, a, b);
}

void EmitPoint(DrawContext& dc, const ScreenVertex& p) { DrawPoint(dc.target, p); }

void DrawPolygon(DrawContext& dc, const std::vector<CameraVertex>& poly, const PolyState& state,
                 int32_t fill, bool perspectiveTexture) {
  const float front = dc.proj.front, back = dc.proj.back;
  const std::vector<CameraVertex>* src = &poly;
  for (const CameraVertex& v : poly) {
    if (!(v.z >= front && v.z <= back)) {  // NaN too
      ClipDepth(poly, front, back, dc.clipped);
      src = &dc.clipped;
      break;
    }
  }
  if (src->size() < (fill == kFillPoints ? 1u : 3u)) return;

  dc.screen.clear();
  for (const CameraVertex& v : *src) dc.screen.push_back(Project(dc, v, perspectiveTexture));
  if (!InsideRect(dc.screen, dc.guardX0, dc.guardY0, dc.guardX1, dc.guardY1)) {
    if (fill == kFillPoints) {
      for (const ScreenVertex& s : dc.screen) EmitPoint(dc, s);
      return;
    }
    ClipRect(dc.screen, dc.guardX0, dc.guardY0, dc.guardX1, dc.guardY1, dc.scratch);
  }
  const size_t n = dc.screen.size();
  if (fill == kFillSolid) {
    for (size_t i = 1; i + 1 < n; ++i)
      EmitTriangle(dc, dc.screen[0], dc.screen[i], dc.screen[i + 1], state);
  } else if (fill == kFillWireframe) {
    for (size_t i = 0; i < n; ++i) EmitLine(dc, dc.screen[i], dc.screen[(i + 1) % n]);
  } else {
    for (const ScreenVertex& s : dc.screen) EmitPoint(dc, s);
  }
}

}  // namespace engine::render
