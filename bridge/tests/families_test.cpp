// The export families on single objects: their argument orders, needed handles and results.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "bridge_fixture.h"

namespace {

class Families : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    Init();
  }
  // Releases every handle given to Keep at the end of the test.
  uint32_t Keep(uint32_t h) {
    kept.push_back(h);
    return h;
  }
  void TearDown() override {
    for (uint32_t h : kept) VT(d3dRelease)(h);
    BridgeTest::TearDown();
  }
  std::string Name(uint32_t h) {
    char buf[40] = {};
    VT(d3dGetName)(h, sizeof buf, buf);
    return buf;
  }
  std::string ClassName(uint32_t h) {
    char buf[40] = {};
    VT(d3dGetClassName)(h, sizeof buf, buf);
    return buf;
  }
  std::vector<uint32_t> kept;
};

// ---- Factories and cloning ----

TEST_F(Families, CreateFrameBelowTheSceneOrAGivenParent) {
  uint32_t a = Keep(VT(d3dCreateFrame)(&rec, 0));
  uint32_t parent = Keep(VT(d3dGetParent)(a));
  EXPECT_EQ(parent, rec.scene);
  uint32_t b = Keep(VT(d3dCreateFrame)(&rec, a));
  uint32_t pb = Keep(VT(d3dGetParent)(b));
  EXPECT_EQ(pb, a);
  EXPECT_EQ(VT(d3dCreateFrame)(&rec, DeadFrame()), 0u);
  DeviceRecord empty{};
  EXPECT_EQ(VT(d3dCreateFrame)(&empty, a), 0u);
}

TEST_F(Families, EachFactoryMakesItsKind) {
  EXPECT_EQ(ClassName(Keep(VT(d3dCreateMesh)(&rec))), "Mesh");
  EXPECT_EQ(ClassName(Keep(VT(d3dCreateMeshBuilder)(&rec))), "Builder");
  EXPECT_EQ(ClassName(Keep(VT(d3dCreateFace)(&rec))), "Face");
  uint32_t light = Keep(VT(d3dCreateLight)(&rec, 3, VT(d3dRGB)(1, 0, 0)));
  EXPECT_EQ(ClassName(light), "Light");
  EXPECT_EQ(VT(d3dGetType)(light), 3);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetColorLT)(light)), 0xFFFF0000u);
  uint32_t rgb = Keep(VT(d3dCreateLightRGB)(&rec, 1, 0, 1, 0));
  EXPECT_EQ(VT(d3dGetType)(rgb), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetColorLT)(rgb)), 0xFF00FF00u);
  EXPECT_EQ(VT(d3dCreateLight)(&rec, 9, 0), 0u);
  uint32_t mat = Keep(VT(d3dCreateMaterial)(&rec, 5.0f));
  EXPECT_EQ(VT(d3dGetPower)(mat), 5.0f);
  EXPECT_EQ(ClassName(Keep(VT(d3dCreateAnimation)(&rec))), "Animation");
  EXPECT_EQ(ClassName(Keep(VT(d3dCreateAnimationSet)(&rec))), "AnimationSet");
  EXPECT_EQ(ClassName(Keep(VT(d3dCreateWrap)(&rec, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1))),
            "Wrap");
  EXPECT_EQ(VT(d3dCreateWrap)(&rec, 0, DeadFrame(), 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1), 0u);
  EXPECT_EQ(VT(d3dLoadTexture)(&rec, "no/such/picture.bmp"), 0u);
  EXPECT_EQ(VT(d3dLoadTexture)(&rec, nullptr), 0u);
}

TEST_F(Families, ShadowNeedsItsVisualAndLight) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  uint32_t light = Keep(VT(d3dCreateLightRGB)(&rec, 1, 1, 1, 1));
  EXPECT_EQ(VT(d3dCreateShadow)(&rec, 0, light, 0, 0, 0, 0, 1, 0), 0u);
  EXPECT_EQ(VT(d3dCreateShadow)(&rec, mb, 0, 0, 0, 0, 0, 1, 0), 0u);
  uint32_t shadow = Keep(VT(d3dCreateShadow)(&rec, mb, light, 0, 0, 0, 0, 1, 0));
  EXPECT_EQ(ClassName(shadow), "Shadow");
  EXPECT_EQ(VT(d3dAddVisual)(rec.scene, shadow), 1);
}

TEST_F(Families, CloneIsAnIndependentCopy) {
  uint32_t mb = VT(d3dCreateMeshBuilder)(&rec);
  VT(d3dAddVertexMB)(mb, 1, 2, 3);
  uint32_t copy = Keep(VT(d3dCloneMB)(mb));
  EXPECT_NE(copy, 0u);
  EXPECT_NE(copy, mb);
  EXPECT_EQ(VT(d3dRelease)(mb), 1);
  EXPECT_EQ(VT(d3dGetVertexCountMB)(copy), 1);
  float v[3] = {};
  EXPECT_EQ(VT(d3dGetVertexMB)(copy, 0, v), 1);
  EXPECT_EQ(v[2], 3.0f);
  // Each clone export takes its own kind only.
  EXPECT_EQ(VT(d3dCloneFM)(copy), 0u);
  EXPECT_EQ(ClassName(Keep(VT(d3dCloneFM)(rec.camera))), "Frame");
  uint32_t mat = Keep(VT(d3dCreateMaterial)(&rec, 2.0f));
  uint32_t matCopy = Keep(VT(d3dCloneMT)(mat));
  EXPECT_EQ(VT(d3dGetPower)(matCopy), 2.0f);
  EXPECT_EQ(VT(d3dCloneLT)(mat), 0u);
}

