// The renderer reads a builder's faces from a flat copy made once; every change to the faces must
// show in the next frame drawn, as if the faces were read afresh.
#include <gtest/gtest.h>

#include "engine/device.h"
#include "engine/engine.h"
#include "engine/face.h"
#include "engine/frame.h"
#include "engine/meshbuilder.h"
#include "engine/texture.h"
#include "engine/viewport.h"
#include "platform/window.h"

namespace engine {
namespace {

// A 32 x 32 view from the origin along +z, with one unlit builder in front of it.
class FaceChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = platform::CreateWindow(32, 32);
    scene_ = engine_->CreateFrame(nullptr);
    camera_ = engine_->CreateFrame(scene_.get());
    Ref<Clipper> clipper = CreateClipper(window_);
    device_ = CreateDeviceFromClipper(engine_.get(), clipper.get(), nullptr, 32, 32);
    viewport_ = CreateViewport(engine_.get(), device_.get(), camera_.get(), 0, 0, 32, 32);
    builder_ = engine_->CreateMeshBuilder();
    builder_->SetQuality(kShadeFlat + kLightOff + kFillSolid);
    scene_->AddVisual(builder_.get());
  }
  void TearDown() override {
    viewport_.reset();
    device_.reset();
    platform::DestroyWindow(window_);
  }

  // The left (x < 0) or right half of a square at depth 5 as one face.
  Face* AddHalf(bool left, Color c) {
    const float x0 = left ? -1.0f : 0.0f, x1 = left ? 0.0f : 1.0f;
    const int32_t base = builder_->GetVertexCount();
    builder_->AddVertex({x0, -1, 5});
    builder_->AddVertex({x0, 1, 5});
    builder_->AddVertex({x1, 1, 5});
    builder_->AddVertex({x1, -1, 5});
    Face* f =
        builder_->AddFaceIndexed({{base, -1}, {base + 1, -1}, {base + 2, -1}, {base + 3, -1}});
    f->SetColor(c);
    return f;
  }

  // The colours at the middle of the left and of the right half.
  std::pair<uint32_t, uint32_t> Draw() {
    viewport_->Clear();
    viewport_->Render(scene_.get());
    const uint32_t* px = device_->ColorBuffer();
    return {px[16 * 32 + 14] & 0xFFFFFF, px[16 * 32 + 18] & 0xFFFFFF};
  }

  platform::HWND window_ = 0;
  Ref<Engine> engine_ = Engine::Create();
  Ref<Frame> scene_, camera_;
  Ref<Device> device_;
  Ref<Viewport> viewport_;
  Ref<MeshBuilder> builder_;
};

using Colours = std::pair<uint32_t, uint32_t>;

TEST_F(FaceChangeTest, ColoursMaterialsAndTexturesShowInTheNextFrame) {
  Face* left = AddHalf(true, 0xFFFF0000u);
  AddHalf(false, 0xFF00FF00u);
  EXPECT_EQ(Draw(), (Colours{0xFF0000u, 0x00FF00u}));  // two faces, two looks
  left->SetColor(0xFF0000FFu);
  EXPECT_EQ(Draw(), (Colours{0x0000FFu, 0x00FF00u}));
  builder_->SetColor(0xFFFFFF00u);
  EXPECT_EQ(Draw(), (Colours{0xFFFF00u, 0xFFFF00u}));
  left->SetColorRGB(1, 0, 1);
  EXPECT_EQ(Draw(), (Colours{0xFF00FFu, 0xFFFF00u}));

  Ref<Texture> cyan = Ref<Texture>::Adopt(new Texture(1, 1, {0xFF00FFFFu}));
  left->SetTexture(cyan.get());
  EXPECT_EQ(Draw().first, 0x00FFFFu);
  builder_->SetTexture(nullptr);
  EXPECT_EQ(Draw(), (Colours{0xFF00FFu, 0xFFFF00u}));
}

