#include "engine/object.h"

#include <map>
#include <mutex>
#include <vector>

namespace engine {
namespace {

// Live objects by serial; serials grow, so the map's order is the order of creation.
struct Registry {
  std::mutex mutex;
  std::map<uint64_t, Object*> live;
  uint64_t nextSerial = 1;
};

Registry& registry() {
  static Registry* r = new Registry;  // never destroyed: objects may outlive static destruction
  return *r;
}

}  // namespace

const char* ClassNameOf(Kind kind) {
  switch (kind) {
    case Kind::Engine:
      return "Direct3DRM";
    case Kind::Clipper:
      return "Clipper";
    case Kind::Frame:
      return "Frame";
    case Kind::MeshBuilder:
      return "Builder";
    case Kind::Mesh:
      return "Mesh";
    case Kind::Face:
      return "Face";
    case Kind::Light:
      return "Light";
    case Kind::Material:
      return "Material";
    case Kind::Texture:
      return "Texture";
    case Kind::Wrap:
      return "Wrap";
    case Kind::Shadow:
      return "Shadow";
    case Kind::Animation:
      return "Animation";
    case Kind::AnimationSet:
      return "AnimationSet";
    case Kind::Viewport:
      return "Viewport";
    case Kind::Device:
      return "Device";
    case Kind::PickedArray:
      return "PickedArray";
  }
  return "";
}

Object::Object(Kind kind) : kind_(kind) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  serial_ = r.nextSerial++;
  r.live.emplace(serial_, this);
}

Object::~Object() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.live.erase(serial_);
}

uint32_t Object::AddRef() { return ++refs_; }

// Objects whose count reached 0 while another object was being destroyed wait here, so that
// freeing a long chain (a frame 100000 levels deep) runs in a loop instead of a deep recursion.
thread_local std::vector<Object*>* tDying = nullptr;

uint32_t Object::Release() {
  if (refs_ == 0) return 0;  // already being destroyed
  uint32_t left = --refs_;
  if (left != 0) return left;
  if (tDying) {
    tDying->push_back(this);
    return 0;
  }
  std::vector<Object*> dying{this};
  tDying = &dying;
  while (!dying.empty()) {
    Object* o = dying.back();
    dying.pop_back();
    delete o;
  }
  tDying = nullptr;
  return 0;
}

void Object::CopyBaseTo(Object& to) const {
  to.owner_ = owner_;
  to.appData_ = appData_;
}

Object* FindNamedObject(const std::string& name) {
  if (name.empty()) return nullptr;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  for (auto& [serial, o] : r.live)
    if (o->RefCount() != 0 && o->GetName() == name) return o;
  return nullptr;
}

Object* FindNamedObject(const std::string& name, const Engine* owner) {
  if (name.empty()) return nullptr;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  for (auto& [serial, o] : r.live)
    if (o->RefCount() != 0 && o->GetOwner() == owner && o->GetName() == name) return o;
  return nullptr;
}

size_t LiveObjectCount() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  return r.live.size();
}

Object* FindObjectBySerial(uint64_t serial) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  auto it = r.live.find(serial);
  // An object waiting to be freed is gone already for everyone else.
  return it == r.live.end() || it->second->RefCount() == 0 ? nullptr : it->second;
}

void ForEachLiveObject(const std::function<void(Object*)>& f) {
  // Work on a snapshot so that f runs without the lock held.
  std::vector<Object*> snapshot;
  {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    snapshot.reserve(r.live.size());
    for (auto& [serial, o] : r.live)
      if (o->RefCount() != 0) snapshot.push_back(o);
  }
  for (Object* o : snapshot) f(o);
}

}  // namespace engine
