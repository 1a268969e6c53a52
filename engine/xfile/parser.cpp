// Reads data objects from a token stream and keeps the one mesh asked for.
//
// Data object:  Type [name] { [<class id>] members... children... }
// Reference:    { name }   (a child that names an object defined earlier; used for materials)
// Every count is checked against the numbers the rest of the input can still hold before anything
// is allocated for it, so no input makes the reader allocate more than a small multiple of its
// size.
#include <charconv>
#include <cmath>
#include <map>
#include <string>

#include "engine/xfile/container.h"
#include "engine/xfile/float_text.h"
#include "engine/xfile/lexer.h"
#include "engine/xfile/xfile.h"

namespace engine::xfile {
namespace {

constexpr int kMaxDepth = 64;  // nesting of frames; deeper files are refused, not recursed into

// Applies a frame's matrix to a mesh: points by the matrix, normals by its inverse transpose.
void transformMesh(MeshData& mesh, const Matrix& m) {
  for (Vector& v : mesh.vertices) v = TransformPoint(v, m);
  Matrix inv;
  const bool invertible = Invert(m, inv);
  for (Vector& n : mesh.normals) {
    Vector t;
    if (invertible) {
      t = {n.x * inv.m[0][0] + n.y * inv.m[0][1] + n.z * inv.m[0][2],
           n.x * inv.m[1][0] + n.y * inv.m[1][1] + n.z * inv.m[1][2],
           n.x * inv.m[2][0] + n.y * inv.m[2][1] + n.z * inv.m[2][2]};
    } else {
      t = TransformDirection(n, m);
    }
    Vector unit;
    n = Normalize(t, unit) ? unit : t;
  }
}

class Parser {
 public:
  Parser(Lexer& lexer, const LoadRequest& request) : lx_(lexer), req_(request) {}

  bool Run(MeshData& out) {
    advance();
    while (tok_.kind != Tok::End) {
      if (tok_.kind != Tok::Name || !dataObject(0)) return false;
    }
    if (!found_) return false;
    out = std::move(result_);
    return true;
  }

 private:
  void advance() { tok_ = lx_.Next(); }

  bool expect(Tok kind) {
    if (tok_.kind != kind) return false;
    advance();
    return true;
  }

  // How many more numbers the input can hold, the lookahead included.
  size_t numbersLeft() const { return lx_.NumbersLeftBound() + 1; }

  // A non-negative count whose items of `per` numbers each fit in the rest of the input.
  bool readCount(uint32_t& n, size_t per) {
    if (tok_.kind != Tok::Integer || tok_.integer < 0 || tok_.integer > 0xFFFFFFFFll) return false;
    n = static_cast<uint32_t>(tok_.integer);
    advance();
    return per == 0 || n <= numbersLeft() / per;
  }

  bool readIndex(uint32_t& v, size_t limit) {
    if (tok_.kind != Tok::Integer || tok_.integer < 0 ||
        static_cast<uint64_t>(tok_.integer) >= limit)
      return false;
    v = static_cast<uint32_t>(tok_.integer);
    advance();
    return true;
  }

  bool readFloat(float& f) {
    if (tok_.kind != Tok::Integer && tok_.kind != Tok::Float) return false;
    f = static_cast<float>(tok_.number);
    if (tok_.kind == Tok::Float && !tok_.text.empty()) {
      // Straight from the digits: going through double could round twice.
      const char* end = tok_.text.data() + tok_.text.size();
      if (FloatFromChars(tok_.text.data(), end, f).ptr != end) return false;
    }
    advance();
    return std::isfinite(f);
  }

  bool readVector(Vector& v) { return readFloat(v.x) && readFloat(v.y) && readFloat(v.z); }
  bool readColor(ColorRGBA& c) {
    return readFloat(c.r) && readFloat(c.g) && readFloat(c.b) && readFloat(c.a);
  }

  // Consumes "Type [name] { [<id>]"; the lookahead is the type name.
  bool beginObject(std::string_view& type, std::string_view& name) {
    type = tok_.text;
    advance();
    name = {};
    if (tok_.kind == Tok::Name) {
      name = tok_.text;
      advance();
    }
    if (!expect(Tok::OBrace)) return false;
    if (tok_.kind == Tok::Guid) advance();
    return true;
  }

