// RenderFrame.cpp -- one frame: case, floor, paddles with the ball between
// them and the walls in a view-dependent order, then the title card.
#include <GL/gl.h>

#include "image/Textures.h"
#include "loop/Game.h"

DrawObserver gDrawObserver = nullptr;

namespace {
// Each draw gets a fresh copy of the camera record.
ViewState CurrentView() { return ViewState(gCamera); }

void Notify(DrawItem item) {
  if (gDrawObserver) gDrawObserver(item);
}

void DrawSphereMapped(MeshModel& model, DrawItem item) {
  Notify(item);
  model.Draw(CurrentView(), gEnvMapTexture, kSphereMapped);
}

void DrawWall(int index, DrawItem item) {
  Notify(item);
  gWalls[index].Draw(CurrentView(), kNoTexture, kOwnCoordinates);
}

void DrawBall() {
  Notify(DrawItem::kBall);
  gBall.Draw(CurrentView(), gBallTextures);
}

// The paddle farther from the camera first, the ball always between them.
void DrawPaddleGroup(float angle) {
  if (angle > 90.0f && angle < 270.0f) {
    DrawSphereMapped(gPaddles[0], DrawItem::kFarPaddle);
    DrawBall();
    DrawSphereMapped(gPaddles[1], DrawItem::kNearPaddle);
  } else {
    DrawSphereMapped(gPaddles[1], DrawItem::kNearPaddle);
    DrawBall();
    DrawSphereMapped(gPaddles[0], DrawItem::kFarPaddle);
  }
}

// Both sides of the translucent walls show, so culling is off just for them.
void DrawWallGroup(float angle) {
  glDisable(GL_CULL_FACE);
  DrawWall(1, DrawItem::kRoof);
  if (angle > 180.0f) {
    DrawWall(0, DrawItem::kLeftWall);
    DrawWall(2, DrawItem::kRightWall);
  } else {
    DrawWall(2, DrawItem::kRightWall);
    DrawWall(0, DrawItem::kLeftWall);
  }
  glEnable(GL_CULL_FACE);
}

// Counts the card's frames: full size for 20, then it spins and shrinks away.
void StepTitleCard() {
  gTitleFrameCount += 1;
  if (gTitleFrameCount > 20) {
    gTitleAngle += 5.0f;
    gTitleSize -= 0.015f;
    if (gTitleSize < 0.0f) gTitleActive = 0;
  }
}

// The card lives in eye space, 2 units in front of the viewer, lit from above.
void DrawTitleCard() {
  StepTitleCard();
  Notify(DrawItem::kTitle);
  glPushMatrix();
  glLoadIdentity();
  const GLfloat overhead[] = {0.0f, 100.0f, 0.0f, 0.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, overhead);
  glRotatef(gTitleAngle, 0.0f, 0.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, gTitleTexture);
  glColor4f(1.0f, 1.0f, 1.0f, static_cast<float>(gTitleSize * 0.8));
  const float s = gTitleSize;
  glBegin(GL_QUADS);
  // Turned with the card by the rotation above: the light follows its spin.
  glNormal3f(gLightVector.x, gLightVector.y, gLightVector.z);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-s, -s, -2.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(s, -s, -2.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(s, s, -2.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-s, s, -2.0f);
  glEnd();
  glPopMatrix();
}
}  // namespace

void RenderFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawSphereMapped(gCaseModel, DrawItem::kCase);
  Notify(DrawItem::kFloor);
  gTerrain.Draw(CurrentView());
  const float angle = gCamera.OrbitAngle();
  if (gWallsFirst == 0) {
    DrawPaddleGroup(angle);
    DrawWallGroup(angle);
  } else {
    DrawWallGroup(angle);
    DrawPaddleGroup(angle);
  }
  if (gTitleActive == 1) DrawTitleCard();
  glFlush();
}
