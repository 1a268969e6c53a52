// ObjectFromHandle: wraps a handle in the scene class that its engine class name names.
#include <cstring>

#include "scene/face.h"
#include "scene/frame.h"
#include "scene/light.h"
#include "scene/material.h"
#include "scene/mesh.h"
#include "scene/mesh_builder.h"
#include "scene/services.h"
#include "scene/shadow.h"
#include "scene/texture.h"
#include "scene/vantrel_declare.h"
#include "scene/wrap.h"
#include "scene/wrapping.h"

namespace kubisto {

SceneObjectPtr ObjectFromHandle(ObjectHandle handle) {
  char buffer[40] = {};
  vantrel::d3dGetClassName(handle, sizeof buffer, buffer);
  const std::string className(buffer, strnlen(buffer, sizeof buffer));

  // Compared in this order, case-sensitively.
  if (className == "Face") return detail::Wrapped<Face>(handle);
  if (className == "Frame") return detail::Wrapped<Frame>(handle);
  if (className == "Light") return detail::Wrapped<Light>(handle);
  if (className == "Mesh") return detail::Wrapped<Mesh>(handle);
  if (className == "Builder") return detail::Wrapped<MeshBuilder>(handle);
  if (className == "Material") return detail::Wrapped<Material>(handle);
  if (className == "Texture") return detail::Wrapped<Texture>(handle);
  if (className == "Shadow") return detail::Wrapped<Shadow>(handle);
  if (className == "Wrap") return detail::Wrapped<Wrap>(handle);

  // No scene class stands for this object: the program cannot go on.
  detail::EndProgramAtOnce();
}

}  // namespace kubisto