// ---- Frames ----

TEST_F(Families, FrameContentsByIndex) {
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  uint32_t light = Keep(VT(d3dCreateLightRGB)(&rec, 0, 1, 1, 1));
  EXPECT_EQ(VT(d3dAddVisual)(f, 0), 0);
  EXPECT_EQ(VT(d3dAddVisual)(f, mb), 1);
  EXPECT_EQ(VT(d3dAddLight)(f, light), 1);
  EXPECT_EQ(VT(d3dGetVisualCount)(f), 1);
  EXPECT_EQ(VT(d3dGetLightCount)(f), 1);
  uint32_t v = Keep(VT(d3dGetVisual)(f, 0));
  uint32_t l = Keep(VT(d3dGetLight)(f, 0));
  EXPECT_EQ(v, mb);
  EXPECT_EQ(l, light);
  EXPECT_EQ(VT(d3dGetVisual)(f, 1), 0u);
  EXPECT_EQ(VT(d3dGetVisual)(f, -1), 0u);
  EXPECT_EQ(VT(d3dGetChild)(rec.scene, 2), 0u);
  EXPECT_EQ(VT(d3dGetChild)(rec.scene, -1), 0u);
  EXPECT_EQ(VT(d3dDeleteVisual)(f, mb), 1);
  EXPECT_EQ(VT(d3dDeleteVisual)(f, mb), 0);
  EXPECT_EQ(VT(d3dDeleteLight)(f, light), 1);
  EXPECT_EQ(VT(d3dGetVisualCount)(f), 0);
  // Hierarchy: a child moves, a cycle is refused.
  uint32_t g = Keep(VT(d3dCreateFrame)(&rec, f));
  EXPECT_EQ(VT(d3dAddChild)(g, f), 0);
  EXPECT_EQ(VT(d3dAddChild)(rec.camera, g), 1);
  EXPECT_EQ(VT(d3dGetChildCount)(f), 0);
  EXPECT_EQ(VT(d3dAddChild)(f, 0), 0);
  EXPECT_EQ(VT(d3dDeleteChild)(f, g), 0);
}

TEST_F(Families, PlacementRelativeToAReferenceFrame) {
  uint32_t a = Keep(VT(d3dCreateFrame)(&rec, 0));
  uint32_t b = Keep(VT(d3dCreateFrame)(&rec, a));
  EXPECT_EQ(VT(d3dSetPosition)(a, 0, 10, 0, 0), 1);
  EXPECT_EQ(VT(d3dSetPosition)(b, rec.scene, 12, 0, 0), 1);
  float p[3] = {};
  EXPECT_EQ(VT(d3dGetPosition)(b, 0, p), 1);  // 0: in the parent's coordinates
  EXPECT_FLOAT_EQ(p[0], 2.0f);
  EXPECT_EQ(VT(d3dGetPosition)(b, rec.scene, p), 1);
  EXPECT_FLOAT_EQ(p[0], 12.0f);
  EXPECT_EQ(VT(d3dSetPosition)(b, DeadFrame(), 1, 1, 1), 0);
  EXPECT_EQ(VT(d3dGetPosition)(b, rec.scene, p), 1);
  EXPECT_FLOAT_EQ(p[0], 12.0f);

  EXPECT_EQ(VT(d3dSetOrientation)(a, 0, 1, 0, 0, 0, 1, 0), 1);
  float dir[3], up[3];
  EXPECT_EQ(VT(d3dGetOrientation)(a, 0, dir, up), 1);
  EXPECT_NEAR(dir[0], 1.0f, 1e-5);
  EXPECT_NEAR(up[1], 1.0f, 1e-5);
  EXPECT_EQ(VT(d3dSetOrientation)(a, 0, 0, 1, 0, 0, 1, 0), 0);  // direction along up

  float m[16];
  EXPECT_EQ(VT(d3dAddTranslation)(a, 0, 1, 2, 3), 1);  // replace
  EXPECT_EQ(VT(d3dGetTransform)(a, m), 1);
  EXPECT_EQ(m[12], 1.0f);
  EXPECT_EQ(m[13], 2.0f);
  EXPECT_EQ(m[14], 3.0f);
  EXPECT_EQ(m[0], 1.0f);
  EXPECT_EQ(VT(d3dAddScale)(a, 1, 2, 2, 2), 1);  // before: scales the frame's own coordinates
  EXPECT_EQ(VT(d3dGetTransform)(a, m), 1);
  EXPECT_EQ(m[0], 2.0f);
  EXPECT_EQ(m[12], 1.0f);
  EXPECT_EQ(VT(d3dAddTranslation)(a, 7, 0, 0, 0), 0);  // unknown combine type
  float t[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};
  EXPECT_EQ(VT(d3dAddTransform)(a, 0, t), 1);
  EXPECT_EQ(VT(d3dGetPosition)(a, 0, p), 1);
  EXPECT_EQ(p[1], 6.0f);
}

