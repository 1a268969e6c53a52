// The mesh file reader and writer on plain mesh data: round trips in every format, choosing a mesh,
// frames, hand-written files, and malformed input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/xfile/xfile.h"

using namespace engine;
using namespace engine::xfile;

namespace {

// A mesh that uses every part of the format: a triangle, a quad and a pentagon.
MeshData SampleMesh() {
  MeshData m;
  m.name = "Sample_1";
  m.vertices = {{0, 0, 0}, {1, 0, 0},         {1, 1, 0},
                {0, 1, 0}, {0.5f, 2, -0.25f}, {-1e-7f, 3.3f, 1e6f}};
  m.faces = {{0, 1, 2}, {0, 2, 3, 5}, {1, 2, 4, 3, 0}};
  m.normals = {{0, 0, -1}, {0, 1, 0}};
  m.faceNormals = {{0, 0, 0}, {0, 0, 1, 1}, {1, 1, 1, 1, 0}};
  m.texCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0.5f, 0.25f}, {-2, 3}};
  m.vertexColors = {{1, {1, 0, 0, 1}}, {4, {0.25f, 0.5f, 0.75f, 0.5f}}};
  MeshMaterial red;
  red.faceColor = {1, 0, 0, 1};
  red.power = 5;
  red.specular = {1, 1, 1};
  red.emissive = {0, 0, 0.1f};
  red.textureFile = "walls\\kita.bmp";
  MeshMaterial plain;
  plain.name = "Plain";
  plain.faceColor = {0.2f, 0.4f, 0.6f, 1};
  m.materials = {red, plain};
  m.faceMaterials = {1, 0, 1};
  m.faceWraps = {{false, false}, {true, false}, {true, true}};
  return m;
}

std::string Write(const MeshData& m, int format, int options = kSaveAll | kSaveTextureTopology) {
  std::string file;
  EXPECT_TRUE(WriteMeshFile(m, format, options, file));
  return file;
}

bool Parse(const std::string& file, MeshData& out, LoadRequest req = {}) {
  return ParseMeshFile(reinterpret_cast<const uint8_t*>(file.data()), file.size(), req, out);
}

bool Parses(const std::string& file, LoadRequest req = {}) {
  MeshData ignored;
  return Parse(file, ignored, req);
}

void ExpectSameVectors(const std::vector<Vector>& a, const std::vector<Vector>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].x, b[i].x) << i;
    EXPECT_EQ(a[i].y, b[i].y) << i;
    EXPECT_EQ(a[i].z, b[i].z) << i;
  }
}

const int kFormats[] = {kFormatBinary, kFormatCompressed, kFormatText};

}  // namespace

TEST(XFileFormat, RoundTripKeepsEverythingInEveryFormat) {
  const MeshData in = SampleMesh();
  for (int format : kFormats) {
    SCOPED_TRACE(format);
    const std::string file = Write(in, format);
    MeshData out;
    ASSERT_TRUE(Parse(file, out));
    EXPECT_EQ(out.name, in.name);
    ExpectSameVectors(out.vertices, in.vertices);
    EXPECT_EQ(out.faces, in.faces);
    ExpectSameVectors(out.normals, in.normals);
    EXPECT_EQ(out.faceNormals, in.faceNormals);
    EXPECT_EQ(out.texCoords, in.texCoords);
    ASSERT_EQ(out.vertexColors.size(), 2u);
    EXPECT_EQ(out.vertexColors[1].vertex, 4u);
    EXPECT_EQ(out.vertexColors[1].color.b, 0.75f);
    EXPECT_EQ(out.vertexColors[1].color.a, 0.5f);
    EXPECT_EQ(out.faceMaterials, in.faceMaterials);
    EXPECT_EQ(out.faceWraps, in.faceWraps);
    ASSERT_EQ(out.materials.size(), 2u);
    EXPECT_EQ(out.materials[0].faceColor.r, 1.0f);
    EXPECT_EQ(out.materials[0].power, 5.0f);
    EXPECT_EQ(out.materials[0].specular.y, 1.0f);
    EXPECT_EQ(out.materials[0].emissive.z, 0.1f);
    EXPECT_EQ(out.materials[0].textureFile, "walls\\kita.bmp");
    EXPECT_EQ(out.materials[1].name, "Plain");
    EXPECT_EQ(out.materials[1].faceColor.g, 0.4f);
    EXPECT_TRUE(out.materials[1].textureFile.empty());
  }
  EXPECT_EQ(Write(in, kFormatText).substr(0, 16), "xof 0302txt 0032");
  EXPECT_EQ(Write(in, kFormatBinary).substr(0, 16), "xof 0302bin 0032");
  EXPECT_EQ(Write(in, kFormatCompressed).substr(0, 16), "xof 0302bzip0032");
}

