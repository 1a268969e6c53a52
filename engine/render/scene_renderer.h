// The scene renderer: walks a frame hierarchy and draws its visuals into a viewport's device.
#pragma once

namespace engine {
class Frame;
class Viewport;
}  // namespace engine

namespace engine::render {

// Paints the viewport's rectangle with the scene's background (colour, then image) and clears its
// depth. scene may be nullptr (black).
void ClearViewport(Viewport& viewport, const Frame* scene);

// Draws every visual below frame from the viewport's camera, lit by the lights of frame's scene.
// With more than one render thread (raster_pool.h) the visuals are recorded first and their
// rows drawn by the threads together, with the same pixels as one thread draws.
void RenderScene(Viewport& viewport, Frame* frame);

// For tests: while on, every RenderScene draws its frame with 1, 2 and 3 threads from the same
// start and counts the frames whose pixels or depths differ between them.
void SetThreadCheck(bool on);
int ThreadCheckMismatches();

}  // namespace engine::render
