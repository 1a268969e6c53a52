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

// The lit corners of one face in dc.screen, each made when first asked for: a corner's light and
// colour do not depend on which face asked for its normal first, so the corners of triangles that
// cover no pixel need never be made. The corners past the 64th are made at once.
class FaceCorners {
 public:
  FaceCorners(DrawContext& dc, const PlainFaces& run, const FaceCorner* c, size_t n,
              Vector unitNormal)
      : dc_(dc), run_(run), c_(c), unitNormal_(unitNormal) {
    if (dc.screen.size() < n) dc.screen.resize(n);
    for (size_t k = 64; k < n; ++k) Make(k);
  }

  // Whether corner k can be drawn (made first if need be).
  bool Usable(size_t k) {
    if (k >= 64) return render::Usable(dc_.screen[k]);  // made at once
    if (!(made_ >> k & 1)) Make(k);
    return usable_ >> k & 1;
  }

 private:
  void Make(size_t k) {
    const std::vector<Vector>& normals = *run_.normals;
    const std::vector<Face::TexCoord>& uvs = *run_.uvs;
    const int32_t vi = c_[k].vertex, ni = c_[k].normal;
    const bool hasNormal = ni >= 0 && static_cast<size_t>(ni) < normals.size();
    const RGB lit =
        GouraudCorner(dc_, run_.material, unitNormal_, *run_.normalMatrix, dc_.cam[vi], run_.base,
                      hasNormal ? &normals[ni] : nullptr, hasNormal ? ni : -1, true);
    ScreenVertex sv = dc_.projected[vi];
    const bool hasUv = static_cast<size_t>(vi) < uvs.size();
    sv.uw = (hasUv ? uvs[vi].u : 0) * sv.oow;
    sv.vw = (hasUv ? uvs[vi].v : 0) * sv.oow;
    sv.r = lit.r;
    sv.g = lit.g;
    sv.b = lit.b;
    sv.fog = 1.0f;
    dc_.screen[k] = sv;
    if (k < 64) {
      made_ |= uint64_t{1} << k;
      if (render::Usable(sv)) usable_ |= uint64_t{1} << k;
    }
  }

  DrawContext& dc_;
  const PlainFaces& run_;
  const FaceCorner* c_;
  Vector unitNormal_;
  uint64_t made_ = 0, usable_ = 0;
};

// Draws the face of n corners as a fan of triangles from its first corner.
void DrawFan(DrawContext& dc, const PlainFaces& run, const FaceCorner* c, size_t n,
             Vector unitNormal) {
  FaceCorners corners(dc, run, c, n, unitNormal);
  const GridPoint* grid = dc.grid.data();
  const GridPoint g0 = grid[c[0].vertex];
  const bool fastPaths = RasterFastPaths();
  for (size_t i = 1; i + 1 < n; ++i) {
    const GridPoint g1 = grid[c[i].vertex], g2 = grid[c[i + 1].vertex];
    const int32_t x[3] = {g0.x, g1.x, g2.x}, y[3] = {g0.y, g1.y, g2.y};
    auto three = [&](const ScreenVertex*(&v)[3]) {
      if (!corners.Usable(0) || !corners.Usable(i) || !corners.Usable(i + 1)) return false;
      v[0] = &dc.screen[0];
      v[1] = &dc.screen[i];
      v[2] = &dc.screen[i + 1];
      return true;
    };
    raster::TinyBox box;
    switch (raster::ClassifyOnGrid(dc.target, x, y, fastPaths, box)) {
      case raster::OnGrid::kNothing:
        break;
      case raster::OnGrid::kTiny:
        raster::DrawTinyOnGrid(dc.target, box, x, y, three);
        break;
      case raster::OnGrid::kOther: {
        const ScreenVertex* v[3];
        if (three(v)) DrawTriangleOnGrid(dc.target, *v[0], *v[1], *v[2], x, y, run.state);
        break;
      }
    }
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
    DrawFan(dc, run, c, n, unitNormal);
  }
}

void SetPlainFaces(bool on) { plainFaces = on; }
bool PlainFacesOn() { return plainFaces.load(std::memory_order_relaxed); }

}  // namespace engine::render
