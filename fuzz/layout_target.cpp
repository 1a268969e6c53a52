// The layout file reader on any bytes, read from a file by the command line's reader: it either
// refuses them with a short one-line message or returns a layout that satisfies its own checks,
// and writing that layout back gives bytes that read to the same layout.
#include <sys/mman.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/cli_error.h"
#include "cli/layout_input.h"
#include "fuzz/targets.h"
#include "workroom/layout_file.h"

namespace kubisto::fuzz {
namespace {

// The input as a file in memory, named through /proc so that the real reader opens it.
std::string AsFile(std::string_view bytes) {
  static const int fd = ::memfd_create("fuzz.kbs", MFD_CLOEXEC);
  FUZZ_CHECK(fd >= 0);
  FUZZ_CHECK(::ftruncate(fd, 0) == 0);
  FUZZ_CHECK(::pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
  return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

int LayoutFileTarget(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = AsFile(bytes);
  Layout layout;
  try {
    layout = cli::ReadLayoutForCli(path);
  } catch (const cli::CliError& error) {
    // One short line of printable text, whatever the bytes: the message quotes an excerpt of a
    // bad field, never the field.
    const std::string message = error.what();
    FUZZ_CHECK(message.rfind(path + ": ", 0) == 0);
    FUZZ_CHECK(message.size() < path.size() + 200);
    for (const char c : message) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
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
