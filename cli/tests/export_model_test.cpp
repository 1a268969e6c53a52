// Exported models read back as other programs read them: Assimp's importer, the Khronos glTF
// validator and admesh. Each format must hold a closed, outward-facing surface of the blocks,
// scaled and turned by its own convention, with one material (or vertex colour) per colour.
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <array>
#include <assimp/Importer.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

#include "cli_test_support.h"
#include "platform/window.h"
#include "scene/direct3drm.h"
#include "scene/mesh_builder.h"

namespace kubisto::cli::test {
namespace {

using Point = std::tuple<long, long, long>;

struct FormatCase {
  const char* extension;
  float unit;  // file units per cell edge with the default edge of 10
  bool zUp;
  bool triangles;
  bool colours;  // materials or vertex colours carry the block colours
};

const FormatCase kFormats[] = {
    {".obj", 10, false, false, true},   {".ply", 10, false, false, true},
    {".stl", 10, true, true, false},    {".gltf", 0.01f, false, true, true},
    {".glb", 0.01f, false, true, true}, {".3mf", 10, true, true, true},
    {".x", 10, false, false, true},
};

std::string Name(const FormatCase& f) { return std::string(f.extension + 1); }
void PrintTo(const FormatCase& f, std::ostream* os) { *os << f.extension; }
bool IsX(const FormatCase& f) { return std::string(f.extension) == ".x"; }

// The signed volume of closed faces (divergence theorem, each fanned from its first corner).
double SignedVolume(const std::vector<std::vector<Point>>& faces) {
  double volume = 0;
  for (const auto& face : faces) {
    for (size_t i = 1; i + 1 < face.size(); ++i) {
      const auto [ax, ay, az] = face[0];
      const auto [bx, by, bz] = face[i];
      const auto [cx, cy, cz] = face[i + 1];
      volume +=
          (ax * (by * cz - bz * cy) - ay * (bx * cz - bz * cx) + az * (bx * cy - by * cx)) / 6.0;
    }
  }
  return volume;
}

// The model as corners in cells (rounded) and faces as corner lists, with the colour of each face.
struct Model {
  std::vector<std::vector<Point>> faces;
  std::vector<unsigned> faceMeshes;             // the mesh each face belongs to
  std::vector<std::array<int, 3>> faceColours;  // 0..255 each; -1 when none
  std::array<float, 3> min{1e30f, 1e30f, 1e30f}, max{-1e30f, -1e30f, -1e30f};
};

std::array<int, 3> Rgb255(float r, float g, float b) {
  return {static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
          static_cast<int>(std::lround(b * 255))};
}

float LinearToSrgb(float c) {
  return c <= 0.0031308f ? c * 12.92f : 1.055f * std::pow(c, 1.0f / 2.4f) - 0.055f;
}

bool IsGltf(const std::string& path) { return path.ends_with(".gltf") || path.ends_with(".glb"); }

Model Read(const std::string& path, float unit) {
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(path, 0);
  Model m;
  if (scene == nullptr) {
    ADD_FAILURE() << path << ": " << importer.GetErrorString();
    return m;
  }
  // Every mesh hangs from a node; the tests' files carry no transforms but the root's identity
  // (the glTF and .x importers may add one), which is applied.
  std::vector<std::pair<const aiNode*, aiMatrix4x4>> nodes = {
      {scene->mRootNode, scene->mRootNode->mTransformation}};
  while (!nodes.empty()) {
    auto [node, transform] = nodes.back();
    nodes.pop_back();
    for (unsigned c = 0; c < node->mNumChildren; ++c)
      nodes.push_back({node->mChildren[c], transform * node->mChildren[c]->mTransformation});
    for (unsigned k = 0; k < node->mNumMeshes; ++k) {
      const aiMesh* mesh = scene->mMeshes[node->mMeshes[k]];
      std::array<int, 3> colour = {-1, -1, -1};
      aiColor4D diffuse;
      if (scene->mMaterials[mesh->mMaterialIndex]->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) ==
          AI_SUCCESS)
        colour = IsGltf(path) ? Rgb255(LinearToSrgb(diffuse.r), LinearToSrgb(diffuse.g),
                                       LinearToSrgb(diffuse.b))
                              : Rgb255(diffuse.r, diffuse.g, diffuse.b);
      for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        std::vector<Point> corners;
        for (unsigned i = 0; i < face.mNumIndices; ++i) {
          const aiVector3D v = transform * mesh->mVertices[face.mIndices[i]];
          for (int a = 0; a < 3; ++a) {
            m.min[a] = std::min(m.min[a], v[a]);
            m.max[a] = std::max(m.max[a], v[a]);
          }
          corners.emplace_back(std::lround(v.x / unit), std::lround(v.y / unit),
                               std::lround(v.z / unit));
          if (mesh->mColors[0] != nullptr) {
            const aiColor4D& c = mesh->mColors[0][face.mIndices[i]];
            colour = Rgb255(c.r, c.g, c.b);
          }
        }
        m.faces.push_back(corners);
        m.faceMeshes.push_back(node->mMeshes[k]);
        m.faceColours.push_back(colour);
      }
    }
  }
  return m;
}

