// Handles and their references, and the colour conversions.
#include "bridge_fixture.h"
#include "platform/services.h"

namespace {

using Handles = BridgeTest;

TEST_F(Handles, AddRefAndReleaseTellWhenTheLastReferenceWent) {
  Init();
  uint32_t mb = VT(d3dCreateMeshBuilder)(&rec);
  ASSERT_NE(mb, 0u);
  EXPECT_EQ(VT(d3dAddRef)(mb), 0);
  EXPECT_EQ(VT(d3dRelease)(mb), 0);
  EXPECT_EQ(VT(d3dRelease)(mb), 1);
  // The handle is dead now and stays so.
  EXPECT_EQ(VT(d3dRelease)(mb), 0);
  EXPECT_EQ(VT(d3dAddRef)(mb), 0);
  EXPECT_EQ(VT(d3dAddVertexMB)(mb, 1, 2, 3), -1);
  EXPECT_EQ(VT(d3dAddRef)(0), 0);
  EXPECT_EQ(VT(d3dRelease)(0), 0);
}

TEST_F(Handles, ReleaseOfAnObjectHeldElsewhereGivesZeroAndKeepsItAlive) {
  Init();
  uint32_t frame = VT(d3dCreateFrame)(&rec, 0);
  EXPECT_EQ(VT(d3dRelease)(frame), 0);  // the scene holds it
  EXPECT_EQ(VT(d3dGetChildCount)(rec.scene), 2);
  // Releasing more than was handed out cannot take the scene's own reference.
  EXPECT_EQ(VT(d3dRelease)(frame), 0);
  EXPECT_EQ(VT(d3dRelease)(frame), 0);
  EXPECT_EQ(VT(d3dGetChildCount)(rec.scene), 2);
  char name[40] = {};
  EXPECT_EQ(VT(d3dGetClassName)(frame, sizeof name, name), 1);
  EXPECT_STREQ(name, "Frame");
  // Taken out of the scene with no reference left, it dies and its handle with it.
  uint32_t child = VT(d3dGetChild)(rec.scene, 1);
  EXPECT_EQ(child, frame);
  EXPECT_EQ(VT(d3dDeleteChild)(rec.scene, frame), 1);
  EXPECT_EQ(VT(d3dRelease)(child), 1);
  EXPECT_EQ(VT(d3dGetClassName)(frame, sizeof name, name), 0);
}

TEST_F(Handles, OneObjectHasOneHandleValue) {
  Init();
  uint32_t frame = VT(d3dCreateFrame)(&rec, 0);
  uint32_t again = VT(d3dGetChild)(rec.scene, 1);
  uint32_t scene = VT(d3dGetScene)(frame);
  EXPECT_EQ(again, frame);
  EXPECT_EQ(scene, rec.scene);
  // Each of those handed a reference out: three releases bring the frame to the scene's one.
  EXPECT_EQ(VT(d3dRelease)(again), 0);
  EXPECT_EQ(VT(d3dRelease)(frame), 0);
  EXPECT_EQ(VT(d3dRelease)(scene), 0);
}

TEST_F(Handles, DistinctObjectsAndLaterObjectsGetOtherValues) {
  Init();
  uint32_t a = VT(d3dCreateMeshBuilder)(&rec);
  uint32_t b = VT(d3dCreateMeshBuilder)(&rec);
  EXPECT_NE(a, b);
  VT(d3dRelease)(a);
  uint32_t c = VT(d3dCreateMeshBuilder)(&rec);
  EXPECT_NE(c, a);  // a dead handle never names the newcomer
  EXPECT_EQ(VT(d3dGetVertexCountMB)(a), 0);
  VT(d3dAddVertexMB)(c, 0, 0, 0);
  EXPECT_EQ(VT(d3dGetVertexCountMB)(c), 1);
  VT(d3dRelease)(b);
  VT(d3dRelease)(c);
}

TEST_F(Handles, ReleasedHandleNeverNamesTheObjectThatReusesItsSlot) {
  Init();
  constexpr uint32_t kIndex = 0x000FFFFFu;
  uint32_t gone = VT(d3dCreateMeshBuilder)(&rec);
  ASSERT_EQ(VT(d3dRelease)(gone), 1);
  // Freed slots rest a while before reuse: make and drop builders until one lands in the slot.
  uint32_t newcomer = 0;
  for (int i = 0; i < 100000 && newcomer == 0; ++i) {
    uint32_t h = VT(d3dCreateMeshBuilder)(&rec);
    ASSERT_NE(h, 0u);
    if ((h & kIndex) == (gone & kIndex))
      newcomer = h;
    else
      VT(d3dRelease)(h);
  }
  ASSERT_NE(newcomer, 0u) << "the slot was never reused";
  EXPECT_NE(newcomer, gone);
  VT(d3dAddVertexMB)(newcomer, 0, 0, 0);
  // The old value reads, changes and releases nothing of the newcomer.
  EXPECT_EQ(VT(d3dGetVertexCountMB)(gone), 0);
  EXPECT_EQ(VT(d3dAddVertexMB)(gone, 1, 1, 1), -1);
  EXPECT_EQ(VT(d3dAddRef)(gone), 0);
  EXPECT_EQ(VT(d3dRelease)(gone), 0);
  EXPECT_EQ(VT(d3dRelease)(gone), 0);
  EXPECT_EQ(VT(d3dGetVertexCountMB)(newcomer), 1);
  EXPECT_EQ(VT(d3dRelease)(newcomer), 1);  // still its one reference
}

TEST_F(Handles, ForgedValuesNameNothing) {
  Init();
  uint32_t mb = VT(d3dCreateMeshBuilder)(&rec);
  VT(d3dAddVertexMB)(mb, 0, 0, 0);
  for (uint32_t forged : {mb ^ 0x00100000u, mb ^ 0x80000000u, mb & 0x000FFFFFu,
                          (mb & 0xFFF00000u) | 0x000FFFFFu, 0xFFFFFFFFu, 1u, 12345u}) {
    EXPECT_EQ(VT(d3dGetVertexCountMB)(forged), 0) << std::hex << forged;
    EXPECT_EQ(VT(d3dRelease)(forged), 0) << std::hex << forged;
  }
  EXPECT_EQ(VT(d3dGetVertexCountMB)(mb), 1);
  EXPECT_EQ(VT(d3dRelease)(mb), 1);
}

TEST_F(Handles, HandleOfTheWrongKindIsRefused) {
  Init();
  uint32_t light = VT(d3dCreateLightRGB)(&rec, 0, 1, 1, 1);
  EXPECT_EQ(VT(d3dAddVertexMB)(light, 0, 0, 0), -1);
  EXPECT_EQ(VT(d3dAddChild)(rec.scene, light), 0);
  EXPECT_EQ(VT(d3dAddLight)(rec.scene, rec.camera), 0);
  EXPECT_EQ(VT(d3dGetRange)(rec.scene), 0.0f);
  EXPECT_EQ(VT(d3dSetCamera)(&rec, light), 0);
  VT(d3dRelease)(light);
}

TEST_F(Handles, ManyObjectsComeAndGo) {
  Init();
  std::vector<uint32_t> live;
  for (int round = 0; round < 5; ++round) {
    for (int i = 0; i < 3000; ++i) live.push_back(VT(d3dCreateMaterial)(&rec, 1.0f));
    for (size_t i = 0; i < live.size(); i += 2) EXPECT_EQ(VT(d3dRelease)(live[i]), 1);
    std::vector<uint32_t> kept;
    for (size_t i = 1; i < live.size(); i += 2) kept.push_back(live[i]);
    live = kept;
  }
  std::set<uint32_t> distinct(live.begin(), live.end());
  EXPECT_EQ(distinct.size(), live.size());
  for (uint32_t h : live) EXPECT_EQ(VT(d3dGetPower)(h), 1.0f);
  for (uint32_t h : live) EXPECT_EQ(VT(d3dRelease)(h), 1);
}

// ---- Colours ----

TEST(Colors, RgbPacksFractionsWithFullAlpha) {
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dRGB)(1.0f, 0.0f, 0.0f)), 0xFFFF0000u);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dRGB)(0.0f, 0.0f, 1.0f)), 0xFF0000FFu);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dRGB)(1.0f, 0.5f, 0.0f)), 0xFFFF8000u);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dRGB)(0.0f, 0.0f, 0.0f)), 0xFF000000u);
}

