// The plain-face path against the general face pipeline: the same colours and depths, bit for bit,
// for the room (spheres, blocks, table) and for builders that test its edges: corners without
// normals, a normal that cannot be normalised, faces without area, a face of more corners than
// its usable-corner bits, colours beyond 1, an orthographic view, and several threads.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/material.h"
#include "engine/render/plain_faces.h"
#include "engine/render/raster_pool.h"
#include "engine/tests/support/room_scene.h"
#include "engine/types.h"

namespace engine {
namespace {

using room::Picture;

Picture Draw(room::Room& r, bool plain) {
  render::SetPlainFaces(plain);
  r.RenderFrame();
  render::SetPlainFaces(true);
  return room::TakePicture(r);
}

void ExpectSamePicture(room::Room& r, const char* what) {
  const Picture general = Draw(r, false), plain = Draw(r, true);
  int differing = 0;
  for (size_t i = 0; i < general.color.size(); ++i)
    differing += general.color[i] != plain.color[i] ||
                 std::memcmp(&general.depth[i], &plain.depth[i], sizeof(float)) != 0;
  EXPECT_EQ(differing, 0) << what;
}

// A builder of awkward faces, some 300 units across; with a zero normal among its normals or not
// (which decides whether corners are lit face by face or only where a triangle covers a pixel).
Ref<MeshBuilder> AwkwardBuilder(Engine& e, bool zeroNormal) {
  Ref<MeshBuilder> b = e.CreateMeshBuilder();
  const float kPi = 3.14159265f;
  // A 70-cornered disc (one face) whose corners have no normals: lit as the face.
  for (int k = 0; k < 70; ++k)
    b->AddVertex(Vector{100 * std::cos(-2 * kPi * k / 70), 100 * std::sin(-2 * kPi * k / 70), -60});
  std::vector<FaceCorner> disc;
  for (int k = 0; k < 70; ++k) disc.push_back({k, -1});
  b->AddFaceIndexed(disc);
  // A quad with four normals, the first one zero (cannot be normalised) or not.
  const int32_t v = b->GetVertexCount();
  for (Vector p : {Vector{-150, -150, -30}, Vector{-150, 150, -30}, Vector{150, 150, -30},
                   Vector{150, -150, -30}})
    b->AddVertex(p);
  const int32_t n0 = b->AddNormal(zeroNormal ? Vector{0, 0, 0} : Vector{-0.2f, 0.1f, -1});
  const int32_t n1 = b->AddNormal(Vector{0, 0, -1});
  const int32_t n2 = b->AddNormal(Vector{0.3f, 0.2f, -1});
  // Before the quad, slivers that hold no pixel centre, tilted, sharing the quad's first normal.
  // A normal that cannot be normalised is lit as each face that has it, not as the first face
  // that asked (which would differ between the paths, and between threads: the suite's thread
  // check draws every frame on 1, 2 and 3 threads).
  for (int k = 0; k < 6; ++k) {
    const float at = 10.0f * k, lean = 0.3f * k;
    const int32_t s = b->GetVertexCount();
    b->AddVertex(Vector{at, at, -90});
    b->AddVertex(Vector{at + 0.02f, at + 4, -90});
    b->AddVertex(Vector{at + 4, at + 0.03f + lean, -80});
    b->AddFaceIndexed({{s, n0}, {s + 1, n0}, {s + 2, n0}});
  }
  b->AddFaceIndexed({{v, n0}, {v + 1, n1}, {v + 2, n2}, {v + 3, n1}});
  // A face without area (three corners on a line) and a sliver.
  b->AddFaceIndexed({{v, n1}, {v, n1}, {v + 2, n1}});
  b->AddFaceIndexed({{v, n1}, {v + 1, n1}, {v + 1, n1}, {v + 2, n2}});
  return b;
}

TEST(PlainFacesTest, TheRoomIsDrawnAsTheGeneralPipelineDrawsIt) {
  for (int divide : {5, 16}) {
    auto r = room::BuildRoom(417, 331, KUBISTO_SOURCE_DIR "/assets/files/walls", divide);
    ASSERT_TRUE(r);
    for (int x = 0; x < divide; x += 2)
      room::AddBlock(*r, x, x % divide, divide - 1 - x, 0xFF3080C0u);
    for (int threads : {1, 3}) {
      render::SetRenderThreads(threads);
      ExpectSamePicture(*r, divide == 5 ? "5 cells" : "16 cells");
    }
    render::SetRenderThreads(0);
  }
}

TEST(PlainFacesTest, AwkwardFacesAreDrawnAsTheGeneralPipelineDrawsThem) {
  auto r = room::BuildRoom(320, 240, KUBISTO_SOURCE_DIR "/assets/files/walls", 3);
  ASSERT_TRUE(r);
  for (bool zeroNormal : {true, false}) {
    Ref<MeshBuilder> b = AwkwardBuilder(*r->engine, zeroNormal);
    b->SetColor(CreateColorRGB(0.9f, 0.4f, 0.2f));
    Ref<Frame> holder = r->engine->CreateFrame(r->camera.get());
    holder->SetPosition(r->camera.get(), Vector{0, 0, 600});  // well inside the room
    holder->AddVisual(b.get());
    ExpectSamePicture(*r, "lit");
    // Colours beyond 1 before the rasterizer clamps them.
    Ref<Material> glow = r->engine->CreateMaterial(0);
    glow->SetEmissive(3, 0.5f, 0);
    b->SetMaterial(glow.get());
    ExpectSamePicture(*r, "emissive");
    r->camera->DeleteChild(holder.get());
  }
  ASSERT_TRUE(r->viewport->SetProjection(kProjectOrthographic));
  Ref<MeshBuilder> b = AwkwardBuilder(*r->engine, false);
  Ref<Frame> holder = r->engine->CreateFrame(r->camera.get());
  holder->SetPosition(r->camera.get(), Vector{0, 0, 600});
  holder->AddVisual(b.get());
  ExpectSamePicture(*r, "orthographic");
}

}  // namespace
}  // namespace engine
