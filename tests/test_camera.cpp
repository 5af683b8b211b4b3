// The camera's operations no game code calls yet: zoom, the fog steps and KeepAbove.
#include <vector>

#include "GlHarness.h"
#include "camera/OrbitCamera.h"

class CameraOps : public GlTest {};  // the fog steps switch GL_FOG

// Catches: zoom limits off, fog steps wrapping or switching wrongly, KeepAbove's mode and yaw.
TEST_F(CameraOps, ZoomFogAndKeepAbove) {
  const float zooms[][3] = {{40, -1, 30}, {30, -1, 30}, {500, -1, 485}, {990, 1, 1000}};
  for (const auto& z : zooms) {
    OrbitCamera camera;
    camera.distance = z[0];
    z[1] < 0 ? camera.ZoomIn() : camera.ZoomOut();
    EXPECT_EQ(camera.distance, z[2]) << z[0];
  }
  // {mode before, forward, mode after}; GL_FOG is off in mode 1, on in mode 0.
  const int steps[][3] = {{0, 1, 1}, {1, 1, 0}, {0, 0, 1}, {1, 0, 0}};
  for (const auto& s : steps) {
    OrbitCamera camera;
    camera.fogMode = s[0];
    s[1] ? camera.StepFogForward() : camera.StepFogBack();
    EXPECT_EQ(camera.fogMode, s[2]) << s[0] << s[1];
    EXPECT_EQ(glIsEnabled(GL_FOG), s[2] == 0) << s[0] << s[1];
  }
  // {fog mode, eye height, floor height, yaw, eye height after, yaw after}
  const float keeps[][6] = {{0, 50, 100, 370, 110, 10},
                            {1, 50, 100, -5, 50, 355},
                            {0, 200, 100, 360, 200, 360},
                            {0, 105, 95.5f, 0, 105.5f, 0}};
  for (const auto& k : keeps) {
    OrbitCamera camera;
    camera.fogMode = static_cast<int>(k[0]);
    camera.position.y = k[1];
    camera.angles.y = k[3];
    camera.KeepAbove(k[2]);
    EXPECT_EQ((std::vector<float>{k[0], k[1], camera.position.y, camera.angles.y}),
              (std::vector<float>{k[0], k[1], k[4], k[5]}));
  }
}
