// The game in-process on the generated data, each test from the program's
// start state: what a frame draws in which order and with which culling, and
// the player's keys and mouse. The frames and ticks are pinned by the golden run.
#include <cmath>
#include <string>
#include <vector>

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
// walls in the wrong order round 180 (each bound tried on it and at the
// nearest angles either side), R not putting the walls first, culling on for
// a wall or off for anything else, or left off after the frame. The title
// card, drawn last, and R at 180 are pinned by the golden frames.
TEST_F(Frame, DrawOrderAndCullingFollowTheOrbitAngleAndTheToggle) {
  const struct {
    float bound;
    const char *below, *on, *above;  // the order at the nearest angles and on it
  } bounds[] = {{90, "CFNBPrwl", "CFNBPrwl", "CFPBNrwl"},
                {180, "CFPBNrwl", "CFPBNrwl", "CFPBNrlw"},
                {270, "CFPBNrlw", "CFNBPrlw", "CFNBPrlw"}};
  for (const auto& b : bounds) {
    EXPECT_EQ(Drawn(std::nextafter(b.bound, 0.0f), 0, 0), b.below) << "below " << b.bound;
    EXPECT_EQ(Drawn(b.bound, 0, 0), b.on) << b.bound;
    EXPECT_EQ(Drawn(std::nextafter(b.bound, 360.0f), 0, 0), b.above) << "above " << b.bound;
  }
  EXPECT_EQ(Drawn(270, 1, 0), "CFrlwNBP");
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

// Catches: the title card lit by another light or another kind of light (at
// a point, a spot, placed in the world so that it turns with the camera): all
// look alike in a picture. How much light the card catches is golden.
TEST_F(Frame, TheTitleCardIsLitFromStraightAboveByADistantLight) {
  TickGame();      // the camera pitched and turned, as in play
  Drawn(0, 0, 1);  // the card is drawn last, so its light is the one left set
  std::vector<GLfloat> position(4), cutoff(1);
  glGetLightfv(GL_LIGHT0, GL_POSITION, position.data());
  glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, cutoff.data());
  EXPECT_EQ(position, (std::vector<GLfloat>{0, 100, 0, 0}));  // w 0: a distant light
  EXPECT_EQ(cutoff[0], 180.0f);                               // no spot
}

// Catches: a key that toggles once only, R not stopping the orbit at 180,
// another key doing something; mouse limits off, a pointer outside the
// window read as a huge coordinate. The tick leaving the paddle to the mouse
// is pinned by the golden run.
TEST_F(Frame, KeysToggleAndTheMouseMovesTheNearPaddleOnlyWithoutAutoPlay) {
  gCamera.orbitAngle = 250.0f;
  // {key, auto-play, walls first, orbiting} after each press
  const int presses[][4] = {{kKeySpace, 0, 0, 1}, {kKeySpace, 1, 0, 1}, {kKeyR, 1, 1, 0},
                            {kKeyR, 1, 0, 1},     {'X', 1, 0, 1},       {kKeySpace, 0, 0, 1}};
  for (const auto& p : presses) {
    HandleGameKey(p[0]);
    EXPECT_EQ((std::vector<int>{p[0], gAutoPlay, gWallsFirst, gCamera.autoRotate}),
              std::vector<int>(p, p + 4));
  }
  EXPECT_EQ(gCamera.orbitAngle, 180.0f);
  // {x, y, then the paddle's x, y, z}; auto-play is off after the last key
  const int moves[][5] = {{0, 0, -330, 348, 415},
                          {645, 260, 315, 88, 415},
                          {1023, 767, 315, 88, 415},
                          {-40, -3, -330, 348, 415},
                          {330, 100, 0, 248, 415}};
  for (const auto& m : moves) {
    HandleMouseMove(m[0], m[1]);
    const Vec3& p = gPaddles[1].position;
    EXPECT_EQ((std::vector<float>{p.x, p.y, p.z}), std::vector<float>(m + 2, m + 5)) << m[0];
  }
}
