// The ball: its start, the physics step against floor and court, and its
// additive, texture-cycling drawing.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "GlHarness.h"
#include "TestFiles.h"
#include "ball/Ball.h"
#include "math/GameRandom.h"
#include "shell/core/RenderState.h"

namespace {
// Level floor at height h (-30..97).
void LevelFloor(Terrain& t, int h) {
  std::istringstream in(std::string(1600, static_cast<char>((h + 30) * 2)));
  t.LoadFromStream(in);
}

// A ball built in an empty folder: no "ball.ase", an empty mesh.
class BallStep : public ::testing::Test {
 protected:
  void SetUp() override {
    ScopedWorkingDir cd(MakeTempDir("ball"));
    ResetGameRandom();
    ball = std::make_unique<Ball>();
    LevelFloor(floor, -30);
  }

  void Place(float x, float y, float z, float vx, float vy, float vz, float previous) {
    ball->position = Vertex{x, y, z, 0.0f, 0.0f};
    ball->velocity = Vertex{vx, vy, vz, 0.0f, 0.0f};
    ball->previousHeight = previous;
  }

  std::unique_ptr<Ball> ball;
  Terrain floor;
};
}  // namespace

TEST_F(BallStep, StartsFromTheFirstThreeRandomNumbers) {
  EXPECT_EQ(ball->velocity.x, -19.0f);
  EXPECT_EQ(ball->velocity.y, 7.0f);
  EXPECT_EQ(ball->velocity.z, -26.0f);
  EXPECT_EQ(ball->position.x, 0.0f);
  EXPECT_EQ(ball->position.y, 200.0f);
  EXPECT_EQ(ball->position.z, 0.0f);
  EXPECT_EQ(ball->previousHeight, 200.0f);
  EXPECT_EQ(ball->ColourIndex(), 1);
  EXPECT_EQ(ball->mesh.position.y, 0.0f);  // placed at the origin until the first step
  // Three draws for the velocity, one for the mesh's white: the fifth is next.
  ResetGameRandom();
  for (int i = 0; i < 4; ++i) GameRandom();
  int fifth = GameRandom();
  ScopedWorkingDir cd(MakeTempDir("ball-again"));
  ResetGameRandom();
  Ball again;
  EXPECT_EQ(GameRandom(), fifth);
}

TEST_F(BallStep, FirstStepOverALowFloor) {
  EXPECT_EQ(ball->Update(&floor), 0);
  Vertex p = ball->Position();
  EXPECT_EQ(p.x, -19.0f);
  EXPECT_EQ(p.y, 207.0f);
  EXPECT_EQ(p.z, -26.0f);
  EXPECT_EQ(ball->velocity.y, 7.0f);  // the rise rule gives 207 - 200
  EXPECT_EQ(ball->previousHeight, 207.0f);
  EXPECT_EQ(ball->mesh.position.x, -19.0f);
  EXPECT_EQ(ball->mesh.position.y, 222.0f);
  EXPECT_EQ(ball->mesh.position.z, -26.0f);
  // The floor glowed once, everywhere by its step, nowhere by the tint: the
  // ball is over 200 above it.
  for (int v = 0; v < 1600; ++v) ASSERT_FLOAT_EQ(floor.glow[v].y, 0.01f) << v;
}

namespace {
struct BoundCase {
  const char* what;
  float x, y, z, vx, vy, vz;   // before the step; previous height = y
  int result;
  float endX, endY, endZ, endVx, endVy, endVz;
};
}  // namespace