TEST(XFileFormat, TextKeepsEveryFloatExactly) {
  // Any finite float, tiny and huge ones included, reads back bit for bit from its text.
  MeshData m;
  uint32_t seed = 99;
  while (m.vertices.size() < 20000) {
    float f[3];
    for (float& x : f) {
      seed = seed * 1664525u + 1013904223u;
      std::memcpy(&x, &seed, 4);
    }
    if (std::isfinite(f[0]) && std::isfinite(f[1]) && std::isfinite(f[2]))
      m.vertices.push_back({f[0], f[1], f[2]});
  }
  MeshData out;
  ASSERT_TRUE(Parse(Write(m, kFormatText), out));
  ASSERT_EQ(out.vertices.size(), m.vertices.size());
  for (size_t i = 0; i < m.vertices.size(); ++i) {
    ASSERT_EQ(std::memcmp(&out.vertices[i], &m.vertices[i], sizeof(Vector)), 0) << i;
  }
}

TEST(XFileFormat, OptionsChooseWhatIsWritten) {
  const MeshData in = SampleMesh();
  for (int format : kFormats) {
    MeshData out;
    ASSERT_TRUE(Parse(Write(in, format, 0), out));
    EXPECT_TRUE(out.normals.empty());
    EXPECT_TRUE(out.faceNormals.empty());
    EXPECT_TRUE(out.texCoords.empty());
    EXPECT_TRUE(out.materials.empty());
    EXPECT_TRUE(out.faceMaterials.empty());
    EXPECT_TRUE(out.faceWraps.empty());
    EXPECT_EQ(out.vertexColors.size(), 2u);  // not an option: kept whenever present
    EXPECT_EQ(out.faces, in.faces);

    ASSERT_TRUE(Parse(Write(in, format, kSaveMaterials | kSaveNormals), out));
    EXPECT_EQ(out.faceNormals, in.faceNormals);
    ASSERT_EQ(out.materials.size(), 2u);
    EXPECT_TRUE(out.materials[0].textureFile.empty());  // names only with kSaveTextureNames

    ASSERT_TRUE(Parse(Write(in, format, kSaveTextureNames), out));
    ASSERT_EQ(out.materials.size(), 2u);
    EXPECT_EQ(out.materials[0].textureFile, "walls\\kita.bmp");
  }
  std::string file;
  EXPECT_FALSE(WriteMeshFile(in, 3, kSaveAll, file));
  EXPECT_FALSE(WriteMeshFile(in, -1, kSaveAll, file));
}

TEST(XFileFormat, WriterRefusesBrokenIndices) {
  std::string file;
  MeshData m = SampleMesh();
  m.faces[1][2] = 6;
  EXPECT_FALSE(WriteMeshFile(m, kFormatText, kSaveAll, file));
  m = SampleMesh();
  m.faceNormals[0].pop_back();
  EXPECT_FALSE(WriteMeshFile(m, kFormatText, kSaveAll, file));
  m = SampleMesh();
  m.faceMaterials[2] = 2;
  EXPECT_FALSE(WriteMeshFile(m, kFormatBinary, kSaveAll, file));
  m = SampleMesh();
  m.vertexColors[0].vertex = 99;
  EXPECT_FALSE(WriteMeshFile(m, kFormatBinary, kSaveAll, file));
}

TEST(XFileFormat, EmptyMeshAndNamesThatAreNoIdentifiers) {
  MeshData empty;
  for (int format : kFormats) {
    MeshData out;
    out.name = "stale";
    ASSERT_TRUE(Parse(Write(empty, format), out));
    EXPECT_TRUE(out.vertices.empty());
    EXPECT_TRUE(out.name.empty());
  }
  MeshData m = SampleMesh();
  m.name = "2 blocks";  // binary keeps any name; text makes it an identifier
  MeshData out;
  ASSERT_TRUE(Parse(Write(m, kFormatBinary), out, {LoadWhat::ByName, "2 blocks", 0}));
  ASSERT_TRUE(Parse(Write(m, kFormatText), out));
  EXPECT_EQ(out.name, "_2_blocks");
  m.name = "積み木";
  ASSERT_TRUE(Parse(Write(m, kFormatText), out, {LoadWhat::ByName, "積み木", 0}));
}

