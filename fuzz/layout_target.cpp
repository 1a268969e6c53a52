// The layout file reader on any bytes: it either throws std::runtime_error or returns a layout that
// satisfies its own checks, and writing that layout back gives bytes that read to the same layout.
#include <stdexcept>
#include <string>
#include <string_view>

#include "fuzz/targets.h"
#include "workroom/layout_file.h"

namespace kubisto::fuzz {

int LayoutFileTarget(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Layout layout;
  try {
    layout = ParseLayout(bytes, "fuzz.kbs");
  } catch (const std::runtime_error&) {
    return 0;
  }
  FUZZ_CHECK(layout.divide >= 1 && layout.divide <= kMaxLayoutDivide);
  for (const LayoutRecord& r : layout.records) {
    FUZZ_CHECK(r.x >= 0 && r.x <= layout.divide);
    FUZZ_CHECK(r.y >= 0 && r.y <= layout.divide);
    FUZZ_CHECK(r.z >= 0 && r.z <= layout.divide);
  }
  const std::string written = FormatLayout(layout.divide, layout.records);
  Layout again;
  try {
    again = ParseLayout(written, "again.kbs");
  } catch (const std::runtime_error&) {
    FUZZ_CHECK(!"a written layout does not read back");
  }
  FUZZ_CHECK(again.divide == layout.divide);
  FUZZ_CHECK(again.records == layout.records);
  FUZZ_CHECK(FormatLayout(again.divide, again.records) == written);
  return 0;
}

}  // namespace kubisto::fuzz

KUBISTO_FUZZ_ENTRY(kubisto::fuzz::LayoutFileTarget)