std::string Export(const Scratch& dir, const FormatCase& f, const std::string& layout,
                   const std::string& stem) {
  const std::string out = dir.Path(stem + f.extension);
  const RunResult run = RunKubisto({"--export", out, layout});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return out;
}

// A cube of edge 10 made by the engine and written by its own mesh writer, as text.
std::string EngineCube(const Scratch& dir) {
  const std::string path = dir.Path("engine_cube.x");
  const platform::HWND window = platform::CreateWindow(8, 8);
  {
    Direct3DRM rm;
    EXPECT_TRUE(rm.Init(window));
    MeshBuilderPtr cube = rm.CreateMeshBuilder();
    cube->Cube(5.0f);
    cube->Translate(5.0f, 5.0f, 5.0f);
    EXPECT_TRUE(cube->SaveEx(path, 2, 5));
    cube.reset();
    rm.Quit();
  }
  platform::DestroyWindow(window);
  return path;
}

// The display colours of the base materials the triangles of a 3MF package use.
std::set<std::array<int, 3>> PackageColours(const std::string& path) {
  int status = 0;
  const std::string xml = Capture("unzip -p '" + path + "' 3D/3dmodel.model", &status);
  EXPECT_EQ(status, 0) << "unzip (scripts/setup.sh installs it) could not read " << path;
  std::vector<std::array<int, 3>> bases;
  const std::regex base(
      R"re(<base [^>]*displaycolor="#([0-9A-F]{2})([0-9A-F]{2})([0-9A-F]{2})FF")re");
  for (std::sregex_iterator it(xml.begin(), xml.end(), base), end; it != end; ++it)
    bases.push_back({std::stoi((*it)[1], nullptr, 16), std::stoi((*it)[2], nullptr, 16),
                     std::stoi((*it)[3], nullptr, 16)});
  std::set<std::array<int, 3>> used;
  const std::regex object(R"re(<object [^>]*pid="1" pindex="(\d+)")re");
  for (std::sregex_iterator it(xml.begin(), xml.end(), object), end; it != end; ++it)
    used.insert(bases.at(std::stoul((*it)[1])));
  return used;
}

// Faces of the Steps layout: 5 blocks x 6 faces, less two for each of the 3 touching pairs.
constexpr int kStepsFaces = 5 * 6 - 2 * 3;

class ExportFormatTest : public ::testing::TestWithParam<FormatCase> {
 protected:
  Scratch dir;
};

TEST_P(ExportFormatTest, IsAClosedOutwardSurfaceWithoutTheSharedFaces) {
  const FormatCase& f = GetParam();
  const Model m = Read(Export(dir, f, dir.Layout("steps.kbs", 5, Steps()), "steps"), f.unit);
  // 3MF keeps each colour's object closed: the faces between two colours stay, once on each side
  // (two such contacts in the steps).
  const bool closedColours = std::string(f.extension) == ".3mf";
  EXPECT_EQ(m.faces.size(),
            static_cast<size_t>((kStepsFaces + (closedColours ? 4 : 0)) * (f.triangles ? 2 : 1)));
  // Every edge is met exactly once in each direction: no holes, one winding throughout (in each
  // object by itself where colours are closed).
  // (Two purple blocks of the steps touch along an edge: 3MF, which keeps them apart by their
  // corners, is checked by corner below.)
  std::map<std::tuple<unsigned, Point, Point>, int> edges;
  for (size_t k = 0; k < m.faces.size(); ++k) {
    const auto& face = m.faces[k];
    const unsigned object = closedColours ? m.faceMeshes[k] : 0;
    ASSERT_EQ(face.size(), f.triangles ? 3u : 4u);
    if (closedColours) continue;
    for (size_t i = 0; i < face.size(); ++i)
      ++edges[{object, face[i], face[(i + 1) % face.size()]}];
  }
  const double volume = SignedVolume(m.faces);
  for (const auto& [edge, count] : edges) {
    const auto& [object, from, to] = edge;
    EXPECT_EQ(count, 1) << "edge used twice in one direction";
    EXPECT_EQ(edges.count({object, to, from}), 1u) << "an edge with one face only";
  }
  // Outward fronts: the fronts' volume is the blocks' (negative when the faces point inwards;
  // the faces kept between colours cancel out).
  EXPECT_NEAR(std::abs(volume), 5.0, 1e-6);
  if (!IsX(f)) {
    EXPECT_GT(volume, 0.0);
  } else {
    // The engine's clockwise fronts: the same sign as a cube the engine makes and writes itself,
    // as Assimp reads both.
    const double engineCube = SignedVolume(Read(EngineCube(dir), 10).faces);
    ASSERT_NE(engineCube, 0.0);
    EXPECT_EQ(volume > 0, engineCube > 0);
  }
}

TEST_P(ExportFormatTest, PlacesABlockWhereTheFrontViewShowsIt) {
  const FormatCase& f = GetParam();
  // Cell (0, 0, 4) of five: the front view shows it at the bottom right, nearest the viewer.
  const Model m =
      Read(Export(dir, f, dir.Layout("corner.kbs", 5, {{0, 0, 4, 255}}), "corner"), f.unit);
  std::array<float, 3> lo, hi;
  if (f.zUp) {  // x right, y away from the viewer, z up
    lo = {4, 0, 0}, hi = {5, 1, 1};
  } else if (IsX(f)) {  // left-handed, z away from the viewer, which Assimp's reader negates
    lo = {4, 0, -1}, hi = {5, 1, 0};
  } else {  // x right, y up, z towards the viewer
    lo = {4, 0, 4}, hi = {5, 1, 5};
  }
  for (int a = 0; a < 3; ++a) {
    EXPECT_NEAR(m.min[a], lo[a] * f.unit, 1e-4f * f.unit) << "axis " << a;
    EXPECT_NEAR(m.max[a], hi[a] * f.unit, 1e-4f * f.unit) << "axis " << a;
  }
}

TEST_P(ExportFormatTest, ScalesByTheCellSizeAndKeepsOneColourPerMaterial) {
  const FormatCase& f = GetParam();
  // Three cells wide, two high, one deep, two colours; cell edge 2.5.
  const std::string layout = dir.Layout(
      "bar.kbs", 4,
      {{1, 0, 2, 0x3366CC}, {2, 0, 2, 0x3366CC}, {3, 0, 2, 0x10F0A0}, {3, 1, 2, 0x10F0A0}});
  const std::string out = dir.Path(std::string("bar") + f.extension);
  const RunResult run = RunKubisto({"--export", out, "--cell-size", "2.5", layout});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const float unit = f.unit / 4;  // per cell edge of 2.5
  const Model m = Read(out, unit);
  const float extent[3] = {3, 2, 1};
  for (int a = 0; a < 3; ++a) {
    const int axis = f.zUp ? (a == 1 ? 2 : a == 2 ? 1 : 0) : a;
    EXPECT_NEAR(m.max[axis] - m.min[axis], extent[a] * unit, 1e-4f * f.unit) << "axis " << axis;
  }
  if (!f.colours) return;
  // Assimp's 3MF reader gives an object a single colour: the package's base materials are read
  // here.
  std::set<std::array<int, 3>> colours =
      std::string(f.extension) == ".3mf"
          ? PackageColours(out)
          : std::set<std::array<int, 3>>(m.faceColours.begin(), m.faceColours.end());
  // 0x00BBGGRR in the layout: 0x3366CC is red CC, green 66, blue 33.
  EXPECT_EQ(colours, (std::set<std::array<int, 3>>{{0xCC, 0x66, 0x33}, {0xA0, 0xF0, 0x10}}));
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportFormatTest, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return Name(info.param); });

