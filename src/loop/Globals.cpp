// Globals.cpp -- the game's objects, built in this order before main runs
// (the ball's constructor already reads "ball.ase"), its plain globals, and
// the reset that puts them all back as they stood then.
#include "image/Textures.h"
#include "loop/Game.h"
#include "math/GameRandom.h"

Terrain gTerrain;
OrbitCamera gCamera;
Ball gBall;
MeshModel gWalls[3];
MeshModel gCaseModel;
MeshModel gPaddles[2];

Vertex gCameraTarget{};
Vec3 gLightVector{};
int gAutoPlay = 1;
int gWallsFirst = 0;
Vertex gBallPosition{};
int gBallResult = 0;

int gTitleActive = 1;
int gTitleFrameCount = 0;
float gTitleAngle = 0.0f;
float gTitleSize = 1.0f;

// The same values as the definitions above, in the same order, so the ball
// draws the run's first three random numbers again.
void ResetGameState() {
  ResetGameRandom();
  gTerrain = Terrain();
  gCamera = OrbitCamera();
  gBall = Ball();
  for (MeshModel& wall : gWalls) wall = MeshModel();
  gCaseModel = MeshModel();
  for (MeshModel& paddle : gPaddles) paddle = MeshModel();
  gCameraTarget = Vertex{};
  gLightVector = Vec3{};
  gAutoPlay = 1;
  gWallsFirst = 0;
  gBallPosition = Vertex{};
  gBallResult = 0;
  gTitleActive = 1;
  gTitleFrameCount = 0;
  gTitleAngle = 0.0f;
  gTitleSize = 1.0f;
  gBallFrame = 0;
  gBallFrameRising = 1;
  gTitleTexture = 0;
  gEnvMapTexture = 0;
  for (unsigned int& texture : gBallTextures) texture = 0;
  gDrawObserver = nullptr;
}
