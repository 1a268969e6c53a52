// Mesh builders saved to and loaded from mesh files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/material.h"
#include "engine/meshbuilder.h"
#include "engine/texture.h"
#include "engine/xfile/xfile.h"

using namespace engine;
namespace fs = std::filesystem;

namespace {

// A 2x2 24-bit BMP.
void WriteBmp(const std::string& path) {
  const uint8_t header[54] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0,
                              2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0,
                              0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const uint8_t pixels[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  out.write(reinterpret_cast<const char*>(pixels), sizeof pixels);
}

class XFileBuilder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kubisto_xfile_" + std::to_string(getpid()));
    fs::create_directories(dir_ / "tex");
    WriteBmp((dir_ / "tex" / "checker.bmp").string());
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // A box without its bottom: four quads and a lid of five corners, with shared normals, colours,
  // one material, one texture and a wrapped face.
  Ref<MeshBuilder> MakeSample() {
    auto b = Ref<MeshBuilder>::Adopt(new MeshBuilder);
    b->SetName("Box");
    const Vector v[] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1},
                        {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}, {0.5f, 1.25f, 0.5f}};
    for (const Vector& p : v) b->AddVertex(p);
    const std::vector<std::vector<int32_t>> faces = {
        {0, 4, 5, 1}, {1, 5, 6, 2}, {2, 6, 7, 3}, {3, 7, 4, 0}, {4, 8, 7, 6, 5}};
    for (const auto& f : faces) {
      std::vector<FaceCorner> corners;
      for (int32_t i : f) corners.push_back({i, -1});
      EXPECT_NE(b->AddFaceIndexed(corners), nullptr);
    }
    EXPECT_TRUE(b->GenerateNormals());
    for (int32_t i = 0; i < b->GetVertexCount(); ++i) {
      b->SetTextureCoordinates(i, 0.125f * i, 1.0f - 0.25f * i);
    }
    b->GetFace(0)->SetColor(0xFFFF0000);
    b->GetFace(1)->SetColor(0x80336699);
    auto shiny = Ref<Material>::Adopt(new Material(12.5f));
    shiny->SetSpecular(0.5f, 0.25f, 1);
    shiny->SetEmissive(0, 0.1f, 0);
    b->GetFace(2)->SetMaterial(shiny.get());
    Ref<Texture> tex = Texture::Load(Path("tex/checker.bmp"));
    EXPECT_TRUE(tex);
    tex->SetFileName("tex\\checker.bmp");
    b->GetFace(3)->SetTexture(tex.get());
    b->GetFace(3)->SetTextureTopology(true, false);
    return b;
  }

  fs::path dir_;
};

void ExpectSameGeometry(const MeshBuilder& a, const MeshBuilder& b) {
  ASSERT_EQ(a.GetVertexCount(), b.GetVertexCount());
  for (int32_t i = 0; i < a.GetVertexCount(); ++i) {
    EXPECT_EQ(a.Vertices()[i], b.Vertices()[i]);
    EXPECT_EQ(a.TexCoords()[i].u, b.TexCoords()[i].u);
    EXPECT_EQ(a.TexCoords()[i].v, b.TexCoords()[i].v);
  }
  ASSERT_EQ(a.GetNormalCount(), b.GetNormalCount());
  for (int32_t i = 0; i < a.GetNormalCount(); ++i) EXPECT_EQ(a.Normals()[i], b.Normals()[i]);
  ASSERT_EQ(a.GetFaceCount(), b.GetFaceCount());
  for (int32_t f = 0; f < a.GetFaceCount(); ++f) {
    const auto& ca = a.GetFace(f)->Corners();
    const auto& cb = b.GetFace(f)->Corners();
    ASSERT_EQ(ca.size(), cb.size()) << f;
    for (size_t k = 0; k < ca.size(); ++k) {
      EXPECT_EQ(ca[k].vertex, cb[k].vertex);
      EXPECT_EQ(ca[k].normal, cb[k].normal);
    }
  }
}

}  // namespace

