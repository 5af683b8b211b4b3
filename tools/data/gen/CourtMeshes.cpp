// CourtMeshes.cpp -- the ball, the paddle and the three glass walls.
#include "data/gen/CourtMeshes.h"

#include <cmath>

#include "data/gen/CourtGeometry.h"

using namespace court;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The walls stand at (0, 20, 0): their offsets are world heights minus that.
constexpr double kWallBase = kWallBottom - kCourtPlacementY;
constexpr double kWallHeight = kRoofY - kWallBottom;

// One ring of the sphere: rings run from the bottom pole (0) to the top.
void AddBallRing(BuiltMesh& mesh, int ring) {
  double latitude = kPi * ring / kBallRings;
  double across = std::sin(latitude);
  double up = -std::cos(latitude);
  for (int segment = 0; segment <= kBallSegments; ++segment) {
    double around = 2.0 * kPi * segment / kBallSegments;
    D3 normal{across * std::cos(around), up, -across * std::sin(around)};
    mesh.AddVertex(normal * kBallMeshLift, normal, static_cast<double>(segment) / kBallSegments,
                   static_cast<double>(ring) / kBallRings);
  }
}

}  // namespace

BuiltMesh BuildBallMesh() {
  BuiltMesh mesh;
  mesh.name = "ball";
  mesh.textured = true;
  for (int ring = 0; ring <= kBallRings; ++ring) AddBallRing(mesh, ring);
  const int row = kBallSegments + 1;
  for (int ring = 0; ring < kBallRings; ++ring) {
    for (int segment = 0; segment < kBallSegments; ++segment) {
      int a = ring * row + segment;  // a, a + 1 on this ring; c, c - 1 above
      int c = a + row + 1;
      // At the poles one triangle of the quad would have no area.
      if (ring > 0) mesh.AddTriangleFacing(a, a + 1, c);
      if (ring < kBallRings - 1) mesh.AddTriangleFacing(a, c, c - 1);
    }
  }
  return mesh;
}

BuiltMesh BuildPaddleMesh() {
  BuiltMesh mesh;
  mesh.name = "Paddle";
  const double hx = kPaddleWidth / 2, hy = kPaddleHeight / 2, hz = kPaddleThickness / 2;
  const int nx = static_cast<int>(kPaddleWidth / kPaddleCell);
  const int ny = static_cast<int>(kPaddleHeight / kPaddleCell);
  const D3 c{0.0, kBallMeshLift, 0.0};
  const D3 width{2 * hx, 0, 0}, height{0, 2 * hy, 0}, depth{0, 0, 2 * hz};
  // The two big faces carry the flash; the rim shares their edge vertices'
  // positions so the slab has no cracks.
  mesh.AddPatch(c + D3{-hx, -hy, hz}, width, height, nx, ny);
  mesh.AddPatch(c + D3{hx, -hy, -hz}, width * -1.0, height, nx, ny);
  mesh.AddPatch(c + D3{-hx, hy, hz}, width, depth * -1.0, nx, 1);
  mesh.AddPatch(c + D3{-hx, -hy, -hz}, width, depth, nx, 1);
  mesh.AddPatch(c + D3{hx, -hy, hz}, depth * -1.0, height, 1, ny);
  mesh.AddPatch(c + D3{-hx, -hy, -hz}, depth, height, 1, ny);
  return mesh;
}

BuiltMesh BuildLeftWallMesh() {
  BuiltMesh mesh;
  mesh.name = "LeftWall";
  mesh.AddPatch({-kWallX, kWallBase, kWallZ}, {0, 0, -2 * kWallZ}, {0, kWallHeight, 0},
                kSideWallColumns, kSideWallRows);
  return mesh;
}

BuiltMesh BuildRightWallMesh() {
  BuiltMesh mesh;
  mesh.name = "RightWall";
  mesh.AddPatch({kWallX, kWallBase, -kWallZ}, {0, 0, 2 * kWallZ}, {0, kWallHeight, 0},
                kSideWallColumns, kSideWallRows);
  return mesh;
}

BuiltMesh BuildRoofMesh() {
  BuiltMesh mesh;
  mesh.name = "Roof";
  mesh.AddPatch({-kWallX, kRoofY - kCourtPlacementY, -kWallZ}, {2 * kWallX, 0, 0},
                {0, 0, 2 * kWallZ}, kRoofRows, kRoofColumns);
  return mesh;
}
