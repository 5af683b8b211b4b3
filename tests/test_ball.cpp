// The ball: its start, the physics step against floor and court, and its
// additive drawing with the texture frame running up and down.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <sstream>

#include "GlHarness.h"
#include "GlState.h"
#include "TestFiles.h"
#include "ball/Ball.h"
#include "math/GameRandom.h"
#include "shell/core/RenderState.h"

namespace {
void LevelFloor(Terrain& t, int h) {
  std::istringstream in(std::string(1600, static_cast<char>((h + 30) * 2)));
  t.LoadFromStream(in);
}

// A fresh generator and no "ball.ase": an empty mesh.
class BallStep : public ::testing::Test {
 protected:
  void SetUp() override {
    ScopedWorkingDir cd(MakeTempDir("ball"));
    ResetGameRandom();
    ball = std::make_unique<Ball>();
    LevelFloor(floor, -30);
  }
  // Runs one step from (x, y, z) at (vx, vy, vz), the last height given.
  int Step(float x, float y, float z, float vx, float vy, float vz, float previous) {
    ball->position = Vertex{x, y, z, 0, 0};
    ball->velocity = Vertex{vx, vy, vz, 0, 0};
    ball->previousHeight = previous;
    return ball->Update(&floor);
  }
  void Expect(float x, float y, float z, float vx, float vy, float vz, const char* what) {
    const Vertex& p = ball->position;
    const Vertex& v = ball->velocity;
    EXPECT_TRUE(p.x == x && p.y == y && p.z == z)
        << what << ": " << p.x << " " << p.y << " " << p.z;
    EXPECT_TRUE(v.x == vx && v.y == vy && v.z == vz)
        << what << ": " << v.x << " " << v.y << " " << v.z;
  }
  std::unique_ptr<Ball> ball;
  Terrain floor;
};
}  // namespace

TEST_F(BallStep, StartAndFirstStep) {
  Expect(0, 200, 0, -19, 7, -26, "start");
  EXPECT_EQ(ball->previousHeight, 200.0f);
  EXPECT_EQ(ball->ColourIndex(), 1);
  EXPECT_EQ(ball->mesh.position.y, 0.0f);
  EXPECT_EQ(ball->Update(&floor), 0);
  Expect(-19, 207, -26, -19, 7, -26, "first step");  // the rise rule: 207 - 200
  EXPECT_EQ(ball->Position().y, 207.0f);
  EXPECT_TRUE(ball->mesh.position.x == -19 && ball->mesh.position.y == 222 &&
              ball->mesh.position.z == -26);
  EXPECT_FLOAT_EQ(floor.glow[0].y, 0.01f);  // glowed once, too high to tint
}

TEST_F(BallStep, BoundsOnAndJustPastAndEndsSkipRoofAndBottom) {
  const struct {
    float x, y, z, vx, vy, vz;
    int result;
    float ex, ey, ez, evx, evy, evz;
  } cases[] = {{340, 100, 0, 10, 0, 0, 0, 350, 100, 0, 10, 0, 0},
               {340, 100, 0, 10.5f, 0, 0, 0, 350, 100, 0, -10.5f, 0, 0},
               {-340, 100, 0, -10, 0, 0, 0, -350, 100, 0, -10, 0, 0},
               {-340, 100, 0, -10.25f, 0, 0, 0, -350, 100, 0, 10.25f, 0, 0},
               {0, 100, 350, 0, 0, 10, 0, 0, 100, 360, 0, 0, 10},
               {0, 100, 350, 0, 0, 10.5f, -1, 0, 100, 360, 0, 0, -10.5f},
               {0, 100, -350, 0, 0, -10, 0, 0, 100, -360, 0, 0, -10},
               {0, 100, -350, 0, 0, -11, 1, 0, 100, -360, 0, 0, 11},
               {0, 360, 0, 0, 10, 0, 0, 0, 370, 0, 0, 10, 0},
               {0, 360, 0, 0, 10.5f, 0, 0, 0, 370, 0, 0, -10.5f, 0},
               {0, 365, 355, 0, 8, 8, -1, 0, 373, 360, 0, 8, -8},  // roof waits
               {0, 365, -355, 0, 8, -8, 1, 0, 373, -360, 0, 8, 8},
               {345, 100, 355, 8, 0, 8, -1, 350, 100, 360, -8, 0, -8}};
  for (const auto& k : cases) {
    EXPECT_EQ(Step(k.x, k.y, k.z, k.vx, k.vy, k.vz, k.y), k.result)
        << k.x << " " << k.y << " " << k.z;
    Expect(k.ex, k.ey, k.ez, k.evx, k.evy, k.evz, "bounds");
  }
  EXPECT_EQ(ball->mesh.position.x, 353.0f);                      // placed before the clamps
  for (int v = 0; v < 1600; ++v) floor.vertices[v].y = -400.0f;  // bottom reachable
  EXPECT_EQ(Step(0, -195, 355, 0, -10, 10, -195), -1);
  Expect(0, -205, 360, 0, -10, -10, "bottom waits");
  EXPECT_EQ(Step(0, -190, 0, 0, -15, 0, -190), 0);
  Expect(0, -200, 0, 0, 0, 0, "bottom stop");
  EXPECT_EQ(ball->previousHeight, -205.0f);
  ball->Update(&floor);
  EXPECT_EQ(ball->velocity.y, 5.0f);  // risen by what it went below
}

