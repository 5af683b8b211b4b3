// PadInput.cpp -- the stick moves the pointer from where the paddle stands,
// so stick, mouse and auto-play hand the paddle over without a jump.
#include "shell/core/PadInput.h"

#include <cmath>
#include <cstdlib>

#include "court/Court.h"
#include "loop/Game.h"
#include "shell/KeyMap.h"
#include "shell/core/GameInput.h"

namespace {
// -1..1 beyond the dead zone, squared so that small leans steer finely.
float Lean(int axis, int dpad) {
  if (dpad != 0) return dpad < 0 ? -1.0f : 1.0f;
  const int magnitude = std::abs(axis);
  if (magnitude <= kPadDeadZone) return 0.0f;
  float lean = static_cast<float>(magnitude - kPadDeadZone) / (kPadAxisMax - kPadDeadZone);
  if (lean > 1.0f) lean = 1.0f;
  return (axis < 0 ? -lean : lean) * lean;
}

float Clamp(float v, float high) { return v < 0.0f ? 0.0f : (v > high ? high : v); }
}  // namespace

void MovePaddleByPad(const PadStick& stick) {
  const float dx = Lean(stick.x, stick.dpadX);
  const float dy = Lean(stick.y, stick.dpadY);
  if (dx == 0.0f && dy == 0.0f) return;
  gAutoPlay = 0;
  const Vec3& at = gPaddles[1].position;
  const float x = Clamp(at.x + kMouseOriginX, kMouseMaxX) + dx * kPadSpeed;
  const float y = Clamp(kMouseTopY - at.y, kMouseMaxY) + dy * kPadSpeed;
  MovePaddleToPointer(x, y);
}

int GameKeyFromPadButton(PadButton button) {
  switch (button) {
    case PadButton::kA: return kKeySpace;
    case PadButton::kY: return kKeyR;
    case PadButton::kBack: return kKeyEscape;
    default: return 0;
  }
}