  // Skips to the '}' that closes an object whose '{' is consumed.
  bool skipBody() {
    size_t depth = 1;
    while (depth > 0) {
      switch (tok_.kind) {
        case Tok::End:
        case Tok::Error:
          return false;
        case Tok::OBrace:
          ++depth;
          break;
        case Tok::CBrace:
          --depth;
          break;
        default:
          break;
      }
      advance();
    }
    return true;
  }

  // Consumes "{ [name] [<id>] }" and returns the name.
  bool reference(std::string_view& name) {
    advance();  // '{'
    name = {};
    if (tok_.kind == Tok::Name) {
      name = tok_.text;
      advance();
    }
    if (tok_.kind == Tok::Guid) advance();
    return expect(Tok::CBrace);
  }

  // A data object or template declaration; the lookahead is its first name.
  bool dataObject(int depth) {
    if (depth > kMaxDepth) return false;
    if (tok_.text == "template") {
      advance();
      if (!expect(Tok::Name) || !expect(Tok::OBrace)) return false;
      return skipBody();
    }
    std::string_view type, name;
    if (!beginObject(type, name)) return false;
    if (type == "Frame") return frame(depth);
    if (type == "Mesh") return mesh(name);
    if (type == "Material") {
      MeshMaterial material;
      return this->material(name, material);
    }
    return skipBody();
  }

  bool frame(int depth) {
    Matrix m;
    bool hasMatrix = false;
    const bool foundBefore = found_;
    for (;;) {
      if (tok_.kind == Tok::CBrace) {
        advance();
        break;
      }
      if (tok_.kind == Tok::OBrace) {
        std::string_view ignored;
        if (!reference(ignored)) return false;
        continue;
      }
      if (tok_.kind != Tok::Name) return false;
      if (tok_.text == "FrameTransformMatrix") {
        std::string_view type, name;
        if (!beginObject(type, name)) return false;
        for (auto& row : m.m) {
          for (float& f : row) {
            if (!readFloat(f)) return false;
          }
        }
        if (!skipBody()) return false;  // tolerates extra members
        hasMatrix = true;
        continue;
      }
      if (!dataObject(depth + 1)) return false;
    }
    if (hasMatrix && found_ && !foundBefore) transformMesh(result_, m);
    return true;
  }

  bool wanted(std::string_view name) const {
    if (found_) return false;
    switch (req_.what) {
      case LoadWhat::First:
        return true;
      case LoadWhat::ByName:
        return name == req_.name;
      case LoadWhat::ByPosition:
        return meshCount_ == req_.position;
    }
    return false;
  }

  bool mesh(std::string_view name) {
    MeshData m;
    m.name = std::string(name);
    uint32_t n;
    if (!readCount(n, 3)) return false;
    m.vertices.resize(n);
    for (Vector& v : m.vertices) {
      if (!readVector(v)) return false;
    }
    if (!readCount(n, 1)) return false;
    m.faces.resize(n);
    for (auto& face : m.faces) {
      uint32_t corners;
      if (!readCount(corners, 1) || corners < 3) return false;
      face.resize(corners);
      for (uint32_t& index : face) {
        if (!readIndex(index, m.vertices.size())) return false;
      }
    }
    for (;;) {
      if (tok_.kind == Tok::CBrace) {
        advance();
        break;
      }
      if (tok_.kind == Tok::OBrace) {
        std::string_view ignored;
        if (!reference(ignored)) return false;
        continue;
      }
      if (tok_.kind != Tok::Name) return false;
      std::string_view type, childName;
      if (!beginObject(type, childName)) return false;
      bool ok;
      if (type == "MeshNormals") {
        ok = normals(m);
      } else if (type == "MeshTextureCoords") {
        ok = texCoords(m);
      } else if (type == "MeshFaceWraps") {
        ok = faceWraps(m);
      } else if (type == "MeshVertexColors") {
        ok = vertexColors(m);
      } else if (type == "MeshMaterialList") {
        ok = materialList(m);
      } else {
        ok = true;
      }
      if (!ok || !skipBody()) return false;
    }
    if (wanted(name)) {
      result_ = std::move(m);
      found_ = true;
    }
    ++meshCount_;
    return true;
  }

  // The members of the mesh's children; their closing '}' is left to the caller.
  bool normals(MeshData& m) {
    uint32_t n;
    if (!readCount(n, 3)) return false;
    m.normals.resize(n);
    for (Vector& v : m.normals) {
      if (!readVector(v)) return false;
    }
    if (!readCount(n, 1) || n != m.faces.size()) return false;
    m.faceNormals.resize(n);
    for (size_t f = 0; f < n; ++f) {
      uint32_t corners;
      if (!readCount(corners, 1) || corners != m.faces[f].size()) return false;
      m.faceNormals[f].resize(corners);
      for (uint32_t& index : m.faceNormals[f]) {
        if (!readIndex(index, m.normals.size())) return false;
      }
    }
    return true;
  }