TEST_F(Families, RotationAndVelocityWaitForTickOrMove) {
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  EXPECT_EQ(VT(d3dSetVelocity)(f, 0, 1, 0, 0, 0), 1);
  float p[3] = {9, 9, 9};
  VT(d3dGetPosition)(f, 0, p);
  EXPECT_EQ(p[0], 0.0f);
  EXPECT_EQ(VT(d3dTick)(&rec, 2.0f), 1);
  VT(d3dGetPosition)(f, 0, p);
  EXPECT_FLOAT_EQ(p[0], 2.0f);
  EXPECT_EQ(VT(d3dMove)(f, 1.0f), 1);
  VT(d3dGetPosition)(f, 0, p);
  EXPECT_FLOAT_EQ(p[0], 3.0f);
  float v[3];
  EXPECT_EQ(VT(d3dGetVelocity)(f, 0, v, 0), 1);
  EXPECT_EQ(v[0], 1.0f);

  EXPECT_EQ(VT(d3dSetRotation)(f, 0, 0, 1, 0, 0.5f), 1);
  float axis[3], angle = 0;
  EXPECT_EQ(VT(d3dGetRotation)(f, 0, axis, &angle), 1);
  EXPECT_FLOAT_EQ(angle, 0.5f);
  EXPECT_NEAR(axis[1], 1.0f, 1e-6);
  EXPECT_EQ(VT(d3dGetRotation)(f, 0, axis, nullptr), 0);
}

TEST_F(Families, LookAtTurnsTowardTheTarget) {
  uint32_t target = Keep(VT(d3dCreateFrame)(&rec, 0));
  VT(d3dSetPosition)(target, 0, 5, 0, 0);
  EXPECT_EQ(VT(d3dLookAt)(rec.camera, target, 0, 0), 1);
  float dir[3], up[3];
  VT(d3dGetOrientation)(rec.camera, rec.scene, dir, up);
  EXPECT_NEAR(dir[0], 1.0f, 1e-5);
  EXPECT_EQ(VT(d3dLookAt)(rec.camera, 0, 0, 0), 0);
}

TEST_F(Families, TextureTopologyPacksTwoBits) {
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  EXPECT_EQ(VT(d3dSetTextureTopoFM)(f, 2), 1);
  EXPECT_EQ(VT(d3dGetTextureTopoFM)(f), 2);
  EXPECT_EQ(VT(d3dSetTextureTopoFM)(f, 1), 1);
  EXPECT_EQ(VT(d3dGetTextureTopoFM)(f), 1);
  EXPECT_EQ(VT(d3dSetTextureTopoFM)(f, 7), 1);  // only the two low bits count
  EXPECT_EQ(VT(d3dGetTextureTopoFM)(f), 3);
  uint32_t face = Keep(VT(d3dCreateFace)(&rec));
  EXPECT_EQ(VT(d3dSetTextureTopoFC)(face, 2), 1);
  EXPECT_EQ(VT(d3dGetTextureTopoFC)(face), 2);
}

TEST_F(Families, FrameTextureZeroClearsButADeadOneChangesNothing) {
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  EXPECT_EQ(VT(d3dSetTextureFM)(f, mb), 0);  // not a texture
  EXPECT_EQ(VT(d3dSetTextureFM)(f, 0), 1);
  EXPECT_EQ(VT(d3dGetTextureFM)(f), 0u);
  EXPECT_EQ(VT(d3dSetColorFM)(f, VT(d3dRGB)(0, 1, 0)), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetColorFM)(f)), 0xFF00FF00u);
  EXPECT_EQ(VT(d3dSetMaterialMode)(f, 2), 1);
  EXPECT_EQ(VT(d3dGetMaterialMode)(f), 2);
  EXPECT_EQ(VT(d3dSetMaterialMode)(f, 9), 0);
  EXPECT_EQ(VT(d3dSetSortMode)(f, 3), 1);
  EXPECT_EQ(VT(d3dGetSortMode)(f), 3);
}

TEST_F(Families, BackgroundAndFogOfTheScene) {
  EXPECT_EQ(VT(d3dSetBackColorRGB)(&rec, 0, 0, 1), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetBackColor)(&rec)), 0xFF0000FFu);
  EXPECT_EQ(VT(d3dSetFogEnable)(&rec, 5), 1);
  EXPECT_EQ(VT(d3dGetFogEnable)(&rec), 1);
  EXPECT_EQ(VT(d3dSetFogColorRGB)(&rec, 1, 0, 0), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetFogColor)(&rec)), 0xFFFF0000u);
  EXPECT_EQ(VT(d3dSetFogMode)(&rec, 2), 1);
  EXPECT_EQ(VT(d3dGetFogMode)(&rec), 2);
  EXPECT_EQ(VT(d3dSetFogParams)(&rec, 2, 50, 0.25f), 1);
  float params[3] = {};
  EXPECT_EQ(VT(d3dGetFogParams)(&rec, params), 1);
  EXPECT_EQ(params[0], 2.0f);
  EXPECT_EQ(params[1], 50.0f);
  EXPECT_EQ(params[2], 0.25f);
  EXPECT_EQ(VT(d3dSetImage)(&rec, 0), 0);
}

// ---- Mesh builders and faces ----

