// MeshBuilder: an editable mesh (vertices, normals, faces that refer to them by index, colours,
// material, texture, texture coordinates), with its own face makers and solid generators.
// Vertices, normals and faces count from 0 in the order they were added.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene/fwd.h"
#include "scene/height_array.h"

namespace kubisto {

class MeshBuilder final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::MeshBuilder; }

  int32_t AddVertex(float x, float Y, float Z);  // the new index, -1 without a handle
  int32_t AddNormal(float x, float Y, float Z);  // the new index, -1 without a handle
  FacePtr CreateFace();                          // already part of this builder
  FacePtr Face(int32_t iFace) const;
  bool GetBox(float* lpBox);  // min x, y, z, max x, y, z
  bool GenerateNormals();
  int32_t NormalCount() const;
  int32_t VertexCount() const;
  int32_t FaceCount() const;
  bool SetNormal(int32_t iNormal, float x, float Y, float Z);
  bool GetNormal(int32_t iNormal, float* lpNormal);
  bool SetVertex(int32_t iVertex, float x, float Y, float Z);
  bool GetVertex(int32_t iVertex, float* lpVertex);
  // Loading tells a failure only by the message "ファイルが読めません。" (captioned with the
  // program's title); the caller sees success in the counts.
  void Load(const std::string& filename);
  void LoadByName(const std::string& filename, const std::string& ObjectName);
  void LoadByIndex(const std::string& filename, int32_t ObjectIndex);
  // Saving refuses a builder without vertices with "保存すべき頂点がありません。" and returns false
  // without writing. Save writes format 0 (binary) with options 15 (everything).
  bool SaveEx(const std::string& filename, int32_t cSaveFormat, int32_t cSaveOption);
  bool Save(const std::string& filename);
  bool Size(float x, float Y, float Z);  // scale factors
  bool Translate(float x, float Y, float Z);
  int32_t ColorSource() const;
  void ColorSource(int32_t cColorSource);
  void Material(const MaterialPtr& mt);
  void Texture(const TexturePtr& tx);
  bool SetTextureCoordinates(int32_t iVertex, float x, float Y);
  bool GetTextureCoordinates(int32_t iVertex, float* lpCoordinates);  // u, v
  void TextureTopology(int32_t cTopology);
  void Color(int32_t d3dColor);
  int32_t Quality() const;
  void Quality(int32_t cQuality);
  bool Perspective() const;
  void Perspective(bool bPerspective);
  MeshPtr CreateMesh();
  // Merges a Mesh, MeshBuilder, Face or Frame (its visuals) into this builder; 1/0. Any other
  // kind (or no object) ends the program at once.
  int32_t AddObject(const SceneObjectPtr& obj);
  MeshBuilderPtr Clone() const;
  int32_t VertexColor(int32_t iVertex) const;
  void VertexColor(int32_t iVertex, int32_t d3dColor);

  // --- Face makers: each returns the index of the last face it made (FaceCount - 1). ---
  // One face; all corners share one new normal.
  int32_t AddFace(const std::vector<int32_t>& Vertices);
  // Two faces, the second with the corners reversed (a front on both sides), a new normal each.
  int32_t AddFace2(const std::vector<int32_t>& Vertices);
  // One face whose corners use the normal with their vertex's index.
  int32_t AddCurvedFace(const std::vector<int32_t>& Vertices);
  // For vertices owning two normals (front 2v, back 2v + 1): a front face and a reversed back face.
  int32_t AddCurvedFace2(const std::vector<int32_t>& Vertices);

  // --- Generators: meant for an empty builder (faces use absolute indices from 0). ---
  // A box centred on the origin with half sizes r1 (x), optr2 (y), optr3 (z); y and z default
  // to r1.
  void Cube(float r1, std::optional<float> optr2 = std::nullopt,
            std::optional<float> optr3 = std::nullopt);
  // A frustum round the y axis, n steps round, radius r1 at y = h/2 and r2 at y = -h/2; smooth
  // sides. 16-bit index arithmetic: raises OverflowError for too large an n.
  void Cylinder(int16_t n, float r1, float r2, float h);
  // As Cylinder with flat sides (a normal per side face).
  void Prism(int16_t n, float r1, float r2, float h);
  // A sphere of radius r, poles on the y axis, n2 points round each ring.
  void Sphere(int16_t n2, float r);
  // A height field: the point (i, j) of d stands at ((i - Xorg) * Xsize, d(i, j), (j - Yorg) *
  // Ysize); bCurved shares normals between faces, bOneSide leaves out the back faces.
  void Plot(const HeightArray& d, float Xorg = 0.0f, float Yorg = 0.0f, float Xsize = 1.0f,
            float Ysize = 1.0f, bool bCurved = false, bool bOneSide = false);
};

}  // namespace kubisto