TEST(ExportTest, AnEmptyLayoutGivesAnEmptyModelOrIsRefusedWhereItCannotBeEmpty) {
  Scratch dir;
  const std::string layout = dir.Layout("empty.kbs", 5, {});
  for (const FormatCase& f : kFormats) {
    const std::string out = dir.Path(std::string("empty") + f.extension);
    const RunResult run = RunKubisto({"--export", out, layout});
    // Mesh files and print files without a face are refused by the programs that read them.
    if (std::string(".x.stl.3mf").find(f.extension) != std::string::npos) {
      EXPECT_EQ(run.exitCode, 1) << f.extension;
      EXPECT_NE(run.err.find("cannot be empty"), std::string::npos) << run.err;
      EXPECT_FALSE(Exists(out));
      continue;
    }
    ASSERT_EQ(run.exitCode, 0) << f.extension << ": " << run.err;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(out, 0);
    // Assimp refuses some empty files as "no meshes"; the file must then still be well formed,
    // which the validators below check for the formats that have one.
    if (scene != nullptr) {
      unsigned faces = 0;
      for (unsigned i = 0; i < scene->mNumMeshes; ++i) faces += scene->mMeshes[i]->mNumFaces;
      EXPECT_EQ(faces, 0u) << f.extension;
    }
  }
}

