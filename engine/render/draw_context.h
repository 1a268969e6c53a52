// The state of one Render call that the drawing stages share: the target, projection, lights, fog
// and device settings, what the frame being drawn imposes on its visuals, and scratch buffers that
// are reused from visual to visual so that no triangle allocates.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/color.h"
#include "engine/math.h"
#include "engine/render/fog.h"
#include "engine/render/lighting.h"
#include "engine/render/rasterize.h"
#include "engine/render/target.h"
#include "engine/render/vertex.h"
#include "engine/viewport.h"

namespace engine {
class Mesh;
class MeshBuilder;
class Shadow;
class Texture;
}  // namespace engine

namespace engine::render {

// Colour and texture that a frame in "material from frame" mode gives its visuals.
struct Appearance {
  bool fromFrame = false;
  Color color = kWhite;
  const Texture* texture = nullptr;
};

// Where a light of the scene shines from: the world transform of its frame (for shadows).
struct LightPlacement {
  const Light* light;
  Matrix world;
};

// A lit colour, 0..1 a channel (more before the rasterizer clamps it).
struct ShadedColor {
  float r = 1, g = 1, b = 1;
};

// How a projected vertex lies: kClip when it needs clipping (beyond the front or back plane, or
// outside the guard band); kOnGrid when it does not and its grid position is known; kOffGrid when
// it does not but lies too far out for the grid (a viewport wider than the grid's range).
enum VertexPlace : uint8_t { kClip, kOnGrid, kOffGrid };

struct GridPoint {
  int32_t x, y;
};

// What every visual of one frame is drawn with.
struct FrameSettings {
  Target target;
  Viewport::Projection proj;
  // Polygons are clipped to this rectangle only when they leave it; the rasterizer's own clip
  // rectangle does the rest.
  float guardX0 = 0, guardY0 = 0, guardX1 = 0, guardY1 = 0;
  const LightEnv* lights = nullptr;
  FogParams fog;
  uint32_t fogColor = 0;  // 0x00RRGGBB
  int32_t deviceQuality = 0;
  int textureQuality = 0;
  bool mono = false;  // the mono ramp colour model
  int shades = 32;
  Matrix worldToCamera;
  std::vector<LightPlacement> lightPlacements;
};

// The frame's settings, the visual being drawn and scratch buffers. Each drawing thread has one.
struct DrawContext : FrameSettings {
  // Set for each visual.
  uint64_t lightMask = ~uint64_t{0};
  Appearance appearance;
  Vector objectCenter;  // the holding frame's origin in camera space
  Matrix toWorld;       // the holding frame's transform into the world (for shadows)

  // Scratch.
  std::vector<Vector> cam;
  // Per normal (per vertex of a mesh) of the visual being drawn: its light, kept while
  // litStamp[i] == stamp, and the colour that light gives the surface of the current run of faces,
  // kept while shadeStamp[i] == shadeRound.
  std::vector<uint32_t> litStamp;
  std::vector<SurfaceLight> litCache;
  uint32_t stamp = 0;
  // What the kept lights were made from, so that the next visual may keep them too (StartLights):
  // the normals, the matrix that carried them into camera space and the lights that reached them.
  // litReusable is false until they are recorded in this frame.
  bool litReusable = false;
  std::vector<Vector> litNormals;
  Matrix litNormalMatrix;
  uint64_t litMask = 0;
  std::vector<uint32_t> shadeStamp;
  std::vector<ShadedColor> shadeCache;
  uint32_t shadeRound = 0;
  // What the current round of the shade cache was started for: the round of the light cache
  // (stamp; 0 for none) and the base colour and material the lit colours were made from.
  struct ShadeOf {
    uint32_t lightRound = 0;
    ShadedColor base;
    SurfaceMaterial material;
  } shadeOf;
  std::vector<int32_t> index;
  // Per vertex of the visual being drawn, when its faces are filled: its projection, how it lies
  // (VertexPlace), and its position on the rasterizer's grid when it lies on it.
  std::vector<ScreenVertex> projected;
  std::vector<uint8_t> place;
  std::vector<GridPoint> grid;
  std::vector<CameraVertex> poly, clipped;
  std::vector<ScreenVertex> screen, scratch;
};

// The rasterizer's calls, into the rows of the target that this context draws.
inline void EmitTriangle(DrawContext& dc, const ScreenVertex& a, const ScreenVertex& b,
                         const ScreenVertex& c, const PolyState& state) {
  DrawTriangle(dc.target, a, b, c, state);
}
void EmitLine(DrawContext& dc, const ScreenVertex& a, const ScreenVertex& b);
void EmitPoint(DrawContext& dc, const ScreenVertex& p);

// Projects a camera-space corner (in front of the camera when perspective). Inline: every corner
// of every face drawn comes through here.
inline ScreenVertex Project(const DrawContext& dc, const CameraVertex& v, bool perspectiveTexture) {
  const Viewport::Projection& p = dc.proj;
  ScreenVertex s;
  if (p.perspective) {
    float iz = 1.0f / v.z;
    float k = p.front * iz;
    s.x = p.centerX + v.x * k * p.scaleX;
    s.y = p.centerY - v.y * k * p.scaleY;
    s.depth = iz;  // 1/z is linear across the screen
    s.oow = perspectiveTexture ? iz : 1.0f;
  } else {
    s.x = p.centerX + v.x * p.scaleX;
    s.y = p.centerY - v.y * p.scaleY;
    // Kept above the cleared value 0 everywhere between the planes.
    s.depth = 1.0f + (p.back - v.z) / (p.back - p.front);
    s.oow = 1.0f;
  }
  s.uw = v.u * s.oow;
  s.vw = v.v * s.oow;
  s.r = v.r;
  s.g = v.g;
  s.b = v.b;
  s.fog = v.fog;
  return s;
}

// Clips the polygon against the front and back planes and the guard band and draws it in the fill
// mode (kFillPoints, kFillWireframe, kFillSolid).
void DrawPolygon(DrawContext& dc, const std::vector<CameraVertex>& poly, const PolyState& state,
                 int32_t fill, bool perspectiveTexture);

void DrawBuilder(DrawContext& dc, const MeshBuilder& builder, const Matrix& modelView);
void DrawMesh(DrawContext& dc, const Mesh& mesh, const Matrix& modelView);
// A texture drawn as a decal at the holding frame's origin.
void DrawDecal(DrawContext& dc, const Texture& texture);
// A shadow: its visual flattened onto its plane from its light, darkening what lies there.
void DrawShadow(DrawContext& dc, const Shadow& shadow, const Matrix& toWorld);

}  // namespace engine::render
