// Mesh builders to and from mesh data, and the file calls on top.
//
// In the file, a face's colour, material and texture travel together as one material of the mesh's
// material list: faces are grouped by (colour, material, texture). A material whose power, specular
// and emissive colours are all zero stands for "no material". Per-vertex colours are written when
// the builder takes its colours from the vertices, and a file with vertex colours loads into a
// builder that does. Normals are written when every corner of every face has one.
#include <cstdio>
#include <map>
#include <tuple>

#include "engine/engine.h"
#include "engine/material.h"
#include "engine/meshbuilder.h"
#include "engine/texture.h"
#include "engine/xfile/xfile.h"
#include "platform/paths.h"
#include "platform/read_file.h"
#include "platform/replace_file.h"

namespace engine::xfile {
namespace {

constexpr size_t kMaxFileBytes = size_t{256} << 20;

ColorRGBA toRGBA(Color c) {
  return {ColorGetRed(c), ColorGetGreen(c), ColorGetBlue(c), ColorGetAlpha(c)};
}

bool isPlainMaterial(const MeshMaterial& m) {
  return m.power == 0 && m.specular == Vector{} && m.emissive == Vector{};
}

MeshData fromBuilder(const MeshBuilder& b) {
  MeshData m;
  m.name = b.GetName();
  m.vertices = b.Vertices();
  m.normals = b.Normals();
  if (b.TexCoords().size() == m.vertices.size()) {
    for (const auto& t : b.TexCoords()) m.texCoords.emplace_back(t.u, t.v);
  }
  if (b.GetColorSource() == kColorFromVertex && b.VertexColors().size() == m.vertices.size()) {
    for (size_t i = 0; i < m.vertices.size(); ++i) {
      m.vertexColors.push_back({static_cast<uint32_t>(i), toRGBA(b.VertexColors()[i])});
    }
  }

  bool allNormals = !m.normals.empty();
  std::map<std::tuple<Color, const Material*, const Texture*>, uint32_t> groups;
  for (const Ref<Face>& face : b.Faces()) {
    const auto& corners = face->Corners();
    if (corners.size() < 3) continue;  // nothing to draw; the format has no such faces
    std::vector<uint32_t> vertices, normals;
    for (const FaceCorner& c : corners) {
      vertices.push_back(static_cast<uint32_t>(c.vertex));
      if (c.normal < 0 || static_cast<size_t>(c.normal) >= m.normals.size()) {
        allNormals = false;
      } else {
        normals.push_back(static_cast<uint32_t>(c.normal));
      }
    }
    m.faces.push_back(std::move(vertices));
    m.faceNormals.push_back(std::move(normals));
    m.faceWraps.emplace_back(face->WrapU(), face->WrapV());

    const Material* mat = face->GetMaterial();
    const Texture* tex = face->GetTexture();
    auto [it, added] =
        groups.try_emplace({face->GetColor(), mat, tex}, static_cast<uint32_t>(m.materials.size()));
    if (added) {
      MeshMaterial out;
      out.faceColor = toRGBA(face->GetColor());
      if (mat) {
        out.name = mat->GetName();
        out.power = mat->GetPower();
        out.specular = {mat->Specular().r, mat->Specular().g, mat->Specular().b};
        out.emissive = {mat->Emissive().r, mat->Emissive().g, mat->Emissive().b};
      }
      if (tex) out.textureFile = tex->GetFileName();
      m.materials.push_back(std::move(out));
    }
    m.faceMaterials.push_back(it->second);
  }
  if (!allNormals) {
    m.normals.clear();
    m.faceNormals.clear();
  }
  return m;
}

Ref<Texture> loadTexture(const std::string& name, const std::string& meshDir, const Engine* owner) {
  Ref<Texture> tex = Texture::Load(name);
  if (!tex && !meshDir.empty()) tex = Texture::Load(meshDir + "/" + platform::NativePath(name));
  if (!tex) return tex;
  tex->SetFileName(name);  // saved again as the file named it
  if (owner) {
    owner->Adopt(tex.get());
    tex->SetColors(owner->GetDefaultTextureColors());
    tex->SetShades(owner->GetDefaultTextureShades());
  }
  return tex;
}

// The builder's engine when it is still alive, else nullptr: a builder outlives its engine when the
// program quits the engine and keeps the builder, and a dead engine must not be called.
const Engine* liveOwner(const MeshBuilder& b) {
  const Engine* owner = b.GetOwner();
  if (!owner) return nullptr;
  bool alive = false;
  ForEachLiveObject([&](Object* o) { alive = alive || o == static_cast<const Object*>(owner); });
  return alive ? owner : nullptr;
}

// Builds the mesh into a new builder and swaps it in, so a failure leaves `b` untouched.
bool toBuilder(const MeshData& m, MeshBuilder& b, const std::string& meshDir) {
  Ref<MeshBuilder> tmp = Ref<MeshBuilder>::Adopt(new MeshBuilder());
  tmp->SetOwner(b.GetOwner());
  const Engine* owner = liveOwner(b);
  for (const Vector& v : m.vertices) {
    if (tmp->AddVertex(v) < 0) return false;
  }
  for (const Vector& n : m.normals) {
    if (tmp->AddNormal(n) < 0) return false;
  }
  for (size_t i = 0; i < m.texCoords.size(); ++i) {
    tmp->SetTextureCoordinates(static_cast<int32_t>(i), m.texCoords[i].first,
                               m.texCoords[i].second);
  }
  for (const VertexColor& c : m.vertexColors) {
    tmp->SetVertexColor(static_cast<int32_t>(c.vertex),
                        CreateColorRGBA(c.color.r, c.color.g, c.color.b, c.color.a));
  }
  if (!m.vertexColors.empty()) tmp->SetColorSource(kColorFromVertex);

  std::vector<Ref<Material>> materials(m.materials.size());
  std::vector<Ref<Texture>> textures(m.materials.size());
  std::map<std::string, Ref<Texture>> byName;  // one texture per file name
  for (size_t i = 0; i < m.materials.size(); ++i) {
    const MeshMaterial& mm = m.materials[i];
    if (!isPlainMaterial(mm)) {
      materials[i] = Ref<Material>::Adopt(new Material(mm.power > 0 ? mm.power : 0));
      materials[i]->SetSpecular(mm.specular.x, mm.specular.y, mm.specular.z);
      materials[i]->SetEmissive(mm.emissive.x, mm.emissive.y, mm.emissive.z);
      materials[i]->SetName(mm.name);
      if (owner) owner->Adopt(materials[i].get());
    }
    if (!mm.textureFile.empty()) {
      auto [it, added] = byName.try_emplace(mm.textureFile);
      if (added) it->second = loadTexture(mm.textureFile, meshDir, owner);
      textures[i] = it->second;  // a texture that cannot be read leaves the faces untextured
    }
  }

  for (size_t f = 0; f < m.faces.size(); ++f) {
    std::vector<FaceCorner> corners(m.faces[f].size());
    for (size_t k = 0; k < corners.size(); ++k) {
      corners[k].vertex = static_cast<int32_t>(m.faces[f][k]);
      if (!m.faceNormals.empty()) corners[k].normal = static_cast<int32_t>(m.faceNormals[f][k]);
    }
    Face* face = tmp->AddFaceIndexed(corners);
    if (!face) return false;
    if (!m.faceWraps.empty()) face->SetTextureTopology(m.faceWraps[f].first, m.faceWraps[f].second);
    if (!m.faceMaterials.empty()) {
      const uint32_t i = m.faceMaterials[f];
      const ColorRGBA& c = m.materials[i].faceColor;
      face->SetColor(CreateColorRGBA(c.r, c.g, c.b, c.a));
      face->SetMaterial(materials[i].get());
      face->SetTexture(textures[i].get());
    }
  }
  b.SwapContent(*tmp);
  return true;
}

bool readFile(const std::string& path, std::vector<uint8_t>& out) {
  try {
    // Missing, special (never waited on) or too large: a failed load.
    const std::string bytes = platform::ReadRegularFile(path, kMaxFileBytes);
    out.assign(bytes.begin(), bytes.end());
    return true;
  } catch (const platform::ReadFileError&) {
    return false;
  }
}

std::string directoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool load(MeshBuilder& b, const uint8_t* data, size_t size, LoadWhat how, const std::string& name,
          uint32_t position, const std::string& meshDir) {
  MeshData m;
  LoadRequest req{how, name, position};
  try {
    return ParseMeshFile(data, size, req, m) && toBuilder(m, b, meshDir);
  } catch (const std::exception&) {  // out of memory: a failed load like any other
    return false;
  }
}

}  // namespace

bool LoadMeshBuilder(MeshBuilder& builder, const std::string& path, LoadWhat how,
                     const std::string& name, uint32_t position) {
  const std::string native = platform::NativePath(path);
  std::vector<uint8_t> data;
  if (native.empty() || !readFile(native, data)) return false;
  return load(builder, data.data(), data.size(), how, name, position, directoryOf(native));
}

bool LoadFromMemory(MeshBuilder& builder, const uint8_t* data, size_t size, LoadWhat how,
                    const std::string& name, uint32_t position) {
  if (!data) return false;
  return load(builder, data, size, how, name, position, {});
}

bool SaveMeshBuilder(const MeshBuilder& builder, const std::string& path, int format, int options) {
  const std::string native = platform::NativePath(path);
  if (native.empty()) return false;
  std::string file;
  try {
    if (!WriteMeshFile(fromBuilder(builder), format, options, file)) return false;
  } catch (const std::exception&) {
    return false;
  }
  // Written beside the target and renamed over it, so a failed write never spoils an existing file.
  try {
    platform::ReplaceFile(native, file);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace engine::xfile
