// The ball's step at every bound.
#include <sstream>
#include <vector>

#include "GlHarness.h"
#include "TestFiles.h"
#include "ball/Ball.h"

// Catches: bounces exactly on a bound, ends not returned at once, the floor's push.
TEST(BallStep, BoundsOnAndJustPastAndEndsSkipRoofAndBottom) {
  // {x, y, z, vx, vy, vz, floor} before a step, then {result, x, y, z, vx, vy, vz} after it.
  const float cases[][14] = {
      {340, 100, 0, 10, 0, 0, -30, 0, 350, 100, 0, 10, 0, 0},
      {340, 100, 0, 10.5f, 0, 0, -30, 0, 350, 100, 0, -10.5f, 0, 0},
      {-340, 100, 0, -10, 0, 0, -30, 0, -350, 100, 0, -10, 0, 0},
      {-340, 100, 0, -10.25f, 0, 0, -30, 0, -350, 100, 0, 10.25f, 0, 0},
      {0, 100, 350, 0, 0, 10, -30, 0, 0, 100, 360, 0, 0, 10},
      {0, 100, 350, 0, 0, 10.5f, -30, -1, 0, 100, 360, 0, 0, -10.5f},
      {0, 100, -350, 0, 0, -10, -30, 0, 0, 100, -360, 0, 0, -10},
      {0, 100, -350, 0, 0, -11, -30, 1, 0, 100, -360, 0, 0, 11},
      {0, 360, 0, 0, 10, 0, -30, 0, 0, 370, 0, 0, 10, 0},
      {0, 360, 0, 0, 10.5f, 0, -30, 0, 0, 370, 0, 0, -10.5f, 0},
      {0, 365, 355, 0, 8, 8, -30, -1, 0, 373, 360, 0, 8, -8},  // the roof waits
      {0, 365, -355, 0, 8, -8, -30, 1, 0, 373, -360, 0, 8, 8},
      {345, 100, 355, 8, 0, 8, -30, -1, 350, 100, 360, -8, 0, -8},
      {0, -25, 0, 3, -5, 4, -30, 0, 3, -30, 4, 3, -4.875f, 4},          // on the floor: pushed, set
      {0, -25, 0, 0, -4.5f, 0, -30, 0, 0, -29.5f, 0, 0, -4.5f, 0},      // just above
      {0, -195, 355, 0, -10, 10, -400, -1, 0, -205, 360, 0, -10, -10},  // the bottom waits
      {0, -190, 0, 0, -15, 0, -400, 0, 0, -200, 0, 0, 0, 0},
  };
  ScopedWorkingDir cd(MakeTempDir("ball"));  // no "ball.ase": an empty mesh
  for (const auto& c : cases) {
    Ball ball;
    Terrain floor;
    std::istringstream zeros(std::string(1600, '\0'));
    floor.LoadFromStream(zeros);
    for (int v = 0; v < Terrain::kVertexCount; ++v) floor.vertices[v].y = c[6];
    ball.position = Vertex{c[0], c[1], c[2], 0, 0};
    ball.velocity = Vertex{c[3], c[4], c[5], 0, 0};
    ball.previousHeight = c[1];
    const float result = static_cast<float>(ball.Update(&floor));
    const Vertex &p = ball.position, &v = ball.velocity;
    const float after[7] = {result, p.x, p.y, p.z, v.x, v.y, v.z};
    EXPECT_EQ(std::vector<float>(after, after + 7), std::vector<float>(c + 7, c + 14))
        << "from " << c[0] << " " << c[1] << " " << c[2];
    if (c[0] != 345) continue;
    EXPECT_EQ((std::vector<float>{ball.mesh.position.x, ball.mesh.position.y}),
              (std::vector<float>{353, 115}));
  }
}
