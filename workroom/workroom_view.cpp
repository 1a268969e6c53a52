// Fixed viewpoints, picking blocks with the mouse, and copying the view to the clipboard.
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "platform/picture.h"
#include "scene/direct3drm.h"
#include "scene/frame.h"
#include "scene/mesh_builder.h"
#include "scene/pick.h"
#include "scene/services.h"
#include "workroom/room_commands.h"
#include "workroom/room_geometry.h"
#include "workroom/steps.h"
#include "workroom/workroom.h"

namespace kubisto {
namespace {

// Rounds a mouse coordinate to whole pixels (halves to even); false when it has no pixel.
bool ToPixel(float value, std::int32_t& pixel) {
  const double rounded = std::nearbyint(static_cast<double>(value));
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    return false;
  }
  pixel = static_cast<std::int32_t>(rounded);
  return true;
}

}  // namespace

void CWorkRoom::SetView(const std::string& View) {
  const int view = commands::NameIndex(commands::Arg::kView, View);
  using commands::ViewName;
  float dir[3] = {0, 0, 0};
  float up[3] = {0, 0, 0};
  TryStep([&] { Need(m_frmRoom).GetOrientation(dir, up); });
  const auto set = [&](float dx, float dy, float dz, float ux, float uy, float uz) {
    dir[0] = dx, dir[1] = dy, dir[2] = dz;
    up[0] = ux, up[1] = uy, up[2] = uz;
  };
  if (view == static_cast<int>(ViewName::kFront)) {
    set(0, 0, -1, 0, 1, 0);
  } else if (view == static_cast<int>(ViewName::kTop)) {
    set(0, -1, 0, 0, 0, -1);
  } else if (view == static_cast<int>(ViewName::kSide)) {
    set(-1, 0, 0, 0, 1, 0);
  } else if (view == static_cast<int>(ViewName::kBird)) {
    const double root2 = std::sqrt(2.0);
    set(static_cast<float>(1 / root2), -0.5f, -0.5f, 0, static_cast<float>(1 / root2),
        static_cast<float>(-1 / root2));
  }
  TryStep([&] { Need(m_frmRoom).SetOrientation(dir[0], dir[1], dir[2], up[0], up[1], up[2]); });
  TryStep([&] { Render(); });
  TryStep([&] { PlayMoveSound(); });
}

void CWorkRoom::ViewPicked(float x, float Y) {
  const auto notPicked = [&] {
    TryStep([&] { RaiseBlockPicked(false, 0, 0, 0); });
    ClearCurrentBlock();
  };

  std::int32_t px = 0, py = 0;
  PickPtr pick;
  if (ToPixel(x, px) && ToPixel(Y, py)) TryStep([&] { pick = m_objD3dRM->Pick(px, py); });
  std::int32_t count = 0;
  TryStep([&] { count = Need(pick).PickedCount(); });
  if (count <= 0) return notPicked();

  MeshBuilderPtr mesh;
  TryStep([&] { mesh = std::dynamic_pointer_cast<MeshBuilder>(Need(pick).PickedObject(0)); });
  if (!mesh) return ClearCurrentBlock();  // not a mesh builder: no event

  float box[6] = {0, 0, 0, 0, 0, 0};
  TryStep([&] { mesh->GetBox(box); });
  const float width = box[3] - box[0];
  if (width == room::kWallWidth) return notPicked();    // a wall spanning the room
  if (width == room::kMarkerWidth) return notPicked();  // a cell marker
  if (width != room::BlockWidth(m_lngDivide)) return ClearCurrentBlock();  // table, side walls

  float p[3] = {0, 0, 0};
  TryStep([&] { Need(Need(pick).PickedFrame(0)).GetPosition(p); });
  const std::int32_t n = m_lngDivide;
  for (std::int32_t cx = 0; cx < n; ++cx) {
    for (std::int32_t cy = 0; cy < n; ++cy) {
      for (std::int32_t cz = 0; cz < n; ++cz) {
        bool match = false;
        TryStep([&] {
          if (!m_bBlock(cx, cy, cz)) return;
          float q[3] = {0, 0, 0};
          Need(m_frmBlock(cx, cy, cz)).GetPosition(q);
          match = q[0] == p[0] && q[1] == p[1] && q[2] == p[2];
        });
        if (!match) continue;
        TryStep([&] { RaiseBlockPicked(true, cx, cy, cz); });
        m_vecCurrentBlock = {static_cast<float>(cx), static_cast<float>(cy),
                             static_cast<float>(cz)};
        TryStep([&] { PlayPickSound(); });
        return;
      }
    }
  }
  notPicked();
}

bool CWorkRoom::SelectBlock(std::int32_t x, std::int32_t Y, std::int32_t Z) {
  bool occupied = false;
  if (MinOf3(x, Y, Z) >= 0 && MaxOf3(x, Y, Z) < m_lngDivide)
    TryStep([&] { occupied = m_bBlock(x, Y, Z); });
  if (!occupied) {
    TryStep([&] { RaiseBlockPicked(false, 0, 0, 0); });
    ClearCurrentBlock();
    return false;
  }
  TryStep([&] { RaiseBlockPicked(true, x, Y, Z); });
  m_vecCurrentBlock = {static_cast<float>(x), static_cast<float>(Y), static_cast<float>(Z)};
  TryStep([&] { PlayPickSound(); });
  return true;
}

void CWorkRoom::CopyToClipBoard() {
  PicturePtr picture = m_objD3dRM->Image();
  if (!picture) {
    throw std::runtime_error("CopyToClipBoard: there is no picture of the room to copy");
  }
  if (!services().SetClipboardPicture(*picture)) {
    throw std::runtime_error("CopyToClipBoard: the clipboard did not take the picture");
  }
}

}  // namespace kubisto