TEST_F(Families, BuilderVerticesAndTheirIndices) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  EXPECT_EQ(VT(d3dAddVertexMB)(0, 0, 0, 0), -1);
  EXPECT_EQ(VT(d3dAddNormalMB)(0, 0, 0, 1), -1);
  EXPECT_EQ(VT(d3dAddVertexMB)(mb, 1, 2, 3), 0);
  EXPECT_EQ(VT(d3dAddVertexMB)(mb, 4, 5, 6), 1);
  EXPECT_EQ(VT(d3dAddNormalMB)(mb, 0, 0, 1), 0);
  EXPECT_EQ(VT(d3dGetVertexCountMB)(mb), 2);
  EXPECT_EQ(VT(d3dGetNormalCountMB)(mb), 1);
  float v[3] = {7, 7, 7};
  EXPECT_EQ(VT(d3dGetVertexMB)(mb, 2, v), 0);  // index equal to the count
  EXPECT_EQ(VT(d3dGetVertexMB)(mb, -1, v), 0);
  EXPECT_EQ(v[0], 7.0f);  // untouched
  EXPECT_EQ(VT(d3dGetVertexMB)(mb, 1, v), 1);
  EXPECT_EQ(v[0], 4.0f);
  EXPECT_EQ(v[2], 6.0f);
  EXPECT_EQ(VT(d3dSetVertexMB)(mb, 1, 8, 8, 8), 1);
  EXPECT_EQ(VT(d3dSetVertexMB)(mb, 2, 8, 8, 8), 0);
  EXPECT_EQ(VT(d3dGetNormalMB)(mb, 0, v), 1);
  EXPECT_EQ(v[2], 1.0f);
  EXPECT_EQ(VT(d3dGetNormalMB)(mb, 1, v), 0);
  float box[6];
  EXPECT_EQ(VT(d3dGetBoxMB)(mb, box), 1);
  EXPECT_EQ(box[0], 1.0f);
  EXPECT_EQ(box[3], 8.0f);
  EXPECT_EQ(VT(d3dScaleMB)(mb, 2, 2, 2), 1);
  EXPECT_EQ(VT(d3dTranslateMB)(mb, -2, 0, 0), 1);
  EXPECT_EQ(VT(d3dGetVertexMB)(mb, 0, v), 1);
  EXPECT_EQ(v[0], 0.0f);
  EXPECT_EQ(v[1], 4.0f);
}

TEST_F(Families, FaceCornersGiveAStatusNotAnIndex) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  uint32_t face = Keep(VT(d3dCreateFaceMB)(mb));
  EXPECT_EQ(VT(d3dAddVertexFC)(0, 0, 0, 0), -1);
  EXPECT_EQ(VT(d3dAddVertexFC)(face, 0, 0, 0), 0);
  EXPECT_EQ(VT(d3dAddVertexFC)(face, 0, 1, 0), 0);
  EXPECT_EQ(VT(d3dAddVertexFC)(face, 1, 1, 0), 0);
  EXPECT_EQ(VT(d3dGetVertexCountFC)(face), 3);
  EXPECT_EQ(VT(d3dGetVertexCountMB)(mb), 3);
  EXPECT_EQ(VT(d3dGetFaceCount)(mb), 1);
  uint32_t same = Keep(VT(d3dGetFace)(mb, 0));
  EXPECT_EQ(same, face);
  EXPECT_EQ(VT(d3dGetFace)(mb, 1), 0u);
  EXPECT_EQ(VT(d3dGetVertexIndex)(face, 2), 2);
  EXPECT_EQ(VT(d3dGetVertexIndex)(0, 0), -1);
  float p[3], n[3];
  EXPECT_EQ(VT(d3dGetVertexFC)(face, 1, p, n), 1);
  EXPECT_EQ(p[1], 1.0f);
  EXPECT_EQ(VT(d3dGetVertexFC)(face, 3, p, n), 0);
  EXPECT_EQ(VT(d3dGetNormalFC)(face, n), 1);
  EXPECT_NEAR(n[2], -1.0f, 1e-6);  // clockwise seen from -z: the front faces -z
  EXPECT_EQ(VT(d3dSetTextureCoordFC)(face, 0, 0.25f, 0.75f), 1);
  float uv[2];
  EXPECT_EQ(VT(d3dGetTextureCoordFC)(face, 0, uv), 1);
  EXPECT_EQ(uv[1], 0.75f);
  EXPECT_EQ(VT(d3dGetTextureCoordMB)(mb, 0, uv), 1);  // a builder's face keeps them per vertex
  EXPECT_EQ(uv[0], 0.25f);
  EXPECT_EQ(VT(d3dSetColorFC)(face, VT(d3dRGB)(1, 0, 0)), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetColorFC)(face)), 0xFFFF0000u);
  uint32_t mat = Keep(VT(d3dCreateMaterial)(&rec, 3));
  EXPECT_EQ(VT(d3dSetMaterialFC)(face, mat), 1);
  uint32_t got = Keep(VT(d3dGetMaterialFC)(face));
  EXPECT_EQ(got, mat);
  EXPECT_EQ(VT(d3dSetMaterialFC)(face, 0), 1);
  EXPECT_EQ(VT(d3dGetMaterialFC)(face), 0u);
}

