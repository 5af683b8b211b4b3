// RenderState.cpp -- fixed render state and projection, in the order set.
#include "shell/core/RenderState.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace {
constexpr double kFieldOfView = 60.0;  // degrees, top to bottom
constexpr double kCourtAspect = 4.0 / 3.0;

// The vertical angle whose horizontal one is what 4:3 shows at 60 degrees.
double FieldOfView(float aspect, NarrowView narrow) {
  if (narrow == NarrowView::kCropSides || aspect >= kCourtAspect) return kFieldOfView;
  const double degree = std::acos(-1.0) / 180.0;
  const double halfWidth = std::tan(kFieldOfView / 2.0 * degree) * kCourtAspect;
  return 2.0 * std::atan(halfWidth / aspect) / degree;
}
}  // namespace

void InitRenderState() {
  glClearColor(0.6f, 0.4f, 0.0f, 1.0f);
  glEnable(GL_DEPTH_TEST);
  glFrontFace(GL_CCW);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
  const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_LINE_SMOOTH);
}

void ResizeViewport(int width, int height, NarrowView narrow) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  float aspect = static_cast<float>(static_cast<double>(width) / static_cast<double>(height));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FieldOfView(aspect, narrow), aspect, 1.0, 12000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
