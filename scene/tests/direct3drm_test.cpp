// The root object: set-up and quitting on a window, the scene and camera, the factories' messages,
// the snapshot.
#include <gtest/gtest.h>

#include "platform/picture.h"
#include "scene_test_support.h"

namespace kubisto {
namespace {

using testing::RecordingServices;
using testing::SceneTest;

uintptr_t RecordAddressOnWindow(platform::HWND window) {
  return platform::GetProp(window, "d3dInfo");
}

TEST(Direct3DRMFresh, QuitInitZeroAndDebugValueBeforeAnySetUp) {
  REQUIRE_BRIDGE();
  RecordingServices host;
  setServices(&host);
  Direct3DRM rm;
  EXPECT_EQ(rm.DebugValue(), 0);
  EXPECT_TRUE(rm.Quit());
  EXPECT_FALSE(rm.Initialized);
  EXPECT_FALSE(rm.Init(0));
  EXPECT_FALSE(rm.Initialized);
  EXPECT_EQ(host.doEvents, 0);
  setServices(nullptr);
}

TEST(Direct3DRMFresh, ImageBeforeInitIsEmpty) {
  REQUIRE_BRIDGE();
  Direct3DRM rm;
  EXPECT_EQ(rm.Image(), nullptr);
}

using Direct3DRMTest = SceneTest;

TEST_F(Direct3DRMTest, InitSubclassesTheWindowWithTheRecordAddress) {
  EXPECT_TRUE(rm->Initialized);
  EXPECT_NE(rm->Record().engine, 0u);
  EXPECT_EQ(RecordAddressOnWindow(window), reinterpret_cast<uintptr_t>(&rm->Record()));
  EXPECT_EQ(rm->DeviceWidth(), kWidth);
  EXPECT_EQ(rm->DeviceHeight(), kHeight);
  EXPECT_EQ(rm->DebugValue(), 0);
}

TEST_F(Direct3DRMTest, InitTwiceQuitsLetsMessagesThroughAndSetsUpAgain) {
  const uint32_t firstEngine = rm->Record().engine;
  EXPECT_TRUE(rm->Init(window));
  EXPECT_EQ(host.doEvents, 1);
  EXPECT_TRUE(rm->Initialized);
  EXPECT_NE(rm->Record().engine, 0u);
  EXPECT_NE(rm->Record().engine, firstEngine);
  EXPECT_EQ(rm->ViewportWidth(), kWidth);
  // A second Init on a window that cannot carry a device follows that result.
  EXPECT_FALSE(rm->Init(0));
  EXPECT_EQ(host.doEvents, 2);
  EXPECT_FALSE(rm->Initialized);
}

TEST_F(Direct3DRMTest, QuitAndTheObjectEndRestoreTheWindow) {
  EXPECT_TRUE(rm->Quit());
  EXPECT_FALSE(rm->Initialized);
  EXPECT_EQ(RecordAddressOnWindow(window), 0u);
  EXPECT_EQ(platform::GetWindowProc(window), &platform::DefaultWindowProc);

  ASSERT_TRUE(rm->Init(window));
  rm.reset();
  EXPECT_EQ(RecordAddressOnWindow(window), 0u);
  EXPECT_EQ(platform::GetWindowProc(window), &platform::DefaultWindowProc);
}

TEST_F(Direct3DRMTest, EndingWithInitializedClearedByHandStillUnhooksTheWindow) {
  rm->Initialized = false;
  rm.reset();
  EXPECT_EQ(RecordAddressOnWindow(window), 0u);
  // The window no longer reaches into the ended object.
  EXPECT_TRUE(platform::SetClientSize(window, 200, 100));
}

TEST_F(Direct3DRMTest, SceneReadTwiceGivesTwoOwnersOfTheSameFrame) {
  {
    FramePtr first = rm->Scene();
    FramePtr second = rm->Scene();
    EXPECT_EQ(first->lp, rm->Record().scene);
    EXPECT_EQ(second->lp, first->lp);
    EXPECT_NE(first, second);
  }
  // Both wrappers gave back only their own references: the scene lives on.
  FramePtr frame = rm->CreateFrame();
  EXPECT_NE(frame->lp, 0u);
  EXPECT_EQ(frame->Parent()->lp, rm->Record().scene);
  rm->Render();
  EXPECT_EQ(rm->Scene()->lp, rm->Record().scene);
}

TEST_F(Direct3DRMTest, CreateFrameWithAndWithoutParent) {
  FramePtr room = rm->CreateFrame();
  FramePtr cell = rm->CreateFrame(room);
  EXPECT_EQ(room->Parent()->lp, rm->Record().scene);
  EXPECT_EQ(cell->Parent()->lp, room->lp);
}

TEST_F(Direct3DRMTest, LoadTextureOfAMissingFileTellsTheUserAndReturnsAnEmptyTexture) {
  TexturePtr tx = rm->LoadTexture("./walls/no-such-picture.bmp");
  ASSERT_NE(tx, nullptr);
  EXPECT_EQ(tx->lp, 0u);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "ファイルが読めません。");
  EXPECT_EQ(host.messages[0].caption, "Direct3DRM.LoadTexture");
  EXPECT_EQ(host.messages[0].style, vbExclamation);
  rm->BackImage(tx);  // passes handle 0: nothing happens

  TexturePtr good = rm->LoadTexture(testing::WriteBitmap("d3drm_tex.bmp", 8, 8));
  EXPECT_NE(good->lp, 0u);
  EXPECT_EQ(host.messages.size(), 1u);
  rm->BackImage(good);
  EXPECT_THROW(rm->BackImage(nullptr), ObjectNotSetError);
}

TEST_F(Direct3DRMTest, ImageIsAPictureOfTheViewport) {
  rm->Render();
  PicturePtr picture = rm->Image();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width(), rm->ViewportWidth());
  EXPECT_EQ(picture->height(), rm->ViewportHeight());
}

TEST_F(Direct3DRMTest, CameraIsAFrameOfTheScene) {
  FramePtr camera = rm->Camera();
  EXPECT_EQ(camera->lp, rm->Record().camera);
  FramePtr other = rm->CreateFrame();
  rm->Camera(other);
  EXPECT_EQ(rm->Camera()->lp, other->lp);
  EXPECT_EQ(rm->Record().camera, camera->lp);  // the record keeps its first camera
}

// The room sets texture quality 3; a value outside 0..5 leaves the last good one.
TEST_F(Direct3DRMTest, TextureQualityReadsBackAndRefusesValuesOutOfRange) {
  for (int32_t quality : {0, 3, 5}) {
    rm->TextureQuality(quality);
    EXPECT_EQ(rm->TextureQuality(), quality);
  }
  rm->TextureQuality(3);
  rm->TextureQuality(6);
  rm->TextureQuality(-1);
  EXPECT_EQ(rm->TextureQuality(), 3);
  rm->Quit();
  rm->TextureQuality(2);  // no device: nothing happens, nothing is thrown
  EXPECT_EQ(rm->TextureQuality(), 0);
}

TEST_F(Direct3DRMTest, GetNamedObjectWrapsByClass) {
  MeshBuilderPtr builder = rm->CreateMeshBuilder();
  builder->Name("block");
  SceneObjectPtr found = rm->GetNamedObject("block");
  EXPECT_EQ(found->Kind(), ObjectKind::MeshBuilder);
  EXPECT_EQ(found->lp, builder->lp);
}

}  // namespace
}  // namespace kubisto