TEST(Colors, ProgramColourHasRedInTheLowByte) {
  int32_t c = VT(d3dVBColor)(0x00FF00);
  EXPECT_EQ(VT(d3dGetRed)(c), 0.0f);
  EXPECT_EQ(VT(d3dGetGreen)(c), 1.0f);
  EXPECT_EQ(VT(d3dGetBlue)(c), 0.0f);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dVBColor)(0x0000FF)), 0xFFFF0000u);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dVBColor)(0xFF0000)), 0xFF0000FFu);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dVBColor)(0x336699)), 0xFF996633u);
}

TEST(Colors, TopBitNamesASystemColour) {
  EXPECT_EQ(VT(d3dVBColor)(static_cast<int32_t>(0x8000000Fu)),
            VT(d3dVBColor)(static_cast<int32_t>(platform::GetSysColor(15))));
  platform::SetSysColorHandler([](int index) { return index == 15 ? 0x00123456u : 0u; });
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dVBColor)(static_cast<int32_t>(0x8000000Fu))), 0xFF563412u);
  // Only the low byte names the index.
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dVBColor)(static_cast<int32_t>(0x80FFFF0Fu))), 0xFF563412u);
  platform::SetSysColorHandler(nullptr);
}

TEST(Colors, ChannelReadersGiveFractions) {
  int32_t c = static_cast<int32_t>(0xFF804020u);
  EXPECT_FLOAT_EQ(VT(d3dGetRed)(c), 128.0f / 255.0f);
  EXPECT_FLOAT_EQ(VT(d3dGetGreen)(c), 64.0f / 255.0f);
  EXPECT_FLOAT_EQ(VT(d3dGetBlue)(c), 32.0f / 255.0f);
}

}  // namespace
