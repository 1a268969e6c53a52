#include "tests/support/room_access.h"

#include <cmath>
#include <sstream>

#include "scene/vantrel_declare.h"

namespace kubisto::testing {

std::string SceneDisagreement(CWorkRoom& room) {
  std::ostringstream fault;
  const int divide = room.Divide();
  const auto& frames = CWorkRoomTestAccess::Frames(room);
  const auto& occupied = CWorkRoomTestAccess::Occupied(room);
  const auto& colors = CWorkRoomTestAccess::Colors(room);
  if (frames.Upper() != divide || occupied.Upper() != divide || colors.Upper() != divide) {
    fault << "grid bounds " << frames.Upper() << "/" << occupied.Upper() << "/" << colors.Upper()
          << " for Divide " << divide << "; ";
    return fault.str();
  }
  const float blockWidth = static_cast<float>(2 * (120.0 / divide));
  const float markerWidth = static_cast<float>(2 * (120.0 / 40));
  for (int z = 0; z <= divide; ++z) {
    for (int y = 0; y <= divide; ++y) {
      for (int x = 0; x <= divide; ++x) {
        const bool playable = x < divide && y < divide && z < divide;
        if (!playable) {
          if (occupied(x, y, z)) fault << "(" << x << "," << y << "," << z << ") occupied; ";
          continue;
        }
        const FramePtr& cell = frames(x, y, z);
        if (!cell) {
          fault << "no frame at (" << x << "," << y << "," << z << "); ";
          continue;
        }
        int markers = 0, blocks = 0, others = 0;
        std::int32_t blockColor = 0;
        const int count = cell->VisualCount();
        for (int i = 0; i < count; ++i) {
          auto mb = std::dynamic_pointer_cast<MeshBuilder>(cell->Visual(i));
          if (!mb) {
            ++others;
            continue;
          }
          float box[6] = {};
          mb->GetBox(box);
          const float width = box[3] - box[0];
          // The sphere's rings miss x = ±r: its box is about 5.7 wide, not quite 6.
          if (std::fabs(width - markerWidth) < 0.5f) {
            ++markers;
          } else if (width == blockWidth) {
            ++blocks;
            if (mb->FaceCount() > 0) blockColor = mb->Face(0)->Color();
          } else {
            ++others;
          }
        }
        const int wantBlocks = occupied(x, y, z) ? 1 : 0;
        if (markers != 1 || blocks != wantBlocks || others != 0) {
          fault << "(" << x << "," << y << "," << z << ") holds " << markers << " marker(s), "
                << blocks << " block(s), " << others << " other(s), occupied " << wantBlocks
                << "; ";
        } else if (wantBlocks == 1 && blockColor != vantrel::d3dVBColor(colors(x, y, z))) {
          fault << "(" << x << "," << y << "," << z << ") block colour " << std::hex << blockColor
                << " for " << colors(x, y, z) << std::dec << "; ";
        }
      }
    }
  }
  const std::string text = fault.str();
  if (text.size() > 600) return text.substr(0, 600) + "...";
  if (!text.empty()) return text;
  const CurrentCell c = Current(room);
  if (!(c == CurrentCell{})) {
    const bool inside =
        c.x >= 0 && c.y >= 0 && c.z >= 0 && c.x < divide && c.y < divide && c.z < divide;
    if (!inside || !occupied(c.x, c.y, c.z)) {
      fault << "current block (" << c.x << "," << c.y << "," << c.z
            << ") is not an occupied cell; ";
    }
  }
  return fault.str();
}

}  // namespace kubisto::testing
