// The geometry of the face makers and generators, on an in-memory builder.
#include "scene/primitives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "mesh_model.h"
#include "scene/errors.h"

namespace kubisto {
namespace {

using testing::MeshModel;
using V = std::vector<int32_t>;

MeshModel WithVertices(int count) {
  MeshModel mb;
  for (int i = 0; i < count; ++i) mb.AddVertex(static_cast<float>(i), 0, 0);
  return mb;
}

// Every face of a closed solid centred on the origin has its front outside: its front normal points
// away from the centre (for round solids, away from the y axis or the poles' side).
void ExpectFrontsOutside(const MeshModel& mb) {
  for (size_t f = 0; f < mb.faces.size(); ++f) {
    const auto n = mb.FrontNormal(f);
    const auto c = mb.Centroid(f);
    EXPECT_GT(n[0] * c[0] + n[1] * c[1] + n[2] * c[2], 0.0f) << "face " << f;
  }
}

bool AllIndicesBelow(const MeshModel& mb, size_t vertexCount, size_t normalCount) {
  for (const auto& face : mb.faces) {
    for (const auto& [v, n] : face) {
      if (v < 0 || static_cast<size_t>(v) >= vertexCount) return false;
      if (n < 0 || static_cast<size_t>(n) >= normalCount) return false;
    }
  }
  return true;
}

TEST(FaceMakers, AddFaceSharesOneNewNormalAndReturnsItsIndex) {
  MeshModel mb = WithVertices(3);
  EXPECT_EQ(primitives::AddFace(mb, {0, 1, 2}), 0);
  ASSERT_EQ(mb.normals.size(), 1u);
  EXPECT_EQ(mb.FaceVertices(0), (V{0, 1, 2}));
  EXPECT_EQ(mb.FaceNormals(0), (V{0, 0, 0}));
  EXPECT_EQ(mb.normals[0], (testing::Point{0, 0, 0}));
}

TEST(FaceMakers, AddFace2AddsAReversedBackFaceWithItsOwnNormal) {
  MeshModel mb = WithVertices(3);
  EXPECT_EQ(primitives::AddFace2(mb, {0, 1, 2}), 1);
  ASSERT_EQ(mb.faces.size(), 2u);
  EXPECT_EQ(mb.normals.size(), 2u);
  EXPECT_EQ(mb.FaceVertices(1), (V{2, 1, 0}));
  EXPECT_EQ(mb.FaceNormals(0), (V{0, 0, 0}));
  EXPECT_EQ(mb.FaceNormals(1), (V{1, 1, 1}));
}

TEST(FaceMakers, AddCurvedFaceUsesTheVertexOwnNormals) {
  MeshModel mb = WithVertices(6);
  EXPECT_EQ(primitives::AddCurvedFace(mb, {5, 3, 4}), 0);
  EXPECT_TRUE(mb.normals.empty());
  EXPECT_EQ(mb.FaceNormals(0), (V{5, 3, 4}));
}

TEST(FaceMakers, AddCurvedFace2UsesFrontAndBackNormalsOfEachVertex) {
  MeshModel mb = WithVertices(6);
  EXPECT_EQ(primitives::AddCurvedFace2(mb, {3, 4, 5}), 1);
  EXPECT_EQ(mb.FaceVertices(0), (V{3, 4, 5}));
  EXPECT_EQ(mb.FaceNormals(0), (V{6, 8, 10}));
  EXPECT_EQ(mb.FaceVertices(1), (V{5, 4, 3}));
  EXPECT_EQ(mb.FaceNormals(1), (V{11, 9, 7}));
}

TEST(FaceMakers, ResultCountsEveryFaceOfTheBuilder) {
  MeshModel mb = WithVertices(4);
  primitives::AddFace(mb, {0, 1, 2});
  primitives::AddFace2(mb, {0, 1, 2});
  EXPECT_EQ(primitives::AddCurvedFace(mb, {1, 2, 3}), 3);
}

TEST(FaceMakers, DoublingAnIndexBeyond32BitsOverflows) {
  MeshModel mb;
  EXPECT_THROW(primitives::AddCurvedFace2(mb, {0x40000000}), OverflowError);
}

TEST(Cube, VerticesFacesAndNormalsInTheirOrder) {
  MeshModel mb;
  primitives::Cube(mb, 20, 20, 20);
  ASSERT_EQ(mb.vertices.size(), 8u);
  const std::vector<testing::Point> expected = {{20, 20, -20},  {20, -20, -20}, {-20, -20, -20},
                                                {-20, 20, -20}, {20, 20, 20},   {20, -20, 20},
                                                {-20, -20, 20}, {-20, 20, 20}};
  EXPECT_EQ(mb.vertices, expected);
  const std::vector<V> faces = {{0, 1, 2, 3}, {3, 2, 6, 7}, {7, 6, 5, 4},
                                {4, 5, 1, 0}, {0, 3, 7, 4}, {1, 5, 6, 2}};
  ASSERT_EQ(mb.faces.size(), faces.size());
  for (size_t f = 0; f < faces.size(); ++f) {
    EXPECT_EQ(mb.FaceVertices(f), faces[f]) << "face " << f;
    EXPECT_EQ(mb.FaceNormals(f), V(4, static_cast<int32_t>(f))) << "face " << f;
  }
  EXPECT_EQ(mb.normals.size(), 6u);
  EXPECT_EQ(mb.calls.back(), 'g');
  ExpectFrontsOutside(mb);
}

TEST(Cube, HalfSizesPerAxisMakeTheTableSlab) {
  MeshModel mb;
  primitives::Cube(mb, 120, 12.0f, 120);
  for (const auto& p : mb.vertices) {
    EXPECT_EQ(std::fabs(p[0]), 120);
    EXPECT_EQ(std::fabs(p[1]), 12);
    EXPECT_EQ(std::fabs(p[2]), 120);
  }
  ExpectFrontsOutside(mb);
}

TEST(Cylinder, FourStepsGiveTheListedPointsSidesAndCaps) {
  MeshModel mb;
  primitives::Cylinder(mb, 4, 1, 1, 2);
  ASSERT_EQ(mb.vertices.size(), 8u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(mb.vertices[2 * k][1], 1.0f);
    EXPECT_EQ(mb.vertices[2 * k + 1][1], -1.0f);
  }
  // 6.283184 falls a little short of 2 pi, so the quarter point is not on the axis.
  EXPECT_FLOAT_EQ(mb.vertices[2][0], static_cast<float>(std::cos(6.283184 / 4)));
  EXPECT_NEAR(mb.vertices[2][0], 3.2679e-7f, 1e-10f);
  EXPECT_EQ(mb.vertices[2][2], 1.0f);

  EXPECT_EQ(mb.normals.size(), 10u);
  ASSERT_EQ(mb.faces.size(), 6u);
  EXPECT_EQ(mb.FaceVertices(0), (V{1, 0, 2, 3}));
  EXPECT_EQ(mb.FaceNormals(0), (V{1, 0, 2, 3}));
  EXPECT_EQ(mb.FaceVertices(3), (V{7, 6, 0, 1}));
  EXPECT_EQ(mb.FaceVertices(4), (V{6, 4, 2, 0}));
  EXPECT_EQ(mb.FaceNormals(4), (V{8, 8, 8, 8}));
  EXPECT_EQ(mb.FaceVertices(5), (V{1, 3, 5, 7}));
  EXPECT_EQ(mb.FaceNormals(5), (V{9, 9, 9, 9}));
  EXPECT_EQ(mb.calls.back(), 'g');
  ExpectFrontsOutside(mb);
}

TEST(Cylinder, ZeroTopRadiusMakesAConeWithOnlyTheBottomCap) {
  MeshModel mb;
  primitives::Cylinder(mb, 5, 0, 2, 3);
  EXPECT_EQ(mb.vertices.size(), 10u);
  ASSERT_EQ(mb.faces.size(), 6u);
  for (int k = 0; k < 5; ++k) {
    const int q = (k + 1) % 5;
    EXPECT_EQ(mb.FaceVertices(k), (V{2 * k + 1, 2 * k, 2 * q + 1}));
  }
  EXPECT_EQ(mb.FaceVertices(5), (V{1, 3, 5, 7, 9}));
}

TEST(Cylinder, ZeroBottomRadiusMakesAConeWithOnlyTheTopCap) {
  MeshModel mb;
  primitives::Cylinder(mb, 5, 2, 0, 3);
  ASSERT_EQ(mb.faces.size(), 6u);
  for (int k = 0; k < 5; ++k) {
    const int q = (k + 1) % 5;
    EXPECT_EQ(mb.FaceVertices(k), (V{2 * k + 1, 2 * k, 2 * q}));
  }
  EXPECT_EQ(mb.FaceVertices(5), (V{8, 6, 4, 2, 0}));
}

TEST(Cylinder, IndexArithmeticIs16Bit) {
  {
    // 16385 steps: side 16383 reaches point 2q = 32768.
    MeshModel mb;
    EXPECT_THROW(primitives::Cylinder(mb, 16385, 1, 1, 2), OverflowError);
    EXPECT_EQ(mb.vertices.size(), 32770u);  // what was added before stays
    EXPECT_EQ(mb.faces.size(), 16383u);
  }
  {
    // 16384 steps: every side fits, but the top cap's normal gets index 32768.
    MeshModel mb;
    EXPECT_THROW(primitives::Cylinder(mb, 16384, 1, 1, 2), OverflowError);
    EXPECT_EQ(mb.faces.size(), 16384u);
    EXPECT_EQ(mb.normals.size(), 32769u);
  }
}

TEST(Prism, SamePointsWithoutNormalsAndAFlatNormalPerSide) {
  MeshModel mb;
  primitives::Prism(mb, 6, 1, 1, 2);
  EXPECT_EQ(mb.vertices.size(), 12u);
  EXPECT_EQ(mb.calls.substr(0, 12), std::string(12, 'v'));
  ASSERT_EQ(mb.faces.size(), 8u);
  EXPECT_EQ(mb.normals.size(), 8u);  // one per side, one per cap
  for (int k = 0; k < 6; ++k) EXPECT_EQ(mb.FaceNormals(k), V(4, k));
  EXPECT_EQ(mb.FaceVertices(6), (V{10, 8, 6, 4, 2, 0}));
  ExpectFrontsOutside(mb);
}

TEST(Prism, TheCapNormalOf16384StepsStillFits) {
  MeshModel mb;
  primitives::Prism(mb, 16384, 1, 1, 2);
  EXPECT_EQ(mb.faces.size(), 16386u);
}

TEST(Sphere, TenByThreeMatchesTheCellMarker) {
  MeshModel mb;
  primitives::Sphere(mb, 10, 3);
  EXPECT_EQ(mb.vertices.size(), 42u);
  EXPECT_EQ(mb.normals.size(), 42u);
  ASSERT_EQ(mb.faces.size(), 50u);
  EXPECT_TRUE(AllIndicesBelow(mb, 42, 42));
  EXPECT_EQ((mb.vertices[0]), (testing::Point{0, 3, 0}));
  EXPECT_EQ((mb.vertices[1]), (testing::Point{0, -3, 0}));
  EXPECT_FLOAT_EQ(mb.vertices[2][0], 1.7633555f);
  EXPECT_FLOAT_EQ(mb.vertices[2][1], 2.4270513f);
  EXPECT_EQ(mb.vertices[2][2], 0.0f);

  int triangles = 0, quads = 0;
  for (size_t f = 0; f < mb.faces.size(); ++f) {
    (mb.faces[f].size() == 3 ? triangles : quads) += 1;
    EXPECT_EQ(mb.FaceVertices(f), mb.FaceNormals(f)) << "curved faces use the vertex normals";
  }
  EXPECT_EQ(triangles, 20);
  EXPECT_EQ(quads, 30);
  EXPECT_EQ(mb.FaceVertices(0), (V{0, 3, 2}));
  EXPECT_EQ(mb.FaceVertices(10), (V{12, 2, 3, 13}));
  EXPECT_EQ(mb.FaceVertices(49), (V{41, 32, 1}));
  EXPECT_EQ(mb.calls.back(), 'g');
  ExpectFrontsOutside(mb);
}

TEST(Sphere, OddPointCountsRoundTheRingCountHalfToEven) {
  MeshModel seven;
  primitives::Sphere(seven, 7, 1);  // 3.5 rounds to 4: three rings
  EXPECT_EQ(seven.vertices.size(), 2u + 3 * 7);
  MeshModel five;
  primitives::Sphere(five, 5, 1);  // 2.5 rounds to 2: one ring
  EXPECT_EQ(five.vertices.size(), 2u + 5);
  EXPECT_EQ(five.faces.size(), 10u);
}

TEST(Sphere, IndicesBeyond32767Overflow) {
  MeshModel mb;
  EXPECT_THROW(primitives::Sphere(mb, 300, 1), OverflowError);
  EXPECT_EQ(mb.vertices.size(), 2u + 149 * 300);  // the points were all added
  EXPECT_FALSE(mb.faces.empty());
  EXPECT_NE(mb.calls.back(), 'g');
}

HeightArray ThreeByTwo() {
  HeightArray d = HeightArray::Zeros(3, 2);
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 3; ++i) d(i, j) = 10 * j + i;
  }
  return d;
}

