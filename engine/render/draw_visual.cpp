// Drawing mesh builders and meshes: cull, light, colour and texture each face, then clip and
// rasterize it.
#include <cmath>

#include "engine/face.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/render/draw_context.h"
#include "engine/render/faces.h"
#include "engine/render/shading.h"
#include "engine/render/texture_cache.h"

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
    std::fill(dc.litStamp.begin(), dc.litStamp.end(), 0);
    dc.stamp = 1;
  }
  if (dc.litStamp.size() < n) {
    dc.litStamp.resize(n, 0);
    dc.litCache.resize(n);
  }
}

// Starts a new round of the per-visual projection cache, sized for n vertices.
void ResetProjectionCache(DrawContext& dc, size_t n) {
  if (++dc.projectStamp == 0) {
    std::fill(dc.projectedStamp.begin(), dc.projectedStamp.end(), 0);
    dc.projectStamp = 1;
  }
  if (dc.projectedStamp.size() < n) {
    dc.projectedStamp.resize(n, 0);
    dc.projected.resize(n);
    dc.projectedSimple.resize(n);
  }
}

// Draws a face whose corners need no clipping from the vertices' cached projections (each vertex
// is projected once however many faces share it); any other face goes through DrawPolygon.
void DrawFace(DrawContext& dc, const PolyState& state, int32_t fill, bool perspectiveTexture) {
  const size_t n = dc.poly.size();
  bool simple = fill == kFillSolid;
  for (size_t k = 0; k < n && simple; ++k) {
    const int32_t vi = dc.index[k];
    if (dc.projectedStamp[vi] != dc.projectStamp) {
      const CameraVertex& cv = dc.poly[k];
      const bool inDepth = cv.z >= dc.proj.front && cv.z <= dc.proj.back;
      ScreenVertex sv{};
      if (inDepth) sv = Project(dc, cv, perspectiveTexture);
      dc.projected[vi] = sv;
      dc.projectedSimple[vi] = inDepth && sv.x >= dc.guardX0 && sv.x <= dc.guardX1 &&
                               sv.y >= dc.guardY0 && sv.y <= dc.guardY1;
      dc.projectedStamp[vi] = dc.projectStamp;
    }
    simple = dc.projectedSimple[vi] != 0;
  }
  if (!simple) {
    DrawPolygon(dc, dc.poly, state, fill, perspectiveTexture);
    return;
  }
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

}  // namespace

void DrawBuilder(DrawContext& dc, const MeshBuilder& builder, const Matrix& modelView) {
  const std::vector<Vector>& vertices = builder.Vertices();
  if (vertices.empty() || builder.GetFaceCount() == 0) return;
  const Quality q = EffectiveQuality(dc.deviceQuality, builder.GetQuality());
  const bool lit = q.light == kLightOn, gouraud = q.shade != kShadeFlat;
  const bool perspective = dc.proj.perspective;
  TransformPoints(vertices.data(), vertices.size(), modelView, dc.cam);
  const Matrix normalMatrix = NormalMatrix(modelView);

  const std::vector<Vector>& normals = builder.Normals();
  const std::vector<Face::TexCoord>& uvs = builder.TexCoords();
  const std::vector<Color>& vertexColors = builder.VertexColors();
  const int32_t vertexCount = static_cast<int32_t>(vertices.size());
  const bool fromVertex = builder.GetColorSource() == kColorFromVertex && !dc.appearance.fromFrame;
  ResetLightCache(dc, normals.size());
  ResetProjectionCache(dc, vertices.size());

  for (const Ref<Face>& faceRef : builder.Faces()) {
    const Face& face = *faceRef;
    const std::vector<FaceCorner>& corners = face.Corners();
    const size_t n = corners.size();
    if (n < 3) continue;
    dc.index.resize(n);
    bool valid = true;
    for (size_t k = 0; k < n; ++k) {
      int32_t vi = corners[k].vertex;
      valid = valid && vi >= 0 && vi < vertexCount;
      dc.index[k] = vi;
    }
    if (!valid) continue;
    // Back faces (and faces without area) are never drawn; decide before any lighting.
    const Vector faceNormal = PolygonNormal(dc.cam.data(), dc.index.data(), n);
    if (!FacesCamera(faceNormal, dc.cam[dc.index[0]], perspective)) continue;
    Vector unitNormal;
    if (!Normalize(faceNormal, unitNormal)) continue;

    const Texture* texture = dc.appearance.fromFrame && dc.appearance.texture
                                 ? dc.appearance.texture
                                 : face.GetTexture();
    const MipTexture* mip = texture ? PreparedTexture(texture) : nullptr;
    const Color faceColor = dc.appearance.fromFrame ? dc.appearance.color : face.GetColor();
    const SurfaceMaterial material = MaterialOf(face.GetMaterial());
    const bool cacheable = !dc.lights->positionDependent && !material.specular;

    SurfaceLight flatLight{1, 1, 1, 0, 0, 0};
    if (lit && !gouraud) {
      Vector centre;
      for (size_t k = 0; k < n; ++k) centre = centre + dc.cam[dc.index[k]];
      centre = centre * (1.0f / static_cast<float>(n));
      flatLight = Illuminate(*dc.lights, dc.lightMask, centre, unitNormal, material, dc.objectCenter);
    }

    dc.poly.resize(n);
    for (size_t k = 0; k < n; ++k) {
      const int32_t vi = dc.index[k];
      const Vector& p = dc.cam[vi];
      CameraVertex& cv = dc.poly[k];
      cv.x = p.x;
      cv.y = p.y;
      cv.z = p.z;
      if (static_cast<size_t>(vi) < uvs.size()) {
        cv.u = uvs[vi].u;
        cv.v = uvs[vi].v;
      } else {
        cv.u = cv.v = 0;
      }
      // A texture replaces the surface colour; the light still modulates it.
      RGB base;
      if (!mip)
        base = FromColor(fromVertex && static_cast<size_t>(vi) < vertexColors.size()
                             ? vertexColors[vi]
                             : faceColor);
      if (!lit) {
        SetColor(cv, base);
      } else if (!gouraud) {
        SetColor(cv, Shade(dc, base, flatLight, material));
      } else {
        const int32_t ni = corners[k].normal;
        SurfaceLight light;
        if (ni >= 0 && static_cast<size_t>(ni) < normals.size()) {
          if (cacheable && dc.litStamp[ni] == dc.stamp) {
            light = dc.litCache[ni];
          } else {
            Vector cn = CameraNormal(normals[ni], normalMatrix, unitNormal);
            light = Illuminate(*dc.lights, dc.lightMask, p, cn, material, dc.objectCenter);
            if (cacheable) {
              dc.litCache[ni] = light;
              dc.litStamp[ni] = dc.stamp;
            }
          }
        } else {
          light = Illuminate(*dc.lights, dc.lightMask, p, unitNormal, material, dc.objectCenter);
        }
        SetColor(cv, Shade(dc, base, light, material));
      }
      cv.fog = FogFactor(dc.fog, p.z);
    }
    if (mip) FixTextureCoordinates(dc.poly, face.WrapU(), face.WrapV());
    DrawFace(dc, MakeState(dc, mip), q.fill, builder.GetPerspective());
  }
}

