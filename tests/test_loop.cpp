// The game in-process on the generated data, each test from the program's
// start state: what a frame draws in which order and with which culling, and
// the player's keys and mouse. The frames and ticks are pinned by the golden run.
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "GlHarness.h"
#include "TestFiles.h"
#include "court/GameFiles.h"
#include "loop/Game.h"
#include "shell/core/GameInput.h"
#include "shell/core/RenderState.h"

namespace {
// One letter per item drawn: case, floor, far paddle (p), ball, near paddle,
// roof, left wall, right wall (w), title; a capital while culling is on.
std::string gDrawn;
void Record(DrawItem item) {
  const char letter = "cfpbnrlwt"[static_cast<int>(item)];
  gDrawn += glIsEnabled(GL_CULL_FACE) ? static_cast<char>(letter - 'a' + 'A') : letter;
}

class Frame : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    ResetGameState();
    InitRenderState();
    ResizeViewport(1024, 768);
    SetUpScene();
    gDrawObserver = Record;
  }
  // What one frame draws with the orbit at angle, after R or not.
  std::string Drawn(float angle, int wallsFirst, int title) {
    gCamera.orbitAngle = angle;
    gWallsFirst = wallsFirst;
    gTitleActive = title;
    gDrawn.clear();
    RenderFrame();
    return gDrawn;
  }
};
}  // namespace

