// Voxel models (.vox) both ways, as a user meets them: a layout exported and read back gives the
// same layout file byte for byte, a model written by an independent writer opens with its blocks
// on the command line and in the room's reader, another reader reads ours, and every model the
// program cannot take is refused with a message naming why.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "cli/layout_input.h"
#include "cli_test_support.h"
#include "workroom/layout_file.h"

namespace kubisto::cli::test {
namespace {

// A few lines of Python building the chunks from the format's description, independently of the
// program's writer: a model of 3 x 3 x 4 with three voxels of two palette colours, a scene-graph
// chunk to be skipped, and optionally a second model.
std::string WriteWithPython(const Scratch& dir, const std::string& name, bool twoModels) {
  const std::string path = dir.Path(name);
  const std::string script = dir.Write("write_vox.py", R"(import struct, sys
def chunk(i, content, children=b''):
    return i + struct.pack('<II', len(content), len(children)) + content + children
def model(size, voxels):
    return (chunk(b'SIZE', struct.pack('<III', *size)) +
            chunk(b'XYZI', struct.pack('<I', len(voxels)) + b''.join(bytes(v) for v in voxels)))
body = model((3, 3, 4), [(0, 0, 0, 1), (2, 1, 0, 2), (2, 2, 3, 2)])
if sys.argv[2] == 'two':
    body += model((2, 2, 2), [(1, 1, 1, 1)])
body += chunk(b'nTRN', struct.pack('<ii', 0, 0))
palette = [(200, 10, 20, 255), (1, 2, 3, 255)] + [(0, 0, 0, 255)] * 254
body += chunk(b'RGBA', b''.join(bytes(p) for p in palette))
open(sys.argv[1], 'wb').write(b'VOX ' + struct.pack('<I', 150) + chunk(b'MAIN', b'', body))
)");
  const std::string command =
      "python3 '" + script + "' '" + path + "' " + (twoModels ? "two" : "one");
  EXPECT_EQ(std::system(command.c_str()), 0);
  return path;
}

// The blocks the Python model holds: voxel (x, y, z) of a model 4 cells high is cell
// (3 - x, z, 3 - y); palette red, green, blue as 0x00BBGGRR.
const std::vector<LayoutRecord> kPythonBlocks = {{3, 0, 3, 200 | 10 << 8 | 20 << 16},
                                                 {1, 0, 2, 1 | 2 << 8 | 3 << 16},
                                                 {1, 3, 1, 1 | 2 << 8 | 3 << 16}};

TEST(VoxModelTest, ALayoutExportedAndReadBackIsTheSameFile) {
  Scratch dir;
  std::vector<LayoutRecord> many;
  for (int i = 0; i < 250; ++i) many.push_back({i % 7, i / 7 % 7, i / 49, i * 0x010305 & 0xFFFFFF});
  struct Case {
    std::string name;
    int divide;
    std::vector<LayoutRecord> blocks;
  } cases[] = {
      {"steps", 5, Steps()}, {"many", 7, many}, {"full", 16, FullRoom(16)}, {"empty", 3, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string layout = dir.Layout(c.name + ".kbs", c.divide, c.blocks);
    const std::string vox = dir.Path(c.name + ".vox");
    const RunResult run = RunKubisto({"--export", vox, layout});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Layout back = ReadLayoutFile(vox);  // as the window and scripts open it
    EXPECT_EQ(FormatLayout(back.divide, back.records), ReadFile(layout));
    const Layout cli = ReadLayoutForCli(vox);
    EXPECT_EQ(cli.records, back.records);
  }
}

TEST(VoxModelTest, AModelFromAnotherWriterOpensWithItsBlocks) {
  Scratch dir;
  const std::string model = WriteWithPython(dir, "python.vox", false);
  const Layout layout = ReadLayoutFile(model);
  EXPECT_EQ(layout.divide, 4);
  EXPECT_EQ(layout.records, kPythonBlocks);
  EXPECT_EQ(ReadLayoutForCli(model).records, kPythonBlocks);
  // The command line takes it wherever it takes a layout.
  const RunResult run = RunKubisto({"--export", dir.Path("python.stl"), model});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
}

TEST(VoxModelTest, OfSeveralModelsTheFirstIsReadAndThatIsSaid) {
  Scratch dir;
  const std::string model = WriteWithPython(dir, "two.vox", true);
  EXPECT_EQ(ReadLayoutFile(model).records, kPythonBlocks);
  const RunResult run = RunKubisto({"--export", dir.Path("two.obj"), model});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find(model + ": the file holds 2 models; the first is read"), std::string::npos)
      << run.err;
}

TEST(VoxModelTest, ModelsThatCannotBeALayoutAreRefusedSayingWhy) {
  Scratch dir;
  const std::string python = ReadFile(WriteWithPython(dir, "good.vox", false));
  const auto patched = [&](size_t at, const std::string& bytes) {
    std::string copy = python;
    copy.replace(at, bytes.size(), bytes);
    return copy;
  };
  // Offsets: header 8, MAIN 12, SIZE header 12 at 20, its x at 32, XYZI header at 44, count at 56.
  struct Case {
    std::string name, bytes, message;
  } cases[] = {
      {"big", patched(32, std::string("\x20\0\0\0", 4)), "the model is 32 x 3 x 4 cells"},
      {"cut", python.substr(0, 70), "a chunk is longer than its file"},
      {"lying", patched(56, std::string("\x40\0\0\0", 4)), "fewer voxels than it says"},
      {"outside", patched(60, std::string("\x07", 1)), "a voxel lies outside the model's size"},
      {"header", "VOX \x96\0\0", "the file ends in its header"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.Write(c.name + ".vox", c.bytes);
    EXPECT_THROW(
        {
          try {
            ReadLayoutFile(path);
          } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            throw;
          }
        },
        std::runtime_error);
    const std::string out = dir.Path(c.name + ".obj");
    const RunResult run = RunKubisto({"--export", out, path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("kubisto: " + path + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(Exists(out));
  }
}

TEST(VoxModelTest, ALayoutOfMoreColoursThanAPaletteHoldsIsRefused) {
  Scratch dir;
  std::vector<LayoutRecord> blocks;
  for (int i = 0; i < 256; ++i) blocks.push_back({i % 8, i / 8 % 8, i / 64, i});
  const std::string out = dir.Path("many.vox");
  const RunResult run = RunKubisto({"--export", out, dir.Layout("many.kbs", 8, blocks)});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("more than 255 colours"), std::string::npos) << run.err;
  EXPECT_FALSE(Exists(out));
}

// The npm package vox-reader, installed into the build folder on first use.
std::string VoxReaderScript() {
  const std::string root = std::string(KUBISTO_BIN_DIR) + "/../node";
  if (!Exists(root + "/node_modules/vox-reader")) {
    int status = 0;
    Capture("npm install --silent --no-audit --no-fund --prefix '" + root + "' vox-reader 2>&1",
            &status);
    if (status != 0 || !Exists(root + "/node_modules/vox-reader")) return "";
  }
  const std::string script = root + "/read_vox.js";
  std::ofstream(script) << R"(const fs = require('fs'), path = require('path');
const read = require(path.join(__dirname, 'node_modules', 'vox-reader'));
const vox = (read.default || read)(fs.readFileSync(process.argv[2]));
console.log('size ' + vox.size.x + ' ' + vox.size.y + ' ' + vox.size.z);
for (const v of vox.xyzi.values) {
  const c = vox.rgba.values[v.i - 1];
  console.log('voxel ' + v.x + ' ' + v.y + ' ' + v.z + ' ' + c.r + ' ' + c.g + ' ' + c.b);
}
)";
  return script;
}

TEST(VoxModelTest, AnotherReaderReadsOursWithItsSizeBlocksAndColours) {
  const std::string script = VoxReaderScript();
  if (script.empty()) GTEST_SKIP() << "npm could not install vox-reader";
  Scratch dir;
  const std::string out = dir.Path("steps.vox");
  ASSERT_EQ(RunKubisto({"--export", out, dir.Layout("steps.kbs", 5, Steps())}).exitCode, 0);
  int status = 0;
  const std::string report = Capture("node '" + script + "' '" + out + "'", &status);
  // Cell (x, y, z) of five is voxel (4 - x, 4 - z, y); 0x00BBGGRR is red, green, blue reversed.
  std::string expected = "size 5 5 5\n";
  for (const LayoutRecord& r : Steps()) {
    expected += "voxel " + std::to_string(4 - r.x) + " " + std::to_string(4 - r.z) + " " +
                std::to_string(r.y) + " " + std::to_string(r.color & 0xFF) + " " +
                std::to_string(r.color >> 8 & 0xFF) + " " + std::to_string(r.color >> 16 & 0xFF) +
                "\n";
  }
  EXPECT_EQ(report, expected);
}

}  // namespace
}  // namespace kubisto::cli::test