namespace {

// Three meshes: one in a frame turned and moved, one top-level, one in nested frames.
const char kScene[] = R"(xof 0302txt 0032
// a comment
# another comment
template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x;
 FLOAT y;
 FLOAT z;
}
template Open { <3D82AB5E-62DA-11cf-AB39-0020AF71E434> [...] }
Header { 1; 0; 1; }
Material Shared { 0.0; 1.0; 0.0; 1.0;; 2.0; 0.5; 0.5; 0.5;; 0.0; 0.0; 0.0;; }
Frame Turned {
  FrameTransformMatrix {
    0.0, 0.0, -1.0, 0.0,
    0.0, 1.0,  0.0, 0.0,
    1.0, 0.0,  0.0, 0.0,
    10.0, 20.0, 30.0, 1.0;;
  }
  Mesh Alpha {
    3; 1.0; 0.0; 0.0;, 0.0; 1.0; 0.0;, 0.0; 0.0; 1.0;;
    1; 3; 0, 1, 2;;
    MeshNormals { 1; 1.0; 0.0; 0.0;; 1; 3; 0, 0, 0;; }
    MeshMaterialList { 1; 1; 0;; { Shared } }
  }
}
Mesh Beta {
  4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
  2; 3;0,1,2;, 3;0,2,3;;
  MeshMaterialList {
    2; 1; 1;;
    Material { 1.0; 0.0; 0.0; 1.0;; 0.0; 0.0; 0.0; 0.0;; 0.0; 0.0; 0.0;; }
    Material Blue { 0.0; 0.0; 1.0; 1.0;; 0.0; 0.0; 0.0; 0.0;; 0.0; 0.0; 0.0;;
      TextureFilename { "blue.png"; }
    }
  }
  Unknown { 1; 2; { Nested { } } }
}
Frame Outer {
  FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 1,1,1,1;; }
  Frame Inner {
    FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,5,1;; }
    { Beta }
    Mesh Alpha { 1; 1;1;1;; 0;; }
  }
}
)";

}  // namespace

TEST(XFileFormat, ChoosesFirstByNameAndByPosition) {
  MeshData m;
  ASSERT_TRUE(Parse(kScene, m));
  EXPECT_EQ(m.name, "Alpha");
  ASSERT_EQ(m.vertices.size(), 3u);
  // (1,0,0) through the turned frame: x axis onto -z, then moved by (10,20,30).
  EXPECT_FLOAT_EQ(m.vertices[0].x, 10);
  EXPECT_FLOAT_EQ(m.vertices[0].z, 29);
  EXPECT_FLOAT_EQ(m.vertices[2].x, 11);
  // The normal turns but does not move.
  ASSERT_EQ(m.normals.size(), 1u);
  EXPECT_NEAR(m.normals[0].x, 0, 1e-6);
  EXPECT_NEAR(m.normals[0].z, -1, 1e-6);
  // A reference to a material defined earlier.
  ASSERT_EQ(m.materials.size(), 1u);
  EXPECT_EQ(m.materials[0].name, "Shared");
  EXPECT_EQ(m.materials[0].power, 2.0f);

  ASSERT_TRUE(Parse(kScene, m, {LoadWhat::ByName, "Beta", 0}));
  EXPECT_EQ(m.name, "Beta");
  EXPECT_EQ(m.vertices.size(), 4u);
  EXPECT_EQ(m.vertices[2].y, 1.0f);  // no frame: unchanged
  // One index for two faces: the last index holds for the rest.
  EXPECT_EQ(m.faceMaterials, (std::vector<uint32_t>{1, 1}));
  EXPECT_EQ(m.materials[1].textureFile, "blue.png");

  ASSERT_TRUE(Parse(kScene, m, {LoadWhat::ByPosition, "", 2}));
  ASSERT_EQ(m.vertices.size(), 1u);
  // Inner then outer: (1,1,1) + (0,0,5), then doubled and moved by (1,1,1).
  EXPECT_FLOAT_EQ(m.vertices[0].x, 3);
  EXPECT_FLOAT_EQ(m.vertices[0].z, 13);

  ASSERT_TRUE(Parse(kScene, m, {LoadWhat::ByName, "Alpha", 0}));  // the first of that name
  EXPECT_EQ(m.vertices.size(), 3u);

  EXPECT_FALSE(Parses(kScene, {LoadWhat::ByPosition, "", 3}));
  EXPECT_FALSE(Parses(kScene, {LoadWhat::ByName, "alpha", 0}));
  EXPECT_FALSE(Parses(kScene, {LoadWhat::ByName, "Turned", 0}));  // a frame is not a mesh
  EXPECT_FALSE(Parses(kScene, {static_cast<LoadWhat>(5), "", 0}));
}

