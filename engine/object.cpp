#include "engine/object.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "engine/serial_table.h"

namespace engine {
namespace {

// Live objects by serial; serials grow, so their order is the order of creation.
struct Registry {
  std::mutex mutex;
  SerialTable<Object*> live;
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
  r.live.Insert(serial_, this);
}

Object::~Object() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.live.Erase(serial_);
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

namespace {

// The first live object in order of creation that matches.
template <class Match>
Object* FirstLive(const Match& match) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  Object* first = nullptr;
  uint64_t firstSerial = 0;
  r.live.ForEach([&](uint64_t serial, Object* o) {
    if ((!first || serial < firstSerial) && o->RefCount() != 0 && match(*o)) {
      first = o;
      firstSerial = serial;
    }
  });
  return first;
}

}  // namespace

Object* FindNamedObject(const std::string& name) {
  if (name.empty()) return nullptr;
  return FirstLive([&](const Object& o) { return o.GetName() == name; });
}

Object* FindNamedObject(const std::string& name, const Engine* owner) {
  if (name.empty()) return nullptr;
  return FirstLive([&](const Object& o) { return o.GetOwner() == owner && o.GetName() == name; });
}

size_t LiveObjectCount() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  return r.live.Size();
}

Object* FindObjectBySerial(uint64_t serial) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  Object* const* o = r.live.Find(serial);
  // An object waiting to be freed is gone already for everyone else.
  return o && (*o)->RefCount() != 0 ? *o : nullptr;
}

void ForEachLiveObject(const std::function<void(Object*)>& f) {
  // Work on a snapshot, in order of creation, so that f runs without the lock held.
  std::vector<std::pair<uint64_t, Object*>> snapshot;
  {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    snapshot.reserve(r.live.Size());
    r.live.ForEach([&](uint64_t serial, Object* o) {
      if (o->RefCount() != 0) snapshot.emplace_back(serial, o);
    });
  }
  std::sort(snapshot.begin(), snapshot.end());
  for (const auto& [serial, o] : snapshot) f(o);
}

}  // namespace engine
