// Random blocks and colours to every export format. The input is read as a script
// (bridge_script.h): the cell size, the cell count, then a cube filled and coloured by a rule (many
// colours, most of them hidden inside) or none, then records of any coordinates and colours,
// repeats and cells outside the room included. The surface the exporters share must be closed and
// hold only faces with their corners; each export must write its files, or refuse with the command
// line's error, and leave nothing else behind: no staging folder, no half-written file.
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fuzz/bridge_script.h"
#include "fuzz/targets.h"
#include "output/block_surface.h"
#include "output/export_model.h"
#include "output/output_error.h"

namespace kubisto::fuzz {
namespace {

constexpr size_t kMaxRecords = 5000;

// A folder of this process for the exported files, emptied after every format.
const std::string& Folder() {
  static const std::string folder = [] {
    static char pattern[] = "/tmp/kubisto-fuzz-export-XXXXXX";
    FUZZ_CHECK(::mkdtemp(pattern) != nullptr);
    std::atexit([] { ::rmdir(pattern); });
    return std::string(pattern);
  }();
  return folder;
}

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.insert(name);
    }
    ::closedir(dir);
  }
  return names;
}

int32_t Coordinate(Script& s, int32_t divide) {
  const uint8_t b = s.Byte();
  if (b < 224) return b % divide;
  static constexpr int32_t kOutside[] = {-1, -2, 16, 17, INT32_MIN, INT32_MAX};
  return b % 8 < 6 ? kOutside[b % 8] : divide;  // divide itself: the file allows it, no cell has it
}

int32_t Colour(Script& s) {
  const uint8_t b = s.Byte();
  if (b < 128) {
    static constexpr int32_t kMenu[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                        0xFFFF00, 0xFF00FF, 0x000000, 0xFFFFFF};
    return kMenu[b % 8];
  }
  return static_cast<int32_t>(s.U32());  // high byte included
}

Layout ReadLayout(Script& s) {
  Layout layout;
  layout.divide = 1 + s.Byte() % kMaxLayoutDivide;
  const int32_t n = layout.divide;
  if (s.Byte() % 4 == 0) {
    // A cube of up to 10 cells a side filled and coloured by a rule: as many colours as cells, or
    // a few repeating ones. (Bigger cubes add little but slow every run down.)
    const uint32_t step = s.U32();
    const uint32_t low = s.Byte(), modulo = 1 + (low | uint32_t{s.Byte()} << 8);
    const int32_t m = std::min(n, 10);
    for (int32_t i = 0; i < m * m * m; ++i)
      layout.records.push_back(
          {i % m, i / m % m, i / (m * m), static_cast<int32_t>((i % modulo) * step & 0xFFFFFF)});
  }
  while (!s.Done() && layout.records.size() < kMaxRecords) {
    const int32_t x = Coordinate(s, n), y = Coordinate(s, n), z = Coordinate(s, n);
    layout.records.push_back({x, y, z, Colour(s)});
  }
  return layout;
}

// Every group has faces; every corner index holds and lies in the room; every edge is met as often
// in one direction as in the other over all groups together (by position: a closed surface, wound
// one way). A single group, and each closed group, is a closed shell by its corners alone: every
// edge between two corners in exactly two faces, once each way.
size_t CheckSurface(const Layout& layout, bool oneGroup, bool closedGroups) {
  const auto groups = output::BuildSurface(layout.divide, layout.records, oneGroup, closedGroups);
  FUZZ_CHECK(!oneGroup || groups.size() <= 1);
  std::map<std::pair<std::array<float, 3>, std::array<float, 3>>, int> edges;
  size_t quads = 0;
  for (const output::SurfaceGroup& g : groups) {
    FUZZ_CHECK(!g.quads.empty());
    quads += g.quads.size();
    for (const auto& v : g.vertices)
      for (float c : v) FUZZ_CHECK(c >= 0 && c <= static_cast<float>(layout.divide));
    std::map<std::pair<uint32_t, uint32_t>, int> sides;
    for (const auto& q : g.quads) {
      for (int i = 0; i < 4; ++i) {
        FUZZ_CHECK(q[i] < g.vertices.size());
        FUZZ_CHECK(q[(i + 1) % 4] < g.vertices.size());
        ++edges[{g.vertices[q[i]], g.vertices[q[(i + 1) % 4]]}];
        ++sides[{q[i], q[(i + 1) % 4]}];
      }
    }
    for (const auto& [side, count] : sides) {
      FUZZ_CHECK(count == 1);
      if (oneGroup || closedGroups) FUZZ_CHECK(sides.count({side.second, side.first}) == 1);
    }
  }
  if (!closedGroups) {
    for (const auto& [edge, count] : edges) {
      const auto back = edges.find({edge.second, edge.first});
      FUZZ_CHECK(back != edges.end() && back->second == count);
    }
  }
  return quads;
}

// The colours of the blocks the room shows (the first of each cell inside it).
size_t ColoursInRoom(const Layout& layout) {
  const int32_t n = layout.divide;
  std::set<std::array<int32_t, 3>> cells;
  std::set<int32_t> colours;
  for (const LayoutRecord& r : layout.records) {
    if (r.x < 0 || r.y < 0 || r.z < 0 || r.x >= n || r.y >= n || r.z >= n) continue;
    if (cells.insert({r.x, r.y, r.z}).second) colours.insert(r.color & 0xFFFFFF);
  }
  return colours.size();
}

// The files an export of a model named "model" writes beside it.
std::set<std::string> ExpectedFiles(const std::string& extension) {
  if (extension == ".obj") return {"model.obj", "model.mtl"};
  if (extension == ".gltf") return {"model.gltf", "model.bin"};
  return {"model" + extension};
}

}  // namespace

int ExportTarget(const uint8_t* data, size_t size) {
  Script s(data, size);
  static constexpr float kCellSizes[] = {10.0f, 1.0f, 2.5f, 0.001f, 1e6f, 123.456f};
  const float cellSize = kCellSizes[s.Byte() % 6];
  const Layout layout = ReadLayout(s);
  const size_t faces = CheckSurface(layout, false, false);
  FUZZ_CHECK(CheckSurface(layout, true, false) == faces);
  FUZZ_CHECK(CheckSurface(layout, false, true) >= faces);

  const std::string& folder = Folder();
  for (const std::string& extension : output::ExportExtensions()) {
    bool refused = false;
    try {
      output::ExportLayout(layout, folder + "/model" + extension, cellSize);
    } catch (const output::OutputError& error) {
      refused = true;
      // Only a model with nothing in it may be refused, by a format that cannot be empty, and a
      // .vox of more colours than its palette holds.
      FUZZ_CHECK(faces == 0 || (extension == ".vox" && ColoursInRoom(layout) > 255));
      FUZZ_CHECK(error.GetCause() == output::OutputError::Cause::kFailed);
    }
    const std::set<std::string> files = FilesIn(folder);
    if (refused) {
      FUZZ_CHECK(files.empty());
    } else {
      // The empty glTF has no buffer to write.
      std::set<std::string> expected = ExpectedFiles(extension);
      if (faces == 0 && extension == ".gltf") expected.erase("model.bin");
      FUZZ_CHECK(files == expected);
    }
    for (const std::string& name : files) std::remove((folder + "/" + name).c_str());
  }
  return 0;
}

}  // namespace kubisto::fuzz

KUBISTO_FUZZ_ENTRY(kubisto::fuzz::ExportTarget)