void DrawMesh(DrawContext& dc, const Mesh& mesh, const Matrix& modelView) {
  const bool perspective = dc.proj.perspective;
  const Matrix normalMatrix = NormalMatrix(modelView);
  for (const MeshGroup& group : mesh.Groups()) {
    if (group.vertices.empty()) continue;
    const Quality q = EffectiveQuality(dc.deviceQuality, group.quality);
    const bool lit = q.light == kLightOn, gouraud = q.shade != kShadeFlat;
    const Texture* texture = dc.appearance.fromFrame && dc.appearance.texture
                                 ? dc.appearance.texture
                                 : group.texture.get();
    const MipTexture* mip = PreparedTexture(texture);
    const RGB groupColor = FromColor(dc.appearance.fromFrame ? dc.appearance.color : group.color);
    const SurfaceMaterial material = MaterialOf(group.material.get());
    const bool wrapU = group.mapping & kMapWrapU, wrapV = group.mapping & kMapWrapV;
    const bool perspectiveTexture = group.mapping & kMapPerspective;
    const size_t vertexCount = group.vertices.size();

    dc.cam.resize(vertexCount);
    for (size_t i = 0; i < vertexCount; ++i)
      dc.cam[i] = TransformPoint(group.vertices[i].position, modelView);
    // Each mesh vertex has one position and one normal, so its light can always be kept.
    ResetLightCache(dc, vertexCount);
    ResetProjectionCache(dc, vertexCount);
    const PolyState state = MakeState(dc, mip);

    int32_t faceIndex = -1;
    Mesh::ForEachFace(group, [&](const uint32_t* corners, uint32_t n) {
      ++faceIndex;
      if (n < 3) return;
      dc.index.resize(n);
      for (uint32_t k = 0; k < n; ++k) {
        if (corners[k] >= vertexCount) return;
        dc.index[k] = static_cast<int32_t>(corners[k]);
      }
      const Vector faceNormal = PolygonNormal(dc.cam.data(), dc.index.data(), n);
      if (!FacesCamera(faceNormal, dc.cam[dc.index[0]], perspective)) return;
      Vector unitNormal;
      if (!Normalize(faceNormal, unitNormal)) return;

      SurfaceLight flatLight{1, 1, 1, 0, 0, 0};
      if (lit && !gouraud) {
        Vector centre;
        for (uint32_t k = 0; k < n; ++k) centre = centre + dc.cam[dc.index[k]];
        centre = centre * (1.0f / static_cast<float>(n));
        flatLight =
            Illuminate(*dc.lights, dc.lightMask, centre, unitNormal, material, dc.objectCenter);
      }
      dc.poly.resize(n);
      for (uint32_t k = 0; k < n; ++k) {
        const int32_t vi = dc.index[k];
        const MeshVertex& mv = group.vertices[vi];
        const Vector& p = dc.cam[vi];
        CameraVertex& cv = dc.poly[k];
        cv.x = p.x;
        cv.y = p.y;
        cv.z = p.z;
        cv.u = mv.u;
        cv.v = mv.v;
        // The group's colour, modulated by the vertex's own (white unless set).
        RGB base;
        if (!mip) {
          RGB vc = FromColor(mv.color);
          base = {groupColor.r * vc.r, groupColor.g * vc.g, groupColor.b * vc.b};
        }
        if (!lit) {
          SetColor(cv, base);
        } else if (!gouraud) {
          SetColor(cv, Shade(dc, base, flatLight, material));
        } else {
          if (dc.litStamp[vi] != dc.stamp) {
            Vector cn = CameraNormal(mv.normal, normalMatrix, unitNormal);
            dc.litCache[vi] = Illuminate(*dc.lights, dc.lightMask, p, cn, material, dc.objectCenter);
            dc.litStamp[vi] = dc.stamp;
          }
          SetColor(cv, Shade(dc, base, dc.litCache[vi], material));
        }
        cv.fog = FogFactor(dc.fog, p.z);
      }
      if (mip) FixTextureCoordinates(dc.poly, wrapU, wrapV);
      DrawFace(dc, state, q.fill, perspectiveTexture);
    });
  }
}

}  // namespace engine::render
