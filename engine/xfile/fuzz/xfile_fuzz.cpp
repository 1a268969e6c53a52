// libFuzzer entry for the mesh file reader. Not part of the CMake build; build it by hand:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I<repo> \
//     engine/xfile/fuzz/xfile_fuzz.cpp engine/xfile/{container,lexer_text,lexer_binary,parser,writer}.cpp \
//     engine/math.cpp -lz -o xfile_fuzz
//   ./xfile_fuzz -max_len=4096 <corpus folder>
// The first byte chooses how the mesh is picked; the rest is the file.
#include <cstddef>
#include <cstdint>

#include "engine/xfile/xfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  using namespace engine;
  using namespace engine::xfile;
  LoadRequest req;
  switch (data[0] % 3) {
    case 0:
      req.what = LoadWhat::First;
      break;
    case 1:
      req.what = LoadWhat::ByName;
      req.name = "M";
      break;
    default:
      req.what = LoadWhat::ByPosition;
      req.position = data[0] / 3 % 4;
      break;
  }
  MeshData mesh;
  if (ParseMeshFile(data + 1, size - 1, req, mesh)) {
    // A mesh that was read must write again.
    std::string out;
    if (!WriteMeshFile(mesh, kFormatBinary, kSaveAll | kSaveTextureTopology, out)) __builtin_trap();
  }
  return 0;
}
