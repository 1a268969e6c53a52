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
void RenderScene(Viewport& viewport, Frame* frame);

}  // namespace engine::render
