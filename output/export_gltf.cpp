#include "output/export_gltf.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "output/block_surface.h"
#include "output/output_error.h"

namespace kubisto::output {
namespace {

// Numbers that read back as the very float written (accessor bounds are compared exactly).
std::string Number(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", v == 0 ? 0.0 : static_cast<double>(v));  // no "-0"
  return text;
}

// The sRGB transfer function undone: glTF's base colour is linear.
float SrgbToLinear(float c) {
  return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

std::string MaterialJson(std::int32_t color) {
  auto rgb = ColorRGB(color);
  for (float& c : rgb) c = SrgbToLinear(c);
  char name[32];
  const auto c = static_cast<unsigned>(color);
  std::snprintf(name, sizeof name, "block_%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF,
                (c >> 16) & 0xFF);
  return std::string(R"({"name":")") + name + R"(","pbrMetallicRoughness":{"baseColorFactor":[)" +
         Number(rgb[0]) + "," + Number(rgb[1]) + "," + Number(rgb[2]) +
         R"(,1],"metallicFactor":0,"roughnessFactor":1}})";
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutFloat(std::string& out, float v) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &v, 4);
  Put32(out, bits);
}

std::string List(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ",") + item;
  return "[" + text + "]";
}

// A .glb: the header, the JSON chunk (padded with spaces) and the binary chunk (with zeros).
std::string Glb(std::string json, std::string bin) {
  while (json.size() % 4 != 0) json += ' ';
  while (bin.size() % 4 != 0) bin += '\0';
  std::string out;
  Put32(out, 0x46546C67);  // "glTF"
  Put32(out, 2);
  Put32(out, static_cast<std::uint32_t>(12 + 8 + json.size() + (bin.empty() ? 0 : 8 + bin.size())));
  Put32(out, static_cast<std::uint32_t>(json.size()));
  Put32(out, 0x4E4F534A);  // "JSON"
  out += json;
  if (!bin.empty()) {
    Put32(out, static_cast<std::uint32_t>(bin.size()));
    Put32(out, 0x004E4942);  // "BIN\0"
    out += bin;
  }
  return out;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw OutputError("the model could not be written");
}

}  // namespace

std::string UriOfName(const std::string& name) {
  std::string uri;
  for (const unsigned char c : name) {
    if (std::isalnum(c) != 0 || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      uri += escaped;
    }
  }
  return uri;
}

GltfFiles FormatGltf(const Layout& layout, float cellSize, bool binary,
                     const std::string& bufferName) {
  const auto groups = BuildSurface(layout.divide, layout.records, false);
  const std::string asset = R"("asset":{"version":"2.0","generator":"Kubisto"},"scene":0,)";
  if (groups.empty()) {
    // A scene without meshes: glTF allows no empty buffer, so there is none.
    const std::string json = "{" + asset + R"("scenes":[{"name":"layout"}]})";
    return {binary ? Glb(json, "") : json + "\n", ""};
  }

  // The buffer: every mesh's positions, then every mesh's triangle indices.
  const float s = cellSize * 0.001f;
  std::string positions, indices;
  std::vector<std::string> nodes, children, meshes, materials, accessors;
  for (size_t m = 0; m < groups.size(); ++m) {
    const SurfaceGroup& g = groups[m];
    std::array<float, 3> lo{}, hi{};
    const auto positionOffset = positions.size();
    for (size_t i = 0; i < g.vertices.size(); ++i) {
      for (int a = 0; a < 3; ++a) {
        const float v = g.vertices[i][a] * s;
        lo[a] = i == 0 ? v : std::min(lo[a], v);
        hi[a] = i == 0 ? v : std::max(hi[a], v);
        PutFloat(positions, v);
      }
    }
    const auto indexOffset = indices.size();
    for (const auto& q : g.quads)
      for (int i : {0, 1, 2, 0, 2, 3}) Put32(indices, q[i]);
    const std::string name = "blocks_" + std::to_string(m);
    const auto position = accessors.size();
    accessors.push_back(R"({"bufferView":0,"byteOffset":)" + std::to_string(positionOffset) +
                        R"(,"componentType":5126,"count":)" + std::to_string(g.vertices.size()) +
                        R"(,"type":"VEC3","min":[)" + Number(lo[0]) + "," + Number(lo[1]) + "," +
                        Number(lo[2]) + R"(],"max":[)" + Number(hi[0]) + "," + Number(hi[1]) + "," +
                        Number(hi[2]) + "]}");
    accessors.push_back(R"({"bufferView":1,"byteOffset":)" + std::to_string(indexOffset) +
                        R"(,"componentType":5125,"count":)" + std::to_string(6 * g.quads.size()) +
                        R"(,"type":"SCALAR"})");
    meshes.push_back(R"({"name":")" + name + R"(","primitives":[{"attributes":{"POSITION":)" +
                     std::to_string(position) + R"(},"indices":)" + std::to_string(position + 1) +
                     R"(,"material":)" + std::to_string(m) + R"(,"mode":4}]})");
    materials.push_back(MaterialJson(g.color));
    children.push_back(std::to_string(m + 1));
    nodes.push_back(R"({"name":")" + name + R"(","mesh":)" + std::to_string(m) + "}");
  }
  nodes.insert(nodes.begin(), R"({"name":"layout","children":)" + List(children) + "}");
  std::string bin = positions + indices;
  const std::string uri = binary ? "" : R"(,"uri":")" + UriOfName(bufferName) + "\"";
  const std::string json =
      "{" + asset + R"("scenes":[{"name":"layout","nodes":[0]}],"nodes":)" + List(nodes) +
      R"(,"meshes":)" + List(meshes) + R"(,"materials":)" + List(materials) + R"(,"accessors":)" +
      List(accessors) + R"(,"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":)" +
      std::to_string(positions.size()) +
      R"(,"byteStride":12,"target":34962},{"buffer":0,"byteOffset":)" +
      std::to_string(positions.size()) + R"(,"byteLength":)" + std::to_string(indices.size()) +
      R"(,"target":34963}],"buffers":[{"byteLength":)" + std::to_string(bin.size()) + uri + "}]}";
  if (binary) return {Glb(json, std::move(bin)), ""};
  return {json + "\n", std::move(bin)};
}

void ExportGltf(const Layout& layout, const std::string& stagedPath, float cellSize, bool binary) {
  const auto slash = stagedPath.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : stagedPath.substr(0, slash);
  const std::string name = slash == std::string::npos ? stagedPath : stagedPath.substr(slash + 1);
  const std::string bufferName = name.substr(0, name.find_last_of('.')) + ".bin";
  const GltfFiles files = FormatGltf(layout, cellSize, binary, bufferName);
  Write(stagedPath, files.model);
  if (!files.buffer.empty()) Write(folder + "/" + bufferName, files.buffer);
}

}  // namespace kubisto::output