TEST(ExportTest, OneThousandBlocksInSixteenCellsKeepEveryColour) {
  Scratch dir;
  std::vector<LayoutRecord> blocks;
  const std::int32_t colours[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
  for (int i = 0; i < 1000; ++i) blocks.push_back({i % 16, i / 16 % 16, i / 256, colours[i % 4]});
  const std::string layout = dir.Layout("big.kbs", 16, blocks);
  const Model m = Read(Export(dir, kFormats[0], layout, "big"), 10);
  // A box of 16 x 16 x 3 full layers plus a part layer of 232: its outer faces only.
  std::set<std::array<int, 3>> seen(m.faceColours.begin(), m.faceColours.end());
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_NEAR(m.max[1] - m.min[1], 160, 1e-3);
  EXPECT_NEAR(m.max[2] - m.min[2], 40, 1e-3);
}

// Colours whose blocks are all hidden inside others have no face, and once gave meshes without
// corners that crashed the .ply export (a heap corrupted by a double free).
TEST(ExportTest, ColoursHiddenInsideOtherBlocksExportToEveryFormat) {
  Scratch dir;
  std::vector<LayoutRecord> sixtyColours, everyCellItsColour;
  for (int i = 0; i < 125; ++i) sixtyColours.push_back({i % 5, i / 5 % 5, i / 25, (i % 60) * 997});
  for (int i = 0; i < 4096; ++i)
    everyCellItsColour.push_back({i % 16, i / 16 % 16, i / 256, i * 4097 & 0xFFFFFF});
  struct Case {
    std::string layout;
    int divide;
  } cases[] = {{dir.Layout("sixty.kbs", 5, sixtyColours), 5},
               {dir.Layout("cells.kbs", 16, everyCellItsColour), 16}};
  for (const Case& c : cases) {
    for (const FormatCase& f : kFormats) {
      SCOPED_TRACE(c.layout + " to " + f.extension);
      const Model m = Read(Export(dir, f, c.layout, "full"), f.unit);
      // A full cube of blocks shows its six outer sides only (3MF also the faces between colours).
      const size_t outer = 6u * c.divide * c.divide * (f.triangles ? 2 : 1);
      if (std::string(f.extension) == ".3mf") {
        EXPECT_GT(m.faces.size(), outer);
      } else {
        EXPECT_EQ(m.faces.size(), outer);
      }
      for (int a = 0; a < 3; ++a) EXPECT_NEAR(m.max[a] - m.min[a], c.divide * f.unit, 1e-3);
    }
  }
  for (const std::string& name : dir.Files())
    EXPECT_EQ(name.find(".kubisto-out"), std::string::npos) << name;
}

// --- Normals and colours as the files carry them ---

using Vec = std::array<double, 3>;

Vec Normalised(const Vec& a, const Vec& b, const Vec& c) {
  const Vec u = {b[0] - a[0], b[1] - a[1], b[2] - a[2]},
            v = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  Vec n = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
  const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  for (double& x : n) x /= length;
  return n;
}

void ExpectSameDirection(const Vec& given, const Vec& face, const std::string& where) {
  for (int a = 0; a < 3; ++a) EXPECT_NEAR(given[a], face[a], 1e-5) << where << " axis " << a;
}

// The layouts of these tests, blocks touching by faces, edges and corners among them.
std::vector<std::pair<std::string, std::vector<LayoutRecord>>> TestLayouts() {
  return {{"steps", Steps()},
          {"edge", {{0, 0, 0, 0x0000FF}, {1, 1, 0, 0x0000FF}}},
          {"corner", {{0, 0, 0, 0x0000FF}, {1, 1, 1, 0x00FF00}}},
          {"full", FullRoom(3)}};
}

TEST(ExportNormalsTest, EveryObjFaceCarriesItsOwnNormalAndSharesItsPositionsWithinItsSolid) {
  Scratch dir;
  for (const auto& [name, blocks] : TestLayouts()) {
    SCOPED_TRACE(name);
    const std::string text =
        ReadFile(Export(dir, kFormats[0], dir.Layout(name + ".kbs", 5, blocks), name));
    std::vector<Vec> positions, normals;
    std::set<Vec> distinct;
    size_t faces = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream in(line);
      std::string kind;
      in >> kind;
      if (kind == "v" || kind == "vn") {
        Vec p;
        in >> p[0] >> p[1] >> p[2];
        (kind == "v" ? positions : normals).push_back(p);
        if (kind == "v") distinct.insert(p);
      } else if (kind == "f") {
        std::vector<Vec> corners;
        std::vector<size_t> cornerNormals;
        for (std::string corner; in >> corner;) {
          // v//vn or v/vt/vn, indices from 1
          const auto first = corner.find('/'), last = corner.rfind('/');
          ASSERT_NE(first, std::string::npos) << "a face corner without its normal: " << line;
          corners.push_back(positions.at(std::stoul(corner.substr(0, first)) - 1));
          cornerNormals.push_back(std::stoul(corner.substr(last + 1)) - 1);
        }
        ASSERT_GE(corners.size(), 3u);
        const Vec face = Normalised(corners[0], corners[1], corners[2]);
        for (size_t n : cornerNormals) ExpectSameDirection(normals.at(n), face, line);
        ++faces;
      }
    }
    EXPECT_GT(faces, 0u);
    // Positions are shared, but for the corners where solids touch only along an edge (its two
    // ends) or at a corner: each solid has its own. (The steps' two purple blocks that touch
    // along an edge both touch the blue block between them: one solid.)
    const size_t apart = name == "edge" ? 2 : name == "corner" ? 1 : 0;
    EXPECT_EQ(positions.size(), distinct.size() + apart);
    EXPECT_LE(normals.size(), 6u) << "one normal per direction is enough";
  }
}

