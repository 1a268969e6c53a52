#include "output/export_xfile.h"

#include <map>
#include <tuple>
#include <vector>

#include "output/block_surface.h"
#include "output/output_error.h"
#include "platform/scoped_window.h"
#include "scene/direct3drm.h"
#include "scene/face.h"
#include "scene/mesh_builder.h"
#include "scene/vantrel_declare.h"

namespace kubisto::output {
namespace {

constexpr int kTextFormat = 2;
constexpr int kNormalsAndMaterials = 1 | 4;

}  // namespace

void ExportXFile(const Layout& layout, const std::string& stagedPath, float cellSize) {
  // One surface of every colour: corners shared where faces meet, solids that merely touch
  // apart; each face takes its block's colour.
  const auto groups = BuildSurface(layout.divide, layout.records, true);
  if (groups.empty())
    throw OutputError("the layout has no blocks, and a .x mesh file cannot be empty");

  // The engine makes its objects only once it is set up on a window.
  const platform::ScopedWindow window(1, 1);
  bool saved = false;
  {
    Direct3DRM rm;
    if (!window || !rm.Init(window.get())) {
      throw OutputError("the engine could not be set up");
    }
    MeshBuilderPtr mesh = rm.CreateMeshBuilder();
    if (!mesh) {
      rm.Quit();
      throw OutputError("the engine could not make a mesh");
    }
    // The engine's space is left-handed: the surface's z is turned round, and the corners taken
    // in reverse, so that they run clockwise seen from outside as the engine's fronts do.
    const float s = cellSize, n = static_cast<float>(layout.divide);
    std::map<std::tuple<int, int, int>, std::int32_t> normalOf;
    for (const SurfaceGroup& g : groups) {
      std::vector<std::int32_t> vertexOf(g.vertices.size(), -1);
      for (size_t f = 0; f < g.quads.size(); ++f) {
        const auto& q = g.quads[f];
        const std::int32_t color = vantrel::d3dVBColor(g.quadColors[f]);
        std::int32_t corners[4];
        for (int i = 0; i < 4; ++i) {
          const auto& v = g.vertices[q[i]];
          if (vertexOf[q[i]] < 0)
            vertexOf[q[i]] = mesh->AddVertex(v[0] * s, v[1] * s, (n - v[2]) * s);
          corners[i] = vertexOf[q[i]];
        }
        // The outward normal: the axis along which the quad's corners do not move.
        const auto& a = g.vertices[q[0]];
        const auto& b = g.vertices[q[1]];
        const auto& c = g.vertices[q[2]];
        int axis = 0;
        for (int k = 0; k < 3; ++k)
          if (a[k] == b[k] && b[k] == c[k]) axis = k;
        // The quad runs counter-clockwise seen from outside: its corners' normal points out.
        const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
        const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
        const float cross[3] = {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
        int dir[3] = {0, 0, 0};
        dir[axis] = cross[axis] > 0 ? 1 : -1;
        const auto nkey = std::make_tuple(dir[0], dir[1], -dir[2]);
        auto [nit, nadded] = normalOf.try_emplace(nkey, 0);
        if (nadded)
          nit->second = mesh->AddNormal(static_cast<float>(dir[0]), static_cast<float>(dir[1]),
                                        static_cast<float>(-dir[2]));
        FacePtr face = mesh->CreateFace();
        if (!face) continue;
        for (int i = 3; i >= 0; --i) face->AddVertexAndNormal(corners[i], nit->second);
        face->Color(color);
      }
    }
    saved = mesh->SaveEx(stagedPath, kTextFormat, kNormalsAndMaterials);
    mesh.reset();
    rm.Quit();
  }
  if (!saved) throw OutputError("the mesh file could not be written");
}

}  // namespace kubisto::output