TEST_F(BallStep, FloorPushSetDownAndRise) {
  LevelFloor(floor, 20);
  Step(0, 25, 0, 3, -5, 4, 25);
  Expect(3, 20, 4, 3, -4.875f, 4, "exactly on the floor");
  Step(0, 25, 0, 3, -15, 4, 25);
  Expect(3, 20, 4, 3, -14.875f, 4, "below the floor");
  Step(0, 25, 0, 0, -4.5f, 0, 25);
  Expect(0, 20.5f, 0, 0, -4.5f, 0, "just above: untouched");
  Step(0, 15, 0, 0, -10, 0, 15);
  Expect(0, 20, 0, 0, 5, 0, "set down above the last height");
  Step(0, 100, 0, 0, 2, 0, 90);
  Expect(0, 102, 0, 0, 12, 0, "rise from the recorded height");
  Step(0, 100, 0, 0, 3.3f, 0, 100);
  EXPECT_EQ(ball->velocity.y, 103.3f - 100.0f);  // the stored height's rounding
  std::string bytes;
  for (int v = 0; v < 1600; ++v) bytes += static_cast<char>((v / 40 + 2 * (v % 40)) * 2);
  std::istringstream in(bytes);
  floor.LoadFromStream(in);  // y = x/20 + z/10 + 30
  Step(-101, 0, 53, 2, -20, 1, 0);
  const Vertex n = floor.NormalAt(-99, 54);
  Expect(-99, floor.HeightAt(-99, 54), 54, 2 + n.x / 8, floor.HeightAt(-99, 54), 1 + n.z / 8,
         "slope");
}

TEST_F(BallStep, GlowsTheFloorAroundItself) {
  Step(100, -20, -200, 0, 0, 0, -20);  // 10 above the vertex (column 25, row 10)
  EXPECT_FLOAT_EQ(floor.glow[Terrain::GridIndex(10, 25)].y, 0.96f);
  EXPECT_FLOAT_EQ(floor.glow[Terrain::GridIndex(25, 10)].y, 0.01f);
}

class BallDraw : public GlTest {};

TEST_F(BallDraw, AdditiveDecalWithTheFramesTextureThenRestored) {
  // A 600-unit square in model x-z; at scale 0.3 it faces the eye at +z.
  const char* ase =
      "*MESH {\n*MESH_VERTEX 0 -300 0 -300\n*MESH_VERTEX 1 300 0 -300\n"
      "*MESH_VERTEX 2 300 0 300\n*MESH_VERTEX 3 -300 0 300\n"
      "*MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1\n*MESH_FACE 1: A: 0 B: 2 C: 3 AB: 1\n"
      "*MESH_TVERT 0 0 0 0\n*MESH_TVERT 1 1 0 0\n*MESH_TVERT 2 1 1 0\n*MESH_TVERT 3 0 1 0\n}\n";
  std::string dir = MakeTempDir("ball-draw");
  WriteFile(dir + "/ball.ase", ase);
  ScopedWorkingDir cd(dir);
  Ball ball;
  ASSERT_EQ(ball.mesh.faceCount, 2);
  InitRenderState();
  ResizeViewport(1024, 768);
  unsigned int textures[6];
  for (int i = 0; i < 6; ++i) {  // told apart by their blue
    const unsigned char texel[3] = {40, 80, static_cast<unsigned char>(20 + 40 * i)};
    glGenTextures(1, &textures[i]);
    glBindTexture(GL_TEXTURE_2D, textures[i]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  }
  OrbitCamera eye;
  eye.position = Vertex{0, 0, 500, 0, 0};
  gBallFrame = 0;
  gBallFrameRising = 1;
  for (int frame : {1, 2, 3, 4, 5, 4, 3, 2, 1, 0, 1}) {  // each draw steps the frame first
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ball.Draw(ViewState(eye), textures);
    // The texture added to the court colour (153, 102, 0).
    EXPECT_TRUE(Near(PixelAt(512, 384), Rgb{193, 182, 20 + 40 * frame}, 2)) << PixelAt(512, 384);
  }
  EXPECT_TRUE(Near(PixelAt(5, 5), Rgb{153, 102, 0}, 1));
  EXPECT_EQ(GlRead(glGetIntegerv, GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(GlRead(glGetIntegerv, GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(GlRead(glGetTexEnviv, GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE), GL_MODULATE);
}
