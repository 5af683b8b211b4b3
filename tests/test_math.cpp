// Vector and matrix helpers. The random numbers are pinned by the golden run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "math/MathUtil.h"

namespace {
Vertex P(float x, float y, float z) { return Vertex{x, y, z, 0.25f, 0.75f}; }
// x, y, z to five decimals, so that rounding error compares equal.
std::vector<float> Xyz(float x, float y, float z) {
  return {std::round(x * 1e5f) / 1e5f, std::round(y * 1e5f) / 1e5f, std::round(z * 1e5f) / 1e5f};
}
std::vector<float> Xyz(const Vertex& a) { return Xyz(a.x, a.y, a.z); }
}  // namespace

// Catches: a normal from the wrong side, NaN from a zero vector, distance and heading ranges.
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
    EXPECT_EQ(Xyz(n.x, n.y, n.z), Xyz(c[3]));
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

// Catches: rotations turned round, products in the wrong order, no divide, unwritten elements.
TEST(Matrices, TransformRotateMultiplyAndPrint) {
  const float quarter = 3.14159265f / 2;
  Matrix4 m, move, turn;
  for (float* matrix : {m, move, turn}) std::fill(matrix, matrix + 16, 9.0f);
  Vertex out{};
  RotationMatrixX(m, quarter);
  TransformPoint(out, P(0, 1, 0), m);
  EXPECT_EQ(Xyz(out), Xyz(0, 0, 1));
  EXPECT_EQ((std::vector<float>{out.s, out.t}), (std::vector<float>{0.25f, 0.75f}));
  RotationMatrixY(m, quarter);
  TransformPoint(out, P(0, 0, 1), m);
  EXPECT_EQ(Xyz(out), Xyz(1, 0, 0));
  RotationMatrixZ(turn, quarter);
  TransformPoint(out, P(1, 0, 0), turn);
  EXPECT_EQ(Xyz(out), Xyz(0, 1, 0));
  IdentityMatrix(move);
  move[12] = 10.0f;
  MultiplyMatrix(move, turn, m);  // move first, then turn
  TransformPoint(out, P(0, 0, 0), m);
  EXPECT_EQ(Xyz(out), Xyz(0, 10, 0));
  CopyMatrix(move, m);
  m[15] = 2.0f;
  TransformPoint(out, P(2, 4, 6), m);
  EXPECT_EQ(Xyz(out), Xyz(6, 2, 3));
  std::ostringstream os;
  PrintMatrix(move, os);
  EXPECT_EQ(os.str(),
            "========BEGIN MATRIX=================\n1 0 0 10\n0 1 0 0\n0 0 1 0\n0 0 0 1\n"
            "========END MATRIX===================\n");
}
