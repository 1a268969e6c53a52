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
// With more than one render thread (raster_pool.h) the visuals are recorded first and drawn band
// of rows by band of rows, each band by one thread, with the same pixels as one thread draws.
void RenderScene(Viewport& viewport, Frame* frame);

// For tests: while on, every RenderScene draws its frame with 1, 2 and 3 threads from the same
// start and counts the frames whose pixels or depths differ between them.
void SetThreadCheck(bool on);
int ThreadCheckMismatches();

// For tests: every frame is drawn in bands of this many rows, on any number of threads; 0 returns
// to the default (a few bands per thread, none on one thread).
void SetBandRows(int rows);

}  // namespace engine::render
