// Game.h -- the game's global objects and flags, the one-time scene set-up,
// one tick of the game and one frame of drawing.
#pragma once
#include "ball/Ball.h"
#include "camera/OrbitCamera.h"
#include "math/MathTypes.h"
#include "mesh/MeshModel.h"
#include "terrain/Terrain.h"

// Built in this order before main runs; gBall already reads "ball.ase".
extern Terrain gTerrain;
extern OrbitCamera gCamera;
extern Ball gBall;
extern MeshModel gWalls[3];  // [0] left wall, [1] roof, [2] right wall
extern MeshModel gCaseModel;
extern MeshModel gPaddles[2];  // [0] far paddle (z -415), [1] near (z +415)

extern Vertex gCameraTarget;
extern Vec3 gLightVector;
extern int gAutoPlay;         // non-zero: the near paddle follows the ball
extern int gWallsFirst;       // non-zero: walls drawn before the paddles
extern Vertex gBallPosition;  // the tick's copy of the ball position
extern int gBallResult;       // the last tick's ball step: -1 near end, +1 far end, else 0

// Title card state.
extern int gTitleActive;
extern int gTitleFrameCount;
extern float gTitleAngle;
extern float gTitleSize;

// What the frame draws, in the order it draws them; observers see each item
// just before it is drawn (tests and tools check order and GL state with it).
enum class DrawItem {
  kCase,
  kFloor,
  kFarPaddle,
  kBall,
  kNearPaddle,
  kRoof,
  kLeftWall,
  kRightWall,
  kTitle
};
using DrawObserver = void (*)(DrawItem item);
extern DrawObserver gDrawObserver;  // null: nobody watches

// Puts every global of the game back as it stands when the program starts:
// the objects rebuilt in construction order ("ball.ase" read again from the
// working directory), the flags, the title card, the texture names (0), the
// draw observer (none) and the random generator. Needs no GL context; a run
// from there goes on with SetUpScene.
void ResetGameState();
// Loads textures, floor and meshes and arranges the scene (needs a GL context).
void SetUpScene();
// One fixed game step: paddles, wall glow, ball, flashes, camera.
void TickGame();
// Draws one frame into the back buffer.
void RenderFrame();
