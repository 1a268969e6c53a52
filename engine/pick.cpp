#include "engine/pick.h"

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
