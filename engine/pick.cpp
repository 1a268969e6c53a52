#include "engine/pick.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#include "engine/face.h"
#include "engine/frame.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/render/faces.h"
#include "engine/render/scene_walk.h"
#include "engine/viewport.h"

namespace engine {
namespace {

using render::Appearance;

// The ray through a pixel's centre in camera space: points O + D t.
struct Ray {
  Vector origin, dir;
  float front, back;
  bool perspective;
};

// Where the ray meets a drawn face: its camera depth, or false when it misses. The face is split
// into the same fan of triangles that the renderer draws.
bool HitFace(const Ray& ray, const std::vector<Vector>& cam, const std::vector<int32_t>& index,
             Vector normal, float& depth, Vector& hit) {
  const float denom = Dot(normal, ray.dir);
  if (denom == 0.0f || !std::isfinite(denom)) return false;
  const Vector p0 = cam[index[0]];
  const float t = Dot(normal, p0 - ray.origin) / denom;
  const Vector p = ray.origin + ray.dir * t;
  if (!(p.z >= ray.front && p.z <= ray.back)) return false;
  // Inside a fan triangle (a, b, c) when p lies on the inner side of all three edges, measured
  // along the face normal; points on an edge count.
  for (size_t i = 1; i + 1 < index.size(); ++i) {
    const Vector a = p0, b = cam[index[i]], c = cam[index[i + 1]];
    if (Dot(Cross(b - a, p - a), normal) >= 0 && Dot(Cross(c - b, p - b), normal) >= 0 &&
        Dot(Cross(a - c, p - c), normal) >= 0) {
      depth = p.z;
      hit = p;
      return true;
    }
  }
  return false;
}

std::atomic<bool> byBounds{true};

// The box around the visual's vertices in its own coordinates; false when it has none.
bool ModelBox(const Object* visual, Box& box) {
  if (const MeshBuilder* b = As<MeshBuilder>(visual)) return b->GetBox(box);
  if (const Mesh* m = As<Mesh>(visual)) return m->GetBox(box);
  return false;
}

// Whether the ray's line may meet the visual's faces: it crosses the visual's box, carried into
// camera space and widened by a margin far above the rounding of the face test, so that the box
// never turns away a face the full test would hit. True when that cannot be told.
bool MayHit(const Ray& ray, const Object* visual, const Matrix& modelView) {
  Box box;
  if (!ModelBox(visual, box)) return false;  // no vertices: no faces to hit
  const float(*m)[4] = modelView.m;
  if (m[0][3] != 0 || m[1][3] != 0 || m[2][3] != 0 || m[3][3] != 1) return true;
  const float c[3] = {(box.min.x + box.max.x) * 0.5f, (box.min.y + box.max.y) * 0.5f,
                      (box.min.z + box.max.z) * 0.5f};
  const float e[3] = {(box.max.x - box.min.x) * 0.5f, (box.max.y - box.min.y) * 0.5f,
                      (box.max.z - box.min.z) * 0.5f};
  const float o[3] = {ray.origin.x, ray.origin.y, ray.origin.z};
  const float d[3] = {ray.dir.x, ray.dir.y, ray.dir.z};
  float tMin = -INFINITY, tMax = INFINITY;
  for (int i = 0; i < 3; ++i) {
    // The camera-space box: centre and half extent of the turned box along axis i.
    const float centre = c[0] * m[0][i] + c[1] * m[1][i] + c[2] * m[2][i] + m[3][i];
    float half = e[0] * std::fabs(m[0][i]) + e[1] * std::fabs(m[1][i]) + e[2] * std::fabs(m[2][i]);
    half += 1e-3f * (half + std::fabs(centre)) + 1e-3f;
    if (!std::isfinite(centre) || !std::isfinite(half)) return true;
    const float lo = centre - half - o[i], hi = centre + half - o[i];
    if (d[i] == 0.0f) {
      if (lo > 0 || hi < 0) return false;
      continue;
    }
    float t0 = lo / d[i], t1 = hi / d[i];
    if (t0 > t1) std::swap(t0, t1);
    tMin = std::max(tMin, t0);
    tMax = std::min(tMax, t1);
  }
  return tMin <= tMax;
}

struct PickVisit {
  const Ray& ray;
  const Matrix& worldToCamera;
  const Matrix& cameraToWorld;
  PickedArray& out;
  std::vector<Vector> cam;
  std::vector<int32_t> index;

