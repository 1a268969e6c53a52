#include "scene/scene_object.h"

#include "platform/picture.h"
#include "scene/errors.h"
#include "scene/fwd.h"
#include "scene/vantrel_declare.h"

namespace kubisto {

const char* KindName(ObjectKind kind) noexcept {
  switch (kind) {
    case ObjectKind::Face:
      return "Face";
    case ObjectKind::Frame:
      return "Frame";
    case ObjectKind::Light:
      return "Light";
    case ObjectKind::Mesh:
      return "Mesh";
    case ObjectKind::MeshBuilder:
      return "MeshBuilder";
    case ObjectKind::Material:
      return "Material";
    case ObjectKind::Texture:
      return "Texture";
    case ObjectKind::Shadow:
      return "Shadow";
    case ObjectKind::Wrap:
      return "Wrap";
    case ObjectKind::Pick:
      return "Pick";
  }
  return "";
}

SceneObject::~SceneObject() {
  if (lp == 0) return;
  try {
    vantrel::d3dRelease(lp);
  } catch (...) {
    // A wrapper with a handle exists only after the library answered; a release export that is
    // missing all the same cannot be reported from here.
  }
}

std::string NamedObject::Name() const { return NameFromHandle(lp); }

void NamedObject::Name(const std::string& ObjectName) {
  vantrel::d3dSetName(lp, ObjectName.c_str());
}

int32_t NamedObject::ItemData() const { return vantrel::d3dGetItemData(lp); }

void NamedObject::ItemData(int32_t iData) { vantrel::d3dSetItemData(lp, iData); }

ObjectHandle HandleOf(const SceneObject* object) {
  if (object == nullptr) throw ObjectNotSetError();
  return object->lp;
}

void PictureRelease::operator()(platform::Picture* picture) const noexcept {
  if (picture != nullptr) picture->Release();
}

}  // namespace kubisto
