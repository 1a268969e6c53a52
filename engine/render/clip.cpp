#include "engine/render/clip.h"

#include <cstddef>

namespace engine::render {
namespace {

CameraVertex Lerp(const CameraVertex& a, const CameraVertex& b, float t) {
  auto l = [t](float p, float q) { return p + (q - p) * t; };
  return {l(a.x, b.x), l(a.y, b.y), l(a.z, b.z), l(a.u, b.u),    l(a.v, b.v),
          l(a.r, b.r), l(a.g, b.g), l(a.b, b.b), l(a.fog, b.fog)};
}

ScreenVertex Lerp(const ScreenVertex& a, const ScreenVertex& b, float t) {
  auto l = [t](float p, float q) { return p + (q - p) * t; };
  return {l(a.x, b.x),   l(a.y, b.y), l(a.depth, b.depth), l(a.oow, b.oow), l(a.uw, b.uw),
          l(a.vw, b.vw), l(a.r, b.r), l(a.g, b.g),         l(a.b, b.b),     l(a.fog, b.fog)};
}

// One Sutherland-Hodgman pass; `dist` is >= 0 inside. The crossing point is computed from the
// inside corner's side, so that a shared edge is split at the same point from both faces.
template <typename V, typename Dist>
void ClipPass(const std::vector<V>& in, std::vector<V>& out, Dist dist) {
  out.clear();
  const size_t n = in.size();
  if (n == 0) return;
  for (size_t k = 0; k < n; ++k) {
    const V& cur = in[k];
    const V& nxt = in[(k + 1) % n];
    float dc = dist(cur), dn = dist(nxt);
    bool cin = dc >= 0, nin = dn >= 0;
    if (cin) out.push_back(cur);
    if (cin != nin) {
      out.push_back(cin ? Lerp(cur, nxt, dc / (dc - dn)) : Lerp(nxt, cur, dn / (dn - dc)));
    }
  }
}

}  // namespace

void ClipDepth(const std::vector<CameraVertex>& in, float front, float back,
               std::vector<CameraVertex>& out) {
  thread_local std::vector<CameraVertex> mid;
  ClipPass(in, mid, [front](const CameraVertex& v) { return v.z - front; });
  ClipPass(mid, out, [back](const CameraVertex& v) { return back - v.z; });
}

bool InsideRect(const std::vector<ScreenVertex>& poly, float x0, float y0, float x1, float y1) {
  for (const ScreenVertex& v : poly)
    if (!(v.x >= x0 && v.x <= x1 && v.y >= y0 && v.y <= y1)) return false;
  return true;
}

void ClipRect(std::vector<ScreenVertex>& poly, float x0, float y0, float x1, float y1,
              std::vector<ScreenVertex>& scratch) {
  ClipPass(poly, scratch, [x0](const ScreenVertex& v) { return v.x - x0; });
  ClipPass(scratch, poly, [x1](const ScreenVertex& v) { return x1 - v.x; });
  ClipPass(poly, scratch, [y0](const ScreenVertex& v) { return v.y - y0; });
  ClipPass(scratch, poly, [y1](const ScreenVertex& v) { return y1 - v.y; });
}

}  // namespace engine::render