TEST_F(BallStep, BoundsExactlyOnAndJustPast) {
  const BoundCase cases[] = {
      {"x on +350", 340, 100, 0, 10, 0, 0, 0, 350, 100, 0, 10, 0, 0},
      {"x past +350", 340, 100, 0, 10.5f, 0, 0, 0, 350, 100, 0, -10.5f, 0, 0},
      {"x on -350", -340, 100, 0, -10, 0, 0, 0, -350, 100, 0, -10, 0, 0},
      {"x past -350", -340, 100, 0, -10.25f, 0, 0, 0, -350, 100, 0, 10.25f, 0, 0},
      {"z on +360", 0, 100, 350, 0, 0, 10, 0, 0, 100, 360, 0, 0, 10},
      {"z past +360", 0, 100, 350, 0, 0, 10.5f, -1, 0, 100, 360, 0, 0, -10.5f},
      {"z on -360", 0, 100, -350, 0, 0, -10, 0, 0, 100, -360, 0, 0, -10},
      {"z past -360", 0, 100, -350, 0, 0, -11, 1, 0, 100, -360, 0, 0, 11},
      {"y on the roof", 0, 360, 0, 0, 10, 0, 0, 0, 370, 0, 0, 10, 0},
      {"y past the roof", 0, 360, 0, 0, 10.5f, 0, 0, 0, 370, 0, 0, -10.5f, 0},
      {"roof skipped at the near end", 0, 365, 355, 0, 8, 8, -1, 0, 373, 360, 0, 8, -8},
      {"roof skipped at the far end", 0, 365, -355, 0, 8, -8, 1, 0, 373, -360, 0, 8, 8},
      {"corner: side and end", 345, 100, 355, 8, 0, 8, -1, 350, 100, 360, -8, 0, -8},
  };
  for (const auto& k : cases) {
    Place(k.x, k.y, k.z, k.vx, k.vy, k.vz, k.y);
    EXPECT_EQ(ball->Update(&floor), k.result) << k.what;
    EXPECT_EQ(ball->position.x, k.endX) << k.what;
    EXPECT_EQ(ball->position.y, k.endY) << k.what;
    EXPECT_EQ(ball->position.z, k.endZ) << k.what;
    EXPECT_EQ(ball->velocity.x, k.endVx) << k.what;
    EXPECT_EQ(ball->velocity.y, k.endVy) << k.what;
    EXPECT_EQ(ball->velocity.z, k.endVz) << k.what;
  }
}

TEST_F(BallStep, BottomStopThenRise) {
  // Only a floor below -200 lets the ball get there.
  for (int v = 0; v < 1600; ++v) floor.vertices[v].y = -400.0f;
  Place(0, -190, 0, 0, -15, 0, -190);
  EXPECT_EQ(ball->Update(&floor), 0);
  EXPECT_EQ(ball->position.y, -200.0f);
  EXPECT_EQ(ball->velocity.y, 0.0f);
  EXPECT_EQ(ball->previousHeight, -205.0f);  // recorded before the stop
  EXPECT_EQ(ball->mesh.position.y, -190.0f);
  EXPECT_EQ(ball->Update(&floor), 0);
  EXPECT_EQ(ball->velocity.y, 5.0f);  // back up by what it went below
  // At an end the stop waits a step.
  Place(0, -195, 355, 0, -10, 10, -195);
  EXPECT_EQ(ball->Update(&floor), -1);
  EXPECT_EQ(ball->position.y, -205.0f);
  EXPECT_EQ(ball->velocity.y, -10.0f);
}

TEST_F(BallStep, FloorPushAndSetDown) {
  LevelFloor(floor, 20);
  const struct {
    const char* what;
    float y, vy, previous;
    float endY, endVy, endPrevious;
  } cases[] = {
      {"lands exactly on it", 25, -5, 25, 20, -4.875f, 20},
      {"lands below it", 25, -15, 25, 20, -14.875f, 20},
      {"just above: no contact", 25, -4.99f, 25, 20.01f, -4.99f, 20.01f},
      {"set down above the last height rises", 15, -10, 15, 20, 5, 20},
  };
  for (const auto& k : cases) {
    Place(0, k.y, 0, 3, k.vy, 4, k.previous);
    EXPECT_EQ(ball->Update(&floor), 0) << k.what;
    EXPECT_FLOAT_EQ(ball->position.y, k.endY) << k.what;
    EXPECT_FLOAT_EQ(ball->velocity.y, k.endVy) << k.what;
    EXPECT_FLOAT_EQ(ball->previousHeight, k.endPrevious) << k.what;
    EXPECT_EQ(ball->velocity.x, 3.0f) << k.what;
    EXPECT_EQ(ball->velocity.z, 4.0f) << k.what;
  }
}

