// Vector and matrix helpers. The random numbers are pinned by the golden run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "math/MathUtil.h"

namespace {
Vertex P(float x, float y, float z) { return Vertex{x, y, z, 0.25f, 0.75f}; }
bool Close(const Vertex& a, float x, float y, float z) {
  return std::fabs(a.x - x) < 1e-5f && std::fabs(a.y - y) < 1e-5f && std::fabs(a.z - z) < 1e-5f;
}
}  // namespace

// Catches: a normal from the wrong side, NaN from a zero vector, a distance
// below its 0.1 floor, a heading off its unwrapped range.
TEST(Vectors, NormalsDistancesAndHeadings) {
  // {three corners, the normal}
  const Vertex cases[][4] = {
      {P(0, 0, 0), P(0, 0, 20), P(20, 0, 0), P(0, 1, 0)},
      {P(0, 0, 20), P(0, 0, 0), P(20, 0, 0), P(0, -1, 0)},
      {P(0, 0, 0), P(1, 1, 1), P(2, 2, 2), P(0, 0, 0)},
      {P(0, 0, 0), P(0, 0, 20), P(20, 20, 0), P(-0.7071068f, 0.7071068f, 0)}};
  for (const auto& c : cases) {
    Vec3 n;
    TriangleNormal(c[0], c[1], c[2], n);
    EXPECT_TRUE(Close(P(n.x, n.y, n.z), c[3].x, c[3].y, c[3].z)) << n.x << " " << n.y << " " << n.z;
  }
  Vec3 v{3.0f, 4.0f, 0.0f};
  Normalize(v);
  EXPECT_EQ((std::vector<float>{v.x, v.y, v.z}), (std::vector<float>{0.6f, 0.8f, 0.0f}));
  EXPECT_EQ((std::vector<float>{DotProduct(P(1, 2, 3), P(4, 5, 6)),
                                DistanceBetween(P(0, 0, 0), P(3, 4, 0)),
                                DistanceBetween(P(0, 0, 0), P(0.05f, 0, 0))}),
            (std::vector<float>{32, 5, 0.1f}));
  EXPECT_EQ((std::vector<int>{AngleBetweenPoints(0, 0, 0, 5), AngleBetweenPoints(0, 0, 1, 1),
                              AngleBetweenPoints(1, 1, 0, 0)}),
            (std::vector<int>{531, 405, 585}));
}

// Catches: a rotation the wrong way round, a product in the wrong order, no
// perspective divide, s and t not kept, an element a builder leaves unwritten.
TEST(Matrices, TransformRotateMultiplyAndPrint) {
  const float quarter = 3.14159265f / 2;
  Matrix4 m, move, turn;
  for (float* matrix : {m, move, turn}) std::fill(matrix, matrix + 16, 9.0f);
  Vertex out{};
  RotationMatrixX(m, quarter);
  TransformPoint(out, P(0, 1, 0), m);
  EXPECT_TRUE(Close(out, 0, 0, 1)) << out.x << " " << out.y << " " << out.z;
  EXPECT_EQ(out.s, 0.25f);
  EXPECT_EQ(out.t, 0.75f);
  RotationMatrixY(m, quarter);
  TransformPoint(out, P(0, 0, 1), m);
  EXPECT_TRUE(Close(out, 1, 0, 0)) << out.x << " " << out.y << " " << out.z;
  RotationMatrixZ(turn, quarter);
  TransformPoint(out, P(1, 0, 0), turn);
  EXPECT_TRUE(Close(out, 0, 1, 0)) << out.x << " " << out.y << " " << out.z;
  IdentityMatrix(move);
  move[12] = 10.0f;
  MultiplyMatrix(move, turn, m);  // move first, then turn
  TransformPoint(out, P(0, 0, 0), m);
  EXPECT_TRUE(Close(out, 0, 10, 0)) << out.x << " " << out.y;
  CopyMatrix(move, m);
  m[15] = 2.0f;
  TransformPoint(out, P(2, 4, 6), m);
  EXPECT_TRUE(Close(out, 6, 2, 3)) << out.x << " " << out.y << " " << out.z;
  std::ostringstream os;
  PrintMatrix(move, os);
  EXPECT_EQ(os.str(),
            "========BEGIN MATRIX=================\n1 0 0 10\n0 1 0 0\n0 0 1 0\n0 0 0 1\n"
            "========END MATRIX===================\n");
}
