#include "engine/wrap.h"

#include <algorithm>
#include <numbers>

#include "engine/face.h"
#include "engine/frame.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"

namespace engine {
namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float kPi = std::numbers::pi_v<float>;

// The turn round the wrap's y axis as a fraction 0..1 (0 along +z, growing toward +x).
float Around(float x, float z) {
  if (x == 0 && z == 0) return 0;
  float a = std::atan2(x, z) / kTwoPi;
  return a < 0 ? a + 1 : a;
}

}  // namespace

Wrap::Wrap(WrapType type, Frame* reference, Vector origin, Vector direction, Vector up, float ou,
           float ov, float su, float sv)
    : Object(Kind::Wrap),
      type_(type),
      reference_(reference),
      origin_(origin),
      ou_(ou),
      ov_(ov),
      su_(su),
      sv_(sv) {
  if (!Normalize(direction, z_)) z_ = {0, 0, 1};
  if (!Normalize(Cross(up, z_), x_)) x_ = {1, 0, 0};
  y_ = Cross(z_, x_);
}

Wrap::~Wrap() = default;

void Wrap::Compute(Vector position, Vector normal, float& u, float& v) const {
  Vector d = position - origin_;
  float x = Dot(d, x_), y = Dot(d, y_), z = Dot(d, z_);
  switch (type_) {
    case kWrapFlat:
      u = su_ * x + ou_;
      v = sv_ * y + ov_;
      return;
    case kWrapCylinder:
      u = su_ * Around(x, z) + ou_;
      v = sv_ * y + ov_;
      return;
    case kWrapSphere: {
      float r = std::sqrt(x * x + y * y + z * z);
      u = su_ * Around(x, z) + ou_;
      v = sv_ * (r > 0 ? std::acos(std::clamp(y / r, -1.0f, 1.0f)) / kPi : 0.0f) + ov_;
      return;
    }
    case kWrapChrome: {
      // The view runs along the wrap's z; reflect it off the surface and map the reflected ray.
      Vector n{Dot(normal, x_), Dot(normal, y_), Dot(normal, z_)};
      if (!Normalize(n, n)) n = {0, 0, -1};
      Vector view{0, 0, 1};
      Vector r = view - n * (2 * Dot(view, n));
      u = su_ * Around(r.x, r.z) + ou_;
      v = sv_ * std::acos(std::clamp(r.y, -1.0f, 1.0f)) / kPi + ov_;
      return;
    }
  }
  u = ou_;
  v = ov_;
}

bool Wrap::ApplyWith(const Matrix& toWrap, Object* target) const {
  if (!target) return false;
  auto place = [&](Vector p, Vector n, float& u, float& v) {
    Vector wn = TransformDirection(n, toWrap);
    Compute(TransformPoint(p, toWrap), wn, u, v);
  };
  if (auto* b = As<MeshBuilder>(target)) {
    // A vertex's normal for chrome wrapping: that of the first corner using it.
    std::vector<Vector> vertexNormals(b->Vertices().size());
    std::vector<bool> seen(b->Vertices().size(), false);
    for (auto& f : b->Faces())
      for (const FaceCorner& c : f->Corners())
        if (!seen[c.vertex] && c.normal >= 0) {
          vertexNormals[c.vertex] = b->Normals()[c.normal];
          seen[c.vertex] = true;
        }
    for (int32_t i = 0; i < b->GetVertexCount(); ++i) {
      float u = 0, v = 0;
      place(b->Vertices()[i], vertexNormals[i], u, v);
      b->SetTextureCoordinates(i, u, v);
    }
    return true;
  }
  if (auto* m = As<Mesh>(target)) {
    for (int32_t g = 0; g < m->GetGroupCount(); ++g) {
      std::vector<MeshVertex> verts = m->GetGroup(g)->vertices;
      for (MeshVertex& mv : verts) place(mv.position, mv.normal, mv.u, mv.v);
      m->SetVertices(g, 0, static_cast<uint32_t>(verts.size()), verts.data());
    }
    return true;
  }
  if (auto* f = As<Face>(target)) {
    for (int32_t i = 0; i < f->GetVertexCount(); ++i) {
      Vector p, n;
      float u = 0, v = 0;
      f->GetVertex(i, p, n);
      place(p, n, u, v);
      f->SetTextureCoordinates(i, u, v);
    }
    return true;
  }
  return false;
}

bool Wrap::Apply(Object* target) const { return ApplyWith(Matrix{}, target); }

bool Wrap::ApplyRelative(const Frame* frame, Object* target) const {
  if (!frame) return false;
  Matrix toWrap = frame->WorldTransform();
  if (const Frame* ref = reference_.get()) {
    Matrix fromWorld;
    if (!Invert(ref->WorldTransform(), fromWorld)) return false;
    toWrap = toWrap * fromWorld;
  }
  return ApplyWith(toWrap, target);
}

}  // namespace engine