TEST_F(Families, IndexedCornersUseTheBuildersVerticesAndNormals) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  VT(d3dAddVertexMB)(mb, 0, 0, 0);
  VT(d3dAddVertexMB)(mb, 0, 1, 0);
  VT(d3dAddVertexMB)(mb, 1, 0, 0);
  VT(d3dAddNormalMB)(mb, 0, 0, -1);
  uint32_t face = Keep(VT(d3dCreateFaceMB)(mb));
  EXPECT_EQ(VT(d3dAddVertexAndNormal)(face, 0, 0), 1);
  EXPECT_EQ(VT(d3dAddVertexAndNormal)(face, 1, 0), 1);
  EXPECT_EQ(VT(d3dAddVertexAndNormal)(face, 3, 0), 0);  // no such vertex
  uint32_t free = Keep(VT(d3dCreateFace)(&rec));
  EXPECT_EQ(VT(d3dAddVertexAndNormal)(free, 0, 0), 0);  // a free face has no builder
  EXPECT_EQ(VT(d3dAddFace)(mb, 0), 0);
  VT(d3dAddVertexFC)(free, 5, 5, 5);
  EXPECT_EQ(VT(d3dAddFace)(mb, free), 1);
  EXPECT_EQ(VT(d3dGetFaceCount)(mb), 2);
}

TEST_F(Families, BuilderAppearance) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  VT(d3dAddVertexMB)(mb, 0, 0, 0);
  EXPECT_EQ(VT(d3dSetColorSource)(mb, 1), 1);
  EXPECT_EQ(VT(d3dGetColorSource)(mb), 1);
  EXPECT_EQ(VT(d3dSetColorSource)(mb, 4), 0);
  EXPECT_EQ(VT(d3dSetQuality)(mb, 64), 1);
  EXPECT_EQ(VT(d3dGetQuality)(mb), 64);
  EXPECT_EQ(VT(d3dSetQuality)(mb, 3), 0);
  EXPECT_EQ(VT(d3dSetPerspective)(mb, -1), 1);
  EXPECT_EQ(VT(d3dGetPerspective)(mb), 1);
  EXPECT_EQ(VT(d3dSetVertexColor)(mb, 0, VT(d3dRGB)(0, 0, 1)), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetVertexColor)(mb, 0)), 0xFF0000FFu);
  EXPECT_EQ(VT(d3dSetVertexColorRGB)(mb, 0, 1, 0, 0), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetVertexColor)(mb, 0)), 0xFFFF0000u);
  EXPECT_EQ(VT(d3dSetVertexColor)(mb, 1, 0), 0);
  EXPECT_EQ(VT(d3dSetTextureCoordMB)(mb, 0, 0.5f, 0.25f), 1);
  float uv[2] = {};
  EXPECT_EQ(VT(d3dGetTextureCoordMB)(mb, 0, uv), 1);
  EXPECT_EQ(uv[0], 0.5f);
  EXPECT_EQ(VT(d3dGetTextureCoordMB)(mb, 1, uv), 0);
  EXPECT_EQ(VT(d3dSetMaterialMB)(mb, 0), 1);
  EXPECT_EQ(VT(d3dSetTextureMB)(mb, 0), 1);
  EXPECT_EQ(VT(d3dSetTextureMB)(mb, mb), 0);
  EXPECT_EQ(VT(d3dSetTextureTopoMB)(mb, 3), 1);
  EXPECT_EQ(VT(d3dSetColorMB)(mb, VT(d3dRGB)(0, 1, 0)), 1);
}

TEST_F(Families, BuilderSavedAndLoadedAgain) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  uint32_t face = Keep(VT(d3dCreateFaceMB)(mb));
  VT(d3dAddVertexFC)(face, 0, 0, 0);
  VT(d3dAddVertexFC)(face, 0, 1, 0);
  VT(d3dAddVertexFC)(face, 1, 1, 0);
  VT(d3dGenerateNormals)(mb);
  VT(d3dSetName)(mb, "tri");
  std::string file = kubisto::testing::ProgramTempFolder().File("tri.x");
  for (int32_t format : {0, 1, 2}) {
    ASSERT_EQ(VT(d3dSaveMB)(mb, file.c_str(), format, 15), 1) << format;
    uint32_t back = Keep(VT(d3dCreateMeshBuilder)(&rec));
    EXPECT_EQ(VT(d3dLoadMB)(back, file.c_str()), 1) << format;
    EXPECT_EQ(VT(d3dGetVertexCountMB)(back), 3);
    EXPECT_EQ(VT(d3dGetFaceCount)(back), 1);
    uint32_t byName = Keep(VT(d3dCreateMeshBuilder)(&rec));
    EXPECT_EQ(VT(d3dLoadMBByName)(byName, file.c_str(), "tri"), 1) << format;
    EXPECT_EQ(VT(d3dLoadMBByName)(byName, file.c_str(), nullptr), 0);
    uint32_t byIndex = Keep(VT(d3dCreateMeshBuilder)(&rec));
    EXPECT_EQ(VT(d3dLoadMBByIndex)(byIndex, file.c_str(), 0), 1) << format;
    EXPECT_EQ(VT(d3dGetFaceCount)(byIndex), 1);
  }
  uint32_t other = Keep(VT(d3dCreateMeshBuilder)(&rec));
  EXPECT_EQ(VT(d3dLoadMB)(other, "no/such/file.x"), 0);
  EXPECT_EQ(VT(d3dLoadMB)(other, nullptr), 0);
  EXPECT_EQ(VT(d3dSaveMB)(other, nullptr, 0, 15), 0);
  std::remove(file.c_str());
}

