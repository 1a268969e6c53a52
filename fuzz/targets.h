// The fuzz targets. Each takes one input and returns 0; a fault it finds (a crash, a sanitizer
// report, a broken invariant) aborts the process. The same functions run as libFuzzer targets
// (fuzz/CMakeLists.txt) and, over the committed corpora and the inputs that once failed, as plain
// tests (tests/fuzz_inputs_test.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

namespace kubisto::fuzz {

// The layout file reader: parse, check, write back, parse again.
int LayoutFileTarget(const uint8_t* data, size_t size);
// Picture decoding for textures from memory.
int TextureTarget(const uint8_t* data, size_t size);
// The mesh file reader (text, binary, compressed), and the writer on what it read.
int MeshFileTarget(const uint8_t* data, size_t size);
// The bridge's exports driven by a script of calls on a headless window.
int BridgeTarget(const uint8_t* data, size_t size);
// The model writers of every export format on random blocks and colours.
int ExportTarget(const uint8_t* data, size_t size);
// The .vox model reader, and the writer on what it read.
int VoxFileTarget(const uint8_t* data, size_t size);

}  // namespace kubisto::fuzz

// In a fuzzer build each target file also defines libFuzzer's entry point.
#ifdef KUBISTO_FUZZ_ENTRY_POINT
#define KUBISTO_FUZZ_ENTRY(target)                                          \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    return target(data, size);                                              \
  }
#else
#define KUBISTO_FUZZ_ENTRY(target)
#endif

// A broken invariant: reported like a crash, with the reason.
#define FUZZ_CHECK(condition)                                                \
  do {                                                                       \
    if (!(condition)) ::kubisto::fuzz::Fail(#condition, __FILE__, __LINE__); \
  } while (0)

namespace kubisto::fuzz {
[[noreturn]] void Fail(const char* what, const char* file, int line);
}
