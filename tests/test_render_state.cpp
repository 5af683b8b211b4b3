// The projection kept in step with the window size, on a real GL context.
// The fixed render state every frame relies on is pinned by the golden frames.
#include <GL/glu.h>

#include "GlHarness.h"
#include "shell/core/RenderState.h"

class RenderState : public GlTest {};

// Catches: the aspect not rounded to a float (at 1280 x 800 the float and
// double aspects give different matrices), a height of 0 dividing by zero,
// the model-view matrix left selected wrongly or not reset.
TEST_F(RenderState, ResizeSetsViewportProjectionAndIdentity) {
  const struct {
    int width, height, viewportHeight;
    double aspect;
  } cases[] = {
      {1024, 768, 768, double(1.3333334f)}, {1280, 800, 800, double(1.6f)}, {640, 0, 1, 640}};
  for (const auto& c : cases) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5.0f, 6.0f, 7.0f);
    glMatrixMode(GL_PROJECTION);
    ResizeViewport(c.width, c.height);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == c.width &&
                viewport[3] == c.viewportHeight);
    EXPECT_EQ(GlRead(glGetIntegerv, GL_MATRIX_MODE), GL_MODELVIEW);
    GLdouble expected[16], actual[16], modelView[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, actual);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, c.aspect, 1.0, 12000.0);
    glGetDoublev(GL_PROJECTION_MATRIX, expected);
    for (int k = 0; k < 16; ++k) {
      EXPECT_EQ(actual[k], expected[k]) << c.width << "x" << c.height << " element " << k;
      EXPECT_EQ(modelView[k], k % 5 == 0 ? 1.0 : 0.0) << "model-view element " << k;
    }
  }
}
