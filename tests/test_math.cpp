// Vector, matrix and random-number helpers.
#include <gtest/gtest.h>

#include <sstream>

#include "math/GameRandom.h"
#include "math/MathUtil.h"

namespace {
Vertex P(float x, float y, float z) { return Vertex{x, y, z, 0.0f, 0.0f}; }
}  // namespace

TEST(Normalize, ScalesToUnitLengthAndKeepsZero) {
  Vec3 v{3.0f, 4.0f, 0.0f};
  Normalize(v);
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.y, 0.8f);
  EXPECT_EQ(v.z, 0.0f);
  Vec3 zero{0.0f, 0.0f, 0.0f};
  Normalize(zero);
  EXPECT_EQ(zero.x, 0.0f);
  EXPECT_EQ(zero.y, 0.0f);
  EXPECT_EQ(zero.z, 0.0f);
}

TEST(TriangleNormal, SideFromWhichPointsRunCounterClockwise) {
  Vec3 n;
  TriangleNormal(P(0, 0, 0), P(0, 0, 20), P(20, 0, 0), n);
  EXPECT_EQ(n.x, 0.0f);
  EXPECT_EQ(n.y, 1.0f);
  EXPECT_EQ(n.z, 0.0f);
  TriangleNormal(P(0, 0, 20), P(0, 0, 0), P(20, 0, 0), n);  // two swapped
  EXPECT_EQ(n.y, -1.0f);
  TriangleNormal(P(0, 0, 0), P(20, 0, 0), P(0, 0, 20), n);
  EXPECT_EQ(n.y, -1.0f);
  TriangleNormal(P(0, 0, 0), P(1, 1, 1), P(2, 2, 2), n);  // collinear
  EXPECT_EQ(n.x, 0.0f);
  EXPECT_EQ(n.y, 0.0f);
  EXPECT_EQ(n.z, 0.0f);
  // A slope rising along +x leans the normal toward -x.
  TriangleNormal(P(0, 0, 0), P(0, 0, 20), P(20, 20, 0), n);
  EXPECT_NEAR(n.x, -0.70710678f, 1e-6);
  EXPECT_NEAR(n.y, 0.70710678f, 1e-6);
}

TEST(VectorHelpers, DotDistanceAndHeading) {
  EXPECT_EQ(DotProduct(P(1, 2, 3), P(4, 5, 6)), 32.0f);
  EXPECT_EQ(DistanceBetween(P(1, 1, 1), P(1, 1, 1)), 0.1f);
  EXPECT_EQ(DistanceBetween(P(0, 0, 0), P(3, 4, 0)), 5.0f);
  EXPECT_EQ(DistanceBetween(P(0, 0, 0), P(0.05f, 0, 0)), 0.1f);
  EXPECT_EQ(AngleBetweenPoints(0, 0, 0, 5), 531);
  EXPECT_EQ(AngleBetweenPoints(0, 0, 1, 1), 405);
  EXPECT_EQ(AngleBetweenPoints(1, 1, 0, 0), 585);
}

TEST(Matrices, IdentityCopyMultiplyAndTransform) {
  Matrix4 id, copy;
  IdentityMatrix(id);
  CopyMatrix(id, copy);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(copy[k], (k % 5 == 0) ? 1.0f : 0.0f);

  Vertex p{1.5f, -2.0f, 3.0f, 0.25f, 0.75f}, out{};
  TransformPoint(out, p, id);
  EXPECT_EQ(out.x, 1.5f);
  EXPECT_EQ(out.y, -2.0f);
  EXPECT_EQ(out.z, 3.0f);
  EXPECT_EQ(out.s, 0.25f);
  EXPECT_EQ(out.t, 0.75f);

  // w = 0: coordinates left undivided.
  Matrix4 flat;
  IdentityMatrix(flat);
  flat[15] = 0.0f;
  TransformPoint(out, P(2, 3, 4), flat);
  EXPECT_EQ(out.x, 2.0f);
  EXPECT_EQ(out.z, 4.0f);
  // w = 2: divided.
  flat[15] = 2.0f;
  TransformPoint(out, P(2, 4, 6), flat);
  EXPECT_EQ(out.x, 1.0f);
  EXPECT_EQ(out.y, 2.0f);

  // Translation lives in 12..14; multiplying applies a first, b second.
  Matrix4 t, rz, both;
  IdentityMatrix(t);
  t[12] = 10.0f;
  RotationMatrixZ(rz, 3.14159265f / 2);
  MultiplyMatrix(t, rz, both);  // rows of a times columns of b
  TransformPoint(out, P(0, 0, 0), both);
  EXPECT_NEAR(out.x, 0.0f, 1e-4);
  EXPECT_NEAR(out.y, 10.0f, 1e-4);
}

TEST(Matrices, RotationsTurnCounterClockwise) {
  const float half = 3.14159265f / 2;
  Matrix4 m;
  Vertex out{};
  RotationMatrixZ(m, half);
  TransformPoint(out, P(1, 0, 0), m);
  EXPECT_NEAR(out.x, 0.0f, 1e-6);
  EXPECT_NEAR(out.y, 1.0f, 1e-6);
  RotationMatrixX(m, half);
  TransformPoint(out, P(0, 1, 0), m);
  EXPECT_NEAR(out.y, 0.0f, 1e-6);
  EXPECT_NEAR(out.z, 1.0f, 1e-6);
  RotationMatrixY(m, half);
  TransformPoint(out, P(0, 0, 1), m);
  EXPECT_NEAR(out.x, 1.0f, 1e-6);
  EXPECT_NEAR(out.z, 0.0f, 1e-6);
}

TEST(Matrices, PrintWritesRowsBetweenBanners) {
  Matrix4 m;
  IdentityMatrix(m);
  m[12] = 7.0f;
  std::ostringstream os;
  PrintMatrix(m, os);
  EXPECT_EQ(os.str(),
            "========BEGIN MATRIX=================\n"
            "1 0 0 7\n0 1 0 0\n0 0 1 0\n0 0 0 1\n"
            "========END MATRIX===================\n");
}

TEST(GameRandom, ClassicSequenceFromAFixedStartAndReset) {
  ResetGameRandom();
  EXPECT_EQ(GameRandom(), 41);
  EXPECT_EQ(GameRandom(), 18467);
  EXPECT_EQ(GameRandom(), 6334);
  ResetGameRandom();
  EXPECT_EQ(GameRandom(), 41);
  for (int i = 0; i < 100000; ++i) {
    int v = GameRandom();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
  }
}
