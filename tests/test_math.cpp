// Vector, matrix and random-number helpers.
#include <gtest/gtest.h>

#include <sstream>

#include "math/GameRandom.h"
#include "math/MathUtil.h"

namespace {
Vertex P(float x, float y, float z) { return Vertex{x, y, z, 0.0f, 0.0f}; }
const float kQuarterTurn = 3.14159265f / 2;
}  // namespace

// Unit normals of the side from which the points run counter-clockwise.
TEST(Vectors, NormalizeAndTriangleNormal) {
  Vec3 v{3.0f, 4.0f, 0.0f}, zero{0.0f, 0.0f, 0.0f};
  Normalize(v);
  Normalize(zero);
  EXPECT_TRUE(v.x == 0.6f && v.y == 0.8f && v.z == 0.0f) << v.x << " " << v.y;
  EXPECT_TRUE(zero.x == 0.0f && zero.y == 0.0f && zero.z == 0.0f);
  const struct {
    Vertex a, b, c;
    Vec3 n;
  } cases[] = {
      {P(0, 0, 0), P(0, 0, 20), P(20, 0, 0), {0, 1, 0}},
      {P(0, 0, 20), P(0, 0, 0), P(20, 0, 0), {0, -1, 0}},  // two swapped
      {P(0, 0, 0), P(20, 0, 0), P(0, 0, 20), {0, -1, 0}},
      {P(0, 0, 0), P(1, 1, 1), P(2, 2, 2), {0, 0, 0}},                          // collinear
      {P(0, 0, 0), P(0, 0, 20), P(20, 20, 0), {-0.70710678f, 0.70710678f, 0}},  // rising along +x
  };
  for (const auto& c : cases) {
    Vec3 n;
    TriangleNormal(c.a, c.b, c.c, n);
    EXPECT_NEAR(n.x, c.n.x, 1e-6);
    EXPECT_NEAR(n.y, c.n.y, 1e-6);
    EXPECT_NEAR(n.z, c.n.z, 1e-6);
  }
}

TEST(Vectors, DotDistanceAndHeading) {
  EXPECT_EQ(DotProduct(P(1, 2, 3), P(4, 5, 6)), 32.0f);
  EXPECT_EQ(DistanceBetween(P(1, 1, 1), P(1, 1, 1)), 0.1f);
  EXPECT_EQ(DistanceBetween(P(0, 0, 0), P(3, 4, 0)), 5.0f);
  EXPECT_EQ(DistanceBetween(P(0, 0, 0), P(0.05f, 0, 0)), 0.1f);
  EXPECT_EQ(AngleBetweenPoints(0, 0, 0, 5), 531);
  EXPECT_EQ(AngleBetweenPoints(0, 0, 1, 1), 405);
  EXPECT_EQ(AngleBetweenPoints(1, 1, 0, 0), 585);
}

// Rotations turn counter-clockwise seen from the axis's + end; w divides
// unless it is 0; a product applies a first and b second.
TEST(Matrices, TransformRotateAndMultiply) {
  const struct {
    const char* name;
    void (*make)(Matrix4);
    Vertex p;
    float x, y, z;
  } cases[] = {
      {"identity", IdentityMatrix, {1.5f, -2.0f, 3.0f, 0.25f, 0.75f}, 1.5f, -2, 3},
      {"w = 0",
       [](Matrix4 m) {
         IdentityMatrix(m);
         m[15] = 0.0f;
       },
       P(2, 3, 4), 2, 3, 4},
      {"w = 2",
       [](Matrix4 m) {
         IdentityMatrix(m);
         m[15] = 2.0f;
       },
       P(2, 4, 6), 1, 2, 3},
      {"about x", [](Matrix4 m) { RotationMatrixX(m, kQuarterTurn); }, P(0, 1, 0), 0, 0, 1},
      {"about y", [](Matrix4 m) { RotationMatrixY(m, kQuarterTurn); }, P(0, 0, 1), 1, 0, 0},
      {"about z", [](Matrix4 m) { RotationMatrixZ(m, kQuarterTurn); }, P(1, 0, 0), 0, 1, 0},
      {"move, then turn",
       [](Matrix4 m) {
         Matrix4 move, turn;
         IdentityMatrix(move);
         move[12] = 10.0f;
         RotationMatrixZ(turn, kQuarterTurn);
         MultiplyMatrix(move, turn, m);
       },
       P(0, 0, 0), 0, 10, 0},
  };
  for (const auto& c : cases) {
    Matrix4 m;
    for (float& v : m) v = 9.0f;  // each builder must write every element
    Vertex out{};
    c.make(m);
    TransformPoint(out, c.p, m);
    EXPECT_NEAR(out.x, c.x, 1e-5) << c.name;
    EXPECT_NEAR(out.y, c.y, 1e-5) << c.name;
    EXPECT_NEAR(out.z, c.z, 1e-5) << c.name;
    EXPECT_TRUE(out.s == c.p.s && out.t == c.p.t) << c.name;
  }
}

TEST(Matrices, PrintWritesRowsBetweenBanners) {
  Matrix4 identity, m;
  for (float& v : m) v = 9.0f;
  IdentityMatrix(identity);
  CopyMatrix(identity, m);
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
    const int v = GameRandom();
    ASSERT_TRUE(v >= 0 && v <= 32767) << v;
  }
}