TEST_F(Families, MergingNeedsBothHandles) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  uint32_t other = Keep(VT(d3dCreateMeshBuilder)(&rec));
  uint32_t face = Keep(VT(d3dCreateFaceMB)(other));
  VT(d3dAddVertexFC)(face, 0, 0, 0);
  VT(d3dAddVertexFC)(face, 0, 1, 0);
  VT(d3dAddVertexFC)(face, 1, 1, 0);
  EXPECT_EQ(VT(d3dAddMeshBuilder)(mb, 0), 0);
  EXPECT_EQ(VT(d3dAddMeshBuilder)(mb, other), 1);
  EXPECT_EQ(VT(d3dGetVertexCountMB)(mb), 3);
  uint32_t mesh = Keep(VT(d3dCreateMeshMB)(other));
  EXPECT_EQ(ClassName(mesh), "Mesh");
  EXPECT_EQ(VT(d3dAddMesh)(mb, 0), 0);
  EXPECT_EQ(VT(d3dAddMesh)(mb, mesh), 1);
  EXPECT_EQ(VT(d3dGetFaceCount)(mb), 2);
  uint32_t frame = Keep(VT(d3dCreateFrame)(&rec, 0));
  VT(d3dAddVisual)(frame, other);
  EXPECT_EQ(VT(d3dAddFrame)(mb, 0), 0);
  EXPECT_EQ(VT(d3dAddFrame)(mb, frame), 1);
  EXPECT_EQ(VT(d3dGetFaceCount)(mb), 3);
}

// ---- Meshes ----

// A mesh with two groups: group 0 one quad of four vertices, group 1 two triangles over four.
class MeshGroups : public Families {
 protected:
  void SetUp() override {
    Families::SetUp();
    mesh = Keep(VT(d3dCreateMesh)(&rec));
    ASSERT_EQ(VT(d3dAddGroup)(mesh, 4, 1, 4, kQuad), 0);
    ASSERT_EQ(VT(d3dAddGroup)(mesh, 4, 2, 3, kTriangles), 1);
  }
  static constexpr int32_t kQuad[] = {0, 1, 2, 3};
  static constexpr int32_t kTriangles[] = {0, 1, 2, 0, 2, 3};
  uint32_t mesh = 0;
};

TEST_F(MeshGroups, AreNumberedInOrderAndRefuseAMissingMeshOrBadCounts) {
  EXPECT_EQ(VT(d3dAddGroup)(0, 4, 1, 4, kQuad), -1);
  EXPECT_EQ(VT(d3dAddGroup)(mesh, 4, 1, 4, nullptr), -1);
  EXPECT_EQ(VT(d3dAddGroup)(mesh, -4, 2, 3, kTriangles), -1);
  EXPECT_EQ(VT(d3dGetGroupCount)(mesh), 2);
  EXPECT_EQ(VT(d3dGetGroupVertexCount)(mesh, 1), 4);
  EXPECT_EQ(VT(d3dGetGroupFaceCount)(mesh, 1), 2);
  EXPECT_EQ(VT(d3dGetGroupVertexPerFace)(mesh, 1), 3);
  // A group that does not exist has nothing.
  EXPECT_EQ(VT(d3dGetGroupFaceCount)(mesh, 2), 0);
  EXPECT_EQ(VT(d3dGetGroupVertexCount)(mesh, -1), 0);
}

TEST_F(MeshGroups, DataIsCopiedOnlyIntoRoomForEveryIndex) {
  int32_t data[6] = {};
  EXPECT_EQ(VT(d3dGetGroupData)(mesh, 1, 6, data), 1);
  EXPECT_EQ(data[4], 2);
  EXPECT_EQ(VT(d3dGetGroupData)(mesh, 1, 5, data), 0);  // too small
  EXPECT_EQ(VT(d3dGetGroupData)(mesh, 1, 0, data), 0);
}

TEST_F(MeshGroups, VerticesAreWrittenAndReadWithinTheirGroupAndMoveWithTheMesh) {
  MeshVertex in[2] = {{1, 2, 3, 0, 0, -1, 0.5f, 0.5f, static_cast<int32_t>(0xFFFF0000u)},
                      {4, 5, 6, 0, 0, -1, 1, 1, static_cast<int32_t>(0xFF00FF00u)}};
  EXPECT_EQ(VT(d3dSetVertices)(mesh, 0, 2, 2, in), 1);
  EXPECT_EQ(VT(d3dSetVertices)(mesh, 0, 3, 2, in), 0);  // past the group's end
  EXPECT_EQ(VT(d3dSetVertices)(mesh, 0, -1, 2, in), 0);
  MeshVertex out[2] = {};
  EXPECT_EQ(VT(d3dGetVertices)(mesh, 0, 2, 2, out), 1);
  EXPECT_EQ(out[1].y, 5.0f);
  EXPECT_EQ(static_cast<uint32_t>(out[1].color), 0xFF00FF00u);
  float box[6];
  EXPECT_EQ(VT(d3dGetBoxMS)(mesh, box), 1);
  EXPECT_EQ(box[5], 6.0f);
  EXPECT_EQ(VT(d3dTranslateMS)(mesh, 1, 0, 0), 1);
  EXPECT_EQ(VT(d3dScaleMS)(mesh, 2, 1, 1), 1);
  EXPECT_EQ(VT(d3dGetVertices)(mesh, 0, 3, 1, out), 1);
  EXPECT_EQ(out[0].x, 10.0f);
}