TEST(ExportNormalsTest, EveryStlFacetNormalIsItsTrianglesNormal) {
  Scratch dir;
  for (const auto& [name, blocks] : TestLayouts()) {
    SCOPED_TRACE(name);
    const std::string bytes =
        ReadFile(Export(dir, kFormats[2], dir.Layout(name + ".kbs", 5, blocks), name));
    ASSERT_GE(bytes.size(), 84u);
    std::uint32_t count = 0;
    std::memcpy(&count, bytes.data() + 80, 4);
    ASSERT_EQ(bytes.size(), 84u + 50u * count);
    for (std::uint32_t i = 0; i < count; ++i) {
      float v[12];
      std::memcpy(v, bytes.data() + 84 + 50 * i, sizeof v);
      const Vec normal = {v[0], v[1], v[2]};
      ExpectSameDirection(normal,
                          Normalised({v[3], v[4], v[5]}, {v[6], v[7], v[8]}, {v[9], v[10], v[11]}),
                          "facet " + std::to_string(i));
    }
  }
}

// The JSON of a .gltf, or of a .glb's first chunk.
std::string GltfJson(const std::string& path) {
  const std::string bytes = ReadFile(path);
  if (!path.ends_with(".glb")) return bytes;
  std::uint32_t length = 0;
  std::memcpy(&length, bytes.data() + 12, 4);
  return bytes.substr(20, length);
}

