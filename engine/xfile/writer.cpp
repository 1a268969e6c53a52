// Writes one mesh as a whole file, in text or binary tokens. Both encodings write the same objects:
//   Header, Mesh [name] { vertices, faces, MeshNormals, MeshTextureCoords, MeshFaceWraps,
//   MeshVertexColors,
//   MeshMaterialList { Material { TextureFilename } ... } }
#include <charconv>
#include <cstring>

#include "engine/xfile/binary_tokens.h"
#include "engine/xfile/container.h"
#include "engine/xfile/float_text.h"
#include "engine/xfile/xfile.h"

namespace engine::xfile {
namespace {

// What one encoding needs to write the objects above.
class Out {
 public:
  virtual ~Out() = default;
  virtual void Begin(const std::string& type, const std::string& name) = 0;
  virtual void End() = 0;
  virtual void Count(uint32_t n) = 0;
  // An array of n records of `width` floats each.
  virtual void FloatRecords(const float* values, size_t width, size_t n) = 0;
  // An array of index lists, each written as its length and its indices.
  virtual void IndexLists(const std::vector<std::vector<uint32_t>>& lists) = 0;
  virtual void Indices(const std::vector<uint32_t>& indices) = 0;
  // An array of records of two whole numbers (flat: first, second, first, second, ...).
  virtual void Pairs(const std::vector<uint32_t>& flat) = 0;
  virtual void VertexColors(const std::vector<VertexColor>& colors) = 0;
  // A record of floats that is a member of its own (a colour, a vector, a power).
  virtual void Record(std::initializer_list<float> values) = 0;
  virtual void String(const std::string& s) = 0;
};

std::string formatFloat(float f) {
  char buffer[32];
  auto [end, ec] = FloatToChars(buffer, buffer + sizeof buffer, f);
  std::string s(buffer, ec == std::errc() ? end : buffer);
  if (s.find_first_of(".en") == std::string::npos) s += ".0";
  return s;
}

// A name the text lexer reads back as one identifier: other characters become '_'.
std::string textName(const std::string& name) {
  std::string out;
  for (unsigned char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-' || c == '.' || c >= 0x80;
    out.push_back(ok ? static_cast<char>(c) : '_');
  }
  if (!out.empty()) {
    const unsigned char c = out[0];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80)) {
      out.insert(out.begin(), '_');
    }
  }
  return out;
}

class TextOut final : public Out {
 public:
  explicit TextOut(std::string& s) : s_(s) {}

  void Begin(const std::string& type, const std::string& name) override {
    std::string l = type;
    if (!name.empty()) l.append(" ").append(textName(name));
    line(l.append(" {"));
    ++depth_;
  }
  void End() override {
    --depth_;
    line("}");
  }
  void Count(uint32_t n) override { line(std::to_string(n) + ";"); }
  void FloatRecords(const float* values, size_t width, size_t n) override {
    for (size_t i = 0; i < n; ++i) {
      std::string l;
      for (size_t k = 0; k < width; ++k) l += formatFloat(values[i * width + k]) + ";";
      line(l + (i + 1 < n ? "," : ";"));
    }
  }
  void IndexLists(const std::vector<std::vector<uint32_t>>& lists) override {
    for (size_t i = 0; i < lists.size(); ++i) {
      std::string l = std::to_string(lists[i].size()) + ";";
      for (size_t k = 0; k < lists[i].size(); ++k) {
        if (k) l += ',';
        l += std::to_string(lists[i][k]);
      }
      line(l + (i + 1 < lists.size() ? ";," : ";;"));
    }
  }
  void Indices(const std::vector<uint32_t>& indices) override {
    for (size_t i = 0; i < indices.size(); ++i) {
      line(std::to_string(indices[i]) + (i + 1 < indices.size() ? "," : ";"));
    }
  }
  void Pairs(const std::vector<uint32_t>& flat) override {
    for (size_t i = 0; i + 1 < flat.size(); i += 2) {
      line(std::to_string(flat[i]) + ";" + std::to_string(flat[i + 1]) + ";" +
           (i + 2 < flat.size() ? "," : ";"));
    }
  }
  void VertexColors(const std::vector<VertexColor>& colors) override {
    for (size_t i = 0; i < colors.size(); ++i) {
      const ColorRGBA& c = colors[i].color;
      line(std::to_string(colors[i].vertex) + ";" + formatFloat(c.r) + ";" + formatFloat(c.g) +
           ";" + formatFloat(c.b) + ";" + formatFloat(c.a) + ";;" +
           (i + 1 < colors.size() ? "," : ";"));
    }
  }
  void Record(std::initializer_list<float> values) override {
    std::string l;
    for (float f : values) l += formatFloat(f) + ";";
    line(values.size() > 1 ? l + ";" : l);
  }
  void String(const std::string& s) override {
    std::string quoted = s;
    for (char& c : quoted) {
      if (c == '"') c = '\'';  // the text encoding has no escape for a quote
    }
    line("\"" + quoted + "\";");
  }

