// Fixed render state and projection, checked on a real GL context.
#include <GL/gl.h>
#include <GL/glu.h>

#include "GlHarness.h"
#include "shell/core/RenderState.h"

class RenderStateTest : public GlTest {};

TEST_F(RenderStateTest, InitSetsTheFixedState) {
  InitRenderState();
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.6f);
  EXPECT_FLOAT_EQ(clear[1], 0.4f);
  EXPECT_FLOAT_EQ(clear[2], 0.0f);
  EXPECT_FLOAT_EQ(clear[3], 1.0f);
  for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING, GL_TEXTURE_2D, GL_LIGHT0,
                     GL_COLOR_MATERIAL, GL_BLEND, GL_LINE_SMOOTH}) {
    EXPECT_TRUE(glIsEnabled(cap)) << "capability 0x" << std::hex << cap;
  }
  GLint value;
  glGetIntegerv(GL_FRONT_FACE, &value);
  EXPECT_EQ(value, GL_CCW);
  glGetIntegerv(GL_CULL_FACE_MODE, &value);
  EXPECT_EQ(value, GL_BACK);
  glGetIntegerv(GL_DEPTH_FUNC, &value);
  EXPECT_EQ(value, GL_LESS);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
  EXPECT_EQ(value, GL_MODULATE);
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
  glGetIntegerv(GL_COLOR_MATERIAL_FACE, &value);
  EXPECT_EQ(value, GL_FRONT);
  glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &value);
  EXPECT_EQ(value, GL_AMBIENT_AND_DIFFUSE);
  glGetIntegerv(GL_SHADE_MODEL, &value);
  EXPECT_EQ(value, GL_SMOOTH);
  GLfloat light[4];
  glGetLightfv(GL_LIGHT0, GL_AMBIENT, light);
  EXPECT_FLOAT_EQ(light[0], 0.2f);
  EXPECT_FLOAT_EQ(light[3], 1.0f);
  glGetLightfv(GL_LIGHT0, GL_DIFFUSE, light);
  EXPECT_FLOAT_EQ(light[0], 1.0f);
  EXPECT_FLOAT_EQ(light[2], 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderStateTest, ClearPaintsTheCourtColour) {
  InitRenderState();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  EXPECT_TRUE(Near(PixelAt(512, 384), Rgb{153, 102, 0}, 1)) << PixelAt(512, 384);
}

namespace {
void ExpectProjection(double aspect) {
  GLdouble expected[16], actual[16];
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPerspective(60.0, aspect, 1.0, 12000.0);
  glGetDoublev(GL_PROJECTION_MATRIX, expected);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glGetDoublev(GL_PROJECTION_MATRIX, actual);
  for (int k = 0; k < 16; ++k) EXPECT_DOUBLE_EQ(actual[k], expected[k]) << "element " << k;
}
}  // namespace

TEST_F(RenderStateTest, ResizeSetsViewportProjectionAndIdentity) {
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(5.0f, 6.0f, 7.0f);
  glMatrixMode(GL_PROJECTION);  // ResizeViewport must select model-view again
  ResizeViewport(1024, 768);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], 1024);
  EXPECT_EQ(viewport[3], 768);
  GLint mode;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(modelview[k], (k % 5 == 0) ? 1.0f : 0.0f);
  // The aspect is rounded to single precision: 1.3333334, not 4/3.
  ExpectProjection(static_cast<double>(1.3333334f));
}

TEST_F(RenderStateTest, HeightZeroCountsAsOne) {
  ResizeViewport(640, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 1);
  ExpectProjection(640.0);
}
