#include "engine/frame.h"

#include <algorithm>
#include <unordered_set>

#include "engine/light.h"
#include "engine/texture.h"

namespace engine {
namespace {

bool Finite(Vector v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

bool IsVisualKind(Kind k) {
  return k == Kind::MeshBuilder || k == Kind::Mesh || k == Kind::Shadow || k == Kind::Texture ||
         k == Kind::Frame;
}

// Combines m with the current transform as the combine type says.
bool Combine(Matrix& current, CombineType combine, const Matrix& m) {
  switch (combine) {
    case kCombineReplace:
      current = m;
      return true;
    case kCombineBefore:
      current = m * current;
      return true;
    case kCombineAfter:
      current = current * m;
      return true;
  }
  return false;
}

}  // namespace

namespace {

// How many frames are held as visuals, over all frames. While none is, only the hierarchy can make
// a cycle, and AddChild need not walk whole subtrees (deep hierarchies stay cheap to build).
size_t gFrameVisualCount = 0;

size_t FrameVisualsIn(const std::vector<Ref<Object>>& visuals) {
  size_t n = 0;
  for (auto& v : visuals) n += As<Frame>(v.get()) ? 1 : 0;
  return n;
}

}  // namespace

Frame::Frame() : Object(Kind::Frame) {}

Frame::~Frame() {
  gFrameVisualCount -= FrameVisualsIn(visuals_);
  // Children live on (if referenced elsewhere) as roots of their own.
  for (auto& c : children_) c->parent_ = nullptr;
}

Frame* Frame::CloneAlone() const {
  auto* f = new Frame;
  CopyBaseTo(*f);
  f->transform_ = transform_;
  f->rotationAxis_ = rotationAxis_;
  f->rotationTheta_ = rotationTheta_;
  f->velocity_ = velocity_;
  f->velocityWithRotation_ = velocityWithRotation_;
  f->visuals_ = visuals_;
  gFrameVisualCount += FrameVisualsIn(visuals_);
  f->lights_ = lights_;
  f->color_ = color_;
  f->texture_ = texture_;
  f->wrapU_ = wrapU_;
  f->wrapV_ = wrapV_;
  f->materialMode_ = materialMode_;
  f->sortMode_ = sortMode_;
  f->scene_ = scene_;
  return f;
}

Object* Frame::Clone() const {
  // Copy the subtree level by level with a work list, so that depth costs no stack.
  Frame* top = CloneAlone();
  std::vector<std::pair<const Frame*, Frame*>> todo{{this, top}};
  while (!todo.empty()) {
    auto [from, to] = todo.back();
    todo.pop_back();
    for (auto& c : from->children_) {
      auto copy = Ref<Frame>::Adopt(c->CloneAlone());
      copy->parent_ = to;
      todo.emplace_back(c.get(), copy.get());
      to->children_.push_back(std::move(copy));
    }
  }
  return top;
}

// ---- Hierarchy ----

Frame* Frame::GetScene() {
  Frame* f = this;
  while (f->parent_) f = f->parent_;
  return f;
}

const Frame* Frame::GetScene() const {
  const Frame* f = this;
  while (f->parent_) f = f->parent_;
  return f;
}

bool Frame::IsAncestorOf(const Frame* f) const {
  for (; f; f = f->parent_)
    if (f == this) return true;
  return false;
}

bool Frame::LeadsBackTo(const Frame* start, const Frame* target) {
  // Walks what `start` holds (children and frame visuals): reaching `target` or one of its
  // ancestors means holding `start` under `target` would make a reference cycle, and drawing it
  // would never end.
  std::unordered_set<const Frame*> seen;
  std::vector<const Frame*> todo{start};
  while (!todo.empty()) {
    const Frame* f = todo.back();
    todo.pop_back();
    if (!seen.insert(f).second) continue;
    if (f->IsAncestorOf(target)) return true;
    for (auto& c : f->children_) todo.push_back(c.get());
    for (auto& v : f->visuals_)
      if (auto* g = As<Frame>(v.get())) todo.push_back(g);
  }
  return false;
}

bool Frame::AddChild(Frame* child) {
  if (!child || child->IsAncestorOf(this)) return false;  // also child == this
  if (gFrameVisualCount > 0 && child->parent_ != this && LeadsBackTo(child, this)) return false;
  if (child->parent_ == this) return true;
  Ref<Frame> keep(child);  // the old parent may hold the only reference
  child->DetachFromParent();
  child->parent_ = this;
  children_.push_back(std::move(keep));
  return true;
}

void Frame::DetachFromParent() {
  if (!parent_) return;
  auto& siblings = parent_->children_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  parent_ = nullptr;
  if (it != siblings.end()) siblings.erase(it);  // may delete this frame: touch nothing after
}

bool Frame::DeleteChild(Frame* child) {
  if (!child || child->parent_ != this) return false;
  child->DetachFromParent();
  return true;
}

Frame* Frame::GetChild(size_t index) const {
  return index < children_.size() ? children_[index].get() : nullptr;
}

// ---- Contents ----

bool Frame::AddVisual(Object* visual) {
  if (!visual || !IsVisualKind(visual->GetKind())) return false;
  if (std::find(visuals_.begin(), visuals_.end(), visual) != visuals_.end()) return true;
  if (auto* vf = As<Frame>(visual)) {
    if (LeadsBackTo(vf, this)) return false;
    ++gFrameVisualCount;
  }
  visuals_.emplace_back(visual);
  return true;
}

bool Frame::DeleteVisual(Object* visual) {
  auto it = std::find(visuals_.begin(), visuals_.end(), visual);
  if (!visual || it == visuals_.end()) return false;
  if (As<Frame>(visual)) --gFrameVisualCount;
  visuals_.erase(it);
  return true;
}

Object* Frame::GetVisual(size_t index) const {
  return index < visuals_.size() ? visuals_[index].get() : nullptr;
}

bool Frame::AddLight(Light* light) {
  if (!light) return false;
  if (std::find(lights_.begin(), lights_.end(), light) == lights_.end())
    lights_.emplace_back(light);
  return true;
}

bool Frame::DeleteLight(Light* light) {
  auto it = std::find(lights_.begin(), lights_.end(), light);
  if (!light || it == lights_.end()) return false;
  lights_.erase(it);
  return true;
}

Light* Frame::GetLight(size_t index) const {
  return index < lights_.size() ? lights_[index].get() : nullptr;
}

// ---- Placement ----

Matrix Frame::WorldTransform() const {
  Matrix m = transform_;
  for (const Frame* f = parent_; f; f = f->parent_) m = m * f->transform_;
  return m;
}

Matrix Frame::ParentWorld() const { return parent_ ? parent_->WorldTransform() : Matrix{}; }

Matrix Frame::ReferenceWorld(const Frame* reference) const {
  return reference ? reference->WorldTransform() : ParentWorld();
}

namespace {

// Reference nullptr and the parent itself need no conversion: values are stored exactly as given,
// so that a position set relative to the parent reads back bit for bit.
inline bool IsParent(const Frame& frame, const Frame* reference) {
  return reference == nullptr || reference == frame.GetParent();
}

}  // namespace

bool Frame::SetPosition(const Frame* reference, Vector p) {
  if (!Finite(p)) return false;
  if (IsParent(*this, reference)) {
    transform_.SetRow(3, p);
    return true;
  }
  Vector world = TransformPoint(p, reference->WorldTransform());
  Matrix toParent;
  if (!Invert(ParentWorld(), toParent)) return false;
  transform_.SetRow(3, TransformPoint(world, toParent));
  return true;
}

bool Frame::GetPosition(const Frame* reference, Vector& out) const {
  if (IsParent(*this, reference)) {
    out = transform_.Position();
    return true;
  }
  Matrix fromWorld;
  if (!Invert(reference->WorldTransform(), fromWorld)) return false;
  out = TransformPoint(WorldTransform().Position(), fromWorld);
  return true;
}

namespace {

// Directions given in reference coordinates, expressed in the parent's.
bool ToParentDirection(const Matrix& referenceWorld, const Matrix& parentWorld, Vector& v) {
  Matrix toParent;
  if (!Invert(parentWorld, toParent)) return false;
  v = TransformDirection(TransformDirection(v, referenceWorld), toParent);
  return true;
}

bool FromParentDirection(const Matrix& parentWorld, const Matrix& referenceWorld, Vector& v) {
  Matrix fromWorld;
  if (!Invert(referenceWorld, fromWorld)) return false;
  v = TransformDirection(TransformDirection(v, parentWorld), fromWorld);
  return true;
}

// Sets the upper 3x3 of m to the axes of the orientation (in the same coordinates as m's rows),
// keeping each axis' length.
bool Orient(Matrix& m, Vector direction, Vector up) {
  Vector z, x;
  if (!Normalize(direction, z) || !Normalize(Cross(up, z), x)) return false;
  Vector y = Cross(z, x);
  float sx = Length(m.Row(0)), sy = Length(m.Row(1)), sz = Length(m.Row(2));
  if (!(sx > 0) || !std::isfinite(sx)) sx = 1;
  if (!(sy > 0) || !std::isfinite(sy)) sy = 1;
  if (!(sz > 0) || !std::isfinite(sz)) sz = 1;
  m.SetRow(0, x * sx);
  m.SetRow(1, y * sy);
  m.SetRow(2, z * sz);
  return true;
}

}  // namespace

bool Frame::SetOrientation(const Frame* reference, Vector direction, Vector up) {
  if (!Finite(direction) || !Finite(up)) return false;
  if (!IsParent(*this, reference)) {
    Matrix parentWorld = ParentWorld(), refWorld = reference->WorldTransform();
    if (!ToParentDirection(refWorld, parentWorld, direction) ||
        !ToParentDirection(refWorld, parentWorld, up))
      return false;
  }
  return Orient(transform_, direction, up);
}

bool Frame::GetOrientation(const Frame* reference, Vector& direction, Vector& up) const {
  Vector z = transform_.Row(2), y = transform_.Row(1);
  if (!IsParent(*this, reference)) {
    Matrix parentWorld = ParentWorld(), refWorld = reference->WorldTransform();
    if (!FromParentDirection(parentWorld, refWorld, z) ||
        !FromParentDirection(parentWorld, refWorld, y))
      return false;
  }
  if (!Normalize(z, z) || !Normalize(y, y)) return false;
  direction = z;
  up = y;
  return true;
}

bool Frame::SetRotation(const Frame* reference, Vector axis, float theta) {
  if (!Finite(axis) || !std::isfinite(theta)) return false;
  if (!IsParent(*this, reference) &&
      !ToParentDirection(reference->WorldTransform(), ParentWorld(), axis))
    return false;
  rotationAxis_ = axis;
  rotationTheta_ = theta;
  return true;
}

bool Frame::GetRotation(const Frame* reference, Vector& axis, float& theta) const {
  Vector a = rotationAxis_;
  if (!IsParent(*this, reference) &&
      !FromParentDirection(ParentWorld(), reference->WorldTransform(), a))
    return false;
  axis = a;
  theta = rotationTheta_;
  return true;
}

bool Frame::SetVelocity(const Frame* reference, Vector velocity, bool withRotation) {
  if (!Finite(velocity)) return false;
  if (!IsParent(*this, reference) &&
      !ToParentDirection(reference->WorldTransform(), ParentWorld(), velocity))
    return false;
  velocity_ = velocity;
  velocityWithRotation_ = withRotation;
  return true;
}

bool Frame::GetVelocity(const Frame* reference, Vector& velocity, bool /*withRotation*/) const {
  Vector v = velocity_;
  if (!IsParent(*this, reference) &&
      !FromParentDirection(ParentWorld(), reference->WorldTransform(), v))
    return false;
  velocity = v;
  return true;
}

bool Frame::HasMotion() const {
  bool turning = rotationTheta_ != 0 && !(rotationAxis_ == Vector{});
  return turning || !(velocity_ == Vector{});
}

void Frame::MoveSelf(float delta) {
  if (rotationTheta_ != 0 && !(rotationAxis_ == Vector{})) {
    // Turn the axes about the frame's own origin; the position stays.
    Matrix r = Matrix::Rotation(rotationAxis_, rotationTheta_ * delta);
    for (int i = 0; i < 3; ++i) transform_.SetRow(i, TransformDirection(transform_.Row(i), r));
    if (velocityWithRotation_) velocity_ = TransformDirection(velocity_, r);
  }
  transform_.SetRow(3, transform_.Position() + velocity_ * delta);
}

bool Frame::Move(float delta) {
  if (!std::isfinite(delta)) return false;
  std::vector<Frame*> todo{this};
  while (!todo.empty()) {
    Frame* f = todo.back();
    todo.pop_back();
    if (f->HasMotion()) f->MoveSelf(delta);
    for (auto& c : f->children_) todo.push_back(c.get());
  }
  return true;
}

bool Frame::AddRotation(CombineType combine, Vector axis, float theta) {
  if (!Finite(axis) || !std::isfinite(theta)) return false;
  return Combine(transform_, combine, Matrix::Rotation(axis, theta));
}

bool Frame::AddScale(CombineType combine, Vector scale) {
  if (!Finite(scale)) return false;
  return Combine(transform_, combine, Matrix::Scaling(scale));
}

bool Frame::AddTranslation(CombineType combine, Vector translation) {
  if (!Finite(translation)) return false;
  return Combine(transform_, combine, Matrix::Translation(translation));
}

bool Frame::AddTransform(CombineType combine, const Matrix& m) {
  for (auto& row : m.m)
    for (float v : row)
      if (!std::isfinite(v)) return false;
  return Combine(transform_, combine, m);
}

bool Frame::LookAt(const Frame* target, const Frame* reference, FrameConstraint constraint) {
  if (!target || target == this) return false;
  if (constraint != kConstrainZ && constraint != kConstrainY && constraint != kConstrainX)
    return false;
  Matrix world = WorldTransform();
  Vector dir = target->WorldTransform().Position() - world.Position();
  Vector up;
  switch (constraint) {
    case kConstrainZ:  // no roll: up is the reference's y axis
      up = TransformDirection({0, 1, 0}, ReferenceWorld(reference));
      break;
    case kConstrainY: {  // the frame's y axis stays: look within the plane across it
      Vector y;
      if (!Normalize(world.Row(1), y)) return false;
      dir = dir - y * Dot(dir, y);
      up = y;
      break;
    }
    case kConstrainX: {  // the frame's x axis stays
      Vector x;
      if (!Normalize(world.Row(0), x)) return false;
      dir = dir - x * Dot(dir, x);
      up = Cross(dir, x);
      break;
    }
  }
  // Into the parent's coordinates, then orient.
  Matrix parentWorld = ParentWorld();
  if (!ToParentDirection(Matrix{}, parentWorld, dir) ||
      !ToParentDirection(Matrix{}, parentWorld, up))
    return false;
  Matrix m = transform_;
  if (!Orient(m, dir, up)) return false;
  transform_ = m;
  return true;
}

bool Frame::Transform(Vector local, Vector& world) const {
  if (!Finite(local)) return false;
  world = TransformPoint(local, WorldTransform());
  return true;
}

bool Frame::InverseTransform(Vector world, Vector& local) const {
  Matrix inv;
  if (!Finite(world) || !Invert(WorldTransform(), inv)) return false;
  local = TransformPoint(world, inv);
  return true;
}

// ---- Appearance ----

bool Frame::SetColorRGB(float r, float g, float b) { return SetColor(CreateColorRGB(r, g, b)); }

bool Frame::SetTexture(Texture* texture) {
  texture_ = Ref<Texture>(texture);
  return true;
}

bool Frame::SetMaterialMode(int32_t mode) {
  if (mode < kMaterialFromMesh || mode > kMaterialFromFrame) return false;
  materialMode_ = static_cast<MaterialMode>(mode);
  return true;
}

bool Frame::SetSortMode(int32_t mode) {
  if (mode < kSortFromParent || mode > kSortBackToFront) return false;
  sortMode_ = static_cast<SortMode>(mode);
  return true;
}

bool Frame::SetSceneBackgroundRGB(float r, float g, float b) {
  return SetSceneBackground(CreateColorRGB(r, g, b));
}

bool Frame::SetSceneBackgroundImage(Texture* texture) {
  scene_.backgroundImage = Ref<Texture>(texture);
  return true;
}

bool Frame::SetSceneFogMode(int32_t mode) {
  if (mode < kFogLinear || mode > kFogExponentialSquared) return false;
  scene_.fogMode = static_cast<FogMode>(mode);
  return true;
}

bool Frame::SetSceneFogParams(float start, float end, float density) {
  if (!std::isfinite(start) || !std::isfinite(end) || !std::isfinite(density) || density < 0)
    return false;
  scene_.fogStart = start;
  scene_.fogEnd = end;
  scene_.fogDensity = density;
  return true;
}

bool Frame::GetSceneFogParams(float& start, float& end, float& density) const {
  start = scene_.fogStart;
  end = scene_.fogEnd;
  density = scene_.fogDensity;
  return true;
}

}  // namespace engine