  struct Best {
    bool found = false;
    float depth = 0;
    Vector hit;
    int32_t face = -1, group = -1;
  };

  // Tests one face (vertex indices into cam) and keeps it when nearer than the best so far.
  void TryFace(size_t n, Best& best, int32_t face, int32_t group) {
    if (n < 3) return;
    Vector normal = render::PolygonNormal(cam.data(), index.data(), n);
    if (!render::FacesCamera(normal, cam[index[0]], ray.perspective)) return;
    float depth;
    Vector hit;
    if (HitFace(ray, cam, index, normal, depth, hit) && (!best.found || depth < best.depth)) {
      best = {true, depth, hit, face, group};
    }
  }

  void operator()(Object* visual, const Frame&, const Matrix& world, const Appearance&,
                  const std::vector<Frame*>& path) {
    const Matrix modelView = world * worldToCamera;
    if (byBounds.load(std::memory_order_relaxed) && !MayHit(ray, visual, modelView)) return;
    Best best;
    if (const MeshBuilder* b = As<MeshBuilder>(visual)) {
      const auto& vertices = b->Vertices();
      render::TransformPoints(vertices.data(), vertices.size(), modelView, cam);
      const int32_t count = static_cast<int32_t>(vertices.size());
      const auto& faces = b->Faces();
      for (size_t fi = 0; fi < faces.size(); ++fi) {
        const auto& corners = faces[fi]->Corners();
        index.clear();
        bool valid = true;
        for (const FaceCorner& c : corners) {
          valid = valid && c.vertex >= 0 && c.vertex < count;
          index.push_back(c.vertex);
        }
        if (valid) TryFace(index.size(), best, static_cast<int32_t>(fi), -1);
      }
    } else if (const Mesh* m = As<Mesh>(visual)) {
      int32_t group = 0;
      for (const MeshGroup& g : m->Groups()) {
        cam.resize(g.vertices.size());
        for (size_t i = 0; i < g.vertices.size(); ++i)
          cam[i] = TransformPoint(g.vertices[i].position, modelView);
        int32_t face = -1;
        Mesh::ForEachFace(g, [&](const uint32_t* corners, uint32_t n) {
          ++face;
          index.clear();
          for (uint32_t k = 0; k < n; ++k) {
            if (corners[k] >= g.vertices.size()) return;
            index.push_back(static_cast<int32_t>(corners[k]));
          }
          TryFace(n, best, face, group);
        });
        ++group;
      }
    }
    if (!best.found) return;
    PickEntry entry;
    entry.visual = Ref<Object>(visual);
    for (Frame* f : path) entry.path.push_back(Ref<Frame>(f));
    entry.description.faceIndex = best.face;
    entry.description.groupIndex = best.group;
    entry.description.position = TransformPoint(best.hit, cameraToWorld);
    entry.description.depth = best.depth;
    out.Add(std::move(entry));
  }
};

}  // namespace

void SetPickByBounds(bool on) { byBounds = on; }

Ref<PickedArray> PickVisuals(const Viewport& viewport, Frame* scene, int x, int y) {
  Frame* camera = viewport.GetCamera();
  if (!camera) return nullptr;
  Ref<PickedArray> result = Ref<PickedArray>::Adopt(new PickedArray());
  if (!scene || x < viewport.GetX() || y < viewport.GetY() ||
      x >= viewport.GetX() + viewport.GetWidth() || y >= viewport.GetY() + viewport.GetHeight())
    return result;
  const Matrix cameraToWorld = camera->WorldTransform();
  Matrix worldToCamera;
  if (!Invert(cameraToWorld, worldToCamera)) return result;

  const Viewport::Projection p = viewport.GetProjectionParams();
  // The pixel's centre on the front plane.
  const float px = (static_cast<float>(x) + 0.5f - p.centerX) / p.scaleX;
  const float py = (p.centerY - (static_cast<float>(y) + 0.5f)) / p.scaleY;
  Ray ray;
  ray.front = p.front;
  ray.back = p.back;
  ray.perspective = p.perspective;
  if (p.perspective) {
    ray.origin = Vector{0, 0, 0};
    ray.dir = Vector{px, py, p.front};
  } else {
    ray.origin = Vector{px, py, 0};
    ray.dir = Vector{0, 0, 1};
  }

  PickVisit visit{ray, worldToCamera, cameraToWorld, *result, {}, {}};
  render::SceneWalk<PickVisit> walk(visit);
  walk.Run(scene);
  result->SortNearestFirst();
  return result;
}

}  // namespace engine