TEST_F(MeshGroups, AppearanceIsKeptPerGroupAndCloned) {
  EXPECT_EQ(VT(d3dSetGroupColorRGB)(mesh, 0, 0, 0, 1), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetGroupColor)(mesh, 0)), 0xFF0000FFu);
  EXPECT_EQ(VT(d3dSetGroupColor)(mesh, 5, 0), 0);
  EXPECT_EQ(VT(d3dSetGroupMapping)(mesh, 0, 3), 1);
  EXPECT_EQ(VT(d3dGetGroupMapping)(mesh, 0), 3);
  EXPECT_EQ(VT(d3dSetGroupQuality)(mesh, 1, 128), 1);
  EXPECT_EQ(VT(d3dGetGroupQuality)(mesh, 1), 128);
  uint32_t mat = Keep(VT(d3dCreateMaterial)(&rec, 1));
  EXPECT_EQ(VT(d3dSetGroupMaterial)(mesh, 0, mat), 1);
  uint32_t got = Keep(VT(d3dGetGroupMaterial)(mesh, 0));
  EXPECT_EQ(got, mat);
  EXPECT_EQ(VT(d3dSetGroupTexture)(mesh, 0, 0), 1);
  EXPECT_EQ(VT(d3dGetGroupTexture)(mesh, 0), 0u);
  uint32_t copy = Keep(VT(d3dCloneMS)(mesh));
  EXPECT_EQ(VT(d3dGetGroupCount)(copy), 2);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetGroupColor)(copy, 0)), 0xFF0000FFu);
}

// ---- Lights and materials ----

TEST_F(Families, LightSettings) {
  uint32_t light = Keep(VT(d3dCreateLightRGB)(&rec, 2, 1, 1, 1));
  EXPECT_EQ(VT(d3dSetRange)(light, 20.0f), 1);
  EXPECT_EQ(VT(d3dGetRange)(light), 20.0f);
  EXPECT_EQ(VT(d3dGetRange)(0), 0.0f);
  EXPECT_EQ(VT(d3dSetUmbra)(light, 0.2f), 1);
  EXPECT_EQ(VT(d3dGetUmbra)(light), 0.2f);
  EXPECT_EQ(VT(d3dSetPenumbra)(light, 0.6f), 1);
  EXPECT_EQ(VT(d3dGetPenumbra)(light), 0.6f);
  EXPECT_EQ(VT(d3dSetConstantAtt)(light, 2.0f), 1);
  EXPECT_EQ(VT(d3dGetConstantAtt)(light), 2.0f);
  EXPECT_EQ(VT(d3dSetLinearAtt)(light, 0.5f), 1);
  EXPECT_EQ(VT(d3dGetLinearAtt)(light), 0.5f);
  EXPECT_EQ(VT(d3dSetQuadraticAtt)(light, 0.25f), 1);
  EXPECT_EQ(VT(d3dGetQuadraticAtt)(light), 0.25f);
  EXPECT_EQ(VT(d3dSetType)(light, 4), 1);
  EXPECT_EQ(VT(d3dGetType)(light), 4);
  EXPECT_EQ(VT(d3dSetType)(light, 5), 0);
  EXPECT_EQ(VT(d3dSetColorLT)(light, VT(d3dRGB)(0, 1, 0)), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetColorLT)(light)), 0xFF00FF00u);
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  EXPECT_EQ(VT(d3dSetEnableFrame)(light, f), 1);
  uint32_t got = Keep(VT(d3dGetEnableFrame)(light));
  EXPECT_EQ(got, f);
  EXPECT_EQ(VT(d3dSetEnableFrame)(light, 0), 1);
  EXPECT_EQ(VT(d3dGetEnableFrame)(light), 0u);
  EXPECT_EQ(ClassName(Keep(VT(d3dCloneLT)(light))), "Light");
}

TEST_F(Families, MaterialColoursCrossAsEngineColours) {
  uint32_t mat = Keep(VT(d3dCreateMaterial)(&rec, 10));
  EXPECT_EQ(VT(d3dSetSpecular)(mat, VT(d3dRGB)(1.0f, 0.5f, 0.0f)), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetSpecular)(mat)), 0xFFFF8000u);
  EXPECT_EQ(VT(d3dSetEmissive)(mat, VT(d3dRGB)(0, 0, 1)), 1);
  EXPECT_EQ(static_cast<uint32_t>(VT(d3dGetEmissive)(mat)), 0xFF0000FFu);
  EXPECT_EQ(VT(d3dGetSpecular)(0), 0);
  EXPECT_EQ(VT(d3dSetPower)(mat, -1.0f), 0);
  EXPECT_EQ(VT(d3dGetPower)(mat), 10.0f);
}

// ---- Wraps and animations ----

TEST_F(Families, WrapComputesTextureCoordinates) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  VT(d3dAddVertexMB)(mb, 0, 0, 0);
  VT(d3dAddVertexMB)(mb, 1, 1, 0);
  // Flat wrap: origin 0, looking along z, up y, scale 1.
  uint32_t wrap = Keep(VT(d3dCreateWrap)(&rec, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1));
  ASSERT_NE(wrap, 0u);
  EXPECT_EQ(VT(d3dApply)(wrap, 0), 0);
  EXPECT_EQ(VT(d3dApply)(wrap, mb), 1);
  float a[2], b[2];
  VT(d3dGetTextureCoordMB)(mb, 0, a);
  VT(d3dGetTextureCoordMB)(mb, 1, b);
  EXPECT_NE(a[0], b[0]);
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  EXPECT_EQ(VT(d3dApplyRelative)(wrap, 0, mb), 0);
  EXPECT_EQ(VT(d3dApplyRelative)(wrap, f, 0), 0);
  EXPECT_EQ(VT(d3dApplyRelative)(wrap, f, mb), 1);
}

