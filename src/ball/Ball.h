// Ball.h -- the one moving body: its physics step against the floor and the
// court's bounds, and its additive, texture-cycling drawing.
#pragma once
#include "camera/OrbitCamera.h"
#include "math/MathTypes.h"
#include "mesh/MeshModel.h"
#include "terrain/Terrain.h"

// Texture frame shared by every ball: index 0..5 and its direction.
extern int gBallFrame;
extern int gBallFrameRising;

// Advances the texture frame one step; Ball::Draw calls it once per draw.
void StepBallFrame();

class Ball {
 public:
  Vertex velocity{};
  Vertex position{};
  MeshModel mesh;
  int colourIndex = 1;
  float previousHeight = 200.0f;

  // Draws the start velocity (three GameRandom values) and reads "ball.ase".
  Ball();

  // One step; -1 near end reached (z > 360), +1 far end (z < -360), else 0.
  int Update(Terrain* terrain);
  void Draw(ViewState view, const unsigned int* textures);
  Vertex Position() const { return position; }
  int ColourIndex() const { return colourIndex; }

  // Steps 2 to 4 of Update: the floor's push and set-down, the rise rule,
  // and the height recorded for the next step.
  void MeetFloor(Terrain* terrain);
};
