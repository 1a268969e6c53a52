#include "workroom/vox_file.h"

#include <algorithm>
#include <map>
#include <vector>

namespace kubisto {
namespace {

constexpr std::uint32_t kVersion = 150;

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return v;
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

[[noreturn]] void Malformed(const std::string& reason) {
  throw std::runtime_error("not a readable .vox model: " + reason);
}

struct Chunk {
  std::string_view id, content;
};

// The chunks one after another in bytes (each with its children skipped over).
std::vector<Chunk> ChunksIn(std::string_view bytes) {
  std::vector<Chunk> chunks;
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < 12) Malformed("a chunk is cut short");
    const std::uint64_t content = Get32(bytes, at + 4), children = Get32(bytes, at + 8);
    if (content + children > bytes.size() - at - 12) Malformed("a chunk is longer than its file");
    chunks.push_back({bytes.substr(at, 4), bytes.substr(at + 12, content)});
    at += 12 + content + children;
  }
  return chunks;
}

}  // namespace

bool IsVoxData(std::string_view bytes) { return bytes.substr(0, 4) == "VOX "; }

VoxModel ParseVox(std::string_view bytes) {
  if (!IsVoxData(bytes) || bytes.size() < 8 + 12) Malformed("the file ends in its header");
  const std::vector<Chunk> top = ChunksIn(bytes.substr(8));
  if (top.empty() || top[0].id != "MAIN") Malformed("no MAIN chunk");
  // MAIN's children follow its content.
  const std::uint64_t mainContent = Get32(bytes, 8 + 4), mainChildren = Get32(bytes, 8 + 8);
  const std::vector<Chunk> chunks = ChunksIn(bytes.substr(8 + 12 + mainContent, mainChildren));

  VoxModel model;
  const Chunk* firstVoxels = nullptr;
  const Chunk* palette = nullptr;
  for (const Chunk& c : chunks) {
    if (c.id == "SIZE") {
      if (c.content.size() < 12) Malformed("a SIZE chunk is cut short");
      if (++model.models > 1) continue;
      for (int a = 0; a < 3; ++a) {
        model.size[a] = static_cast<std::int32_t>(Get32(c.content, 4 * a));
        if (model.size[a] < 1) Malformed("a model's size is not positive");
      }
    } else if (c.id == "XYZI") {
      if (model.models == 0) Malformed("voxels come before their model's size");
      if (model.models == 1 && firstVoxels == nullptr) firstVoxels = &c;
    } else if (c.id == "RGBA") {
      if (c.content.size() < 4 * 255) Malformed("the palette is cut short");
      palette = &c;
    }
  }
  if (model.models == 0 || firstVoxels == nullptr)
    throw std::runtime_error("the file holds no model");
  const auto [sx, sy, sz] = model.size;
  if (std::max({sx, sy, sz}) > kMaxLayoutDivide) {
    throw std::runtime_error("the model is " + std::to_string(sx) + " x " + std::to_string(sy) +
                             " x " + std::to_string(sz) + " cells; a layout holds at most " +
                             std::to_string(kMaxLayoutDivide) + " a side");
  }
  if (palette == nullptr) throw std::runtime_error("the model has no palette of its own");

  const std::string_view voxels = firstVoxels->content;
  if (voxels.size() < 4) Malformed("an XYZI chunk is cut short");
  const std::uint64_t count = Get32(voxels, 0);
  if (count > (voxels.size() - 4) / 4) Malformed("an XYZI chunk holds fewer voxels than it says");
  const std::int32_t n = std::max({sx, sy, sz});
  model.layout.divide = n;
  model.layout.records.reserve(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    const auto at = static_cast<std::size_t>(4 + 4 * i);
    const auto v = [&](int k) {
      return static_cast<std::int32_t>(static_cast<unsigned char>(voxels[at + k]));
    };
    if (v(0) >= sx || v(1) >= sy || v(2) >= sz) Malformed("a voxel lies outside the model's size");
    if (v(3) == 0) Malformed("a voxel has no colour");
    const std::uint32_t rgba = Get32(palette->content, 4 * static_cast<std::size_t>(v(3) - 1));
    // The palette's bytes are red, green, blue, alpha: as a little-endian number 0xAABBGGRR.
    model.layout.records.push_back(
        {n - 1 - v(0), v(2), n - 1 - v(1), static_cast<std::int32_t>(rgba & 0xFFFFFF)});
  }
  return model;
}

Layout ReadVoxLayout(std::string_view bytes, const std::string& fileName) {
  try {
    VoxModel model = ParseVox(bytes);
    model.layout.models = model.models;
    return model.layout;
  } catch (const std::runtime_error& error) {
    throw std::runtime_error("Model file \"" + fileName + "\": " + error.what());
  }
}

std::string FormatVox(const Layout& layout) {
  const std::int32_t n = layout.divide;
  std::vector<bool> filled(static_cast<std::size_t>(n) * n * n, false);
  std::map<std::int32_t, std::uint32_t> paletteIndex;
  std::vector<std::int32_t> colours;
  std::string voxels;
  std::uint32_t count = 0;
  for (const LayoutRecord& r : layout.records) {
    if (r.x < 0 || r.y < 0 || r.z < 0 || r.x >= n || r.y >= n || r.z >= n) continue;
    const std::size_t cell = (static_cast<std::size_t>(r.x) * n + r.y) * n + r.z;
    if (filled[cell]) continue;
    filled[cell] = true;
    const std::int32_t colour = r.color & 0xFFFFFF;
    auto [it, added] =
        paletteIndex.try_emplace(colour, static_cast<std::uint32_t>(colours.size() + 1));
    if (added) colours.push_back(colour);
    if (colours.size() > 255) {
      throw std::runtime_error(
          "the layout has more than 255 colours, and a .vox palette holds 255");
    }
    voxels += static_cast<char>(n - 1 - r.x);
    voxels += static_cast<char>(n - 1 - r.z);
    voxels += static_cast<char>(r.y);
    voxels += static_cast<char>(it->second);
    ++count;
  }
  std::string size, xyzi, rgba;
  for (int a = 0; a < 3; ++a) Put32(size, static_cast<std::uint32_t>(n));
  Put32(xyzi, count);
  xyzi += voxels;
  for (int i = 0; i < 256; ++i) {
    const auto c =
        static_cast<std::uint32_t>(i < static_cast<int>(colours.size()) ? colours[i] : 0);
    Put32(rgba, c | 0xFF000000u);
  }
  std::string children;
  for (const auto& [id, content] : {std::pair<const char*, const std::string*>{"SIZE", &size},
                                    {"XYZI", &xyzi},
                                    {"RGBA", &rgba}}) {
    children += id;
    Put32(children, static_cast<std::uint32_t>(content->size()));
    Put32(children, 0);
    children += *content;
  }
  std::string out = "VOX ";
  Put32(out, kVersion);
  out += "MAIN";
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(children.size()));
  return out + children;
}

}  // namespace kubisto