TEST_F(BallStep, SlopedFloorPushesAlongItsNormal) {
  std::string bytes;
  for (int c = 0; c < 40; ++c) {
    for (int r = 0; r < 40; ++r) bytes += static_cast<char>((c + 2 * r) * 2);  // y = c + 2r - 30
  }
  std::istringstream in(bytes);
  floor.LoadFromStream(in);
  Place(-101, 0, 53, 2, -20, 1, 0);
  const Vertex n = floor.NormalAt(-99, 54);
  const float h = floor.HeightAt(-99, 54);
  ASSERT_GT(h, -20.0f);
  EXPECT_EQ(ball->Update(&floor), 0);
  EXPECT_EQ(ball->position.y, h);
  EXPECT_EQ(ball->velocity.x, 2.0f + n.x / 8.0f);
  EXPECT_EQ(ball->velocity.z, 1.0f + n.z / 8.0f);
  // Set down above its last height (0), so the rise rule overrides the push.
  EXPECT_EQ(ball->velocity.y, h - 0.0f);
  EXPECT_LT(n.x, 0.0f);
}

TEST_F(BallStep, RiseRuleOnlyGoingUp) {
  Place(0, 100, 0, 0, 3.3f, 0, 100);
  ball->Update(&floor);
  EXPECT_EQ(ball->velocity.y, 103.3f - 100.0f);  // rounding of the stored height
  EXPECT_NE(ball->velocity.y, 3.3f);
  Place(0, 100, 0, 0, -3.3f, 0, 100);
  ball->Update(&floor);
  EXPECT_EQ(ball->velocity.y, -3.3f);
  // Measured against the recorded height, not against this step's start.
  Place(0, 100, 0, 0, 2, 0, 90);
  ball->Update(&floor);
  EXPECT_EQ(ball->velocity.y, 12.0f);
}

TEST_F(BallStep, GlowsTheFloorAroundItsOwnPosition) {
  Place(100, -20, -200, 0, 0, 0, -20);
  ball->Update(&floor);
  // 10 above the vertex at x 100, z -200 (column 25, row 10).
  EXPECT_FLOAT_EQ(floor.glow[Terrain::GridIndex(10, 25)].y, 1.0f - 10.0f / 200.0f + 0.01f);
  EXPECT_FLOAT_EQ(floor.glow[Terrain::GridIndex(25, 10)].y, 0.01f);  // x and z swapped
  EXPECT_EQ(floor.glow[Terrain::GridIndex(10, 25)].x, 0.0f);  // colour index 1: green
}

TEST(BallFrame, RunsUpAndDownOverTenFrames) {
  gBallFrame = 0;
  gBallFrameRising = 1;
  const int expected[] = {1, 2, 3, 4, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 0, 1};
  for (int want : expected) {
    StepBallFrame();
    ASSERT_EQ(gBallFrame, want);
    ASSERT_GE(gBallFrame, 0);
    ASSERT_LE(gBallFrame, 5);
  }
}

