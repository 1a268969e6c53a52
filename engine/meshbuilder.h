// Mesh builders: an editable mesh of vertices, normals and faces whose corners are (vertex index,
// normal index) pairs. Per vertex it keeps texture coordinates and a colour; per face a colour,
// material, texture and topology.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/color.h"
#include "engine/cow_vector.h"
#include "engine/face.h"
#include "engine/math.h"
#include "engine/object.h"
#include "engine/types.h"

namespace engine {

class Frame;
class Material;
class Mesh;
class Texture;

class MeshBuilder final : public Object {
 public:
  using TexCoord = Face::TexCoord;

  // Most vertices, normals or faces one builder holds; adding beyond fails.
  static constexpr size_t kMaxElements = size_t{1} << 22;

  MeshBuilder();
  ~MeshBuilder() override;

  // A deep copy: new faces, shared materials and textures. The copy's vertices, normals, texture
  // coordinates and vertex colours share the original's store until either changes them.
  Object* Clone() const override;

  // ---- Geometry ----
  // The new vertex's (normal's) index, or -1 when the builder is full.
  int32_t AddVertex(Vector p);
  int32_t AddNormal(Vector n);
  bool SetVertex(int32_t index, Vector p);  // false out of range
  bool SetNormal(int32_t index, Vector n);
  bool GetVertex(int32_t index, Vector& out) const;
  bool GetNormal(int32_t index, Vector& out) const;
  int32_t GetVertexCount() const { return static_cast<int32_t>(vertices_.size()); }
  int32_t GetNormalCount() const { return static_cast<int32_t>(normals_.size()); }
  int32_t GetFaceCount() const { return static_cast<int32_t>(faces_.size()); }
  Face* GetFace(int32_t index) const;  // nullptr out of range

  // A new empty face that belongs to this builder (one reference for the caller, one kept).
  Ref<Face> CreateFace();

  // ---- Merging ----
  // A free-standing face joins this builder (its corners become new vertices and normals); a face
  // of another builder is copied. False for null or a face of this builder.
  bool AddFace(Face* face);
  // Appends the other builder's vertices, normals and faces (copies). False for null or this
  // builder.
  bool AddMeshBuilder(const MeshBuilder* other);
  // Appends a mesh's groups: one vertex and one normal per mesh vertex, one face per group face
  // with the group's colour, material and texture.
  bool AddMesh(const Mesh* mesh);
  // Appends the builder and mesh visuals of a frame and of the frames below it (children and frame
  // visuals), placed by their transforms relative to that frame.
  bool AddFrame(const Frame* frame);

  // Computes every normal from the faces. The corners' normal indices say which faces share a
  // normal: each normal becomes the normalised sum of the unit normals of the faces whose corners
  // use it (so faces with a normal of their own come out flat, and faces that share a vertex's
  // normal come out smooth). Corners without a normal get a new one shared per vertex. Normals that
  // no face uses are kept as they are.
  bool GenerateNormals();

  // The box around all vertices; false when there are none. Kept from call to call until a vertex
  // changes (picking asks for it on every pick).
  bool GetBox(Box& out) const;
  bool Scale(Vector factors);
  bool Translate(Vector offset);

  // A mesh made of this builder's faces: one group per colour, material, texture and corner count.
  Ref<Mesh> CreateMesh() const;

  // ---- Appearance ----
  // Colours every face and every vertex.
  bool SetColor(Color c);
  bool SetColorRGB(float r, float g, float b);
  bool SetColorSource(int32_t source);  // false outside ColorSource
  ColorSource GetColorSource() const { return colorSource_; }
  bool SetMaterial(Material* m);                    // every face; nullptr clears
  bool SetTexture(Texture* t);                      // every face; nullptr clears
  bool SetTextureTopology(bool wrapU, bool wrapV);  // every face
  bool SetTextureCoordinates(int32_t vertex, float u, float v);
  bool GetTextureCoordinates(int32_t vertex, float& u, float& v) const;
  bool SetQuality(int32_t quality);  // false unless IsValidQuality
  int32_t GetQuality() const { return quality_; }
  bool SetPerspective(bool on) {
    perspective_ = on;
    return true;
  }
  bool GetPerspective() const { return perspective_; }
  bool SetVertexColor(int32_t vertex, Color c);
  bool SetVertexColorRGB(int32_t vertex, float r, float g, float b);
  // The vertex's colour; 0 out of range.
  Color GetVertexColor(int32_t vertex) const;

  // ---- Files ----
  // Replaces the content with a mesh read from a mesh file: the first one (kLoadFirst), the one
  // named name (kLoadByName) or the one at position (kLoadByPosition). On failure the builder is
  // unchanged.
  bool Load(const std::string& path, int32_t option, const std::string& name, uint32_t position);
  // Writes the builder to a mesh file in format (SaveFormat) with options (SaveOptions).
  bool Save(const std::string& path, int32_t format, int32_t options) const;

  // ---- Read access for drawing, picking and the file writer ----
  const std::vector<Vector>& Vertices() const { return vertices_.Get(); }
  const std::vector<Vector>& Normals() const { return normals_.Get(); }
  const std::vector<TexCoord>& TexCoords() const { return texCoords_.Get(); }     // one per vertex
  const std::vector<Color>& VertexColors() const { return vertexColors_.Get(); }  // one per vertex
  const std::vector<Ref<Face>>& Faces() const { return faces_; }

  // The faces laid out flat for drawing: every face's corners end to end, and runs of consecutive
  // faces that look the same. Made again on the first call after any face changes; a renderer
  // that draws on several threads asks for it before they start. The corners are shared with the
  // builder this one was copied from as long as they are the same.
  struct FaceTable {
    struct Corners {
      std::vector<uint32_t> start;  // face i: list[start[i], start[i + 1])
      std::vector<FaceCorner> list;
      int32_t lowestVertex = 0, highestVertex = -1;  // of all corners
      bool operator==(const Corners& o) const;
    };
    struct Run {
      uint32_t faceEnd;  // the run holds the faces from the previous run's end to here
      Color color;
      const Material* material;
      const Texture* texture;
      bool wrapU, wrapV;
    };
    std::shared_ptr<const Corners> corners;  // never null once made
    std::vector<Run> runs;
  };
  const FaceTable& GetFaceTable() const;

  // Appends a face made of the given corners (indices checked); returns it or nullptr. For readers
  // that build a builder from stored data.
  Face* AddFaceIndexed(const std::vector<FaceCorner>& corners);
  // Removes everything: vertices, normals, faces (which become free-standing).
  void Clear();
  // Exchanges the whole content (geometry and appearance, not name or application value).
  void SwapContent(MeshBuilder& other);

 private:
  friend class Face;
  Face* AdoptNewFace(Ref<Face> face);
  void ReleaseFaces();
  // Every change to vertices_ calls this.
  void VerticesChanged() { boxValid_ = false; }
  // Every change to faces_ or to a face's corners or looks calls this.
  void FacesChanged() { faceTableValid_ = false; }
  // Takes the other builder's geometry and face corners as shared stores (this one is empty).
  void ShareGeometryOf(const MeshBuilder& other);

  CowVector<Vector> vertices_;
  CowVector<Vector> normals_;
  CowVector<TexCoord> texCoords_;
  CowVector<Color> vertexColors_;
  std::vector<Ref<Face>> faces_;
  ColorSource colorSource_ = kColorFromFace;
  int32_t quality_ = kQualityGouraud;
  bool perspective_ = false;
  mutable Box box_;
  mutable bool boxValid_ = false;
  mutable FaceTable faceTable_;
  mutable bool faceTableValid_ = false;
};

}  // namespace engine
