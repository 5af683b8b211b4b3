// Fixed render state and projection, checked on a real GL context.
#include <GL/gl.h>
#include <GL/glu.h>

#include "GlHarness.h"
#include "GlState.h"
#include "shell/core/RenderState.h"

class RenderStateTest : public GlTest {};

TEST_F(RenderStateTest, InitSetsTheFixedState) {
  InitRenderState();
  for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING, GL_TEXTURE_2D, GL_LIGHT0,
                     GL_COLOR_MATERIAL, GL_BLEND, GL_LINE_SMOOTH}) {
    EXPECT_TRUE(glIsEnabled(cap)) << "capability 0x" << std::hex << cap;
  }
  const struct {
    GLenum name;
    GLint value;
  } integers[] = {{GL_FRONT_FACE, GL_CCW},
                  {GL_CULL_FACE_MODE, GL_BACK},
                  {GL_DEPTH_FUNC, GL_LESS},
                  {GL_BLEND_SRC, GL_SRC_ALPHA},
                  {GL_BLEND_DST, GL_ONE_MINUS_SRC_ALPHA},
                  {GL_COLOR_MATERIAL_FACE, GL_FRONT},
                  {GL_COLOR_MATERIAL_PARAMETER, GL_AMBIENT_AND_DIFFUSE},
                  {GL_SHADE_MODEL, GL_SMOOTH}};
  for (const auto& i : integers) {
    EXPECT_EQ(GlRead(glGetIntegerv, i.name), i.value) << "state 0x" << std::hex << i.name;
  }
  EXPECT_EQ(GlRead(glGetTexEnviv, GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE), GL_MODULATE);
  GLfloat clear[4], ambient[4], diffuse[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  const GLfloat kClear[4] = {0.6f, 0.4f, 0.0f, 1.0f}, kAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(clear[i], kClear[i]);
    EXPECT_FLOAT_EQ(ambient[i], kAmbient[i]);
    EXPECT_FLOAT_EQ(diffuse[i], 1.0f);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The aspect is rounded to single precision (1.3333334, not 4/3; at 1280 x 800
// the float and double aspects give different matrices); a height of 0 counts
// as 1. Model-view is selected again and left the identity.
TEST_F(RenderStateTest, ResizeSetsViewportProjectionAndIdentity) {
  const struct {
    int width, height, viewportHeight;
    double aspect;
  } cases[] = {{1024, 768, 768, static_cast<double>(1.3333334f)},
               {1280, 800, 800, static_cast<double>(1.6f)},
               {640, 0, 1, 640.0}};
  for (const auto& c : cases) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5.0f, 6.0f, 7.0f);
    glMatrixMode(GL_PROJECTION);
    ResizeViewport(c.width, c.height);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == c.width &&
                viewport[3] == c.viewportHeight)
        << c.width << "x" << c.height;
    EXPECT_EQ(GlRead(glGetIntegerv, GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_TRUE(IsIdentity(GL_MODELVIEW_MATRIX));
    GLdouble expected[16], actual[16];
    glGetDoublev(GL_PROJECTION_MATRIX, actual);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, c.aspect, 1.0, 12000.0);
    glGetDoublev(GL_PROJECTION_MATRIX, expected);
    for (int k = 0; k < 16; ++k) EXPECT_DOUBLE_EQ(actual[k], expected[k]) << "element " << k;
  }
}
