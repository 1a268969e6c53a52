#include "output/render_blocks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "output/output_error.h"
#include "platform/window.h"
#include "scene/direct3drm.h"
#include "scene/frame.h"
#include "scene/light.h"
#include "scene/mesh_builder.h"
#include "scene/vantrel_declare.h"
#include "workroom/room_geometry.h"

namespace kubisto::output {
namespace {

using Vec = std::array<double, 3>;

constexpr std::int32_t kAmbientLight = 0;
constexpr std::int32_t kDirectionalLight = 3;
// From the camera towards what it looks at: from the front right, above.
constexpr Vec kLook = {-1.0, -0.9, 1.0};
// The share of the picture's shorter half the blocks may fill.
constexpr double kFill = 0.92;

Vec Normalised(const Vec& v) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  return {v[0] / length, v[1] / length, v[2] / length};
}
Vec Cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The room's lights, background and table.
void SetUpRoom(Direct3DRM& rm, const FramePtr& scene) {
  scene->AddObject(rm.CreateLightRGB(kAmbientLight, 0.4f, 0.4f, 0.4f));
  for (const auto& [level, dx, dy, dz] :
       {std::array<float, 4>{0.8f, -1, -1, 1}, std::array<float, 4>{0.6f, 1, 1, 1}}) {
    FramePtr frame = rm.CreateFrame(scene);
    frame->AddObject(rm.CreateLightRGB(kDirectionalLight, level, level, level));
    frame->SetOrientation(dx, dy, dz, 0, 1, 0);
  }
  rm.BackColor(vantrel::d3dRGB(0.85f, 0.85f, 0.82f));
  MeshBuilderPtr table = rm.CreateMeshBuilder();
  table->Cube(room::kTableHalfWidth, room::kTableHalfHeight, room::kTableHalfWidth);
  table->Color(vantrel::d3dRGB(0.6f, 0.2f, 0.0f));
  table->Translate(0, static_cast<float>(room::kTableTop) - room::kTableHalfHeight, 0);
  scene->AddObject(table);
}

// The box that the drawn blocks fill (lo above hi when none is drawn).
struct Box {
  Vec lo = {1e9, 1e9, 1e9}, hi = {-1e9, -1e9, -1e9};
};

// The blocks that can be seen, in the room's place: cell x grows to the left of the front view,
// z towards the viewer (the camera looks along +z).
Box AddBlocks(Direct3DRM& rm, const FramePtr& scene, const Layout& layout) {
  const std::int32_t n = layout.divide;
  const double h = room::HalfEdge(n);
  Box box;
  const auto cellOf = [n](int x, int y, int z) { return (static_cast<size_t>(x) * n + y) * n + z; };
  const auto inRoom = [n](int x, int y, int z) {
    return x >= 0 && y >= 0 && z >= 0 && x < n && y < n && z < n;
  };
  std::vector<const LayoutRecord*> shown(static_cast<size_t>(n) * n * n, nullptr);
  for (const LayoutRecord& r : layout.records) {
    if (inRoom(r.x, r.y, r.z) && shown[cellOf(r.x, r.y, r.z)] == nullptr)
      shown[cellOf(r.x, r.y, r.z)] = &r;
  }
  for (const LayoutRecord* block : shown) {
    if (block == nullptr) continue;
    const LayoutRecord& r = *block;
    // A block with a block on every side cannot be seen: it is not drawn (nor waited for).
    bool hidden = true;
    for (const auto& [dx, dy, dz] :
         {std::array<int, 3>{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}) {
      const int x = r.x + dx, y = r.y + dy, z = r.z + dz;
      hidden = hidden && inRoom(x, y, z) && shown[cellOf(x, y, z)] != nullptr;
    }
    if (hidden) continue;
    const Vec centre = {-room::CellCentre(r.x, h, room::kCellsStartX),
                        room::CellCentre(r.y, h, room::kCellsStartY),
                        -room::CellCentre(r.z, h, room::kCellsStartZ)};
    MeshBuilderPtr cube = rm.CreateMeshBuilder();
    cube->Cube(static_cast<float>(h));
    cube->Color(vantrel::d3dVBColor(r.color));
    FramePtr frame = rm.CreateFrame(scene);
    frame->AddObject(cube);
    frame->SetPosition(static_cast<float>(centre[0]), static_cast<float>(centre[1]),
                       static_cast<float>(centre[2]));
    for (int a = 0; a < 3; ++a) {
      box.lo[a] = std::min(box.lo[a], centre[a] - h);
      box.hi[a] = std::max(box.hi[a], centre[a] + h);
    }
  }
  return box;
}

// The camera looks at the box's centre from the distance at which every corner fits.
void PlaceCamera(Direct3DRM& rm, const Box& box, int width, int height) {
  const Vec& lo = box.lo;
  const Vec& hi = box.hi;
  const Vec look = Normalised(kLook);
  const Vec right = Normalised(Cross({0, 1, 0}, look));
  const Vec up = Cross(look, right);
  const Vec centre = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
  const double shorter = std::min(width, height);
  const double slopeX = kFill * rm.Field() / rm.Front() * width / shorter;
  const double slopeY = kFill * rm.Field() / rm.Front() * height / shorter;
  double distance = 0;
  for (int corner = 0; corner < 8; ++corner) {
    const Vec p = {(corner & 1 ? hi : lo)[0] - centre[0], (corner & 2 ? hi : lo)[1] - centre[1],
                   (corner & 4 ? hi : lo)[2] - centre[2]};
    const double depth = Dot(p, look);
    distance = std::max({distance, std::abs(Dot(p, right)) / slopeX - depth,
                         std::abs(Dot(p, up)) / slopeY - depth});
  }
  FramePtr camera = rm.Camera();
  camera->SetPosition(static_cast<float>(centre[0] - look[0] * distance),
                      static_cast<float>(centre[1] - look[1] * distance),
                      static_cast<float>(centre[2] - look[2] * distance));
  camera->SetOrientation(static_cast<float>(look[0]), static_cast<float>(look[1]),
                         static_cast<float>(look[2]), 0, 1, 0);
}

}  // namespace

Picture RenderBlocks(const Layout& layout, int width, int height) {
  const platform::ScopedWindow window = ViewWindow(width, height);
  Picture picture;
  Direct3DRM rm;
  if (!rm.Init(window.get())) throw OutputError("the engine could not be set up");
  {
    FramePtr scene = rm.Scene();
    SetUpRoom(rm, scene);
    Box box = AddBlocks(rm, scene, layout);
    if (box.lo[0] > box.hi[0]) {  // no block: the table
      box.lo = {-room::kHalfSpan, room::kTableTop - 2 * room::kTableHalfHeight, -room::kHalfSpan};
      box.hi = {room::kHalfSpan, room::kTableTop, room::kHalfSpan};
    }
    PlaceCamera(rm, box, width, height);
    rm.Render();
    if (!platform::ReadFramebuffer(window.get(), picture.pixels, &picture.width, &picture.height))
      throw OutputError("the view could not be read");
  }
  rm.Quit();
  return picture;
}

}  // namespace kubisto::output
