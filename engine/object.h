// The base of every engine object: an intrusive reference count, a name, a class name and one
// 32-bit application value. Every live object is listed in a process-wide registry, so that it can
// be found by name and so that tests can count what is still alive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace engine {

class Engine;

// What an object is; each kind has one class name (Object::GetClassName).
enum class Kind {
  Engine,        // "Direct3DRM"
  Clipper,       // "Clipper"
  Frame,         // "Frame"
  MeshBuilder,   // "Builder"
  Mesh,          // "Mesh"
  Face,          // "Face"
  Light,         // "Light"
  Material,      // "Material"
  Texture,       // "Texture"
  Wrap,          // "Wrap"
  Shadow,        // "Shadow"
  Animation,     // "Animation"
  AnimationSet,  // "AnimationSet"
  Viewport,      // "Viewport"
  Device,        // "Device"
  PickedArray,   // "PickedArray"
};

const char* ClassNameOf(Kind kind);

class Object {
 public:
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  // Adds one reference; returns the new count.
  uint32_t AddRef();
  // Gives one reference back; returns the count left and deletes the object when it reaches 0.
  uint32_t Release();
  uint32_t RefCount() const { return refs_; }

  // A copy of this object carrying one reference for the caller, or nullptr for kinds that cannot
  // be copied. The copy has the same engine but no name.
  virtual Object* Clone() const { return nullptr; }

  Kind GetKind() const { return kind_; }
  const char* GetClassName() const { return ClassNameOf(kind_); }
  const std::string& GetName() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  uint32_t GetAppData() const { return appData_; }
  void SetAppData(uint32_t value) { appData_ = value; }

  // The engine that made this object (directly or through another object), or nullptr. Kept as a
  // plain pointer: an engine that dies first leaves it dangling only as an identity, never
  // followed.
  const Engine* GetOwner() const { return owner_; }
  void SetOwner(const Engine* owner) { owner_ = owner; }

  // A number that names this object for the life of the process; never reused.
  uint64_t Serial() const { return serial_; }

 protected:
  explicit Object(Kind kind);
  virtual ~Object();

  // Copies what every object kind shares for a clone: the owner and the application value.
  void CopyBaseTo(Object& to) const;

 private:
  Kind kind_;
  uint32_t refs_ = 1;  // a new object carries one reference for its creator
  uint32_t appData_ = 0;
  uint64_t serial_;
  const Engine* owner_ = nullptr;
  std::string name_;
};

// The first live object (in order of creation) with this name, or nullptr. An empty name finds
// nothing. The object gets no extra reference.
Object* FindNamedObject(const std::string& name);
// Like FindNamedObject, among the objects that this engine made.
Object* FindNamedObject(const std::string& name, const Engine* owner);
// How many engine objects are alive in this process.
size_t LiveObjectCount();
// The live object with this serial, or nullptr.
Object* FindObjectBySerial(uint64_t serial);
// Calls f(object) for each live object in order of creation. f must not create or delete objects.
void ForEachLiveObject(const std::function<void(Object*)>& f);

// A strong reference: holds one count while it points at an object.
template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  // Takes a reference of its own.
  explicit Ref(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  Ref(const Ref& o) : Ref(o.p_) {}
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  template <class U>
  Ref(const Ref<U>& o) : Ref(static_cast<T*>(o.get())) {}
  ~Ref() { reset(); }

  Ref& operator=(const Ref& o) {
    Ref(o).swap(*this);
    return *this;
  }
  Ref& operator=(Ref&& o) noexcept {
    Ref(std::move(o)).swap(*this);
    return *this;
  }

  // Takes over a reference that the caller already owns (a new object, a Clone result).
  static Ref Adopt(T* p) {
    Ref r;
    r.p_ = p;
    return r;
  }
  // Hands the reference over to the caller, who must Release it.
  T* Detach() { return std::exchange(p_, nullptr); }

  void reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  void swap(Ref& o) noexcept { std::swap(p_, o.p_); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(const Ref& o) const { return p_ == o.p_; }
  bool operator==(const T* o) const { return p_ == o; }

 private:
  T* p_ = nullptr;
};

// A reference that does not keep its object alive and reads as nullptr once the object is gone.
// get() needs T complete where it is called.
// Used where a strong one would make a cycle (a light's enable frame, an animation's frame).
template <class T>
class WeakRef {
 public:
  WeakRef() = default;
  WeakRef(T* p) : serial_(p ? p->Serial() : 0) {}
  T* get() const {
    if (serial_ == 0) return nullptr;
    return static_cast<T*>(FindObjectBySerial(serial_));
  }
  void reset() { serial_ = 0; }

 private:
  uint64_t serial_ = 0;
};

// The object as T when it is of that kind, else nullptr (null in, null out).
template <class T>
T* As(Object* o) {
  return dynamic_cast<T*>(o);
}
template <class T>
const T* As(const Object* o) {
  return dynamic_cast<const T*>(o);
}

}  // namespace engine
