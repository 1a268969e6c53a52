#include "engine/render/plain_faces.h"

#include <atomic>

#include "engine/render/corner_light.h"
#include "engine/render/faces.h"
#include "engine/render/raster_tiny.h"

namespace engine::render {
namespace {

std::atomic<bool> plainFaces{true};

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

// Fills dc.screen with the face's n projected corners, lit. Returns a bit for each of the first 64
// that the rasterizer can use (all bits for the others, which DrawFan checks itself).
uint64_t LightCorners(DrawContext& dc, const PlainFaces& run, const FaceCorner* c, size_t n,
                      Vector unitNormal) {
  if (dc.screen.size() < n) dc.screen.resize(n);
  ScreenVertex* screen = dc.screen.data();
  const Vector* cam = dc.cam.data();
  const ScreenVertex* projected = dc.projected.data();
  const Vector* normals = run.normals->data();
  const size_t normalCount = run.normals->size();
  const Face::TexCoord* uvs = run.uvs->data();
  const size_t uvCount = run.uvs->size();
  uint64_t usable = ~uint64_t{0};
  for (size_t k = 0; k < n; ++k) {
    const int32_t vi = c[k].vertex, ni = c[k].normal;
    const bool hasNormal = ni >= 0 && static_cast<size_t>(ni) < normalCount;
    const RGB lit =
        GouraudCorner(dc, run.material, unitNormal, *run.normalMatrix, cam[vi], run.base,
                      hasNormal ? &normals[ni] : nullptr, hasNormal ? ni : -1, true);
    ScreenVertex sv = projected[vi];
    const bool hasUv = static_cast<size_t>(vi) < uvCount;
    sv.uw = (hasUv ? uvs[vi].u : 0) * sv.oow;
    sv.vw = (hasUv ? uvs[vi].v : 0) * sv.oow;
    sv.r = lit.r;
    sv.g = lit.g;
    sv.b = lit.b;
    sv.fog = 1.0f;
    if (k < 64 && !Usable(sv)) usable &= ~(uint64_t{1} << k);
    screen[k] = sv;
  }
  return usable;
}

// Whether corner k of dc.screen can be used, from the bits of LightCorners.
inline bool UsableCorner(const DrawContext& dc, uint64_t usable, size_t k) {
  return k < 64 ? (usable >> k & 1) != 0 : Usable(dc.screen[k]);
}

// Draws the face as a fan of triangles from its first corner.
void DrawFan(const DrawContext& dc, const PlainFaces& run, const FaceCorner* c, size_t n,
             uint64_t usable) {
  if (!UsableCorner(dc, usable, 0)) return;
  const GridPoint* grid = dc.grid.data();
  const ScreenVertex* screen = dc.screen.data();
  const GridPoint g0 = grid[c[0].vertex];
  const bool fastPaths = RasterFastPaths();
  for (size_t i = 1; i + 1 < n; ++i) {
    if (!UsableCorner(dc, usable, i) || !UsableCorner(dc, usable, i + 1)) continue;
    const GridPoint g1 = grid[c[i].vertex], g2 = grid[c[i + 1].vertex];
    const int32_t x[3] = {g0.x, g1.x, g2.x}, y[3] = {g0.y, g1.y, g2.y};
    if (!raster::DrawTinyOnGrid(dc.target, screen[0], screen[i], screen[i + 1], x, y, fastPaths))
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
    Vector faceNormal;
    if (!FrontNormal(
            cam, n, [c](size_t k) { return c[k].vertex; }, perspective, faceNormal) ||
        !MayCover(dc, c, n))
      continue;
    Vector unitNormal;
    if (!Normalize(faceNormal, unitNormal)) continue;
    DrawFan(dc, run, c, n, LightCorners(dc, run, c, n, unitNormal));
  }
}

void SetPlainFaces(bool on) { plainFaces = on; }
bool PlainFacesOn() { return plainFaces.load(std::memory_order_relaxed); }

}  // namespace engine::render
