#include "engine/tests/support/room_scene.h"

#include <cmath>

#include "engine/face.h"
#include "engine/light.h"
#include "engine/texture.h"
#include "platform/services.h"
// Header-only measurements with no code behind them: the fixture builds the room the workroom
// builds without linking anything above the engine.
#include "workroom/room_geometry.h"

namespace engine::room {
namespace {

namespace geometry = kubisto::room;

constexpr float kSide = geometry::kWallSide;

// Builds a one-face wall from four corners of the unit cube (scaled to the wall side, then moved
// by half a side), textured corner to corner.
Ref<MeshBuilder> MakeWall(Engine& engine, const Vector (&corners)[4], Texture* texture) {
  Ref<MeshBuilder> b = engine.CreateMeshBuilder();
  for (const Vector& c : corners) b->AddVertex(c * kSide);
  b->Translate(Vector{-kSide / 2, -kSide / 2, -kSide / 2});
  int32_t normal = b->AddNormal(Vector{});
  b->AddFaceIndexed({{0, normal}, {1, normal}, {2, normal}, {3, normal}});
  b->GenerateNormals();
  if (texture) b->GetFace(0)->SetTexture(texture);
  const float uv[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  for (int i = 0; i < 4; ++i) b->SetTextureCoordinates(i, uv[i][0], uv[i][1]);
  b->SetPerspective(true);
  return b;
}

// A stand-in picture for a wall whose file is missing: a checkerboard in the wall's own tint.
Ref<Texture> PatternTexture(uint32_t tint) {
  const int n = 128;
  std::vector<Color> px(n * n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) px[y * n + x] = (((x / 16) + (y / 16)) & 1) ? tint : 0xFFF0F0F0u;
  return Ref<Texture>::Adopt(new Texture(n, n, std::move(px)));
}

// The integer nearest to v, halves to even.
int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

Room::~Room() {
  blocks.clear();
  cells.clear();
  viewport.reset();
  device.reset();
  room.reset();
  camera.reset();
  scene.reset();
  engine.reset();
  if (window) platform::DestroyWindow(window);
}

Picture TakePicture(Room& room) {
  const size_t n = static_cast<size_t>(room.device->GetWidth()) * room.device->GetHeight();
  const uint32_t* c = room.device->ColorBuffer();
  const float* d = room.device->DepthBuffer();
  return {{c, c + n}, {d, d + n}};
}

void Room::RenderFrame() {
  viewport->Clear();
  viewport->Render(scene.get());
  device->Update();
}

Vector CellCentre(int divide, int x, int y, int z) {
  const double h = geometry::HalfEdge(divide);
  return {static_cast<float>(geometry::CellCentre(x, h, geometry::kCellsStartX)),
          static_cast<float>(geometry::CellCentre(y, h, geometry::kCellsStartY)),
          static_cast<float>(geometry::CellCentre(z, h, geometry::kCellsStartZ))};
}

Ref<MeshBuilder> MakeSphere(Engine& engine, int n, float r) {
  const double P = 3.141592;
  const int m = RoundHalfEven(n / 2.0);
  Ref<MeshBuilder> b = engine.CreateMeshBuilder();
  b->AddVertex(Vector{0, r, 0});
  b->AddVertex(Vector{0, -r, 0});
  for (int i = 1; i <= m - 1; ++i) {
    float y = static_cast<float>(r * std::cos(i * P / m));
    float rho = static_cast<float>(r * std::sin(i * P / m));
    for (int j = 0; j < n; ++j)
      b->AddVertex(Vector{static_cast<float>(rho * std::cos(j * P / m)), y,
                          static_cast<float>(rho * std::sin(j * P / m))});
  }
  for (int v = 0; v < b->GetVertexCount(); ++v) b->AddNormal(Vector{});
  auto R = [n](int i, int j) { return 2 + (i - 1) * n + j; };
  auto face = [&](std::initializer_list<int> idx) {
    std::vector<FaceCorner> corners;
    for (int v : idx) corners.push_back({v, v});  // each vertex's own normal: smooth
    b->AddFaceIndexed(corners);
  };
  for (int j = 0; j < n; ++j) face({0, R(1, (j + 1) % n), R(1, j)});
  for (int k = 1; k <= m - 2; ++k)
    for (int l = 0; l < n; ++l) {
      int l2 = (l + 1) % n;
      face({R(k + 1, l), R(k, l), R(k, l2), R(k + 1, l2)});
    }
  for (int t = 0; t < n; ++t) face({R(m - 1, t), R(m - 1, (t + 1) % n), 1});
  b->GenerateNormals();
  return b;
}

Ref<MeshBuilder> MakeBox(Engine& engine, float a, float bb, float c) {
  Ref<MeshBuilder> b = engine.CreateMeshBuilder();
  const Vector v[8] = {{a, bb, -c}, {a, -bb, -c}, {-a, -bb, -c}, {-a, bb, -c},
                       {a, bb, c},  {a, -bb, c},  {-a, -bb, c},  {-a, bb, c}};
  for (const Vector& p : v) b->AddVertex(p);
  const int faces[6][4] = {{0, 1, 2, 3}, {3, 2, 6, 7}, {7, 6, 5, 4},
                           {4, 5, 1, 0}, {0, 3, 7, 4}, {1, 5, 6, 2}};
  for (const auto& f : faces) {
    int32_t normal = b->AddNormal(Vector{});  // one of its own: the face comes out flat
    b->AddFaceIndexed({{f[0], normal}, {f[1], normal}, {f[2], normal}, {f[3], normal}});
  }
  b->GenerateNormals();
  return b;
}

std::unique_ptr<Room> BuildRoom(int width, int height, const std::string& wallsDir, int divide) {
  auto r = std::make_unique<Room>();
  r->divide = divide;
  r->window = platform::CreateWindow(width, height);
  if (!r->window) return nullptr;
  r->engine = Engine::Create();
  Engine& e = *r->engine;

  // Device and viewport as the bridge sets them up.
  r->scene = e.CreateFrame(nullptr);
  r->camera = e.CreateFrame(r->scene.get());
  Ref<Clipper> clipper = CreateClipper(r->window);
  r->device = CreateDeviceFromClipper(&e, clipper.get(), nullptr, width, height);
  if (!r->device) return nullptr;
  r->viewport = CreateViewport(&e, r->device.get(), r->camera.get(), 0, 0, width, height);
  if (!r->viewport) return nullptr;
  r->viewport->SetBack(5000.0f);
  r->device->SetQuality(kQualityGouraud);
  r->device->SetShades(256);
  e.SetDefaultTextureColors(64);
  e.SetDefaultTextureShades(256);

  // Lights.
  r->scene->AddLight(e.CreateLightRGB(kLightAmbient, 0.4f, 0.4f, 0.4f).get());
  Ref<Frame> light1 = e.CreateFrame(r->scene.get());
  light1->AddLight(e.CreateLightRGB(kLightDirectional, 0.8f, 0.8f, 0.8f).get());
  light1->SetOrientation(nullptr, Vector{-1, -1, 1}, Vector{0, 1, 0});
  Ref<Frame> light2 = e.CreateFrame(r->scene.get());
  light2->AddLight(e.CreateLightRGB(kLightDirectional, 0.6f, 0.6f, 0.6f).get());
  light2->SetOrientation(nullptr, Vector{1, 1, 1}, Vector{0, 1, 0});

  // Room frame: its +z points toward the camera.
  r->room = e.CreateFrame(r->scene.get());
  r->room->SetPosition(nullptr, Vector{-kSide / 2, -kSide / 2, -kSide / 2});
  r->room->SetOrientation(nullptr, Vector{0, 0, -1}, Vector{0, 1, 0});

  struct WallSpec {
    const char* file;
    Vector corners[4];
    uint32_t tint;
  };
  const WallSpec walls[6] = {
      {"kita.bmp", {{0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {1, 0, 1}}, 0xFF4060C0u},
      {"nishi.bmp", {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}, 0xFF40A040u},
      {"higashi.bmp", {{1, 0, 1}, {1, 1, 1}, {1, 1, 0}, {1, 0, 0}}, 0xFFC0A040u},
      {"ten.bmp", {{0, 1, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}}, 0xFF80C0E0u},
      {"ti.bmp", {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}, 0xFF806040u},
      {"minami.bmp", {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}}, 0xFFC06080u},
  };
  r->device->SetTextureQuality(3);
  for (const WallSpec& w : walls) {
    Ref<Texture> tex;
    if (!wallsDir.empty()) tex = e.LoadTexture(wallsDir + "/" + w.file);
    if (!tex) tex = PatternTexture(w.tint);
    Ref<MeshBuilder> wall = MakeWall(e, w.corners, tex.get());
    r->room->AddVisual(wall.get());
  }
  r->camera->SetPosition(nullptr, Vector{-kSide / 2, -kSide / 2, -1120});
  r->camera->SetOrientation(nullptr, Vector{0, 0, 1}, Vector{0, 1, 0});

  // Table: a slab whose top lies at the floor of the lowest cells.
  Ref<MeshBuilder> table =
      MakeBox(e, geometry::kTableHalfWidth, geometry::kTableHalfHeight, geometry::kTableHalfWidth);
  table->SetColor(CreateColorRGB(0.6f, 0.2f, 0.0f));
  table->Translate(Vector{0, -geometry::kTableHalfHeight, 0});
  table->Translate(Vector{0, static_cast<float>(geometry::kTableTop), 0});
  r->room->AddVisual(table.get());

  // Cell frames with their marker spheres; the spawn cell's is green. As in the workroom, the
  // first sphere is copied into the builders of the others.
  Ref<MeshBuilder> first;
  for (int x = 0; x < divide; ++x)
    for (int y = 0; y < divide; ++y)
      for (int z = 0; z < divide; ++z) {
        Ref<MeshBuilder> sphere;
        if (first) {
          sphere = e.CreateMeshBuilder();
          sphere->AddMeshBuilder(first.get());
        } else {
          sphere = first = MakeSphere(e, geometry::kMarkerSegments, geometry::kMarkerRadius);
        }
        bool spawn = x == divide - 1 && y == divide - 1 && z == divide - 1;
        sphere->SetColor(spawn ? CreateColorRGB(0, 1, 0) : CreateColorRGB(1, 0, 0));
        Ref<Frame> cell = e.CreateFrame(r->scene.get());
        cell->AddVisual(sphere.get());
        r->room->AddChild(cell.get());
        cell->SetPosition(r->room.get(), CellCentre(divide, x, y, z));
        r->cells.push_back(cell);
      }
  return r;
}

void AddBlock(Room& room, int x, int y, int z, Color c) {
  const auto half = static_cast<float>(geometry::HalfEdge(room.divide));
  Ref<MeshBuilder> cube = MakeBox(*room.engine, half, half, half);
  cube->SetColor(c);
  room.Cell(x, y, z)->AddVisual(cube.get());
  room.blocks.push_back(cube);
}

}  // namespace engine::room
