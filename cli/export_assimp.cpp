#include "cli/export_assimp.h"

#include <assimp/material.h>
#include <assimp/scene.h>

#include <assimp/Exporter.hpp>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "cli/block_surface.h"
#include "cli/cli_error.h"

namespace kubisto::cli {
namespace {

struct Convention {
  bool zUp;          // z up with the front towards -y (printing formats), else y up, front +z
  bool triangles;    // quads split in two
  bool oneMesh;      // no colour: every face in one mesh
  bool vertexColor;  // colour on the vertices rather than in materials only
  float scale;       // per cell edge unit
};

Convention ConventionOf(const std::string& format) {
  if (format == "stlb") return {true, true, true, false, 1.0f};
  if (format == "gltf2" || format == "glb2") return {false, true, false, false, 0.001f};
  if (format == "ply") return {false, false, false, true, 1.0f};
  return {false, false, false, false, 1.0f};  // obj
}

aiMaterial* MakeMaterial(std::int32_t color) {
  const auto rgb = ColorRGB(color);
  auto* m = new aiMaterial();
  char name[32];
  std::snprintf(name, sizeof name, "block_%02X%02X%02X", static_cast<unsigned>(color & 0xFF),
                static_cast<unsigned>((color >> 8) & 0xFF),
                static_cast<unsigned>((color >> 16) & 0xFF));
  const aiString materialName(name);
  m->AddProperty(&materialName, AI_MATKEY_NAME);
  // Four components: some exporters read the colour only as red, green, blue and alpha.
  const aiColor4D colour(rgb[0], rgb[1], rgb[2], 1.0f);
  m->AddProperty(&colour, 1, AI_MATKEY_COLOR_DIFFUSE);
  m->AddProperty(&colour, 1, AI_MATKEY_BASE_COLOR);
  const float metallic = 0.0f, roughness = 1.0f;
  m->AddProperty(&metallic, 1, AI_MATKEY_METALLIC_FACTOR);
  m->AddProperty(&roughness, 1, AI_MATKEY_ROUGHNESS_FACTOR);
  return m;
}

aiMesh* MakeMesh(const SurfaceGroup& group, unsigned materialIndex, const Convention& c,
                 std::int32_t divide, float cellSize) {
  auto* mesh = new aiMesh();
  mesh->mName = aiString(std::string(c.oneMesh ? "blocks" : "blocks_") +
                         (c.oneMesh ? "" : std::to_string(materialIndex)));
  mesh->mMaterialIndex = materialIndex;
  mesh->mPrimitiveTypes = c.triangles ? aiPrimitiveType_TRIANGLE : aiPrimitiveType_POLYGON;
  mesh->mNumVertices = static_cast<unsigned>(group.vertices.size());
  mesh->mVertices = new aiVector3D[mesh->mNumVertices];
  const float s = cellSize * c.scale;
  const float n = static_cast<float>(divide);
  for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
    const auto& v = group.vertices[i];
    // The z-up frame is the y-up one turned a quarter about x: its front (+z) comes to -y.
    mesh->mVertices[i] = c.zUp ? aiVector3D(v[0] * s, (n - v[2]) * s, v[1] * s)
                               : aiVector3D(v[0] * s, v[1] * s, v[2] * s);
  }
  if (c.vertexColor) {
    const auto rgb = ColorRGB(group.color);
    mesh->mColors[0] = new aiColor4D[mesh->mNumVertices];
    for (unsigned i = 0; i < mesh->mNumVertices; ++i)
      mesh->mColors[0][i] = aiColor4D(rgb[0], rgb[1], rgb[2], 1.0f);
  }
  const unsigned perQuad = c.triangles ? 2 : 1;
  mesh->mNumFaces = static_cast<unsigned>(group.quads.size()) * perQuad;
  mesh->mFaces = new aiFace[mesh->mNumFaces];
  unsigned f = 0;
  for (const auto& q : group.quads) {
    if (c.triangles) {
      for (const auto& tri : {std::array<unsigned, 3>{q[0], q[1], q[2]}, {q[0], q[2], q[3]}}) {
        aiFace& face = mesh->mFaces[f++];
        face.mNumIndices = 3;
        face.mIndices = new unsigned[3]{tri[0], tri[1], tri[2]};
      }
    } else {
      aiFace& face = mesh->mFaces[f++];
      face.mNumIndices = 4;
      face.mIndices = new unsigned[4]{q[0], q[1], q[2], q[3]};
    }
  }
  return mesh;
}

// A scene with no meshes. Assimp would write an empty buffer, which glTF does not allow.
void WriteEmptyGltf(const std::string& path, bool binary) {
  std::string json =
      R"({"asset":{"version":"2.0","generator":"Kubisto"},"scene":0,"scenes":[{"name":"layout"}]})";
  std::string bytes;
  if (binary) {
    while (json.size() % 4 != 0) json += ' ';
    const auto put32 = [&](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put32(0x46546C67);  // "glTF"
    put32(2);
    put32(static_cast<std::uint32_t>(12 + 8 + json.size()));
    put32(static_cast<std::uint32_t>(json.size()));
    put32(0x4E4F534A);  // "JSON"
    bytes += json;
  } else {
    bytes = json + "\n";
  }
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw CliError("the model could not be written", kExitFailure);
}

}  // namespace

void ExportWithAssimp(const Layout& layout, const std::string& format,
                      const std::string& stagedPath, float cellSize) {
  const Convention c = ConventionOf(format);
  const auto groups = BuildSurface(layout.divide, layout.records, c.oneMesh);
  if (groups.empty() && (format == "gltf2" || format == "glb2"))
    return WriteEmptyGltf(stagedPath, format == "glb2");

  auto scene = std::make_unique<aiScene>();
  // The meshes hang on a child of the root: the 3MF exporter writes only the root's children.
  scene->mRootNode = new aiNode("kubisto");
  auto* blocks = new aiNode("layout");
  blocks->mParent = scene->mRootNode;
  scene->mRootNode->mNumChildren = 1;
  scene->mRootNode->mChildren = new aiNode* [1] { blocks };
  // Every exporter expects at least one material, also for an empty model.
  scene->mNumMaterials = groups.empty() ? 1 : static_cast<unsigned>(groups.size());
  scene->mMaterials = new aiMaterial*[scene->mNumMaterials];
  if (groups.empty()) scene->mMaterials[0] = MakeMaterial(0xFFFFFF);
  for (size_t i = 0; i < groups.size(); ++i) scene->mMaterials[i] = MakeMaterial(groups[i].color);
  scene->mNumMeshes = static_cast<unsigned>(groups.size());
  if (!groups.empty()) {
    scene->mMeshes = new aiMesh*[scene->mNumMeshes];
    blocks->mNumMeshes = scene->mNumMeshes;
    blocks->mMeshes = new unsigned[scene->mNumMeshes];
    for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
      scene->mMeshes[i] = MakeMesh(groups[i], i, c, layout.divide, cellSize);
      blocks->mMeshes[i] = i;
    }
  }

  Assimp::Exporter exporter;
  if (exporter.Export(scene.get(), format, stagedPath) != aiReturn_SUCCESS)
    throw CliError(std::string("cannot export: ") + exporter.GetErrorString(), kExitFailure);
}

}  // namespace kubisto::cli
