// OrbitCamera.cpp -- the orbiting eye: one degree per tick round the target,
// fixed distance and height, always facing the target; plus the view applier.
#include "camera/OrbitCamera.h"

#include <GL/gl.h>

#include <cmath>

namespace {
// The orbit's own value of pi, used for every degree/radian conversion.
constexpr double kOrbitPi = 3.1416;
constexpr float kEyeHeight = 300.0f;
constexpr float kStartAngle = 180.0f;

void ApplyFogMode(int fogMode) {
  if (fogMode == 1) {
    glDisable(GL_FOG);
  } else {
    glEnable(GL_FOG);
  }
}
}  // namespace

void OrbitCamera::StartOrbit() { orbitAngle = kStartAngle; }

void OrbitCamera::Update(Vertex newTarget) {
  target.x = newTarget.x;
  target.y = newTarget.y;
  target.z = newTarget.z;
  if (autoRotate != 0) orbitAngle += 1.0f;
  if (orbitAngle > 360.0f) orbitAngle = 0.0f;  // runs whether rotating or not

  const double a = orbitAngle * kOrbitPi / 180;
  position.x = static_cast<float>(std::sin(a) * distance + target.x);
  position.z = static_cast<float>(target.z - std::cos(a) * distance);
  position.y = target.y + kEyeHeight;
  // The pitch reads the eye height back as stored, in float.
  const float slope = (position.y - target.y) / distance;
  angles.x = static_cast<float>(std::atan(slope) * 180 / kOrbitPi);
  angles.y = orbitAngle + 180.0f;  // left unreduced: 180..540
  angles.z = 0.0f;
}

void OrbitCamera::ToggleAutoRotate() {
  if (autoRotate != 0) {
    autoRotate = 0;
    orbitAngle = kStartAngle;  // a stopped camera looks from the start point
  } else {
    autoRotate = 1;
  }
}

float OrbitCamera::OrbitAngle() const { return orbitAngle; }

void OrbitCamera::ZoomIn() {
  distance -= 15.0f;
  if (distance < 30.0f) distance = 30.0f;
}

void OrbitCamera::ZoomOut() {
  distance += 15.0f;
  if (distance > 1000.0f) distance = 1000.0f;
}

void OrbitCamera::StepFogForward() {
  fogMode += 1;
  if (fogMode > 1) fogMode = 0;
  ApplyFogMode(fogMode);
}

void OrbitCamera::StepFogBack() {
  fogMode -= 1;
  if (fogMode < 0) fogMode = 1;
  ApplyFogMode(fogMode);
}

void OrbitCamera::KeepAbove(float height) {
  if (fogMode == 0 && height + 10.0 > position.y) {
    position.y = static_cast<float>(height + 10.0);
  }
  if (angles.y > 360.0f) angles.y -= 360.0f;
  if (angles.y < 0.0f) angles.y += 360.0f;
}

void ApplyView(const ViewState& view) {
  const Vertex angles = view.Angles();
  const Vertex eye = view.Position();
  glRotatef(angles.x, 1.0f, 0.0f, 0.0f);
  glRotatef(angles.y, 0.0f, 1.0f, 0.0f);
  glRotatef(angles.z, 0.0f, 0.0f, 1.0f);
  glTranslatef(-eye.x, -eye.y, -eye.z);
}