TEST(XFileFormat, MalformedTextFails) {
  const std::string head = "xof 0302txt 0032\n";
  const char* bad[] = {
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,3;; }",  // vertex index out of range
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2; 0,1;; }",    // a face of two corners
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; ",   // not closed
      "Mesh { -3; }",                                       // negative count
      "Mesh { 4000000000; 1; 2; 3; }",                      // more than the file can hold
      "Mesh { 1; 0;0;; 0;; }",                              // a vertex short
      "Mesh { 1; 0;0;x;; 0;; }",                            // a name where a number belongs
      "Mesh { 1; 0;0;1e99;; 0;; }",                         // not a finite float
      "Mesh { 1; 0;0;0;; 0;; \"unterminated }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, "
      "3;0,0,0;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; MeshTextureCoords { 2; 0;0;, 1;1;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; MeshVertexColors { 1; 3; 1;1;1;1;;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; MeshMaterialList { 1; 1; 1;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; MeshMaterialList { 2; 1; 1;; "
      "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }",  // one material short
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; MeshMaterialList { 1; 1; 0;; { Nowhere } } "
      "}",
      "Frame { FrameTransformMatrix { 1,0,0; } Mesh { 0; 0; } }",
      "} Mesh { 0; 0; }",
      "Mesh { 0; 0; } @",
      "Header { 1; 0; 1; }",  // no mesh at all
      "",
  };
  for (const char* body : bad) {
    EXPECT_FALSE(Parses(head + body)) << body;
  }
  EXPECT_TRUE(Parses(head + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; }"));
  EXPECT_TRUE(Parses(head + "Mesh { +3; 0;0;0;, 1.;0;0;, 0;1;.5;; 1; 3; 0,1,2;; }"));
}

TEST(XFileFormat, BadHeadersFail) {
  const std::string body = "\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0,1,2;; }";
  EXPECT_TRUE(Parses("xof 0302txt 0032" + body));
  EXPECT_TRUE(Parses("xof 0303txt 0064" + body));
  EXPECT_FALSE(Parses("xof 0302txt 0016" + body));
  EXPECT_FALSE(Parses("xof 0302xml 0032" + body));
  EXPECT_FALSE(Parses("xof 0202txt 0032" + body));
  EXPECT_FALSE(Parses("XOF 0302txt 0032" + body));
  EXPECT_FALSE(Parses("xof 0302txt 003"));
  MeshData out;
  EXPECT_FALSE(ParseMeshFile(nullptr, 100, {}, out));
}

TEST(XFileFormat, EveryTruncationFailsCleanly) {
  const MeshData in = SampleMesh();
  for (int format : kFormats) {
    const std::string file = Write(in, format);
    // The text ends in "}\n": dropping the newline leaves a whole file.
    const size_t whole = format == kFormatText ? file.size() - 1 : file.size();
    for (size_t n = 0; n < whole; ++n) {
      EXPECT_FALSE(Parses(file.substr(0, n))) << "format " << format << " cut at " << n;
    }
  }
}

TEST(XFileFormat, MutatedFilesNeverCrash) {
  // Under the sanitizer build this finds reads out of bounds; here it finds crashes and hangs.
  const MeshData in = SampleMesh();
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
  for (int format : kFormats) {
    const std::string file = Write(in, format);
    for (int round = 0; round < 3000; ++round) {
      std::string mutated = file;
      const int edits = 1 + next() % 4;
      for (int e = 0; e < edits; ++e) {
        const size_t at = 16 + next() % (mutated.size() - 16);
        mutated[at] = static_cast<char>(next() >> 24);
      }
      MeshData out;
      if (Parse(mutated, out)) {
        // Whatever comes back is consistent.
        for (const auto& f : out.faces)
          for (uint32_t i : f) ASSERT_LT(i, out.vertices.size());
        for (uint32_t i : out.faceMaterials) ASSERT_LT(i, out.materials.size());
      }
    }
  }
}

TEST(XFileFormat, HugeClaimsAreRefusedWithoutAllocating) {
  // Binary: a float list that claims a billion entries.
  std::string bin = "xof 0302bin 0032";
  auto u16 = [&](uint16_t v) { bin.append(reinterpret_cast<const char*>(&v), 2); };
  auto u32 = [&](uint32_t v) { bin.append(reinterpret_cast<const char*>(&v), 4); };
  u16(1), u32(4), bin += "Mesh", u16(10), u16(6), u32(1), u32(1000000000), u16(7), u32(1000000000);
  EXPECT_FALSE(Parses(bin));

  // Compressed: a body size beyond the limit, and blocks that unpack to more than the size claims.
  std::string z = "xof 0302bzip0032";
  const uint32_t huge = 0xFFFFFFF0u;
  z.append(reinterpret_cast<const char*>(&huge), 4);
  EXPECT_FALSE(Parses(z));
  std::string real = Write(SampleMesh(), kFormatCompressed);
  const uint32_t smaller = 10;
  std::memcpy(&real[16], &smaller, 4);
  EXPECT_FALSE(Parses(real));

  // Nesting deeper than any real file: refused, not recursed into.
  std::string deep = "xof 0302txt 0032\n";
  for (int i = 0; i < 100000; ++i) deep += "Frame{";
  EXPECT_FALSE(Parses(deep));
  std::string wide = "xof 0302txt 0032\nUnknown ";
  for (int i = 0; i < 100000; ++i) wide += "{";
  EXPECT_FALSE(Parses(wide));
}
