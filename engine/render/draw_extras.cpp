// Decals (textures drawn upright at a frame's origin) and shadows (a visual flattened onto a plane
// from a light).
#include <cmath>

#include "engine/face.h"
#include "engine/light.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/render/draw_context.h"
#include "engine/render/faces.h"
#include "engine/render/texture_cache.h"
#include "engine/shadow.h"
#include "engine/texture.h"

namespace engine::render {

void DrawDecal(DrawContext& dc, const Texture& texture) {
  const MipTexture* mip = PreparedTexture(&texture);
  if (!mip) return;
  const Vector o = dc.objectCenter;
  const Viewport::Projection& p = dc.proj;
  if (!(o.z >= p.front && o.z <= p.back)) return;

  CameraVertex origin{o.x, o.y, o.z, 0, 0, 1, 1, 1, FogFactor(dc.fog, o.z)};
  ScreenVertex at = Project(dc, origin, false);
  // Pixel size: the decal's world size seen at its distance, or the picture's own pixels.
  float w, h;
  if (texture.GetDecalScale()) {
    float dw = 0, dh = 0;
    texture.GetDecalSize(dw, dh);
    float k = p.perspective ? p.front / o.z : 1.0f;
    w = dw * k * p.scaleX;
    h = dh * k * p.scaleY;
  } else {
    w = static_cast<float>(texture.GetWidth());
    h = static_cast<float>(texture.GetHeight());
  }
  if (!(w > 0.0f) || !(h > 0.0f)) return;
  int32_t ox = 0, oy = 0;
  texture.GetDecalOrigin(ox, oy);
  // The origin pixel of the picture sits on the frame's origin.
  float left = at.x - static_cast<float>(ox) * w / static_cast<float>(texture.GetWidth());
  float top = at.y - static_cast<float>(oy) * h / static_cast<float>(texture.GetHeight());
  if (!std::isfinite(left) || !std::isfinite(top)) return;
  left = std::max(left, -kMaxScreenCoord / 2);
  top = std::max(top, -kMaxScreenCoord / 2);
  float right = std::min(left + w, kMaxScreenCoord / 2),
        bottom = std::min(top + h, kMaxScreenCoord / 2);

  auto corner = [&](float x, float y, float u, float v) {
    ScreenVertex s = at;
    s.x = x;
    s.y = y;
    s.uw = u;
    s.vw = v;
    return s;
  };
  ScreenVertex a = corner(left, top, 0, 0), b = corner(right, top, 1, 0);
  ScreenVertex c = corner(right, bottom, 1, 1), d = corner(left, bottom, 0, 1);
  PolyState st;
  st.texture = mip;
  st.quality = dc.textureQuality;
  st.fog = dc.fog.enabled;
  st.fogColor = dc.fogColor;
  if (texture.GetDecalTransparency()) {
    st.blend = Blend::kColorKey;
    st.colorKey = texture.GetDecalTransparentColor() & 0xFFFFFF;
  }
  EmitTriangle(dc, a, b, c, st);
  EmitTriangle(dc, a, c, d, st);
}

namespace {

// The world positions of a visual's vertices and its faces as vertex index lists (into those
// positions), for shadow casting.
struct Outline {
  std::vector<Vector> world;
  std::vector<std::vector<int32_t>> faces;
};

void Collect(const Object* visual, const Matrix& toWorld, Outline& out) {
  if (const MeshBuilder* b = As<MeshBuilder>(visual)) {
    for (const Vector& v : b->Vertices()) out.world.push_back(TransformPoint(v, toWorld));
    for (const Ref<Face>& f : b->Faces()) {
      std::vector<int32_t> idx;
      for (const FaceCorner& c : f->Corners()) idx.push_back(c.vertex);
      out.faces.push_back(std::move(idx));
    }
  } else if (const Mesh* m = As<Mesh>(visual)) {
    for (const MeshGroup& g : m->Groups()) {
      const int32_t base = static_cast<int32_t>(out.world.size());
      for (const MeshVertex& v : g.vertices)
        out.world.push_back(TransformPoint(v.position, toWorld));
      Mesh::ForEachFace(g, [&](const uint32_t* corners, uint32_t n) {
        std::vector<int32_t> idx;
        for (uint32_t k = 0; k < n; ++k)
          idx.push_back(corners[k] < g.vertices.size() ? base + static_cast<int32_t>(corners[k])
                                                       : -1);
        out.faces.push_back(std::move(idx));
      });
    }
  }
}

}  // namespace

void DrawShadow(DrawContext& dc, const Shadow& shadow, const Matrix& toWorld) {
  const Light* light = shadow.GetLight();
  const Object* visual = shadow.GetVisual();
  if (!light || !visual) return;
  const LightPlacement* placement = nullptr;
  for (const LightPlacement& lp : dc.lightPlacements)
    if (lp.light == light) placement = &lp;
  if (!placement) return;  // the light shines from no frame of this scene

  Outline outline;
  Collect(visual, toWorld, outline);
  if (outline.world.empty()) return;

  const Vector planePoint = shadow.GetPlanePoint();
  Vector planeNormal;
  if (!Normalize(shadow.GetPlaneNormal(), planeNormal)) planeNormal = Vector{0, 1, 0};
  const bool directional =
      light->GetType() == kLightDirectional || light->GetType() == kLightParallelPoint;
  const Vector lightPos = placement->world.Position();
  Vector lightDir;
  if (!Normalize(TransformDirection(Vector{0, 0, 1}, placement->world), lightDir)) return;
  const float dirDotN = Dot(lightDir, planeNormal);
  if (directional && std::fabs(dirDotN) < 1e-6f) return;
  // The side of the plane the light is on: the shadow is lifted a little toward it, above the
  // surface it falls on.
  const float lightSide = directional
                              ? (dirDotN < 0 ? 1.0f : -1.0f)
                              : (Dot(lightPos - planePoint, planeNormal) >= 0 ? 1.0f : -1.0f);

  // Flatten every vertex onto the plane along its ray from the light.
  std::vector<Vector>& flat = dc.cam;
  std::vector<uint8_t> ok(outline.world.size(), 0);
  flat.resize(outline.world.size());
  for (size_t i = 0; i < outline.world.size(); ++i) {
    const Vector p = outline.world[i];
    Vector q;
    if (directional) {
      q = p + lightDir * (Dot(planePoint - p, planeNormal) / dirDotN);
    } else {
      float den = Dot(p - lightPos, planeNormal);
      if (std::fabs(den) < 1e-6f) continue;
      float t = Dot(planePoint - lightPos, planeNormal) / den;
      if (!(t >= 1.0f)) continue;  // the point lies beyond the plane, or behind the light
      q = lightPos + (p - lightPos) * t;
    }
    Vector c = TransformPoint(q, dc.worldToCamera);
    float lift = std::max(0.01f, 0.002f * std::fabs(c.z));
    flat[i] = TransformPoint(q + planeNormal * (lift * lightSide), dc.worldToCamera);
    ok[i] = std::isfinite(flat[i].x) && std::isfinite(flat[i].y) && std::isfinite(flat[i].z);
  }

  PolyState st;
  st.blend = Blend::kDarken;
  for (const std::vector<int32_t>& face : outline.faces) {
    if (face.size() < 3) continue;
    bool valid = true;
    for (int32_t vi : face)
      valid = valid && vi >= 0 && static_cast<size_t>(vi) < flat.size() && ok[vi];
    if (!valid) continue;
    // Only the faces that the light falls on cast the shadow, so that it is darkened once.
    Vector n = PolygonNormal(outline.world.data(), face.data(), face.size());
    Vector toLight = directional ? -lightDir : lightPos - outline.world[face[0]];
    if (!(Dot(n, toLight) > 0.0f)) continue;
    dc.poly.resize(face.size());
    for (size_t k = 0; k < face.size(); ++k) {
      const Vector& p = flat[face[k]];
      dc.poly[k] = CameraVertex{p.x, p.y, p.z, 0, 0, 0, 0, 0, 1};
    }
    DrawPolygon(dc, dc.poly, st, kFillSolid, false);
  }
}

}  // namespace engine::render