// Catches: the far paddle first on the wrong side of 90 or 270, the side
// walls in the wrong order round 180 (each bound tried on it and at the
// nearest angles either side), R not putting the walls first, culling on for
// a wall or off for anything else, or left off after the frame.
TEST_F(Frame, DrawOrderAndCullingFollowTheOrbitAngleAndTheToggle) {
  const auto below = [](float a) { return std::nextafter(a, 0.0f); };
  const auto above = [](float a) { return std::nextafter(a, 360.0f); };
  const std::pair<float, const char*> orders[] = {
      {0, "CFNBPrwl"},          {below(90), "CFNBPrwl"},  {90, "CFNBPrwl"},
      {above(90), "CFPBNrwl"},  {below(180), "CFPBNrwl"}, {180, "CFPBNrwl"},
      {above(180), "CFPBNrlw"}, {below(270), "CFPBNrlw"}, {270, "CFNBPrlw"},
      {above(270), "CFNBPrlw"}, {360, "CFNBPrlw"}};
  for (const auto& [angle, order] : orders) EXPECT_EQ(Drawn(angle, 0, 0), order) << angle;
  EXPECT_EQ(Drawn(180, 1, 0), "CFrwlPBN");
  EXPECT_EQ(Drawn(180, 0, 1), "CFPBNrwlT");
  EXPECT_EQ(Drawn(270, 1, 0), "CFrlwNBP");
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

// Catches: the title card lit by another light or another kind of light (one
// at a point, a spot, fading with distance, placed in the world rather than
// straight above the viewer), unlit, or facing another way.
TEST_F(Frame, TheTitleCardIsLitFromStraightAboveByADistantLight) {
  Drawn(0, 0, 1);  // the card is drawn last, so its light is the one left set
  const struct {
    GLenum what;
    int count;
    GLfloat expected[4];
  } light[] = {{GL_POSITION, 4, {0, 100, 0, 0}},      {GL_SPOT_CUTOFF, 1, {180}},
               {GL_CONSTANT_ATTENUATION, 1, {1}},     {GL_LINEAR_ATTENUATION, 1, {0}},
               {GL_QUADRATIC_ATTENUATION, 1, {0}},    {GL_DIFFUSE, 4, {1, 1, 1, 1}},
               {GL_AMBIENT, 4, {0.2f, 0.2f, 0.2f, 1}}};
  for (const auto& l : light) {
    GLfloat value[4] = {};
    glGetLightfv(GL_LIGHT0, l.what, value);
    for (int i = 0; i < l.count; ++i) EXPECT_EQ(value[i], l.expected[i]) << l.what << " " << i;
  }
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  GLfloat normal[3];
  glGetFloatv(GL_CURRENT_NORMAL, normal);
  EXPECT_EQ(std::vector<GLfloat>(normal, normal + 3), (std::vector<GLfloat>{0, 1, 0}));
}

// What the set-up loaded: each model's vertex and face counts, and heights
// across the floor.
std::vector<float> Loaded() {
  std::vector<float> loaded;
  for (const MeshModel* m :
       {&gCaseModel, &gWalls[0], &gWalls[1], &gWalls[2], &gPaddles[0], &gPaddles[1], &gBall.mesh}) {
    loaded.insert(loaded.end(), {float(m->vertexCount), float(m->faceCount)});
  }
  for (int v = 0; v < Terrain::kVertexCount; v += 37) loaded.push_back(gTerrain.vertices[v].y);
  return loaded;
}

// Catches: a data file that is a symbolic link read as missing (or, for a
// bitmap, ending the game), as packagers and users lay them out: links by
// relative and absolute paths, a link to a link, all in a linked folder.
TEST_F(Frame, DataFilesThatAreSymbolicLinksLoadAsTheFilesThemselves) {
  namespace fs = std::filesystem;
  const std::vector<float> real = Loaded();
  const std::string dir = MakeTempDir("links");
  fs::copy(fs::current_path(), dir + "/real");
  fs::create_directory(dir + "/play");
  int k = 0;
  for (const GameFile& file : kGameFiles) {
    const std::string name = file.name, link = dir + "/play/" + name;
    if (k % 3 == 0) fs::create_symlink("../real/" + name, link);
    if (k % 3 == 1) fs::create_symlink(dir + "/real/" + name, link);
    if (k++ % 3 == 2) {
      fs::create_symlink(dir + "/real/" + name, link + ".link");
      fs::create_symlink(name + ".link", link);
    }
  }
  fs::create_directory_symlink("play", dir + "/linked");
  ScopedWorkingDir cd(dir + "/linked");
  ResetGameState();
  SetUpScene();
  EXPECT_EQ(Loaded(), real);
}

// Catches: a key that toggles once only, R not stopping the orbit at 180,
// another key doing something; mouse limits off, a pointer outside the
// window read as a huge coordinate, the mouse moving the paddle in auto-play
// or the tick moving it while the mouse has it.
TEST_F(Frame, KeysToggleAndTheMouseMovesTheNearPaddleOnlyWithoutAutoPlay) {
  gCamera.orbitAngle = 250.0f;
  // {key, auto-play, walls first, orbiting} after each press
  const int presses[][4] = {{kKeySpace, 0, 0, 1}, {kKeySpace, 1, 0, 1}, {kKeyR, 1, 1, 0},
                            {kKeyR, 1, 0, 1},     {'X', 1, 0, 1},       {kKeySpace, 0, 0, 1}};
  for (const auto& p : presses) {
    HandleGameKey(p[0]);
    EXPECT_EQ((std::vector<int>{gAutoPlay, gWallsFirst, gCamera.autoRotate}),
              (std::vector<int>{p[1], p[2], p[3]}))
        << p[0];
  }
  EXPECT_EQ(gCamera.orbitAngle, 180.0f);
  // {x, y, paddle x, paddle y}
  const int moves[][4] = {{0, 0, -330, 348},
                          {645, 260, 315, 88},
                          {1023, 767, 315, 88},
                          {-40, -3, -330, 348},
                          {330, 100, 0, 248}};
  for (const auto& m : moves) {  // auto-play is off after the last key
    HandleMouseMove(m[0], m[1]);
    const Vec3& p = gPaddles[1].position;
    EXPECT_EQ((std::vector<float>{p.x, p.y, p.z}),
              (std::vector<float>{float(m[2]), float(m[3]), 415.0f}))
        << m[0] << "," << m[1];
  }
  TickGame();
  gAutoPlay = 1;
  HandleMouseMove(0, 0);
  EXPECT_EQ(gPaddles[1].position.x, 0.0f);
  EXPECT_EQ(gPaddles[1].position.y, 248.0f);
}
