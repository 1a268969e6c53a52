// The block room built directly on the engine, as the workroom builds it: lights, camera, six
// textured walls, the table, one marker sphere per cell and optional blocks. A fixture of the
// renderer's own tests and benchmarks (threads, fast paths, picks by bounds, the llvmpipe
// comparison), which must reach the engine's objects that the real room keeps behind
// libvantrel.so; the program and every picture it makes use the workroom's room.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/color.h"
#include "engine/device.h"
#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/meshbuilder.h"
#include "engine/viewport.h"
#include "platform/window.h"

namespace engine::room {

struct Room {
  ~Room();
  platform::HWND window = 0;
  Ref<Engine> engine;
  Ref<Frame> scene, camera, room;
  Ref<Device> device;
  Ref<Viewport> viewport;
  int divide = 5;
  std::vector<Ref<Frame>> cells;  // x-major, z innermost: index (x * d + y) * d + z
  std::vector<Ref<MeshBuilder>> blocks;

  Frame* Cell(int x, int y, int z) const { return cells[(x * divide + y) * divide + z].get(); }
  // Clear, render and update: one frame, as the bridge's render step draws it.
  void RenderFrame();
};

// Builds the room on a new headless window of width x height with divide cells per axis. Wall
// pictures come from wallsDir (kita.bmp, ...); any that cannot be read get a generated pattern.
// nullptr when the window or device cannot be made.
std::unique_ptr<Room> BuildRoom(int width, int height, const std::string& wallsDir, int divide = 5);

// A cube block filling cell (x, y, z) in colour c.
void AddBlock(Room& room, int x, int y, int z, Color c);

// A sphere of radius r round the origin, poles on y, n points per ring (smooth normals).
Ref<MeshBuilder> MakeSphere(Engine& engine, int n, float r);
// A box with half extents a, b, c round the origin (one flat normal per face).
Ref<MeshBuilder> MakeBox(Engine& engine, float a, float b, float c);

// The device's colours and depths as the last frame left them.
struct Picture {
  std::vector<uint32_t> color;
  std::vector<float> depth;
};
Picture TakePicture(Room& room);

// The centre of cell (x, y, z) in the room frame's coordinates.
Vector CellCentre(int divide, int x, int y, int z);

}  // namespace engine::room
