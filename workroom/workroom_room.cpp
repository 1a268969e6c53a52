// Building the room: the engine on the drawing window, lights and camera, the room frame with six
// textured walls, the table, and one frame with a marker sphere per cell.
#include <array>
#include <cstdint>
#include <vector>

#include "scene/direct3drm.h"
#include "scene/face.h"
#include "scene/frame.h"
#include "scene/light.h"
#include "scene/mesh_builder.h"
#include "scene/services.h"
#include "scene/texture.h"
#include "scene/vantrel_declare.h"
#include "workroom/room_geometry.h"
#include "workroom/steps.h"
#include "workroom/workroom.h"

namespace kubisto {
namespace {

constexpr std::int32_t kAmbientLight = 0;
constexpr std::int32_t kDirectionalLight = 3;

// Each wall is a square of four corners of the unit cube, scaled to room::kWallSide and then
// moved by half a side on every axis, so that the walls surround the room frame's origin.
struct Wall {
  const char* bitmap;  // relative to the current directory
  std::array<std::array<float, 3>, 4> corners;
};

// In the order in which they are built: north, west, east, ceiling, floor, south.
constexpr std::array<Wall, 6> kWalls = {{
    {".\\walls\\kita.bmp", {{{0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {1, 0, 1}}}},
    {".\\walls\\nishi.bmp", {{{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}}},
    {".\\walls\\higashi.bmp", {{{1, 0, 1}, {1, 1, 1}, {1, 1, 0}, {1, 0, 0}}}},
    {".\\walls\\ten.bmp", {{{0, 1, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}}}},
    {".\\walls\\ti.bmp", {{{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}}},
    {".\\walls\\minami.bmp", {{{1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}}}},
}};

// Texture coordinates of corners 0..3.
constexpr std::array<std::array<float, 2>, 4> kWallUV = {{{0, 0}, {0, 1}, {1, 1}, {1, 0}}};

}  // namespace

void CWorkRoom::HandleOfPictureBoxForD3dIO(std::uint32_t NewValue) {
  m_hWndView = NewValue;
  if (m_objD3dRM->Init(NewValue)) {
    InitView();
    CreateWalls();
    CreateTable();
    SetBlockFrames();
  } else {
    services().MessageBox("Direct3Dの初期化に失敗しました。終了します", vbOKOnly,
                          services().AppTitle());
    services().EndProgram();
  }
  Render();
}

void CWorkRoom::ResetDivide(bool render) {
  // Without a window there is no room yet: it is built for the current count when the window
  // comes, so there is nothing to rebuild (and no engine to end the program over).
  if (m_hWndView == 0) return;
  bool ok = false;
  TryStep([&] { ok = m_objD3dRM->Init(m_hWndView); });  // shuts the old engine and room down
  if (!ok) services().EndProgram();
  InitView();
  CreateWalls();
  CreateTable();
  SetBlockFrames();
  if (render) TryStep([&] { Render(); });
}

void CWorkRoom::InitView() {
  // Every failing step is told to the user, and construction goes on.
  const auto step = [](auto&& f) {
    if (!TryStep(f)) {
      services().MessageBox("CWorkRoom: -InitView...Error Trapped!! Resume Now!", vbOKOnly,
                            services().AppTitle());
    }
  };
  Direct3DRM& rm = *m_objD3dRM;

  LightPtr ambient;
  step([&] { ambient = rm.CreateLightRGB(kAmbientLight, 0.4f, 0.4f, 0.4f); });
  step([&] { Need(rm.Scene()).AddObject(Present(ambient)); });

  FramePtr lightFrame1;
  LightPtr light1;
  step([&] { lightFrame1 = rm.CreateFrame(); });
  step([&] { light1 = rm.CreateLightRGB(kDirectionalLight, 0.8f, 0.8f, 0.8f); });
  step([&] { Need(lightFrame1).AddObject(Present(light1)); });
  step([&] { Need(lightFrame1).SetOrientation(-1, -1, 1, 0, 1, 0); });

  FramePtr lightFrame2;
  LightPtr light2;
  step([&] { lightFrame2 = rm.CreateFrame(); });
  step([&] { light2 = rm.CreateLightRGB(kDirectionalLight, 0.6f, 0.6f, 0.6f); });
  step([&] { Need(lightFrame2).AddObject(Present(light2)); });
  step([&] { Need(lightFrame2).SetOrientation(1, 1, 1, 0, 1, 0); });

  // Provisional placements; CreateWalls moves the camera and the room afterwards.
  step([&] { Need(rm.Camera()).SetPosition(0, 0, -120); });
  step([&] { Need(rm.Camera()).SetOrientation(0, 0, 1, 0, 1, 0); });
  step([&] { m_frmRoom = rm.CreateFrame(); });
  step([&] { Need(m_frmRoom).SetPosition(0, 0, 0); });
  step([&] { Need(m_frmRoom).SetOrientation(0, 0, -1, 0, 1, 0); });
  step([&] { Render(); });
}

void CWorkRoom::CreateWalls() {
  Direct3DRM& rm = *m_objD3dRM;
  const float side = room::kWallSide;
  const float half = side / 2;
  TryStep([&] { Need(m_frmRoom).SetPosition(-half, -half, -half); });

  std::array<MeshBuilderPtr, kWalls.size()> meshes;
  for (std::size_t w = 0; w < kWalls.size(); ++w) {
    const Wall& wall = kWalls[w];
    MeshBuilderPtr& mb = meshes[w];
    TryStep([&] { mb = rm.CreateMeshBuilder(); });
    for (const auto& c : wall.corners) {
      TryStep([&] { Need(mb).AddVertex(c[0] * side, c[1] * side, c[2] * side); });
    }
    TryStep([&] { Need(mb).Translate(-half, -half, -half); });
    TryStep([&] { Need(mb).AddFace({0, 1, 2, 3}); });
    TryStep([&] { Need(mb).GenerateNormals(); });
    TexturePtr texture;
    TryStep([&] { texture = rm.LoadTexture(wall.bitmap); });
    TryStep([&] { Need(Need(mb).Face(0)).Texture(texture); });
    for (int v = 0; v < 4; ++v) {
      TryStep(
          [&] { Need(Need(mb).Face(0)).SetTextureCoordinates(v, kWallUV[v][0], kWallUV[v][1]); });
    }
  }
  TryStep([&] { rm.TextureQuality(3); });
  for (const MeshBuilderPtr& mb : meshes) {
    TryStep([&] { Need(mb).Perspective(true); });
    TryStep([&] { Need(m_frmRoom).AddObject(Present(mb)); });
  }
  TryStep([&] { Need(rm.Camera()).SetPosition(-half, -half, -1120); });
  TryStep([&] { Need(rm.Camera()).SetOrientation(0, 0, 1, 0, 1, 0); });
}

void CWorkRoom::CreateTable() {
  // A slab 240 wide and deep, 24 high, whose top lies at -60: the floor of the lowest cells.
  MeshBuilderPtr mb;
  TryStep([&] { mb = m_objD3dRM->CreateMeshBuilder(); });
  TryStep(
      [&] { Need(mb).Cube(room::kTableHalfWidth, room::kTableHalfHeight, room::kTableHalfWidth); });
  TryStep([&] { Need(mb).Color(vantrel::d3dRGB(0.6f, 0.2f, 0.0f)); });
  TryStep([&] { Need(mb).Translate(0, -room::kTableHalfHeight, 0); });
  TryStep([&] { Need(mb).Translate(0, static_cast<float>(room::kTableTop), 0); });
  TryStep([&] { Need(m_frmRoom).AddObject(Present(mb)); });
}

void CWorkRoom::SetBlockFrames() {
  const std::int32_t n = m_lngDivide;
  const double h = HalfEdge();
  // Every marker is the same sphere: the first that is made whole is copied into the builders
  // after it, the same builder as Sphere makes in a hundredth of the calls into the engine (a
  // room of 16 cells a side has 4,096 markers).
  MeshBuilderPtr sphere;
  for (std::int32_t x = 0; x < n; ++x) {
    for (std::int32_t y = 0; y < n; ++y) {
      for (std::int32_t z = 0; z < n; ++z) {
        const double cx = room::CellCentre(x, h, room::kCellsStartX);
        const double cy = room::CellCentre(y, h, room::kCellsStartY);
        const double cz = room::CellCentre(z, h, room::kCellsStartZ);
        const bool spawn = x == n - 1 && y == n - 1 && z == n - 1;
        MeshBuilderPtr marker;
        TryStep([&] { marker = m_objD3dRM->CreateMeshBuilder(); });
        if (sphere) {
          TryStep([&] { Need(marker).AddObject(sphere); });
        } else if (TryStep(
                       [&] { Need(marker).Sphere(room::kMarkerSegments, room::kMarkerRadius); })) {
          sphere = marker;
        }
        TryStep([&] {
          Need(marker).Color(spawn ? vantrel::d3dVBColor(0xFF00)
                                   : vantrel::d3dRGB(1.0f, 0.0f, 0.0f));
        });
        TryStep([&] { m_frmBlock(x, y, z) = m_objD3dRM->CreateFrame(); });
        TryStep([&] { Need(m_frmBlock(x, y, z)).AddObject(Present(marker)); });
        TryStep([&] { Need(m_frmRoom).AddChild(Present(m_frmBlock(x, y, z))); });
        TryStep([&] {
          Need(m_frmBlock(x, y, z))
              .SetPosition(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(cz),
                           m_frmRoom);
        });
      }
    }
  }
}

}  // namespace kubisto
