// Ball.cpp -- the ball's start, its physics step against the floor and the
// court's bounds, and its additive drawing with a cycling texture.
#include "ball/Ball.h"

#include <GL/gl.h>

#include "court/Court.h"
#include "court/GameFiles.h"
#include "math/GameRandom.h"

int gBallFrame = 0;
int gBallFrameRising = 1;

Ball::Ball() {
  // mesh is already built, before anything else here.
  position = Vertex{0.0f, 200.0f, 0.0f, 0.0f, 0.0f};
  previousHeight = 200.0f;
  // The run's first three random numbers: the same start every run.
  velocity.x = static_cast<float>(GameRandom() % 40) - 20.0f;
  velocity.y = static_cast<float>(GameRandom() % 40) - 20.0f;
  velocity.z = static_cast<float>(GameRandom() % 80) - 40.0f;
  mesh.Load(kGameFiles[kBallMesh].name, kGameFiles[kBallMesh].scale);
  mesh.SetColour(1.0f, 1.0f, 1.0f, kNoTint);
  mesh.SetPosition(0.0f, 0.0f, 0.0f);
  colourIndex = 1;
}

// Only the floor pushes; there is no gravity.
void Ball::MeetFloor(Terrain* terrain) {
  float h = terrain->HeightAt(position.x, position.z);
  if (position.y <= h) {
    Vertex n = terrain->NormalAt(position.x, position.z);
    velocity.x += n.x / 8.0f;
    velocity.y += n.y / 8.0f;
    velocity.z += n.z / 8.0f;
    position.y = h;
  }
  // Rising ground lifts the ball by exactly what it rose since the last step.
  if (position.y > previousHeight) velocity.y = position.y - previousHeight;
  previousHeight = position.y;
}

int Ball::Update(Terrain* terrain) {
  position.x += velocity.x;
  position.y += velocity.y;
  position.z += velocity.z;
  MeetFloor(terrain);
  terrain->GlowNear(position.z, position.y, position.x, colourIndex);
  // Placed before the bounds: the clamped position shows at the next step.
  mesh.SetPosition(position.x, position.y + kBallMeshLift, position.z);

  if (position.x > kBallSideLimit) {
    position.x = kBallSideLimit;
    velocity.x = -velocity.x;
  }
  if (position.x < -kBallSideLimit) {
    position.x = -kBallSideLimit;
    velocity.x = -velocity.x;
  }
  // An end returns at once: roof and bottom wait for the next step.
  if (position.z > kBallEndLimit) {
    position.z = kBallEndLimit;
    velocity.z = -velocity.z;
    return -1;
  }
  if (position.z < -kBallEndLimit) {
    position.z = -kBallEndLimit;
    velocity.z = -velocity.z;
    return 1;
  }
  if (position.y > kBallRoofLimit) {
    position.y = kBallRoofLimit;
    velocity.y = -velocity.y;
  }
  if (position.y < kBallBottomLimit) {
    position.y = kBallBottomLimit;
    velocity.y = 0.0f;
  }
  return 0;
}

// The texture index runs 1, 2, 3, 4, 5, 4, 3, 2, 1, 0, 1, ...
void StepBallFrame() {
  if (gBallFrameRising != 0) {
    gBallFrame += 1;
    if (gBallFrame > 4) gBallFrameRising = 0;
  } else {
    gBallFrame -= 1;
    if (gBallFrame < 1) gBallFrameRising = 1;
  }
}

void Ball::Draw(ViewState view, const unsigned int* textures) {
  StepBallFrame();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // additive: the ball glows
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
  mesh.Draw(view, textures[gBallFrame], kOwnCoordinates);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
