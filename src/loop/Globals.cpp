// Globals.cpp -- the game's objects, built in this order before main runs
// (the ball's constructor already reads "ball.ase"), and its plain globals.
#include "loop/Game.h"

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

int gTitleActive = 1;
int gTitleFrameCount = 0;
float gTitleAngle = 0.0f;
float gTitleSize = 1.0f;