TEST(Plot, GridPointsRowByRowWithOriginAndSize) {
  MeshModel mb;
  primitives::Plot(mb, ThreeByTwo(), 1, 0.5f, 2, 4, false, true);
  ASSERT_EQ(mb.vertices.size(), 6u);
  EXPECT_EQ(mb.vertices[0], (testing::Point{-2, 0, -2}));
  EXPECT_EQ(mb.vertices[2], (testing::Point{2, 2, -2}));
  EXPECT_EQ(mb.vertices[4], (testing::Point{0, 11, 2}));
  ASSERT_EQ(mb.faces.size(), 2u);
  EXPECT_EQ(mb.FaceVertices(0), (V{0, 3, 4, 1}));
  EXPECT_EQ(mb.FaceVertices(1), (V{1, 4, 5, 2}));
  for (size_t f = 0; f < 2; ++f) EXPECT_GT(mb.FrontNormal(f)[1], 0.0f) << "fronts face up";
}

TEST(Plot, FaceMakerFollowsCurvedAndOneSide) {
  struct Case {
    bool curved, oneSide;
    size_t faces, normals;
  };
  for (const Case& c : {Case{false, true, 2, 2}, Case{false, false, 4, 4}, Case{true, true, 2, 6},
                        Case{true, false, 4, 12}}) {
    MeshModel mb;
    primitives::Plot(mb, ThreeByTwo(), 0, 0, 1, 1, c.curved, c.oneSide);
    EXPECT_EQ(mb.faces.size(), c.faces) << c.curved << c.oneSide;
    EXPECT_EQ(mb.normals.size(), c.normals) << c.curved << c.oneSide;
    EXPECT_EQ(mb.calls.back(), 'g');
  }
  MeshModel twoSided;
  primitives::Plot(twoSided, ThreeByTwo(), 0, 0, 1, 1, true, false);
  EXPECT_EQ(twoSided.FaceNormals(0), (V{0, 6, 8, 2}));
  EXPECT_EQ(twoSided.FaceNormals(1), (V{3, 9, 7, 1}));
}

