// Orbit camera: the angle's wrap and toggle, the view it computes, and the
// applied view putting the target straight ahead.
#include <GL/gl.h>

#include <cmath>

#include "GlHarness.h"
#include "camera/OrbitCamera.h"

namespace {
const Vertex kTarget{0.0f, 10.0f, 0.0f, 0.0f, 0.0f};

OrbitCamera UpdatedFrom(float angle, int autoRotate) {
  OrbitCamera camera;
  camera.orbitAngle = angle;
  camera.autoRotate = autoRotate;
  camera.Update(kTarget);
  return camera;
}
}  // namespace

TEST(OrbitCamera, AngleAdvancesWrapsAndToggles) {
  // {start, rotating, after one update}: 360 stays one tick; the wrap runs
  // even while standing still.
  const float cases[][3] = {{180, 1, 181}, {359, 1, 360}, {360, 1, 0},
                            {360, 0, 360}, {361, 0, 0},   {0, 1, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(UpdatedFrom(c[0], static_cast<int>(c[1])).OrbitAngle(), c[2]) << c[0];
  }
  OrbitCamera camera;
  camera.StartOrbit();
  EXPECT_EQ(camera.orbitAngle, 180.0f);
  camera.orbitAngle = 250.0f;
  camera.ToggleAutoRotate();
  EXPECT_EQ(camera.orbitAngle, 180.0f);
  camera.Update(kTarget);
  EXPECT_EQ(camera.orbitAngle, 180.0f);
  camera.ToggleAutoRotate();
  camera.Update(kTarget);
  EXPECT_EQ(camera.orbitAngle, 181.0f);  // resumes from 180, not 250
}

TEST(OrbitCamera, ViewAtTheStartAngleAndUnreducedYaw) {
  const OrbitCamera camera = UpdatedFrom(180.0f, 0);
  EXPECT_EQ(camera.position.x, static_cast<float>(std::sin(3.1416) * 1000.0));
  EXPECT_NEAR(camera.position.x, -0.0073f, 1e-4);
  EXPECT_EQ(camera.position.y, 310.0f);
  EXPECT_EQ(camera.position.z, static_cast<float>(-std::cos(3.1416) * 1000.0));
  EXPECT_NEAR(camera.angles.x, 16.6992f, 1e-4);
  EXPECT_EQ(camera.angles.y, 360.0f);
  EXPECT_EQ(camera.angles.z, 0.0f);
  EXPECT_EQ(UpdatedFrom(269.0f, 1).angles.y, 450.0f);
}

class CameraGlTest : public GlTest {};

// Wherever the orbit stands, the applied view puts the target straight ahead
// at the eye's distance: the pitch aims down at it from 300 above.
TEST_F(CameraGlTest, AppliedViewFacesTheTarget) {
  for (float angle : {0.0f, 44.0f, 89.0f, 179.0f, 269.0f, 359.0f}) {
    glLoadIdentity();
    ApplyView(ViewState(UpdatedFrom(angle, 1)));
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float y = kTarget.y;  // x and z of the target are 0
    EXPECT_NEAR(m[4] * y + m[12], 0.0f, 0.1f) << "angle " << angle + 1;
    EXPECT_NEAR(m[5] * y + m[13], 0.0f, 0.1f) << "angle " << angle + 1;
    EXPECT_NEAR(m[6] * y + m[14], -std::hypot(1000.0f, 300.0f), 0.1f);
  }
}
