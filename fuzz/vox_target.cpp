// The .vox reader on any bytes: it either throws std::runtime_error or gives a layout of at most
// 16 cells a side whose blocks all lie in the room. Written back as .vox, that layout reads again
// as itself, less the repeats of a cell the writer leaves out.
#include <set>
#include <stdexcept>
#include <string_view>
#include <tuple>

#include "fuzz/targets.h"
#include "workroom/vox_file.h"

namespace kubisto::fuzz {

int VoxFileTarget(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  VoxModel model;
  try {
    model = ParseVox(bytes);
  } catch (const std::runtime_error&) {
    return 0;
  }
  const Layout& layout = model.layout;
  FUZZ_CHECK(model.models >= 1);
  FUZZ_CHECK(layout.divide >= 1 && layout.divide <= kMaxLayoutDivide);
  std::vector<LayoutRecord> once;
  std::set<std::tuple<int32_t, int32_t, int32_t>> seen;
  for (const LayoutRecord& r : layout.records) {
    FUZZ_CHECK(r.x >= 0 && r.x < layout.divide);
    FUZZ_CHECK(r.y >= 0 && r.y < layout.divide);
    FUZZ_CHECK(r.z >= 0 && r.z < layout.divide);
    FUZZ_CHECK((r.color & ~0xFFFFFF) == 0);
    if (seen.insert({r.x, r.y, r.z}).second) once.push_back(r);
  }
  const std::string written = FormatVox(layout);  // at most 255 colours: never refused
  const VoxModel again = ParseVox(written);
  FUZZ_CHECK(again.models == 1);
  FUZZ_CHECK(again.layout.divide == layout.divide);
  FUZZ_CHECK(again.layout.records == once);
  return 0;
}

}  // namespace kubisto::fuzz

KUBISTO_FUZZ_ENTRY(kubisto::fuzz::VoxFileTarget)
