// The game in-process on the generated data, each test from the program's
// start state: what a frame draws in which order and with which culling, and
// the player's keys and mouse. The frames and ticks are pinned by the golden run.
#include <string>

#include "GlHarness.h"
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
// walls in the wrong order round 180, R not putting the walls first, culling
// on for a wall or off for anything else, or left off after the frame.
TEST_F(Frame, DrawOrderAndCullingFollowTheOrbitAngleAndTheToggle) {
  EXPECT_EQ(Drawn(181, 0, 0), "CFPBNrlw");
  EXPECT_EQ(Drawn(180, 1, 0), "CFrwlPBN");
  EXPECT_EQ(Drawn(180, 0, 1), "CFPBNrwlT");
  EXPECT_EQ(Drawn(90, 0, 0), "CFNBPrwl");
  EXPECT_EQ(Drawn(270, 1, 0), "CFrlwNBP");
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
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
    EXPECT_TRUE(gAutoPlay == p[1] && gWallsFirst == p[2] && gCamera.autoRotate == p[3]) << p[0];
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
    EXPECT_TRUE(p.x == m[2] && p.y == m[3] && p.z == 415.0f) << m[0] << "," << m[1];
  }
  TickGame();
  gAutoPlay = 1;
  HandleMouseMove(0, 0);
  EXPECT_TRUE(gPaddles[1].position.x == 0.0f && gPaddles[1].position.y == 248.0f);
}
