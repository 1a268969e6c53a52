#include "output/export_assimp.h"

#include <assimp/material.h>
#include <assimp/scene.h>

#include <array>
#include <assimp/Exporter.hpp>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "output/block_surface.h"
#include "output/output_error.h"

namespace kubisto::output {
namespace {

struct Convention {
  bool zUp;           // z up with the front towards -y (printing formats), else y up, front +z
  bool triangles;     // quads split in two
  bool oneMesh;       // no colour: every face in one mesh
  bool vertexColor;   // colour on the vertices rather than in materials only
  bool flatNormals;   // each face its own corners with its normal (else corners shared, no normals)
  bool linearColor;   // material colours in linear light rather than sRGB
  bool meshPerSolid;  // each solid of a colour its own mesh (the writer joins equal corners)
  float scale;        // per cell edge unit
};

Convention ConventionOf(const std::string& format) {
  // OBJ and STL writers make up normals for meshes without them, smoothed over shared corners:
  // they are given each face's own.
  if (format == "stlb") return {true, true, true, false, true, false, false, 1.0f};
  if (format == "gltf2" || format == "glb2")
    return {false, true, false, false, false, true, true, 0.001f};
  if (format == "ply") return {false, false, false, true, false, false, false, 1.0f};
  return {false, false, false, false, true, false, false, 1.0f};  // obj
}

// The sRGB transfer function undone: glTF's base colour is linear.
float SrgbToLinear(float c) {
  return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

aiMaterial* MakeMaterial(std::int32_t color, bool linear) {
  auto rgb = ColorRGB(color);
  if (linear)
    for (float& c : rgb) c = SrgbToLinear(c);
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
  const float s = cellSize * c.scale;
  const float n = static_cast<float>(divide);
  // The z-up frame is the y-up one turned a quarter about x: its front (+z) comes to -y.
  const auto place = [&](const std::array<float, 3>& v) {
    return c.zUp ? aiVector3D(v[0] * s, (n - v[2]) * s, v[1] * s)
                 : aiVector3D(v[0] * s, v[1] * s, v[2] * s);
  };
  std::vector<std::array<std::uint32_t, 4>> quads = group.quads;
  if (c.flatNormals) {
    mesh->mNumVertices = static_cast<unsigned>(4 * quads.size());
    mesh->mVertices = new aiVector3D[mesh->mNumVertices];
    mesh->mNormals = new aiVector3D[mesh->mNumVertices];
    for (size_t q = 0; q < quads.size(); ++q) {
      const auto first = static_cast<std::uint32_t>(4 * q);
      for (std::uint32_t i = 0; i < 4; ++i)
        mesh->mVertices[first + i] = place(group.vertices[quads[q][i]]);
      // Counter-clockwise seen from outside: the corners' cross product points out.
      const aiVector3D* p = mesh->mVertices + first;
      aiVector3D normal = (p[1] - p[0]) ^ (p[2] - p[0]);
      normal.Normalize();
      for (std::uint32_t i = 0; i < 4; ++i) mesh->mNormals[first + i] = normal;
      quads[q] = {first, first + 1, first + 2, first + 3};
    }
  } else {
    mesh->mNumVertices = static_cast<unsigned>(group.vertices.size());
    mesh->mVertices = new aiVector3D[mesh->mNumVertices];
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) mesh->mVertices[i] = place(group.vertices[i]);
  }
  if (c.vertexColor) {
    const auto rgb = ColorRGB(group.color);
    mesh->mColors[0] = new aiColor4D[mesh->mNumVertices];
    for (unsigned i = 0; i < mesh->mNumVertices; ++i)
      mesh->mColors[0][i] = aiColor4D(rgb[0], rgb[1], rgb[2], 1.0f);
  }
  const unsigned perQuad = c.triangles ? 2 : 1;
  mesh->mNumFaces = static_cast<unsigned>(quads.size()) * perQuad;
  mesh->mFaces = new aiFace[mesh->mNumFaces];
  unsigned f = 0;
  for (const auto& q : quads) {
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

// A group's faces in pieces that share no corner: each solid of the colour by itself, so that a
// writer which joins corners of equal position cannot join solids that merely touch.
std::vector<SurfaceGroup> Solids(const SurfaceGroup& g) {
  std::vector<std::uint32_t> parent(g.vertices.size());
  for (std::uint32_t i = 0; i < parent.size(); ++i) parent[i] = i;
  const auto root = [&](std::uint32_t v) {
    while (parent[v] != v) v = parent[v] = parent[parent[v]];
    return v;
  };
  for (const auto& q : g.quads)
    for (int i = 1; i < 4; ++i) parent[root(q[i])] = root(q[0]);
  std::vector<SurfaceGroup> solids;
  std::vector<std::uint32_t> solidOfRoot(g.vertices.size(), UINT32_MAX);
  std::vector<std::uint32_t> vertexOf(g.vertices.size(), UINT32_MAX);
  for (size_t k = 0; k < g.quads.size(); ++k) {
    std::uint32_t& s = solidOfRoot[root(g.quads[k][0])];
    if (s == UINT32_MAX) {
      s = static_cast<std::uint32_t>(solids.size());
      solids.push_back({g.color, {}, {}, {}});
    }
    SurfaceGroup& solid = solids[s];
    std::array<std::uint32_t, 4> quad;
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t v = g.quads[k][i];
      if (vertexOf[v] == UINT32_MAX) {  // each corner belongs to one solid only
        vertexOf[v] = static_cast<std::uint32_t>(solid.vertices.size());
        solid.vertices.push_back(g.vertices[v]);
      }
      quad[i] = vertexOf[v];
    }
    solid.quads.push_back(quad);
    solid.quadColors.push_back(g.quadColors[k]);
  }
  return solids;
}

void Export(const aiScene& scene, const std::string& format, const std::string& path) {
  Assimp::Exporter exporter;
  if (exporter.Export(&scene, format, path) != aiReturn_SUCCESS)
    throw OutputError(std::string("cannot export: ") + exporter.GetErrorString());
}

}  // namespace

void ExportWithAssimp(const Layout& layout, const std::string& format,
                      const std::string& stagedPath, float cellSize) {
  const Convention c = ConventionOf(format);
  const auto groups = BuildSurface(layout.divide, layout.records, c.oneMesh);

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
  if (groups.empty()) scene->mMaterials[0] = MakeMaterial(0xFFFFFF, c.linearColor);
  for (size_t i = 0; i < groups.size(); ++i)
    scene->mMaterials[i] = MakeMaterial(groups[i].color, c.linearColor);
  std::vector<aiMesh*> meshes;
  for (unsigned i = 0; i < groups.size(); ++i) {
    if (!c.meshPerSolid) {
      meshes.push_back(MakeMesh(groups[i], i, c, layout.divide, cellSize));
      continue;
    }
    const auto solids = Solids(groups[i]);
    for (size_t k = 0; k < solids.size(); ++k) {
      meshes.push_back(MakeMesh(solids[k], i, c, layout.divide, cellSize));
      if (solids.size() > 1)
        meshes.back()->mName = aiString("blocks_" + std::to_string(i) + "_" + std::to_string(k));
    }
  }
  scene->mNumMeshes = static_cast<unsigned>(meshes.size());
  if (!meshes.empty()) {
    scene->mMeshes = new aiMesh*[scene->mNumMeshes];
    blocks->mNumMeshes = scene->mNumMeshes;
    blocks->mMeshes = new unsigned[scene->mNumMeshes];
    for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
      scene->mMeshes[i] = meshes[i];
      blocks->mMeshes[i] = i;
    }
  }
  Export(*scene, format, stagedPath);
}

}  // namespace kubisto::output
