// TickGame.cpp -- one fixed game step: paddles follow, walls glow, the ball
// moves, a struck paddle flashes, the camera orbits.
#include "court/Court.h"
#include "loop/Game.h"

void TickGame() {
  gBallPosition = gBall.Position();
  gPaddles[0].SetPosition(gBallPosition.x, gBallPosition.y, -kPaddleZ);
  if (gAutoPlay) gPaddles[1].SetPosition(gBallPosition.x, gBallPosition.y, kPaddleZ);
  for (MeshModel& wall : gWalls) wall.GlowNear(gBall.Position(), gBall.ColourIndex());

  int result = gBall.Update(&gTerrain);
  gBallPosition = gBall.Position();
  gBallResult = result;  // for the sounds; nothing of the tick reads it
  if (result == 1) {
    gBallPosition.z = -kFlashZ;
    gPaddles[0].Flash(gBallPosition);
  }
  if (result == -1) {
    gBallPosition.z = kFlashZ;
    gPaddles[1].Flash(gBallPosition);
  }
  gCamera.Update(gCameraTarget);
}