TEST_F(XFileBuilder, RoundTripInEveryFormat) {
  Ref<MeshBuilder> in = MakeSample();
  for (int format : {kFormatBinary, kFormatCompressed, kFormatText}) {
    SCOPED_TRACE(format);
    const std::string path = Path("box" + std::to_string(format) + ".x");
    ASSERT_TRUE(in->Save(path, format, kSaveAll | kSaveTextureTopology));
    auto out = Ref<MeshBuilder>::Adopt(new MeshBuilder);
    ASSERT_TRUE(out->Load(path, kLoadFirst, "", 0));
    ExpectSameGeometry(*in, *out);
    EXPECT_EQ(out->GetFace(0)->GetColor(), 0xFFFF0000u);
    EXPECT_EQ(out->GetFace(1)->GetColor(), 0x80336699u);  // alpha too
    EXPECT_EQ(out->GetFace(4)->GetColor(), kWhite);
    EXPECT_EQ(out->GetFace(0)->GetMaterial(), nullptr);
    const Material* m = out->GetFace(2)->GetMaterial();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->GetPower(), 12.5f);
    EXPECT_EQ(m->Specular().g, 0.25f);
    EXPECT_EQ(m->Emissive().g, 0.1f);
    const Texture* t = out->GetFace(3)->GetTexture();
    ASSERT_NE(t, nullptr);  // found beside the mesh file
    EXPECT_EQ(t->GetFileName(), "tex\\checker.bmp");
    EXPECT_EQ(t->GetWidth(), 2);
    EXPECT_EQ(out->GetFace(2)->GetTexture(), nullptr);
    EXPECT_TRUE(out->GetFace(3)->WrapU());
    EXPECT_FALSE(out->GetFace(3)->WrapV());
    EXPECT_EQ(out->GetColorSource(), kColorFromFace);
  }
}

TEST_F(XFileBuilder, VertexColoursTravelWithVertexColourSource) {
  Ref<MeshBuilder> in = MakeSample();
  in->SetColorSource(kColorFromVertex);
  in->SetVertexColor(3, 0xFF00FF00);
  ASSERT_TRUE(in->Save(Path("v.x"), kFormatText, kSaveAll));
  auto out = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  ASSERT_TRUE(out->Load(Path("v.x"), kLoadFirst, "", 0));
  EXPECT_EQ(out->GetColorSource(), kColorFromVertex);
  EXPECT_EQ(out->GetVertexColor(3), 0xFF00FF00u);
  EXPECT_EQ(out->GetVertexColor(2), kWhite);
}

TEST_F(XFileBuilder, WithoutOptionsOnlyGeometryRemains) {
  Ref<MeshBuilder> in = MakeSample();
  ASSERT_TRUE(in->Save(Path("bare.x"), kFormatBinary, 0));
  auto out = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  ASSERT_TRUE(out->Load(Path("bare.x"), kLoadFirst, "", 0));
  EXPECT_EQ(out->GetVertexCount(), 9);
  EXPECT_EQ(out->GetNormalCount(), 0);
  EXPECT_EQ(out->GetFace(4)->GetVertexCount(), 5);  // polygons stay polygons
  EXPECT_EQ(out->GetFace(0)->GetColor(), kWhite);
  EXPECT_EQ(out->TexCoords()[3].u, 0.0f);
  EXPECT_EQ(out->GetFace(3)->GetTexture(), nullptr);
}

TEST_F(XFileBuilder, ByNameAndByPositionThroughTheBuilder) {
  {
    std::ofstream f(Path("two.x"));
    f << "xof 0302txt 0032\n"
         "Mesh First { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n"
         "Frame F { Mesh Second { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; } }\n";
  }
  auto b = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  ASSERT_TRUE(b->Load(Path("two.x"), kLoadByName, "Second", 0));
  EXPECT_EQ(b->GetVertexCount(), 4);
  ASSERT_TRUE(b->Load(Path("two.x"), kLoadByPosition, "", 0));
  EXPECT_EQ(b->GetVertexCount(), 3);
  ASSERT_TRUE(b->Load(Path("two.x"), kLoadByPosition, "", 1));
  EXPECT_EQ(b->GetVertexCount(), 4);
  // Backslashes in the path are separators.
  const std::string windowsStyle = dir_.string() + "\\two.x";
  ASSERT_TRUE(xfile::LoadMeshBuilder(*b, windowsStyle, xfile::LoadWhat::First));
  EXPECT_EQ(b->GetVertexCount(), 3);
}

