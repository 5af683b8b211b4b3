// TickGame.cpp -- one fixed game step: paddles follow, walls glow, the ball
// moves, a struck paddle flashes, the camera orbits.
#include "loop/Game.h"

namespace {
// The flash lands 15 units in front of the struck paddle, toward the court.
constexpr float kFarFlashZ = -400.0f;
constexpr float kNearFlashZ = 400.0f;
}  // namespace

void TickGame() {
  gBallPosition = gBall.Position();
  gPaddles[0].SetPosition(gBallPosition.x, gBallPosition.y, -415.0f);
  if (gAutoPlay) gPaddles[1].SetPosition(gBallPosition.x, gBallPosition.y, 415.0f);
  for (MeshModel& wall : gWalls) wall.GlowNear(gBall.Position(), gBall.ColourIndex());

  int result = gBall.Update(&gTerrain);
  gBallPosition = gBall.Position();
  if (result == 1) {
    gBallPosition.z = kFarFlashZ;
    gPaddles[0].Flash(gBallPosition);
  }
  if (result == -1) {
    gBallPosition.z = kNearFlashZ;
    gPaddles[1].Flash(gBallPosition);
  }
  gCamera.Update(gCameraTarget);
}
