// Every fuzz target over its committed corpus and over every input that once made it fail: each
// file is one test, so an input that crashes again names itself. The corpora also pin down that the
// readers still accept the well-formed files they hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/image_decode.h"
#include "engine/xfile/xfile.h"
#include "fuzz/targets.h"
#include "workroom/layout_file.h"

namespace {

namespace fs = std::filesystem;
using Target = int (*)(const uint8_t*, size_t);

struct Input {
  std::string target;  // layout, texture, mesh, bridge, export, vox
  fs::path file;
};

std::vector<uint8_t> ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Input> InputsUnder(const char* kind) {
  std::vector<Input> inputs;
  for (const char* target : {"layout", "texture", "mesh", "bridge", "export", "vox"}) {
#ifndef KUBISTO_FUZZ_EXPORT
    if (std::string(target) == "export") continue;  // built without the program's writers
#endif
    const fs::path folder = fs::path(KUBISTO_SOURCE_DIR) / "fuzz" / kind / target;
    if (!fs::is_directory(folder)) continue;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& f : files) inputs.push_back({target, f});
  }
  return inputs;
}

Target TargetNamed(const std::string& name) {
  if (name == "layout") return kubisto::fuzz::LayoutFileTarget;
  if (name == "texture") return kubisto::fuzz::TextureTarget;
  if (name == "mesh") return kubisto::fuzz::MeshFileTarget;
  if (name == "vox") return kubisto::fuzz::VoxFileTarget;
#ifdef KUBISTO_FUZZ_EXPORT
  if (name == "export") return kubisto::fuzz::ExportTarget;
#endif
  return kubisto::fuzz::BridgeTarget;
}

std::string TestName(const ::testing::TestParamInfo<Input>& info) {
  std::string name = info.param.target + "_" + info.param.file.filename().string();
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name + "_" + std::to_string(info.index);
}

class FuzzInput : public ::testing::TestWithParam<Input> {};

// A fault aborts the program; reaching the end is the pass.
TEST_P(FuzzInput, RunsCleanly) {
  const std::vector<uint8_t> bytes = ReadAll(GetParam().file);
  EXPECT_EQ(TargetNamed(GetParam().target)(bytes.data(), bytes.size()), 0);
}

class FuzzCrash : public FuzzInput {};
TEST_P(FuzzCrash, NoLongerFails) {
  const std::vector<uint8_t> bytes = ReadAll(GetParam().file);
  EXPECT_EQ(TargetNamed(GetParam().target)(bytes.data(), bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, FuzzInput, ::testing::ValuesIn(InputsUnder("corpus")), TestName);
INSTANTIATE_TEST_SUITE_P(Crashes, FuzzCrash, ::testing::ValuesIn(InputsUnder("crashes")), TestName);

// The checks added in front of the picture decoder must not refuse good pictures: every picture of
// the corpus but the RLE bitmap (which the decoder does not read) decodes.
TEST(FuzzCorpus, EveryPictureDecodes) {
  for (const Input& in : InputsUnder("corpus")) {
    if (in.target != "texture" || in.file.filename() == "rle8.bmp") continue;
    const std::vector<uint8_t> bytes = ReadAll(in.file);
    engine::DecodedImage image;
    EXPECT_TRUE(engine::DecodeImage(bytes.data(), bytes.size(), 64, 4096, image)) << in.file;
  }
}

// The refused pictures stay refused, whatever the decoder's limits; the one that named a table it
// never defined decodes, the same way every time (the target checks that).
TEST(FuzzCrashes, EveryFaultyPictureIsRefused) {
  for (const Input& in : InputsUnder("crashes")) {
    if (in.target != "texture" || in.file.filename() == "jpeg-undefined-table.jpg") continue;
    const std::vector<uint8_t> bytes = ReadAll(in.file);
    engine::DecodedImage image;
    EXPECT_FALSE(engine::DecodeImage(bytes.data(), bytes.size(), 16384, size_t{1} << 24, image))
        << in.file;
  }
}

TEST(FuzzCorpus, EveryMeshFileReads) {
  for (const Input& in : InputsUnder("corpus")) {
    if (in.target != "mesh") continue;
    const std::vector<uint8_t> bytes = ReadAll(in.file);
    engine::xfile::MeshData mesh;
    EXPECT_TRUE(engine::xfile::ParseMeshFile(bytes.data(), bytes.size(), {}, mesh)) << in.file;
  }
}

TEST(FuzzCorpus, LayoutFilesReadUnlessCutShort) {
  for (const Input& in : InputsUnder("corpus")) {
    if (in.target != "layout") continue;
    const std::vector<uint8_t> bytes = ReadAll(in.file);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (in.file.filename() == "no_title.kbs") {
      EXPECT_THROW(kubisto::ParseLayout(text, "no_title.kbs"), std::runtime_error);
    } else {
      EXPECT_NO_THROW(kubisto::ParseLayout(text, in.file.string())) << in.file;
    }
  }
}

}  // namespace