TEST_F(XFileBuilder, FailedLoadLeavesBuilderAlone) {
  Ref<MeshBuilder> b = MakeSample();
  {
    std::ofstream f(Path("bad.x"), std::ios::binary);
    f << "xof 0302txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,7;; }";
  }
  EXPECT_FALSE(b->Load(Path("bad.x"), kLoadFirst, "", 0));
  EXPECT_FALSE(b->Load(Path("missing.x"), kLoadFirst, "", 0));
  EXPECT_FALSE(b->Load(dir_.string(), kLoadFirst, "", 0));  // a folder
  EXPECT_FALSE(b->Load(Path("bad.x"), kLoadByName, "Nope", 0));
  EXPECT_FALSE(xfile::LoadFromMemory(*b, nullptr, 10, xfile::LoadWhat::First));
  const uint8_t junk[] = {'x', 'o', 'f', ' ', 0xFF, 0, 1};
  EXPECT_FALSE(xfile::LoadFromMemory(*b, junk, sizeof junk, xfile::LoadWhat::First));
  EXPECT_EQ(b->GetVertexCount(), 9);
  EXPECT_EQ(b->GetFaceCount(), 5);
  EXPECT_EQ(b->GetFace(0)->GetColor(), 0xFFFF0000u);
}

TEST_F(XFileBuilder, FailedSaveKeepsTheOldFile) {
  Ref<MeshBuilder> b = MakeSample();
  const std::string path = Path("keep.x");
  ASSERT_TRUE(b->Save(path, kFormatText, kSaveAll));
  const auto size = fs::file_size(path);
  EXPECT_FALSE(xfile::SaveMeshBuilder(*b, path, 7, kSaveAll));
  EXPECT_EQ(fs::file_size(path), size);
  EXPECT_FALSE(b->Save(Path("no/such/folder/x.x"), kFormatBinary, kSaveAll));
  EXPECT_FALSE(xfile::SaveMeshBuilder(*b, "", kFormatBinary, kSaveAll));
  EXPECT_FALSE(fs::exists(path + ".tmp"));

  // A read-only file is refused and kept; a link is saved through and stays a link; a file of
  // the user's that happens to be named like a temporary one is left alone.
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(b->Save(path, kFormatBinary, kSaveAll));
  EXPECT_EQ(fs::file_size(path), size);
  fs::create_symlink("keep.x", Path("link.x"));
  std::ofstream(Path("other.x.tmp")) << "mine";
  fs::copy_file(path, Path("other.x"));
  fs::permissions(Path("other.x"), fs::perms::owner_write, fs::perm_options::add);
  fs::remove(Path("link.x"));
  fs::create_symlink("other.x", Path("link.x"));
  ASSERT_TRUE(b->Save(Path("link.x"), kFormatBinary, kSaveAll));
  EXPECT_TRUE(fs::is_symlink(Path("link.x")));
  EXPECT_NE(fs::file_size(Path("other.x")), size);  // binary now, text before
  EXPECT_EQ(fs::file_size(Path("other.x.tmp")), 4u);

  // An empty builder writes a file that loads back empty.
  auto empty = Ref<MeshBuilder>::Adopt(new MeshBuilder);
  ASSERT_TRUE(empty->Save(Path("empty.x"), kFormatBinary, kSaveAll));
  ASSERT_TRUE(b->Load(Path("empty.x"), kLoadFirst, "", 0));
  EXPECT_EQ(b->GetVertexCount(), 0);
}