  bool texCoords(MeshData& m) {
    uint32_t n;
    if (!readCount(n, 2) || n != m.vertices.size()) return false;
    m.texCoords.resize(n);
    for (auto& [u, v] : m.texCoords) {
      if (!readFloat(u) || !readFloat(v)) return false;
    }
    return true;
  }

  bool faceWraps(MeshData& m) {
    uint32_t n;
    if (!readCount(n, 2) || n != m.faces.size()) return false;
    m.faceWraps.resize(n);
    for (auto& [u, v] : m.faceWraps) {
      uint32_t wu, wv;
      if (!readIndex(wu, 2) || !readIndex(wv, 2)) return false;
      u = wu != 0;
      v = wv != 0;
    }
    return true;
  }

  bool vertexColors(MeshData& m) {
    uint32_t n;
    if (!readCount(n, 5)) return false;
    m.vertexColors.resize(n);
    for (VertexColor& c : m.vertexColors) {
      if (!readIndex(c.vertex, m.vertices.size()) || !readColor(c.color)) return false;
    }
    return true;
  }

  bool materialList(MeshData& m) {
    uint32_t count, indexCount;
    if (!readCount(count, 0) || !readCount(indexCount, 1)) return false;
    if (indexCount == 0 && !m.faces.empty() && count > 0) return false;
    std::vector<uint32_t> indices(indexCount);
    for (uint32_t& index : indices) {
      if (!readIndex(index, count)) return false;
    }
    // Fewer indices than faces: the last one holds for the rest.
    indices.resize(m.faces.size(), indices.empty() ? 0 : indices.back());
    std::vector<MeshMaterial> materials;
    while (tok_.kind != Tok::CBrace) {
      if (tok_.kind == Tok::OBrace) {
        std::string_view name;
        if (!reference(name)) return false;
        auto it = named_.find(std::string(name));
        if (it == named_.end()) return false;
        materials.push_back(it->second);
        continue;
      }
      if (tok_.kind != Tok::Name) return false;
      std::string_view type, name;
      if (!beginObject(type, name)) return false;
      if (type == "Material") {
        materials.emplace_back();
        if (!material(name, materials.back())) return false;
      } else if (!skipBody()) {
        return false;
      }
    }
    if (materials.size() < count) return false;
    materials.resize(count);
    m.materials = std::move(materials);
    m.faceMaterials = count == 0 ? std::vector<uint32_t>{} : std::move(indices);
    return true;
  }

  // A material's members and children up to and including its '}'; a named one is kept for
  // references.
  bool material(std::string_view name, MeshMaterial& mat) {
    mat.name = std::string(name);
    if (!readColor(mat.faceColor) || !readFloat(mat.power) || !readVector(mat.specular) ||
        !readVector(mat.emissive)) {
      return false;
    }
    while (tok_.kind != Tok::CBrace) {
      if (tok_.kind == Tok::OBrace) {
        std::string_view ignored;
        if (!reference(ignored)) return false;
        continue;
      }
      if (tok_.kind != Tok::Name) return false;
      std::string_view type, childName;
      if (!beginObject(type, childName)) return false;
      if (type == "TextureFilename" || type == "TextureFileName") {
        if (tok_.kind != Tok::String) return false;
        mat.textureFile = std::string(tok_.text);
        advance();
      }
      if (!skipBody()) return false;
    }
    advance();
    if (!name.empty()) named_[mat.name] = mat;
    return true;
  }

  Lexer& lx_;
  const LoadRequest& req_;
  Token tok_;
  MeshData result_;
  bool found_ = false;
  uint32_t meshCount_ = 0;
  std::map<std::string, MeshMaterial> named_;
};

}  // namespace

bool ParseMeshFile(const uint8_t* data, size_t size, const LoadRequest& request, MeshData& out) {
  Payload payload;
  if (!OpenContainer(data, size, payload)) return false;
  auto lexer = payload.encoding == Encoding::Text
                   ? MakeTextLexer(payload.body, payload.size)
                   : MakeBinaryLexer(payload.body, payload.size, payload.floatBits);
  Parser parser(*lexer, request);
  return parser.Run(out);
}

}  // namespace engine::xfile
