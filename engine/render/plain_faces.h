// The plain-face path: a run of a mesh builder's faces that are filled, untextured, unfogged and
// lit per corner, of a visual whose every vertex lies on the rasterizer's grid, so that no face
// needs clipping. Most of a room's visuals are such (marker spheres, blocks, the table). The
// faces are culled, lit and drawn with the same arithmetic as the general face pipeline, without
// its per-corner copies and checks.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/face.h"
#include "engine/render/draw_context.h"
#include "engine/render/shading.h"

namespace engine::render {

struct PlainFaces {
  const FaceCorner* corners;    // the builder's corner list
  const uint32_t* cornerStart;  // face f: corners [cornerStart[f], cornerStart[f + 1])
  uint32_t faceBegin, faceEnd;  // the run
  const std::vector<Vector>* normals;
  const std::vector<Face::TexCoord>* uvs;
  RGB base;  // the run's colour
  SurfaceMaterial material;
  const Matrix* normalMatrix;
  PolyState state;
};

// Draws the run; dc.cam, dc.projected and dc.grid hold the visual's vertices (ProjectVertices),
// every corner names one of them, and the light and shade caches are started for the run.
void DrawPlainFaces(DrawContext& dc, const PlainFaces& run);

// For tests: off sends every face through the general pipeline.
void SetPlainFaces(bool on);
bool PlainFacesOn();

}  // namespace engine::render
