// The projection kept in step with the window size, on a real GL context.
// The fixed render state every frame relies on is pinned by the golden frames.
#include <vector>

#include "GlHarness.h"
#include "shell/core/RenderState.h"

class RenderState : public GlTest {};

// Catches: the aspect not rounded to a float (at 1280 x 800 the float and
// double aspects give different matrices), a height of 0 dividing by zero,
// another field of view or depth range, the projection matrix left selected.
// Every draw sets its own model-view matrix.
TEST_F(RenderState, ResizeSetsViewportProjectionAndIdentity) {
  // A 60-degree view from 1 to 12000: cot 30 = 1.7320508 over the aspect,
  // depth -(12000 + 1) / 11999 and -2 * 12000 / 11999, worked out in double
  // and rounded to float as GL keeps them.
  const struct {
    int width, height, viewportHeight;
    float xScale;
  } cases[] = {
      {1024, 768, 768, 1.29903805f}, {1280, 800, 800, 1.08253169f}, {640, 0, 1, 0.00270632934f}};
  for (const auto& c : cases) {
    glMatrixMode(GL_PROJECTION);
    ResizeViewport(c.width, c.height);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4),
              (std::vector<GLint>{0, 0, c.width, c.viewportHeight}));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    std::vector<GLfloat> projection(16);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    EXPECT_EQ(projection, (std::vector<GLfloat>{c.xScale, 0, 0, 0, 0, 1.73205078f, 0, 0, 0, 0,
                                                -1.00016665f, -1, 0, 0, -2.00016665f, 0}))
        << c.width << "x" << c.height;
  }
}
