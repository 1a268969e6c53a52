// Drawing mesh builders and meshes: cull, light, colour and texture each face, then clip and
// rasterize it.
#include <cmath>
#include <cstring>
#include <utility>

#include "engine/face.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/render/corner_light.h"
#include "engine/render/draw_context.h"
#include "engine/render/faces.h"
#include "engine/render/plain_faces.h"
#include "engine/render/shading.h"
#include "engine/render/texture_cache.h"
#include "engine/render/vertex_projection.h"

namespace engine::render {

void FixTextureCoordinates(std::vector<CameraVertex>& poly, bool wrapU, bool wrapV) {
  const size_t n = poly.size();
  if (n == 0) return;
  for (size_t k = 1; k < n; ++k) {
    if (wrapU) poly[k].u -= std::nearbyint(poly[k].u - poly[k - 1].u);
    if (wrapV) poly[k].v -= std::nearbyint(poly[k].v - poly[k - 1].v);
  }
  float minU = poly[0].u, minV = poly[0].v;
  for (const CameraVertex& v : poly) {
    minU = std::min(minU, v.u);
    minV = std::min(minV, v.v);
  }
  float du = std::floor(minU), dv = std::floor(minV);
  if (!std::isfinite(du) || !std::isfinite(dv)) return;
  for (CameraVertex& v : poly) {
    v.u -= du;
    v.v -= dv;
  }
}

namespace {

// Starts a new round of the per-visual light cache, sized for n entries.
void ResetLightCache(DrawContext& dc, size_t n) {
  if (++dc.stamp == 0) {  // wrapped: forget every old mark
    dc.shadeOf.lightRound = 0;
    std::fill(dc.litStamp.begin(), dc.litStamp.end(), 0);
    dc.stamp = 1;
  }
  if (dc.litStamp.size() < n) {
    dc.litStamp.resize(n, 0);
    dc.litCache.resize(n);
    dc.shadeStamp.resize(n, 0);
    dc.shadeCache.resize(n);
  }
}

// Starts the light cache for a builder's normals. The lights of the visual drawn before are kept
// when they must be the same: equal normals (bit for bit), carried by an equal matrix, under the
// same lights, none of which depends on where the surface is. So a room of copies of one marker
// sphere lights each normal once, not once per sphere.
void StartLights(DrawContext& dc, const std::vector<Vector>& normals, const Matrix& normalMatrix) {
  const size_t n = normals.size();
  if (dc.litReusable && !dc.lights->positionDependent && dc.litMask == dc.lightMask &&
      dc.litNormals.size() == n &&
      std::memcmp(&dc.litNormalMatrix, &normalMatrix, sizeof(Matrix)) == 0 &&
      (n == 0 || std::memcmp(dc.litNormals.data(), normals.data(), n * sizeof(Vector)) == 0))
    return;
  ResetLightCache(dc, n);
  dc.litNormals.assign(normals.begin(), normals.end());
  dc.litNormalMatrix = normalMatrix;
  dc.litMask = dc.lightMask;
  dc.litReusable = true;
}

// Starts a new round of the shade cache: another visual, or another run of faces of one.
void NewShadeRound(DrawContext& dc) {
  if (++dc.shadeRound == 0) {
    std::fill(dc.shadeStamp.begin(), dc.shadeStamp.end(), 0);
    dc.shadeRound = 1;
  }
  dc.shadeOf.lightRound = 0;  // made for nothing that another run can name
}

// Starts a round of the shade cache for a run of a builder's faces whose lit colours come from
// base (white under a texture) and material, or keeps the current round when it was started for
// the same, bit for bit, under the same kept lights: a room of copies of one marker sphere shades
// each normal once.
void ShadeRoundFor(DrawContext& dc, const RGB& base, const SurfaceMaterial& material) {
  const DrawContext::ShadeOf& o = dc.shadeOf;
  auto same = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  if (o.lightRound == dc.stamp && same(o.base, base) && o.material.specular == material.specular &&
      same(o.material.power, material.power) && same(o.material.sr, material.sr) &&
      same(o.material.sg, material.sg) && same(o.material.sb, material.sb) &&
      same(o.material.er, material.er) && same(o.material.eg, material.eg) &&
      same(o.material.eb, material.eb))
    return;
  NewShadeRound(dc);
  dc.shadeOf = {dc.stamp, base, material};
}

// True when the face of dc.index is filled and every corner lies between the planes and inside
// the guard band, so that it needs no clipping (ProjectVertices has run).
bool CornersSimple(const DrawContext& dc, int32_t fill) {
  if (fill != kFillSolid) return false;
  for (const int32_t vi : dc.index)
    if (dc.place[vi] == kClip) return false;
  return true;
}

// Whether a face whose corners need no clipping can cover a pixel. Most faces of a small far
// sphere cover none; they are left before they are lit.
bool FaceMayCover(const DrawContext& dc) {
  const GridPoint first = dc.grid[dc.index[0]];
  int32_t minX = first.x, maxX = first.x, minY = first.y, maxY = first.y;
  for (const int32_t vi : dc.index) {
    if (dc.place[vi] != kOnGrid) return true;  // off the grid: the rasterizer decides
    const GridPoint g = dc.grid[vi];
    minX = std::min(minX, g.x);
    maxX = std::max(maxX, g.x);
    minY = std::min(minY, g.y);
    maxY = std::max(maxY, g.y);
  }
  return MayCoverGridBox(dc.target, minX, maxX, minY, maxY);
}

// Whether the face of dc.index's n corners is drawn: back faces (and faces without area) never
// are, nor faces that can cover no pixel; decided before any lighting. Sets the face's unit normal
// in camera space, and whether its corners need no clipping (simple).
[[gnu::always_inline]] inline bool FaceToDraw(DrawContext& dc, size_t n, bool perspective,
                                              int32_t fill, Vector& unitNormal, bool& simple) {
  const int32_t* index = dc.index.data();
  Vector faceNormal;
  if (!FrontNormal(
          dc.cam.data(), n, [index](size_t k) { return index[k]; }, perspective, faceNormal))
    return false;
  simple = CornersSimple(dc, fill);
  if (simple && !FaceMayCover(dc)) return false;
  return Normalize(faceNormal, unitNormal);
}

// Draws the face of dc.poly: from its corners' projections when it needs no clipping (simple),
// else through DrawPolygon.
void EmitFace(DrawContext& dc, const PolyState& state, int32_t fill, bool perspectiveTexture,
              bool simple) {
  if (!simple) {
    DrawPolygon(dc, dc.poly, state, fill, perspectiveTexture);
    return;
  }
  const size_t n = dc.poly.size();
  dc.screen.resize(n);
  for (size_t k = 0; k < n; ++k) {
    const CameraVertex& cv = dc.poly[k];
    ScreenVertex& sv = dc.screen[k];
    sv = dc.projected[dc.index[k]];
    sv.uw = cv.u * sv.oow;
    sv.vw = cv.v * sv.oow;
    sv.r = cv.r;
    sv.g = cv.g;
    sv.b = cv.b;
    sv.fog = cv.fog;
  }
  for (size_t i = 1; i + 1 < n; ++i)
    EmitTriangle(dc, dc.screen[0], dc.screen[i], dc.screen[i + 1], state);
}

PolyState MakeState(const DrawContext& dc, const MipTexture* mip) {
  PolyState st;
  st.texture = mip;
  st.quality = dc.textureQuality;
  st.fog = dc.fog.enabled;
  st.fogColor = dc.fogColor;
  return st;
}

void SetColor(CameraVertex& cv, RGB c) {
  cv.r = c.r;
  cv.g = c.g;
  cv.b = c.b;
}

// How a face is lit: not at all, once at its centre (flat), or at each corner (Gouraud).
struct FaceLighting {
  bool lit = false, gouraud = false;
  SurfaceLight flat{1, 1, 1, 0, 0, 0};  // the light at the centre, when flat
  SurfaceMaterial material;
  Vector unitNormal;  // the face's, in camera space
  const Matrix* normalMatrix = nullptr;
};

// Lights the face of dc.index's corners in dc.cam (the flat light at its centre when flat).
[[gnu::always_inline]] inline FaceLighting LightFace(const DrawContext& dc, const Quality& q,
                                                     const SurfaceMaterial& material,
                                                     Vector unitNormal,
                                                     const Matrix& normalMatrix) {
  FaceLighting f;
  f.lit = q.light == kLightOn;
  f.gouraud = q.shade != kShadeFlat;
  f.material = material;
  f.unitNormal = unitNormal;
  f.normalMatrix = &normalMatrix;
  if (f.lit && !f.gouraud) {
    const size_t n = dc.index.size();
    Vector centre;
    for (size_t k = 0; k < n; ++k) centre = centre + dc.cam[dc.index[k]];
    centre = centre * (1.0f / static_cast<float>(n));
    f.flat = Illuminate(*dc.lights, dc.lightMask, centre, unitNormal, material, dc.objectCenter);
  }
  return f;
}

// Fills one corner of the face: camera position p, texture coordinates, and its colour: the base
// colour (ignored under a texture) as lit (GouraudCorner when per corner). Inlined: it runs for
// every corner of every face drawn.
[[gnu::always_inline]] inline void SetCorner(DrawContext& dc, const FaceLighting& f,
                                             CameraVertex& cv, const Vector& p, float u, float v,
                                             RGB base, const Vector* normal, int32_t cacheKey,
                                             bool shadeKept) {
  cv.x = p.x;
  cv.y = p.y;
  cv.z = p.z;
  cv.u = u;
  cv.v = v;
  if (!f.lit) {
    SetColor(cv, base);
  } else if (!f.gouraud) {
    SetColor(cv, Shade(dc, base, f.flat, f.material));
  } else {
    SetColor(cv, GouraudCorner(dc, f.material, f.unitNormal, *f.normalMatrix, p, base, normal,
                               cacheKey, shadeKept));
  }
  cv.fog = FogFactor(dc.fog, p.z);
}

// What every face of a run of faces (a builder's run, a mesh's group) is drawn with.
struct FaceRun {
  Quality q;
  const MipTexture* mip = nullptr;
  SurfaceMaterial material;
  PolyState state;
  const Matrix* normalMatrix = nullptr;
  bool wrapU = false, wrapV = false, perspectiveTexture = false;
};

// The face pipeline, for the face of dc.index's n corners: culled, lit, its corners filled by
// corner(k, lighting, cv) for k in [0, n), its texture coordinates fixed, then drawn. Inlined into
// both face loops, which call it for every face.
template <class Corner>
[[gnu::always_inline]] inline void DrawFace(DrawContext& dc, const FaceRun& run, size_t n,
                                            const Corner& corner) {
  Vector unitNormal;
  bool simple = false;
  if (!FaceToDraw(dc, n, dc.proj.perspective, run.q.fill, unitNormal, simple)) return;
  const FaceLighting lighting = LightFace(dc, run.q, run.material, unitNormal, *run.normalMatrix);
  dc.poly.resize(n);
  for (size_t k = 0; k < n; ++k) corner(k, lighting, dc.poly[k]);
  if (run.mip) FixTextureCoordinates(dc.poly, run.wrapU, run.wrapV);
  EmitFace(dc, run.state, run.q.fill, run.perspectiveTexture, simple);
}

// Copies a face's n corner indices into dc.index; false when one names no vertex (checked unless
// every corner is known to be valid).
template <class CornerIndex>
[[gnu::always_inline]] inline bool IndexFace(DrawContext& dc, size_t n, int64_t vertexCount,
                                             bool allValid, const CornerIndex& vertexOf) {
  dc.index.resize(n);
  int32_t* index = dc.index.data();
  if (allValid) {
    for (size_t k = 0; k < n; ++k) index[k] = static_cast<int32_t>(vertexOf(k));
    return true;
  }
  for (size_t k = 0; k < n; ++k) {
    const int64_t vi = vertexOf(k);
    if (vi < 0 || vi >= vertexCount) return false;
    index[k] = static_cast<int32_t>(vi);
  }
  return true;
}

}  // namespace

void DrawBuilder(DrawContext& dc, const MeshBuilder& builder, const Matrix& modelView) {
  const std::vector<Vector>& vertices = builder.Vertices();
  if (vertices.empty() || builder.GetFaceCount() == 0) return;
  TransformPoints(vertices.data(), vertices.size(), modelView, dc.cam);
  const Matrix normalMatrix = NormalMatrix(modelView);
  const std::vector<Vector>& normals = builder.Normals();
  const std::vector<Face::TexCoord>& uvs = builder.TexCoords();
  const std::vector<Color>& vertexColors = builder.VertexColors();
  const int32_t vertexCount = static_cast<int32_t>(vertices.size());
  const bool fromVertex = builder.GetColorSource() == kColorFromVertex && !dc.appearance.fromFrame;
  FaceRun fr;
  fr.q = EffectiveQuality(dc.deviceQuality, builder.GetQuality());
  fr.normalMatrix = &normalMatrix;
  fr.perspectiveTexture = builder.GetPerspective();
  StartLights(dc, normals, normalMatrix);
  const bool allOnGrid =
      fr.q.fill == kFillSolid && ProjectVertices(dc, vertices.size(), fr.perspectiveTexture);
  // Filled, lit per corner and unfogged, with no face to clip: the plain-face path can take the
  // runs without a texture.
  const bool plain = allOnGrid && PlainFacesOn() && !dc.fog.enabled && fr.q.light == kLightOn &&
                     fr.q.shade != kShadeFlat && !fromVertex;

  const MeshBuilder::FaceTable& table = builder.GetFaceTable();
  const MeshBuilder::FaceTable::Corners& cornerTable = *table.corners;
  const FaceCorner* allCorners = cornerTable.list.data();
  const uint32_t* cornerStart = cornerTable.start.data();
  // Every corner names a vertex of the builder (the usual case): no corner needs checking.
  const bool allValid = cornerTable.lowestVertex >= 0 && cornerTable.highestVertex < vertexCount;
  uint32_t faceBegin = 0;
  for (const MeshBuilder::FaceTable::Run& run : table.runs) {
    const uint32_t faceEnd = run.faceEnd;
    const uint32_t runBegin = std::exchange(faceBegin, faceEnd);
    const Texture* texture =
        dc.appearance.fromFrame && dc.appearance.texture ? dc.appearance.texture : run.texture;
    fr.mip = texture ? PreparedTexture(texture) : nullptr;
    const RGB faceBase = FromColor(dc.appearance.fromFrame ? dc.appearance.color : run.color);
    fr.material = MaterialOf(run.material);
    fr.state = MakeState(dc, fr.mip);
    fr.wrapU = run.wrapU;
    fr.wrapV = run.wrapV;
    const bool cacheable = !dc.lights->positionDependent && !fr.material.specular;
    // The base colour is the run's (or none, under a texture) wherever a normal is used.
    const bool shadeKept = fr.mip || !fromVertex;
    ShadeRoundFor(dc, fr.mip ? RGB{} : faceBase, fr.material);
    if (plain && allValid && !fr.mip && cacheable) {
      DrawPlainFaces(dc, {allCorners, cornerStart, runBegin, faceEnd, &normals, &uvs, faceBase,
                          fr.material, &normalMatrix, fr.state});
      continue;
    }

    for (uint32_t f = runBegin; f < faceEnd; ++f) {
      const FaceCorner* corners = allCorners + cornerStart[f];
      const size_t n = cornerStart[f + 1] - cornerStart[f];
      if (n < 3 || !IndexFace(dc, n, vertexCount, allValid,
                              [corners](size_t k) { return corners[k].vertex; }))
        continue;
      DrawFace(dc, fr, n, [&](size_t k, const FaceLighting& lighting, CameraVertex& cv) {
        const int32_t vi = dc.index[k];
        const bool hasUv = static_cast<size_t>(vi) < uvs.size();
        // A texture replaces the surface colour; the light still modulates it.
        RGB base;
        if (!fr.mip)
          base = fromVertex && static_cast<size_t>(vi) < vertexColors.size()
                     ? FromColor(vertexColors[vi])
                     : faceBase;
        const int32_t ni = corners[k].normal;
        const bool hasNormal = ni >= 0 && static_cast<size_t>(ni) < normals.size();
        SetCorner(dc, lighting, cv, dc.cam[vi], hasUv ? uvs[vi].u : 0, hasUv ? uvs[vi].v : 0, base,
                  hasNormal ? &normals[ni] : nullptr, hasNormal && cacheable ? ni : -1, shadeKept);
      });
    }
  }
}

void DrawMesh(DrawContext& dc, const Mesh& mesh, const Matrix& modelView) {
  const Matrix normalMatrix = NormalMatrix(modelView);
  for (const MeshGroup& group : mesh.Groups()) {
    if (group.vertices.empty()) continue;
    FaceRun fr;
    fr.q = EffectiveQuality(dc.deviceQuality, group.quality);
    const Texture* texture = dc.appearance.fromFrame && dc.appearance.texture
                                 ? dc.appearance.texture
                                 : group.texture.get();
    fr.mip = PreparedTexture(texture);
    const RGB groupColor = FromColor(dc.appearance.fromFrame ? dc.appearance.color : group.color);
    fr.material = MaterialOf(group.material.get());
    fr.normalMatrix = &normalMatrix;
    fr.wrapU = group.mapping & kMapWrapU;
    fr.wrapV = group.mapping & kMapWrapV;
    fr.perspectiveTexture = group.mapping & kMapPerspective;
    const size_t vertexCount = group.vertices.size();

    dc.cam.resize(vertexCount);
    for (size_t i = 0; i < vertexCount; ++i)
      dc.cam[i] = TransformPoint(group.vertices[i].position, modelView);
    ResetLightCache(dc, vertexCount);
    dc.litReusable = false;  // kept by vertex, not by normal
    NewShadeRound(dc);
    if (fr.q.fill == kFillSolid) ProjectVertices(dc, vertexCount, fr.perspectiveTexture);
    fr.state = MakeState(dc, fr.mip);

    Mesh::ForEachFace(group, [&](const uint32_t* corners, uint32_t n) {
      if (n < 3 || !IndexFace(dc, n, static_cast<int64_t>(vertexCount), false,
                              [corners](size_t k) { return int64_t{corners[k]}; }))
        return;
      DrawFace(dc, fr, n, [&](size_t k, const FaceLighting& lighting, CameraVertex& cv) {
        const MeshVertex& mv = group.vertices[dc.index[k]];
        // The group's colour, modulated by the vertex's own (white unless set).
        RGB base;
        if (!fr.mip) {
          const RGB vc = FromColor(mv.color);
          base = {groupColor.r * vc.r, groupColor.g * vc.g, groupColor.b * vc.b};
        }
        // Each mesh vertex has one position and one normal, so its light can always be kept.
        // The key is the vertex, whose base colour is its own.
        SetCorner(dc, lighting, cv, dc.cam[dc.index[k]], mv.u, mv.v, base, &mv.normal, dc.index[k],
                  true);
      });
    });
  }
}

}  // namespace engine::render
