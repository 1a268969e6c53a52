// The mesh file reader on any bytes: a clean failure or one mesh whose indices all hold. Then the
// choices agree (the first mesh is also the mesh at position 0 and the first of its name), the mesh
// writes in every format and reads back with the same shape, and it loads into a mesh builder
// that makes a mesh.
#include <string>

#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/types.h"
#include "engine/xfile/xfile.h"
#include "fuzz/targets.h"

namespace kubisto::fuzz {
namespace {

using engine::xfile::LoadRequest;
using engine::xfile::LoadWhat;
using engine::xfile::MeshData;

bool Parse(const uint8_t* data, size_t size, const LoadRequest& request, MeshData& out) {
  return engine::xfile::ParseMeshFile(data, size, request, out);
}

void CheckIndices(const MeshData& m) {
  for (const auto& face : m.faces) {
    for (uint32_t v : face) FUZZ_CHECK(v < m.vertices.size());
  }
  FUZZ_CHECK(m.faceNormals.empty() || m.faceNormals.size() == m.faces.size());
  for (size_t f = 0; f < m.faceNormals.size(); ++f) {
    FUZZ_CHECK(m.faceNormals[f].size() == m.faces[f].size());
    for (uint32_t n : m.faceNormals[f]) FUZZ_CHECK(n < m.normals.size());
  }
  FUZZ_CHECK(m.texCoords.empty() || m.texCoords.size() == m.vertices.size());
  for (const auto& vc : m.vertexColors) FUZZ_CHECK(vc.vertex < m.vertices.size());
  FUZZ_CHECK(m.faceMaterials.empty() || m.faceMaterials.size() == m.faces.size());
  for (uint32_t i : m.faceMaterials) FUZZ_CHECK(i < m.materials.size());
  FUZZ_CHECK(m.faceWraps.empty() || m.faceWraps.size() == m.faces.size());
}

bool SameShape(const MeshData& a, const MeshData& b) {
  return a.vertices.size() == b.vertices.size() && a.faces == b.faces;
}

}  // namespace

int MeshFileTarget(const uint8_t* data, size_t size) {
  MeshData first;
  if (!Parse(data, size, {}, first)) return 0;
  CheckIndices(first);

  MeshData again;
  FUZZ_CHECK(Parse(data, size, {LoadWhat::ByPosition, "", 0}, again));
  FUZZ_CHECK(SameShape(first, again));
  if (!first.name.empty()) {
    FUZZ_CHECK(Parse(data, size, {LoadWhat::ByName, first.name, 0}, again));
    FUZZ_CHECK(SameShape(first, again));
  }

  for (int format : {engine::kFormatBinary, engine::kFormatCompressed, engine::kFormatText}) {
    std::string file;
    FUZZ_CHECK(engine::xfile::WriteMeshFile(first, format,
                                            engine::kSaveAll | engine::kSaveTextureTopology, file));
    MeshData back;
    FUZZ_CHECK(Parse(reinterpret_cast<const uint8_t*>(file.data()), file.size(), {}, back));
    FUZZ_CHECK(SameShape(first, back));
  }

  engine::Ref<engine::MeshBuilder> builder =
      engine::Ref<engine::MeshBuilder>::Adopt(new engine::MeshBuilder());
  if (engine::xfile::LoadFromMemory(*builder, data, size, LoadWhat::First)) {
    FUZZ_CHECK(builder->GetVertexCount() == static_cast<int32_t>(first.vertices.size()));
    engine::Ref<engine::Mesh> mesh = builder->CreateMesh();
  }
  return 0;
}

}  // namespace kubisto::fuzz

KUBISTO_FUZZ_ENTRY(kubisto::fuzz::MeshFileTarget)