TEST_F(FaceChangeTest, FacesAddedRemovedOrSwappedShowInTheNextFrame) {
  AddHalf(true, 0xFFFF0000u);
  EXPECT_EQ(Draw(), (Colours{0xFF0000u, 0u}));
  AddHalf(false, 0xFF00FF00u);
  EXPECT_EQ(Draw(), (Colours{0xFF0000u, 0x00FF00u}));

  // A face built corner by corner appears once it has three.
  Ref<Face> grown = builder_->CreateFace();
  grown->SetColor(0xFFFFFFFFu);
  const int32_t n = builder_->AddNormal({0, 0, -1});
  const int32_t a = builder_->AddVertex({-1, -1, 4}), b = builder_->AddVertex({-1, 1, 4}),
                c = builder_->AddVertex({1, 1, 4});
  grown->AddVertexAndNormalIndexed(a, n);
  grown->AddVertexAndNormalIndexed(b, n);
  EXPECT_EQ(Draw(), (Colours{0xFF0000u, 0x00FF00u}));
  grown->AddVertexAndNormalIndexed(c, n);
  EXPECT_EQ(Draw().first, 0xFFFFFFu);

  // Another builder's content taken over, and everything cleared.
  Ref<MeshBuilder> other = engine_->CreateMeshBuilder();
  other->AddVertex({0, -1, 5});
  other->AddVertex({0, 1, 5});
  other->AddVertex({1, 1, 5});
  other->AddFaceIndexed({{0, -1}, {1, -1}, {2, -1}})->SetColor(0xFF0000FFu);
  builder_->SwapContent(*other);
  builder_->SetQuality(kShadeFlat + kLightOff + kFillSolid);
  EXPECT_EQ(Draw(), (Colours{0u, 0x0000FFu}));
  builder_->Clear();
  EXPECT_EQ(Draw(), (Colours{0u, 0u}));
  builder_->AddMeshBuilder(other.get());  // the halves, and the white face in front of them
  EXPECT_EQ(Draw(), (Colours{0xFFFFFFu, 0x00FF00u}));
}

// Lit faces that share one normal still show their own colours: a lit colour kept for a normal
// serves one run of faces of one colour, and none under vertex colours.
TEST_F(FaceChangeTest, FacesSharingANormalKeepTheirOwnLitColours) {
  device_->SetQuality(kQualityGouraud);
  builder_->SetQuality(kQualityGouraud);
  scene_->AddLight(engine_->CreateLightRGB(kLightAmbient, 1, 1, 1).get());
  const int32_t normal = builder_->AddNormal({0, 0, -1});
  for (bool left : {true, false}) {
    const float x0 = left ? -1.0f : 0.0f, x1 = left ? 0.0f : 1.0f;
    const int32_t v = builder_->GetVertexCount();
    for (Vector p : {Vector{x0, -1, 5}, Vector{x0, 1, 5}, Vector{x1, 1, 5}, Vector{x1, -1, 5}})
      builder_->AddVertex(p);
    Face* f =
        builder_->AddFaceIndexed({{v, normal}, {v + 1, normal}, {v + 2, normal}, {v + 3, normal}});
    f->SetColor(left ? 0xFFFF0000u : 0xFF00FF00u);
    for (int k = 0; k < 4; ++k) builder_->SetVertexColor(v + k, left ? 0xFF0000FFu : 0xFFFFFF00u);
  }
  EXPECT_EQ(Draw(), (Colours{0xFF0000u, 0x00FF00u}));  // the faces' colours
  for (int32_t f = 0; f < 2; ++f) builder_->GetFace(f)->SetColor(0xFFFFFFFFu);  // one run
  ASSERT_TRUE(builder_->SetColorSource(kColorFromVertex));
  EXPECT_EQ(Draw(), (Colours{0x0000FFu, 0xFFFF00u}));  // the vertices' colours
}

// Visuals with equal normals share their lights only where they must be equal: a normal that
// cannot be normalised is lit as the face that uses it, in each visual anew.
TEST_F(FaceChangeTest, AZeroNormalIsLitAsItsOwnFaceInEachVisual) {
  device_->SetQuality(kQualityGouraud);
  builder_->SetQuality(kQualityGouraud);
  // Shining along +z, straight onto faces that look at the camera.
  scene_->AddLight(engine_->CreateLightRGB(kLightDirectional, 1, 1, 1).get());
  // The left half faces the camera; the right half, in a builder of its own with the same (zero)
  // normal, turns away from the light.
  auto add = [](MeshBuilder& b, bool left) {
    const float x0 = left ? -1.0f : 0.0f, x1 = left ? 0.0f : 1.0f, z1 = left ? 5.0f : 6.5f;
    for (Vector p : {Vector{x0, -1, 5}, Vector{x0, 1, 5}, Vector{x1, 1, z1}, Vector{x1, -1, z1}})
      b.AddVertex(p);
    const int32_t n = b.AddNormal({0, 0, 0});
    b.AddFaceIndexed({{0, n}, {1, n}, {2, n}, {3, n}})->SetColor(0xFFFFFFFFu);
  };
  add(*builder_, true);
  Ref<MeshBuilder> right = engine_->CreateMeshBuilder();
  right->SetQuality(kQualityGouraud);
  add(*right, false);
  scene_->AddVisual(right.get());
  const uint32_t together = Draw().second;
  scene_->DeleteVisual(builder_.get());
  const uint32_t alone = Draw().second;
  EXPECT_EQ(together, alone);
  EXPECT_LT(alone & 0xFF, 0xF0u);  // turned away: darker than full light
}

}  // namespace
}  // namespace engine