 private:
  void line(const std::string& l) {
    s_.append(static_cast<size_t>(depth_), ' ');
    s_ += l;
    s_ += '\n';
  }
  std::string& s_;
  int depth_ = 0;
};

class BinaryOut final : public Out {
 public:
  explicit BinaryOut(std::string& s) : s_(s) {}

  void Begin(const std::string& type, const std::string& name) override {
    token(kTokName);
    bytes(type);
    if (!name.empty()) {
      token(kTokName);
      bytes(name);
    }
    token(kTokOBrace);
  }
  void End() override { token(kTokCBrace); }
  void Count(uint32_t n) override { intList({n}); }
  void FloatRecords(const float* values, size_t width, size_t n) override {
    floatList(values, width * n);
  }
  void IndexLists(const std::vector<std::vector<uint32_t>>& lists) override {
    std::vector<uint32_t> flat;
    for (const auto& l : lists) {
      flat.push_back(static_cast<uint32_t>(l.size()));
      flat.insert(flat.end(), l.begin(), l.end());
    }
    intList(flat);
  }
  void Indices(const std::vector<uint32_t>& indices) override { intList(indices); }
  void Pairs(const std::vector<uint32_t>& flat) override { intList(flat); }
  void VertexColors(const std::vector<VertexColor>& colors) override {
    for (const VertexColor& c : colors) {
      intList({c.vertex});
      const float rgba[4] = {c.color.r, c.color.g, c.color.b, c.color.a};
      floatList(rgba, 4);
    }
  }
  void Record(std::initializer_list<float> values) override {
    floatList(values.begin(), values.size());
  }
  void String(const std::string& s) override {
    token(kTokString);
    bytes(s);
    token(kTokSemicolon);
  }

 private:
  void u16(uint16_t v) {
    s_.push_back(static_cast<char>(v & 0xFF));
    s_.push_back(static_cast<char>(v >> 8));
  }
  void u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) s_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }
  void token(uint16_t code) { u16(code); }
  void bytes(const std::string& s) {
    u32(static_cast<uint32_t>(s.size()));
    s_ += s;
  }
  void intList(const std::vector<uint32_t>& values) {
    token(kTokIntegerList);
    u32(static_cast<uint32_t>(values.size()));
    for (uint32_t v : values) u32(v);
  }
  void floatList(const float* values, size_t n) {
    token(kTokFloatList);
    u32(static_cast<uint32_t>(n));
    for (size_t i = 0; i < n; ++i) {
      uint32_t bits;
      std::memcpy(&bits, &values[i], 4);
      u32(bits);
    }
  }
  std::string& s_;
};

bool indicesValid(const MeshData& m) {
  auto within = [](const std::vector<uint32_t>& list, size_t limit) {
    for (uint32_t i : list) {
      if (i >= limit) return false;
    }
    return true;
  };
  for (const auto& f : m.faces) {
    if (f.size() < 3 || !within(f, m.vertices.size())) return false;
  }
  if (!m.faceNormals.empty()) {
    if (m.faceNormals.size() != m.faces.size()) return false;
    for (size_t i = 0; i < m.faces.size(); ++i) {
      if (m.faceNormals[i].size() != m.faces[i].size() ||
          !within(m.faceNormals[i], m.normals.size()))
        return false;
    }
  }
  if (!m.texCoords.empty() && m.texCoords.size() != m.vertices.size()) return false;
  if (!m.faceWraps.empty() && m.faceWraps.size() != m.faces.size()) return false;
  for (const VertexColor& c : m.vertexColors) {
    if (c.vertex >= m.vertices.size()) return false;
  }
  if (!m.faceMaterials.empty() &&
      (m.faceMaterials.size() != m.faces.size() || !within(m.faceMaterials, m.materials.size())))
    return false;
  return true;
}

