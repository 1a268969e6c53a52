#include "engine/render/plain_faces.h"

#include "engine/render/corner_light.h"
#include "engine/render/faces.h"

namespace engine::render {
namespace {

// Whether a face whose corners lie on the grid can cover a pixel of the rows this context draws.
bool MayCover(const DrawContext& dc, const FaceCorner* c, size_t n) {
  const GridPoint* grid = dc.grid.data();
  GridPoint g = grid[c[0].vertex];
  int32_t minX = g.x, maxX = g.x, minY = g.y, maxY = g.y;
  for (size_t k = 1; k < n; ++k) {
    g = grid[c[k].vertex];
    minX = std::min(minX, g.x);
    maxX = std::max(maxX, g.x);
    minY = std::min(minY, g.y);
    maxY = std::max(maxY, g.y);
  }
  return MayCoverGridBox(dc.target, minX, maxX, minY, maxY);
}

// Fills dc.screen with the face's n projected corners, lit, and dc.cornerUsable with whether the
// rasterizer can use each.
void LightCorners(DrawContext& dc, const PlainFaces& run, const FaceCorner* c, size_t n,
                  Vector unitNormal) {
  if (dc.screen.size() < n) dc.screen.resize(n);
  if (dc.cornerUsable.size() < n) dc.cornerUsable.resize(n);
  const std::vector<Vector>& normals = *run.normals;
  const std::vector<Face::TexCoord>& uvs = *run.uvs;
  for (size_t k = 0; k < n; ++k) {
    const int32_t vi = c[k].vertex, ni = c[k].normal;
    const bool hasNormal = ni >= 0 && static_cast<size_t>(ni) < normals.size();
    const RGB lit = GouraudCorner(dc, run.material, unitNormal, *run.normalMatrix, dc.cam[vi],
                                  run.base, hasNormal ? &normals[ni] : nullptr,
                                  hasNormal ? ni : -1, true);
    ScreenVertex& sv = dc.screen[k];
    sv = dc.projected[vi];
    const bool hasUv = static_cast<size_t>(vi) < uvs.size();
    sv.uw = (hasUv ? uvs[vi].u : 0) * sv.oow;
    sv.vw = (hasUv ? uvs[vi].v : 0) * sv.oow;
    sv.r = lit.r;
    sv.g = lit.g;
    sv.b = lit.b;
    sv.fog = 1.0f;
    dc.cornerUsable[k] = Usable(sv);
  }
}

// Draws the face as a fan of triangles from its first corner.
void DrawFan(DrawContext& dc, const PlainFaces& run, const FaceCorner* c, size_t n) {
  const GridPoint* grid = dc.grid.data();
  const ScreenVertex* screen = dc.screen.data();
  const uint8_t* usable = dc.cornerUsable.data();
  const GridPoint g0 = grid[c[0].vertex];
  for (size_t i = 1; i + 1 < n; ++i) {
    if (!usable[0] || !usable[i] || !usable[i + 1]) continue;
    const GridPoint g1 = grid[c[i].vertex], g2 = grid[c[i + 1].vertex];
    const int32_t x[3] = {g0.x, g1.x, g2.x}, y[3] = {g0.y, g1.y, g2.y};
    DrawTriangleOnGrid(dc.target, screen[0], screen[i], screen[i + 1], x, y, run.state);
  }
}

}  // namespace

void DrawPlainFaces(DrawContext& dc, const PlainFaces& run) {
  const Vector* cam = dc.cam.data();
  const bool perspective = dc.proj.perspective;
  for (uint32_t f = run.faceBegin; f < run.faceEnd; ++f) {
    const FaceCorner* c = run.corners + run.cornerStart[f];
    const size_t n = run.cornerStart[f + 1] - run.cornerStart[f];
    if (n < 3) continue;
    // Back faces and faces without area are never drawn, nor faces that can cover no pixel;
    // decided before any lighting.
    const Vector faceNormal = PolygonNormalOf(cam, n, [c](size_t k) { return c[k].vertex; });
    if (!FacesCamera(faceNormal, cam[c[0].vertex], perspective) || !MayCover(dc, c, n)) continue;
    Vector unitNormal;
    if (!Normalize(faceNormal, unitNormal)) continue;
    LightCorners(dc, run, c, n, unitNormal);
    DrawFan(dc, run, c, n);
  }
}

}  // namespace engine::render
