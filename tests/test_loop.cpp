// The game in-process from its start state: the frame's draw order and culling, keys and mouse.
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

// Catches: the order's bounds at 90, 180 and 270 off by an ulp, R ignored, culling misplaced.
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

// Catches: the title card lit at a point, by a spot, or by a light that turns with the camera.
TEST_F(Frame, TheTitleCardIsLitFromStraightAboveByADistantLight) {
  TickGame();      // the camera pitched and turned, as in play
  Drawn(0, 0, 1);  // the card is drawn last, so its light is the one left set
  std::vector<GLfloat> position(4), cutoff(1);
  glGetLightfv(GL_LIGHT0, GL_POSITION, position.data());
  glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, cutoff.data());
  EXPECT_EQ(position, (std::vector<GLfloat>{0, 100, 0, 0}));  // w 0: a distant light
  EXPECT_EQ(cutoff[0], 180.0f);                               // no spot
}

// Catches: keys that toggle once only or act when they should not; the mouse's limits off.
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