TEST(ExportColourTest, GltfBaseColoursAreLinear) {
  Scratch dir;
  // 0x00BBGGRR: red 0x80, green 0x40, blue 0x40, and one of the menu's pure colours.
  const std::string layout = dir.Layout("two.kbs", 4, {{0, 0, 0, 0x404080}, {2, 0, 0, 0x00FF00}});
  const auto linear = [](int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  for (const char* ext : {".gltf", ".glb"}) {
    const std::string json = GltfJson(Export(dir, {ext, 0.01f, false, true, true}, layout, "two"));
    std::set<std::vector<double>> factors;
    const std::regex factor(R"re("baseColorFactor"\s*:\s*\[([^\]]*)\])re");
    for (std::sregex_iterator it(json.begin(), json.end(), factor), end; it != end; ++it) {
      std::vector<double> rgba;
      std::istringstream in(std::regex_replace((*it)[1].str(), std::regex(","), " "));
      for (double x; in >> x;) rgba.push_back(x);
      ASSERT_EQ(rgba.size(), 4u) << json;
      factors.insert(rgba);
    }
    ASSERT_EQ(factors.size(), 2u) << ext << "\n" << json;
    const std::vector<double> expected[2] = {{linear(0x80), linear(0x40), linear(0x40), 1.0},
                                             {0.0, 1.0, 0.0, 1.0}};
    for (const auto& want : expected) {
      bool found = false;
      for (const auto& got : factors) {
        bool same = true;
        for (int i = 0; i < 4; ++i) same = same && std::abs(got[i] - want[i]) < 1e-4;
        found = found || same;
      }
      EXPECT_TRUE(found) << ext << ": no base colour " << want[0] << " " << want[1] << " "
                         << want[2];
    }
  }
}

// Each object of a 3MF package as corner indices and triangles.
std::vector<std::vector<std::array<unsigned, 3>>> PackageTriangles(const std::string& path) {
  int status = 0;
  const std::string xml = Capture("unzip -p '" + path + "' 3D/3dmodel.model", &status);
  EXPECT_EQ(status, 0);
  std::vector<std::vector<std::array<unsigned, 3>>> objects;
  const std::regex triangle(R"re(<triangle v1="(\d+)" v2="(\d+)" v3="(\d+)")re");
  for (size_t at = xml.find("<object "); at != std::string::npos;
       at = xml.find("<object ", at + 1)) {
    const std::string object = xml.substr(at, xml.find("</object>", at) - at);
    objects.emplace_back();
    for (std::sregex_iterator it(object.begin(), object.end(), triangle), end; it != end; ++it)
      objects.back().push_back({static_cast<unsigned>(std::stoul((*it)[1])),
                                static_cast<unsigned>(std::stoul((*it)[2])),
                                static_cast<unsigned>(std::stoul((*it)[3]))});
  }
  return objects;
}

// Every edge between two corners lies in exactly two faces, once in each direction.
void ExpectManifold(const std::vector<std::array<unsigned, 3>>& triangles,
                    const std::string& what) {
  std::map<std::pair<unsigned, unsigned>, int> sides;
  for (const auto& t : triangles)
    for (int i = 0; i < 3; ++i) ++sides[{t[i], t[(i + 1) % 3]}];
  for (const auto& [side, count] : sides) {
    EXPECT_EQ(count, 1) << what << ": an edge in more than two faces";
    EXPECT_EQ(sides.count({side.second, side.first}), 1u) << what << ": an edge in one face only";
  }
}

// The faces of an OBJ file as corner indices (fanned into triangles).
std::vector<std::array<unsigned, 3>> ObjTriangles(const std::string& path) {
  std::vector<std::array<unsigned, 3>> triangles;
  std::istringstream lines(ReadFile(path));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    std::string kind;
    in >> kind;
    if (kind != "f") continue;
    std::vector<unsigned> corners;
    for (std::string corner; in >> corner;) corners.push_back(std::stoul(corner));
    for (size_t i = 1; i + 1 < corners.size(); ++i)
      triangles.push_back({corners[0], corners[i], corners[i + 1]});
  }
  return triangles;
}

