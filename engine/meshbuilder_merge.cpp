// Merging other objects into a mesh builder, and making a mesh of it.
#include <map>
#include <tuple>

#include "engine/frame.h"
#include "engine/material.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/texture.h"

namespace engine {
namespace {

// Copies a face's appearance (not its corners).
void CopyLook(const Face& from, Face& to) {
  to.SetColor(from.GetColor());
  to.SetMaterial(from.GetMaterial());
  to.SetTexture(from.GetTexture());
  to.SetTextureTopology(from.WrapU(), from.WrapV());
}

}  // namespace

bool MeshBuilder::AddFace(Face* face) {
  if (!face || face->builder_ == this) return false;
  size_t n = face->corners_.size();
  if (vertices_.size() + n > kMaxElements || normals_.size() + n > kMaxElements ||
      faces_.size() >= kMaxElements)
    return false;
  // Take the corners out first: the face may be the builder's own source of them.
  std::vector<FaceCorner> corners;
  for (size_t i = 0; i < n; ++i) {
    Vector p, nrm;
    float u = 0, v = 0;
    face->GetVertex(static_cast<int32_t>(i), p, nrm);
    face->GetTextureCoordinates(static_cast<int32_t>(i), u, v);
    int32_t vi = AddVertex(p);
    int32_t ni = AddNormal(nrm);
    texCoords_[vi] = {u, v};
    corners.push_back({vi, ni});
  }
  if (face->builder_) {  // a face of another builder: copy it
    Face* copy = AddFaceIndexed(corners);
    if (!copy) return false;
    CopyLook(*face, *copy);
    return true;
  }
  // A free-standing face joins this builder.
  face->corners_ = std::move(corners);
  face->positions_.clear();
  face->normals_.clear();
  face->texCoords_.clear();
  AdoptNewFace(Ref<Face>(face));
  return true;
}

bool MeshBuilder::AddMeshBuilder(const MeshBuilder* other) {
  if (!other || other == this) return false;
  if (vertices_.size() + other->vertices_.size() > kMaxElements ||
      normals_.size() + other->normals_.size() > kMaxElements ||
      faces_.size() + other->faces_.size() > kMaxElements)
    return false;
  auto vbase = static_cast<int32_t>(vertices_.size());
  auto nbase = static_cast<int32_t>(normals_.size());
  if (vertices_.empty() && normals_.empty() && faces_.empty()) {
    // An empty builder takes the other's geometry as it is: shared until either changes it.
    ShareGeometryOf(*other);
  } else {
    vertices_.insert(vertices_.end(), other->vertices_.begin(), other->vertices_.end());
    VerticesChanged();
    normals_.insert(normals_.end(), other->normals_.begin(), other->normals_.end());
    texCoords_.insert(texCoords_.end(), other->texCoords_.begin(), other->texCoords_.end());
    vertexColors_.insert(vertexColors_.end(), other->vertexColors_.begin(),
                         other->vertexColors_.end());
  }
  for (auto& f : other->faces_) {
    std::vector<FaceCorner> corners = f->corners_;
    for (FaceCorner& c : corners) {
      c.vertex += vbase;
      if (c.normal >= 0) c.normal += nbase;
    }
    auto copy = Ref<Face>::Adopt(new Face);
    copy->SetOwner(GetOwner());
    copy->corners_ = std::move(corners);
    CopyLook(*f, *copy);
    AdoptNewFace(std::move(copy));
  }
  return true;
}

bool MeshBuilder::AddMesh(const Mesh* mesh) {
  if (!mesh) return false;
  size_t vertices = 0, faces = 0;
  for (const MeshGroup& g : mesh->Groups()) {
    vertices += g.vertices.size();
    faces += g.faceCount;
  }
  if (vertices_.size() + vertices > kMaxElements || normals_.size() + vertices > kMaxElements ||
      faces_.size() + faces > kMaxElements)
    return false;
  for (const MeshGroup& g : mesh->Groups()) {
    auto vbase = static_cast<int32_t>(vertices_.size());
    auto nbase = static_cast<int32_t>(normals_.size());
    for (const MeshVertex& mv : g.vertices) {
      int32_t v = AddVertex(mv.position);
      if (v < 0) v = AddVertex({});  // a non-finite position becomes the origin
      if (AddNormal(mv.normal) < 0) AddNormal({});
      texCoords_[v] = {mv.u, mv.v};
      vertexColors_[v] = mv.color;
    }
    Mesh::ForEachFace(g, [&](const uint32_t* idx, uint32_t n) {
      std::vector<FaceCorner> corners;
      for (uint32_t i = 0; i < n; ++i)
        corners.push_back(
            {vbase + static_cast<int32_t>(idx[i]), nbase + static_cast<int32_t>(idx[i])});
      if (Face* f = AddFaceIndexed(corners)) {
        f->SetColor(g.color);
        f->SetMaterial(g.material.get());
        f->SetTexture(g.texture.get());
        f->SetTextureTopology(g.mapping & kMapWrapU, g.mapping & kMapWrapV);
      }
    });
  }
  return true;
}

namespace {

// Gathers the builders and meshes drawn by a frame, each with its transform relative to the frame
// where the gathering started. A frame visual is drawn in place of its holder, so its content
// shares the holder's transform.
void Gather(const Frame* frame, const Matrix& m, int depth,
            std::vector<std::pair<const Object*, Matrix>>& out) {
  if (depth > 256) return;  // hierarchies are acyclic; this only bounds the stack
  for (auto& v : frame->GetVisuals()) {
    if (auto* f = As<Frame>(v.get()))
      Gather(f, m, depth + 1, out);
    else if (v->GetKind() == Kind::MeshBuilder || v->GetKind() == Kind::Mesh)
      out.emplace_back(v.get(), m);
  }
  for (auto& c : frame->GetChildren()) Gather(c.get(), c->LocalTransform() * m, depth + 1, out);
}

}  // namespace

bool MeshBuilder::AddFrame(const Frame* frame) {
  if (!frame) return false;
  std::vector<std::pair<const Object*, Matrix>> parts;
  Gather(frame, Matrix{}, 0, parts);
  // Build the whole result aside, so that a failure leaves this builder as it was.
  auto merged = Ref<MeshBuilder>::Adopt(static_cast<MeshBuilder*>(Clone()));
  for (auto& [object, m] : parts) {
    auto part = Ref<MeshBuilder>::Adopt(new MeshBuilder);
    if (auto* b = As<MeshBuilder>(object)) {
      if (!part->AddMeshBuilder(b)) return false;
    } else if (!part->AddMesh(As<Mesh>(object))) {
      return false;
    }
    for (Vector& v : part->vertices_) v = TransformPoint(v, m);
    part->VerticesChanged();
    for (Vector& n : part->normals_) {
      Vector t = TransformDirection(n, m);
      if (!Normalize(t, n)) n = t;
    }
    if (!merged->AddMeshBuilder(part.get())) return false;
  }
  // Keep the existing faces (and any outside references to them); take over only the new ones.
  size_t oldFaces = faces_.size();
  vertices_ = merged->vertices_;
  VerticesChanged();
  normals_ = merged->normals_;
  texCoords_ = merged->texCoords_;
  vertexColors_ = merged->vertexColors_;
  for (size_t i = oldFaces; i < merged->faces_.size(); ++i) {
    Ref<Face> f = merged->faces_[i];
    AdoptNewFace(std::move(f));
  }
  merged->faces_.resize(oldFaces);  // leaves the clone only its copies of the old faces
  return true;
}

Ref<Mesh> MeshBuilder::CreateMesh() const {
  auto mesh = Ref<Mesh>::Adopt(new Mesh);
  mesh->SetOwner(GetOwner());
  // Faces go into groups by corner count and look; each group gets one mesh vertex per distinct
  // (vertex, normal) corner.
  using Key = std::tuple<size_t, Color, const Material*, const Texture*, bool, bool>;
  std::map<Key, std::vector<const Face*>> groups;
  for (auto& f : faces_) {
    if (f->corners_.size() < 3) continue;
    Color c = f->GetColor();
    groups[Key{f->corners_.size(), c, f->GetMaterial(), f->GetTexture(), f->WrapU(), f->WrapV()}]
        .push_back(f.get());
  }
  for (auto& [key, faces] : groups) {
    std::map<std::pair<int32_t, int32_t>, uint32_t> index;
    std::vector<MeshVertex> verts;
    std::vector<uint32_t> data;
    for (const Face* f : faces)
      for (const FaceCorner& c : f->corners_) {
        auto [it, added] =
            index.try_emplace({c.vertex, c.normal}, static_cast<uint32_t>(verts.size()));
        if (added) {
          MeshVertex mv;
          mv.position = vertices_[c.vertex];
          if (c.normal >= 0) mv.normal = normals_[c.normal];
          mv.u = texCoords_[c.vertex].u;
          mv.v = texCoords_[c.vertex].v;
          mv.color = colorSource_ == kColorFromVertex ? vertexColors_[c.vertex] : f->GetColor();
          verts.push_back(mv);
        }
        data.push_back(it->second);
      }
    const Face* first = faces.front();
    int32_t g =
        mesh->AddGroup(static_cast<uint32_t>(verts.size()), static_cast<uint32_t>(faces.size()),
                       static_cast<uint32_t>(std::get<0>(key)), data.data());
    if (g < 0) return nullptr;
    mesh->SetVertices(g, 0, static_cast<uint32_t>(verts.size()), verts.data());
    mesh->SetGroupColor(g, first->GetColor());
    mesh->SetGroupMaterial(g, first->GetMaterial());
    mesh->SetGroupTexture(g, first->GetTexture());
    mesh->SetGroupQuality(g, quality_);
    mesh->SetGroupMapping(g, (first->WrapU() ? kMapWrapU : 0) | (first->WrapV() ? kMapWrapV : 0) |
                                 (perspective_ ? kMapPerspective : 0));
  }
  return mesh;
}

}  // namespace engine
