// Orbit camera: the angle's wrap and toggle, the view it computes, and the
// view applied to GL putting the target straight ahead.
#include <GL/gl.h>

#include <cmath>

#include "GlHarness.h"
#include "camera/OrbitCamera.h"

namespace {
const Vertex kTarget{0.0f, 10.0f, 0.0f, 0.0f, 0.0f};

OrbitCamera CameraAt(float angle, int autoRotate) {
  OrbitCamera camera;
  camera.orbitAngle = angle;
  camera.autoRotate = autoRotate;
  return camera;
}
}  // namespace

TEST(OrbitCamera, AngleAdvancesAndWraps) {
  struct Case { float start; int rotate; float expected; };
  const Case cases[] = {
      {180.0f, 1, 181.0f}, {359.0f, 1, 360.0f},  // 360 is kept for one tick
      {360.0f, 1, 0.0f},   {360.0f, 0, 360.0f},
      {361.0f, 0, 0.0f},   // the wrap runs even while standing still
      {0.0f, 1, 1.0f},
  };
  for (const Case& c : cases) {
    OrbitCamera camera = CameraAt(c.start, c.rotate);
    camera.Update(kTarget);
    EXPECT_EQ(camera.OrbitAngle(), c.expected) << "from " << c.start;
  }
}

TEST(OrbitCamera, StartToggleAndResume) {
  OrbitCamera camera;
  EXPECT_EQ(camera.orbitAngle, 0.0f);
  EXPECT_EQ(camera.autoRotate, 1);
  EXPECT_EQ(camera.distance, 1000.0f);
  camera.StartOrbit();
  EXPECT_EQ(camera.orbitAngle, 180.0f);
  camera.orbitAngle = 250.0f;
  camera.ToggleAutoRotate();
  EXPECT_EQ(camera.autoRotate, 0);
  EXPECT_EQ(camera.orbitAngle, 180.0f);
  camera.Update(kTarget);
  EXPECT_EQ(camera.orbitAngle, 180.0f);
  camera.ToggleAutoRotate();
  camera.Update(kTarget);
  EXPECT_EQ(camera.orbitAngle, 181.0f);  // resumes from 180, not 250
}

TEST(OrbitCamera, ViewAtTheStartAngle) {
  OrbitCamera camera = CameraAt(180.0f, 0);
  camera.Update(kTarget);
  EXPECT_EQ(camera.position.x, static_cast<float>(std::sin(3.1416) * 1000.0));
  EXPECT_NEAR(camera.position.x, -0.0073f, 1e-4);
  EXPECT_EQ(camera.position.y, 310.0f);
  EXPECT_EQ(camera.position.z, static_cast<float>(-std::cos(3.1416) * 1000.0));
  EXPECT_EQ(camera.angles.x, static_cast<float>(std::atan(0.3f) * 180 / 3.1416));
  EXPECT_NEAR(camera.angles.x, 16.6992f, 1e-4);
  EXPECT_EQ(camera.angles.y, 360.0f);
  EXPECT_EQ(camera.angles.z, 0.0f);
  EXPECT_EQ(camera.target.y, 10.0f);
  camera.orbitAngle = 269.0f;
  camera.autoRotate = 1;
  camera.Update(kTarget);
  EXPECT_EQ(camera.angles.y, 450.0f);  // yaw is never reduced
}

TEST(OrbitCamera, ZoomKeepsItsBounds) {
  struct Case { float start; bool in; float expected; };
  const Case cases[] = {{40, true, 30}, {30, true, 30}, {100, true, 85},
                        {990, false, 1000}, {1000, false, 1000}, {500, false, 515}};
  for (const Case& c : cases) {
    OrbitCamera camera;
    camera.distance = c.start;
    c.in ? camera.ZoomIn() : camera.ZoomOut();
    EXPECT_EQ(camera.distance, c.expected) << c.start << (c.in ? " in" : " out");
  }
}

TEST(OrbitCamera, KeepAboveLiftsAndWrapsYaw) {
  struct Case { int fog; float eyeY, height, yaw; float expectedY, expectedYaw; };
  const Case cases[] = {{0, 100, 200, 450, 210, 90}, {0, 300, 200, -10, 300, 350},
                        {1, 100, 200, 360, 100, 360}, {0, 100, 90, 0, 100, 0}};
  for (const Case& c : cases) {
    OrbitCamera camera;
    camera.fogMode = c.fog;
    camera.position.y = c.eyeY;
    camera.angles.y = c.yaw;
    camera.KeepAbove(c.height);
    EXPECT_EQ(camera.position.y, c.expectedY);
    EXPECT_EQ(camera.angles.y, c.expectedYaw);
  }
}

class CameraGlTest : public GlTest {};

TEST_F(CameraGlTest, FogStepsCycleAndSwitchFog) {
  OrbitCamera camera;
  camera.fogMode = 1;
  camera.StepFogForward();
  EXPECT_EQ(camera.fogMode, 0);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  camera.StepFogBack();
  EXPECT_EQ(camera.fogMode, 1);
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  camera.StepFogBack();
  EXPECT_EQ(camera.fogMode, 0);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
}

// Wherever the orbit stands, the applied view puts the target straight ahead
// at the eye's distance (the pitch aims down at it from 300 above).
TEST_F(CameraGlTest, AppliedViewFacesTheTarget) {
  for (float angle : {0.0f, 44.0f, 89.0f, 179.0f, 269.0f, 359.0f}) {
    OrbitCamera camera = CameraAt(angle, 1);
    camera.Update(kTarget);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyView(ViewState(camera));
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float x = m[0] * kTarget.x + m[4] * kTarget.y + m[8] * kTarget.z + m[12];
    const float y = m[1] * kTarget.x + m[5] * kTarget.y + m[9] * kTarget.z + m[13];
    const float z = m[2] * kTarget.x + m[6] * kTarget.y + m[10] * kTarget.z + m[14];
    EXPECT_NEAR(x, 0.0f, 0.1f) << "angle " << angle + 1;
    EXPECT_NEAR(y, 0.0f, 0.1f) << "angle " << angle + 1;
    EXPECT_NEAR(z, -std::sqrt(1000.0f * 1000.0f + 300.0f * 300.0f), 0.1f);
  }
}