TEST(Plot, LowerBoundsOtherThanZero) {
  HeightArray d;
  d.lb1 = 1;
  d.ub1 = 2;
  d.lb2 = -1;
  d.ub2 = 0;
  d.values = {5, 6, 7, 8};
  MeshModel mb;
  primitives::Plot(mb, d, 0, 0, 1, 1, false, true);
  EXPECT_EQ(mb.vertices[0], (testing::Point{1, 5, -1}));
  EXPECT_EQ(mb.vertices[3], (testing::Point{2, 8, 0}));
  EXPECT_EQ(mb.FaceVertices(0), (V{0, 2, 3, 1}));
}

TEST(Plot, AnArrayWhoseShapeDisagreesFailsBeforeAddingAnything) {
  HeightArray d = HeightArray::Zeros(3, 2);
  d.values.pop_back();
  MeshModel mb;
  EXPECT_THROW(primitives::Plot(mb, d, 0, 0, 1, 1, false, false), SubscriptError);
  EXPECT_TRUE(mb.calls.empty());
  // An array never given bounds, and one emptied, have none to read either.
  EXPECT_THROW(primitives::Plot(mb, HeightArray{}, 0, 0, 1, 1, true, false), SubscriptError);
  EXPECT_THROW(primitives::Plot(mb, HeightArray::Zeros(0, 0), 0, 0, 1, 1, false, true), SubscriptError);
  EXPECT_TRUE(mb.calls.empty()) << "not even GenerateNormals";
}

}  // namespace
}  // namespace kubisto