void writeMesh(Out& out, const MeshData& m, int options) {
  out.Begin("Header", "");
  out.Count(1);  // major version
  out.Count(0);  // minor version
  out.Count(1);  // flags
  out.End();

  out.Begin("Mesh", m.name);
  out.Count(static_cast<uint32_t>(m.vertices.size()));
  out.FloatRecords(reinterpret_cast<const float*>(m.vertices.data()), 3, m.vertices.size());
  out.Count(static_cast<uint32_t>(m.faces.size()));
  out.IndexLists(m.faces);

  if ((options & kSaveNormals) && !m.faceNormals.empty()) {
    out.Begin("MeshNormals", "");
    out.Count(static_cast<uint32_t>(m.normals.size()));
    out.FloatRecords(reinterpret_cast<const float*>(m.normals.data()), 3, m.normals.size());
    out.Count(static_cast<uint32_t>(m.faceNormals.size()));
    out.IndexLists(m.faceNormals);
    out.End();
  }
  if ((options & kSaveTextureCoordinates) && !m.texCoords.empty()) {
    std::vector<float> uv;
    for (auto [u, v] : m.texCoords) uv.insert(uv.end(), {u, v});
    out.Begin("MeshTextureCoords", "");
    out.Count(static_cast<uint32_t>(m.texCoords.size()));
    out.FloatRecords(uv.data(), 2, m.texCoords.size());
    out.End();
  }
  if ((options & kSaveTextureTopology) && !m.faceWraps.empty()) {
    std::vector<uint32_t> flags;
    for (auto [u, v] : m.faceWraps) flags.insert(flags.end(), {u ? 1u : 0u, v ? 1u : 0u});
    out.Begin("MeshFaceWraps", "");
    out.Count(static_cast<uint32_t>(m.faceWraps.size()));
    out.Pairs(flags);
    out.End();
  }
  if (!m.vertexColors.empty()) {
    out.Begin("MeshVertexColors", "");
    out.Count(static_cast<uint32_t>(m.vertexColors.size()));
    out.VertexColors(m.vertexColors);
    out.End();
  }
  if ((options & (kSaveMaterials | kSaveTextureNames)) && !m.materials.empty() &&
      !m.faceMaterials.empty()) {
    out.Begin("MeshMaterialList", "");
    out.Count(static_cast<uint32_t>(m.materials.size()));
    out.Count(static_cast<uint32_t>(m.faceMaterials.size()));
    out.Indices(m.faceMaterials);
    for (const MeshMaterial& mat : m.materials) {
      out.Begin("Material", mat.name);
      out.Record({mat.faceColor.r, mat.faceColor.g, mat.faceColor.b, mat.faceColor.a});
      out.Record({mat.power});
      out.Record({mat.specular.x, mat.specular.y, mat.specular.z});
      out.Record({mat.emissive.x, mat.emissive.y, mat.emissive.z});
      if ((options & kSaveTextureNames) && !mat.textureFile.empty()) {
        out.Begin("TextureFilename", "");
        out.String(mat.textureFile);
        out.End();
      }
      out.End();
    }
    out.End();
  }
  out.End();
}

}  // namespace

bool WriteMeshFile(const MeshData& mesh, int format, int options, std::string& out) {
  if (format != kFormatBinary && format != kFormatCompressed && format != kFormatText) return false;
  if (!indicesValid(mesh)) return false;
  std::string body;
  if (format == kFormatText) {
    TextOut text(body);
    writeMesh(text, mesh, options);
  } else {
    BinaryOut binary(body);
    writeMesh(binary, mesh, options);
  }
  if (format == kFormatCompressed && body.size() > kMaxUnpackedSize) return false;  // unreadable
  out = MakeContainer(format == kFormatText ? Encoding::Text : Encoding::Binary,
                      format == kFormatCompressed, body);
  return true;
}

}  // namespace engine::xfile