TEST(ExportManifoldTest, EveryEdgeOfEveryObjectLiesInExactlyTwoFaces) {
  Scratch dir;
  for (const auto& [name, blocks] : TestLayouts()) {
    const std::string layout = dir.Layout(name + ".kbs", 5, blocks);
    // The whole OBJ model, whose colours share their corners.
    ExpectManifold(ObjTriangles(Export(dir, kFormats[0], layout, name)), name + ".obj");
    const auto objects = PackageTriangles(Export(dir, kFormats[5], layout, name));
    EXPECT_FALSE(objects.empty());
    for (size_t i = 0; i < objects.size(); ++i)
      ExpectManifold(objects[i], name + ".3mf object " + std::to_string(i));
  }
  // Blocks of one colour touching along an edge: one mesh, two shells in the indexed PLY.
  const std::string edge = dir.Layout("edge.kbs", 5, TestLayouts()[1].second);
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(Export(dir, kFormats[1], edge, "edge"), 0);
  ASSERT_NE(scene, nullptr);
  ASSERT_EQ(scene->mNumMeshes, 1u);
  std::vector<std::array<unsigned, 3>> triangles;
  const aiMesh* mesh = scene->mMeshes[0];
  for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
    const aiFace& face = mesh->mFaces[f];
    for (unsigned i = 1; i + 1 < face.mNumIndices; ++i)
      triangles.push_back({face.mIndices[0], face.mIndices[i], face.mIndices[i + 1]});
  }
  ExpectManifold(triangles, "edge.ply");
  EXPECT_EQ(mesh->mNumVertices, 16u) << "two cubes of eight corners each";
  // glTF's writer joins equal corners within a mesh: each solid is a mesh of its own.
  for (const FormatCase& f : {kFormats[3], kFormats[4]}) {
    Assimp::Importer gltf;
    const aiScene* model = gltf.ReadFile(Export(dir, f, edge, "edge"), 0);
    ASSERT_NE(model, nullptr) << f.extension;
    unsigned corners = 0;
    for (unsigned m = 0; m < model->mNumMeshes; ++m) {
      std::vector<std::array<unsigned, 3>> solid;
      const aiMesh* part = model->mMeshes[m];
      for (unsigned k = 0; k < part->mNumFaces; ++k)
        solid.push_back({part->mFaces[k].mIndices[0], part->mFaces[k].mIndices[1],
                         part->mFaces[k].mIndices[2]});
      ExpectManifold(solid, std::string("edge") + f.extension);
      corners += part->mNumVertices;
    }
    EXPECT_EQ(corners, 16u) << f.extension;
  }
  // The engine's mesh file lists its corners once each: two cubes of eight.
  const std::string x = ReadFile(Export(dir, kFormats[6], edge, "edge"));
  const auto meshAt = x.find("Mesh {");
  ASSERT_NE(meshAt, std::string::npos) << x;
  EXPECT_EQ(std::atoi(x.c_str() + meshAt + 6), 16) << x.substr(meshAt, 40);
}

