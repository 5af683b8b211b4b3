// SetUpScene.cpp -- the one-time scene set-up, once the GL context exists.
#include "image/Textures.h"
#include "loop/Game.h"
#include "math/MathUtil.h"

namespace {
void LoadCourtMeshes() {
  gCaseModel.Load("case.ase", 3.9f);
  gPaddles[0].Load("Paddle.ase", 0.5f);
  gPaddles[1].Load("Paddle.ase", 0.5f);
  gWalls[0].Load("LeftWall.ase", 3.9f);
  gWalls[1].Load("Roof.ase", 3.9f);
  gWalls[2].Load("RightWall.ase", 3.9f);
}

// The order of these calls fixes which grey each wall draws from the generator.
void DressCourt() {
  for (MeshModel& wall : gWalls) wall.SetAlpha(0.5f);
  for (MeshModel& paddle : gPaddles) paddle.SetColour(1.0f, 1.0f, 1.0f, 0);
  for (MeshModel& paddle : gPaddles) paddle.SetAlpha(0.6f);
  for (MeshModel& paddle : gPaddles) paddle.EnableGlowDecay();
  for (MeshModel& wall : gWalls) wall.SetPosition(0.0f, 20.0f, 0.0f);
  for (MeshModel& wall : gWalls) wall.SetColour(0.8f, 0.8f, 0.8f, 1);
  gCaseModel.SetPosition(0.0f, 20.0f, 0.0f);
  gCaseModel.SetColour(1.0f, 1.0f, 1.0f, 0);
}
}  // namespace

void SetUpScene() {
  LoadTextures();
  gTerrain.Load();
  gCameraTarget = Vertex{0.0f, 10.0f, 0.0f, 0.0f, 0.0f};
  gLightVector = Vec3{0.0f, 10.0f, 0.0f};
  Normalize(gLightVector);
  LoadCourtMeshes();
  DressCourt();
  gCamera.StartOrbit();
}
