// The base of every scene wrapper: one engine handle in the public member lp, owning one reference
// that the wrapper gives back when it ends. Wrappers are shared objects (std::shared_ptr); two
// wrappers may hold the same handle, each with its own reference.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kubisto {

using ObjectHandle = uint32_t;  // 0 = no object

// The kinds of scene object, as the object maker and AddObject/DeleteObject tell them apart.
enum class ObjectKind {
  Face,
  Frame,
  Light,
  Mesh,
  MeshBuilder,
  Material,
  Texture,
  Shadow,
  Wrap,
  Pick
};

// The class name of a kind ("MeshBuilder", "Frame", ...).
const char* KindName(ObjectKind kind) noexcept;

class SceneObject {
 public:
  // The engine object this wrapper stands for; 0 = none. Whoever creates a wrapper sets it at once.
  ObjectHandle lp = 0;

  explicit SceneObject(ObjectHandle handle = 0) noexcept : lp(handle) {}
  // Gives back the reference held on lp (nothing for 0). Never throws.
  virtual ~SceneObject();
  SceneObject(const SceneObject&) = delete;
  SceneObject& operator=(const SceneObject&) = delete;

  virtual ObjectKind Kind() const noexcept = 0;
};

using SceneObjectPtr = std::shared_ptr<SceneObject>;

// Name and ItemData, shared by every scene class but Pick. Both live in the engine object, so every
// wrapper of the same handle sees them.
class NamedObject : public SceneObject {
 public:
  using SceneObject::SceneObject;

  std::string Name() const;                  // "" when the object has none or lp is 0
  void Name(const std::string& ObjectName);  // d3dSetName
  int32_t ItemData() const;                  // 0 for lp 0
  void ItemData(int32_t iData);
};

// The handle of an object argument: its lp. An argument that holds no object raises
// ObjectNotSetError, as reading a member of no object does.
ObjectHandle HandleOf(const SceneObject* object);
inline ObjectHandle HandleOf(const SceneObjectPtr& object) { return HandleOf(object.get()); }
// The handle of an optional argument (a reference frame, a parent): 0 when it is left out.
inline ObjectHandle OptionalHandleOf(const SceneObjectPtr& object) {
  return object ? object->lp : 0;
}

}  // namespace kubisto