TEST_F(Families, AnimationPlacesItsFrame) {
  uint32_t anim = Keep(VT(d3dCreateAnimation)(&rec));
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  EXPECT_EQ(VT(d3dSetOptions)(anim, 0x02 | 0x04 | 0x20), 1);
  EXPECT_EQ(VT(d3dGetOptions)(anim), 0x26);
  EXPECT_EQ(VT(d3dAddPositionKey)(anim, 0, 0, 0, 0), 1);
  EXPECT_EQ(VT(d3dAddPositionKey)(anim, 10, 10, 0, 0), 1);
  EXPECT_EQ(VT(d3dAddScaleKey)(anim, 0, 1, 1, 1), 1);
  EXPECT_EQ(VT(d3dAddRotateKey)(anim, 0, 0, 0, 0, 1), 1);
  EXPECT_EQ(VT(d3dAddRotateKey)(anim, 1, 0, 0, 0, 0), 0);  // a zero quaternion
  EXPECT_EQ(VT(d3dSetFrame)(anim, f), 1);
  EXPECT_EQ(VT(d3dSetTimeAM)(anim, 5), 1);
  float p[3];
  VT(d3dGetPosition)(f, 0, p);
  EXPECT_NEAR(p[0], 5.0f, 1e-4);
  uint32_t set = Keep(VT(d3dCreateAnimationSet)(&rec));
  EXPECT_EQ(VT(d3dAddAnimation)(set, 0), 0);
  EXPECT_EQ(VT(d3dAddAnimation)(set, anim), 1);
  EXPECT_EQ(VT(d3dSetTimeAS)(set, 2.5f), 1);
  VT(d3dGetPosition)(f, 0, p);
  EXPECT_NEAR(p[0], 2.5f, 1e-4);
  EXPECT_EQ(VT(d3dDeleteKey)(anim, 10), 1);
  EXPECT_EQ(VT(d3dDeleteAnimation)(set, anim), 1);
  EXPECT_EQ(VT(d3dDeleteAnimation)(set, anim), 0);
  EXPECT_EQ(VT(d3dSetFrame)(anim, 0), 1);
}

// ---- Object data ----

TEST_F(Families, NamesReadBackWithinTheBuffer) {
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  std::string name39(39, 'n');
  EXPECT_EQ(VT(d3dSetName)(f, name39.c_str()), 1);
  EXPECT_EQ(Name(f), name39);
  EXPECT_EQ(Name(0), "");
  char buf[8];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(VT(d3dGetName)(f, 0, buf), 0);
  EXPECT_EQ(buf[0], 'x');                   // size 0: nothing written
  EXPECT_EQ(VT(d3dGetName)(f, 8, buf), 0);  // too long: cut and terminated
  EXPECT_EQ(std::string(buf), std::string(7, 'n'));
  EXPECT_EQ(VT(d3dGetName)(f, 8, nullptr), 0);
  EXPECT_EQ(VT(d3dGetClassName)(f, 6, buf), 1);
  EXPECT_STREQ(buf, "Frame");
  EXPECT_EQ(VT(d3dGetClassName)(f, 5, buf), 0);
  EXPECT_EQ(VT(d3dSetName)(f, nullptr), 0);
  EXPECT_EQ(Name(f), name39);
}

TEST_F(Families, ItemDataAndNamedObjects) {
  uint32_t mb = Keep(VT(d3dCreateMeshBuilder)(&rec));
  EXPECT_EQ(VT(d3dSetItemData)(mb, -123456), 1);
  EXPECT_EQ(VT(d3dGetItemData)(mb), -123456);
  EXPECT_EQ(VT(d3dGetItemData)(0), 0);
  VT(d3dSetName)(mb, "table");
  uint32_t found = Keep(VT(d3dGetNamedObject)(&rec, "table"));
  EXPECT_EQ(found, mb);
  EXPECT_EQ(VT(d3dGetNamedObject)(&rec, "chair"), 0u);
  EXPECT_EQ(VT(d3dGetNamedObject)(&rec, nullptr), 0u);
  DeviceRecord empty{};
  EXPECT_EQ(VT(d3dGetNamedObject)(&empty, "table"), 0u);
}

TEST_F(Families, PointsConvertBetweenFrameAndScene) {
  uint32_t f = Keep(VT(d3dCreateFrame)(&rec, 0));
  VT(d3dSetPosition)(f, 0, 1, 2, 3);
  VT(d3dAddRotation)(f, 1, 0, 1, 0, 0.7f);
  VT(d3dAddScale)(f, 2, 2, 1, 1);
  float v[3] = {0.5f, -1.0f, 4.0f};
  EXPECT_EQ(VT(d3dFrameToScene)(f, v), 1);
  EXPECT_NE(v[0], 0.5f);
  EXPECT_EQ(VT(d3dSceneToFrame)(f, v), 1);
  EXPECT_NEAR(v[0], 0.5f, 1e-5);
  EXPECT_NEAR(v[1], -1.0f, 1e-5);
  EXPECT_NEAR(v[2], 4.0f, 1e-5);
  float origin[3] = {0, 0, 0};
  VT(d3dFrameToScene)(f, origin);
  EXPECT_NEAR(origin[1], 2.0f, 1e-5);
  EXPECT_EQ(VT(d3dFrameToScene)(f, nullptr), 0);
}

}  // namespace