namespace {
// A 600 x 600 square in the model's x-z plane; at scale 0.3 it covers world
// x and y from -90 to 90 and faces +z.
const char kSquareAse[] =
    "*3DSMAX_ASCIIEXPORT 200\n*GEOMOBJECT {\n*MESH {\n"
    "*MESH_NUMVERTEX 4\n*MESH_NUMFACES 2\n*MESH_VERTEX_LIST {\n"
    "*MESH_VERTEX 0 -300.0 0.0 -300.0\n*MESH_VERTEX 1 300.0 0.0 -300.0\n"
    "*MESH_VERTEX 2 300.0 0.0 300.0\n*MESH_VERTEX 3 -300.0 0.0 300.0\n}\n"
    "*MESH_FACE_LIST {\n"
    "*MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 0 *MESH_SMOOTHING 1 *MESH_MTLID 0\n"
    "*MESH_FACE 1: A: 0 B: 2 C: 3 AB: 1 BC: 1 CA: 0 *MESH_SMOOTHING 1 *MESH_MTLID 0\n}\n"
    "*MESH_NUMTVERTEX 4\n*MESH_TVERTLIST {\n*MESH_TVERT 0 0.0 0.0 0.0\n"
    "*MESH_TVERT 1 1.0 0.0 0.0\n*MESH_TVERT 2 1.0 1.0 0.0\n*MESH_TVERT 3 0.0 1.0 0.0\n}\n"
    "*MESH_NUMTVFACES 2\n*MESH_TFACELIST {\n*MESH_TFACE 0 0 1 2\n*MESH_TFACE 1 0 2 3\n}\n}\n}\n";

// One-colour texture with no mipmaps needed.
GLuint SolidTexture(unsigned char r, unsigned char g, unsigned char b) {
  const unsigned char texel[4 * 3] = {r, g, b, r, g, b, r, g, b, r, g, b};
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return name;
}

// Eye 500 in front of the origin, looking down -z.
ViewState FrontView() {
  OrbitCamera camera;
  camera.position = Vertex{0.0f, 0.0f, 500.0f, 0.0f, 0.0f};
  return ViewState(camera);
}
}  // namespace

class BallDraw : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    InitRenderState();
    ResizeViewport(1024, 768);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    std::string dir = MakeTempDir("ball-draw");
    WriteFile(dir + "/ball.ase", kSquareAse);
    ScopedWorkingDir cd(dir);
    ball = std::make_unique<Ball>();
    // Six textures told apart by their blue.
    for (int i = 0; i < 6; ++i) textures[i] = SolidTexture(40, 80, static_cast<unsigned char>(20 + 40 * i));
    gBallFrame = 0;
    gBallFrameRising = 1;
  }

  std::unique_ptr<Ball> ball;
  unsigned int textures[6] = {};
};

TEST_F(BallDraw, AddsTheFramesTextureOnTopAndRestoresBlending) {
  ASSERT_EQ(ball->mesh.faceCount, 2);
  ball->Draw(FrontView(), textures);
  EXPECT_EQ(gBallFrame, 1);
  // Decal texture (40, 80, 60) added to the court colour (153, 102, 0).
  EXPECT_TRUE(Near(PixelAt(512, 384), Rgb{193, 182, 60}, 2)) << PixelAt(512, 384);
  EXPECT_TRUE(Near(PixelAt(5, 5), Rgb{153, 102, 0}, 1)) << PixelAt(5, 5);

  GLint value;
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
  EXPECT_EQ(value, GL_MODULATE);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // Each draw takes the next frame's texture: 2, 3, 4, 5, then 4 again.
  const int frames[] = {2, 3, 4, 5, 4};
  for (int frame : frames) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ball->Draw(FrontView(), textures);
    EXPECT_TRUE(Near(PixelAt(512, 384), Rgb{193, 182, 20 + 40 * frame}, 2))
        << "frame " << frame << ": " << PixelAt(512, 384);
  }
}

TEST_F(BallDraw, DrawsWhereTheLastStepPlacedIt) {
  Terrain floor;
  LevelFloor(floor, -30);
  ball->position = Vertex{200.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  ball->velocity = Vertex{0.0f, -15.0f, 0.0f, 0.0f, 0.0f};
  ball->previousHeight = 0.0f;
  ball->Update(&floor);  // the square now spans x 110..290, y -90..90
  ball->Draw(FrontView(), textures);
  EXPECT_TRUE(Near(PixelAt(512, 384), Rgb{153, 102, 0}, 1)) << PixelAt(512, 384);
  // World x 200 at distance 500: 200 / (500 tan 30 x 4/3) of the half width.
  EXPECT_TRUE(Near(PixelAt(512 + 266, 384 - 10), Rgb{193, 182, 60}, 2))
      << PixelAt(512 + 266, 384 - 10);
}
