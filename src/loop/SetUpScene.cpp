// SetUpScene.cpp -- the one-time scene set-up, once the GL context exists.
#include "court/Court.h"
#include "court/GameFiles.h"
#include "image/Textures.h"
#include "loop/Game.h"
#include "math/MathUtil.h"

namespace {
void LoadMesh(MeshModel& model, GameFileId file) {
  model.Load(kGameFiles[file].name, kGameFiles[file].scale);
}

void LoadCourtMeshes() {
  LoadMesh(gCaseModel, kCaseMesh);
  LoadMesh(gPaddles[0], kPaddleMesh);
  LoadMesh(gPaddles[1], kPaddleMesh);
  LoadMesh(gWalls[0], kLeftWallMesh);
  LoadMesh(gWalls[1], kRoofMesh);
  LoadMesh(gWalls[2], kRightWallMesh);
}

// The order of these calls fixes which grey each wall draws from the generator.
void DressCourt() {
  for (MeshModel& wall : gWalls) wall.SetAlpha(0.5f);
  for (MeshModel& paddle : gPaddles) paddle.SetColour(1.0f, 1.0f, 1.0f, kNoTint);
  for (MeshModel& paddle : gPaddles) paddle.SetAlpha(0.6f);
  for (MeshModel& paddle : gPaddles) paddle.EnableGlowDecay();
  for (MeshModel& wall : gWalls) wall.SetPosition(0.0f, kCourtPlacementY, 0.0f);
  for (MeshModel& wall : gWalls) wall.SetColour(0.8f, 0.8f, 0.8f, kGreyTint);
  gCaseModel.SetPosition(0.0f, kCourtPlacementY, 0.0f);
  gCaseModel.SetColour(1.0f, 1.0f, 1.0f, kNoTint);
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