// --- Independent checks ---

// The Khronos validator, installed with npm into the build folder on first use.
std::string GltfValidatorScript() {
  const std::string root = std::string(KUBISTO_BIN_DIR) + "/../node";
  const std::string script = root + "/validate.js";
  if (!Exists(root + "/node_modules/gltf-validator")) {
    int status = 0;
    Capture("npm install --silent --no-audit --no-fund --prefix '" + root + "' gltf-validator 2>&1",
            &status);
    if (status != 0 || !Exists(root + "/node_modules/gltf-validator")) return "";
  }
  std::ofstream(script) << R"(const fs = require('fs'), path = require('path');
const validator = require(path.join(__dirname, 'node_modules', 'gltf-validator'));
const file = process.argv[2];
validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
  uri: file,
  externalResourceFunction: (uri) => Promise.resolve(new Uint8Array(fs.readFileSync(path.join(path.dirname(file), decodeURIComponent(uri))))),
}).then((r) => { console.log('errors ' + r.issues.numErrors + ' warnings ' + r.issues.numWarnings);
  for (const m of r.issues.messages) console.log(m.severity + ' ' + m.code + ' ' + m.message);
}).catch((e) => { console.log('failed ' + e); });
)";
  return script;
}

TEST(ExportValidatorTest, TheGltfValidatorFindsNoErrorsAndNoWarnings) {
  const std::string script = GltfValidatorScript();
  if (script.empty()) GTEST_SKIP() << "npm could not install gltf-validator";
  Scratch dir;
  std::vector<std::string> layouts = {dir.Layout("empty.kbs", 5, {})};
  for (const auto& [name, blocks] : TestLayouts())
    layouts.push_back(dir.Layout(name + ".kbs", 5, blocks));
  // A model name that is no plain URI: its buffer's name must be percent-encoded.
  for (const std::string name : {"model", "a#b c%d"}) {
    for (const std::string ext : {".gltf", ".glb"}) {
      for (const std::string& layout : layouts) {
        const std::string out = dir.Path(name + ext);
        ASSERT_EQ(RunKubisto({"--export", out, layout}).exitCode, 0);
        int status = 0;
        const std::string report = Capture("node '" + script + "' '" + out + "'", &status);
        EXPECT_EQ(report.rfind("errors 0 warnings 0", 0), 0u) << out << " " << layout << "\n"
                                                              << report;
      }
    }
  }
}

TEST(ExportValidatorTest, AdmeshFindsAClosedSolidInTheStl) {
  int status = 0;
  Capture("admesh --help >/dev/null 2>&1", &status);
  if (status != 0) GTEST_SKIP() << "admesh is not installed (scripts/setup.sh installs it)";
  Scratch dir;
  const std::string out = dir.Path("steps.stl");
  ASSERT_EQ(RunKubisto({"--export", out, dir.Layout("steps.kbs", 5, Steps())}).exitCode, 0);
  // Only the check, no repairs: what admesh would have to fix is what is wrong.
  const std::string report = Capture("admesh -n -u -d -v '" + out + "' 2>&1", &status);
  const auto value = [&](const std::string& label) {
    const auto at = report.find(label);
    if (at == std::string::npos) return std::string("missing");
    const auto colon = report.find(':', at);
    return report.substr(colon + 1, report.find('\n', colon) - colon - 1);
  };
  EXPECT_EQ(std::atof(value("Number of facets").c_str()), 2.0 * kStepsFaces) << report;
  EXPECT_EQ(std::atoi(value("Facets added").c_str()), 0) << report;
  EXPECT_EQ(std::atoi(value("Backwards edges").c_str()), 0) << report;
  EXPECT_EQ(std::atoi(value("Edges fixed").c_str()), 0) << report;
  EXPECT_EQ(std::atoi(value("Normals fixed").c_str()), 0) << report;
  EXPECT_NEAR(std::atof(value("Volume").c_str()), 5000.0, 1e-3) << report;
}

}  // namespace
}  // namespace kubisto::cli::test
