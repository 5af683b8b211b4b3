// TouchInput.cpp -- one finger steers the near paddle; two fingers that come
// and go together are a tap, which stops or resumes the orbit and leaves the
// paddle to whoever had it before.
#include "shell/core/TouchInput.h"

#include <cmath>

#include "loop/Game.h"
#include "shell/core/GameInput.h"

namespace {
int TapFinger(const TouchState& touch, long long finger) {
  for (int i = 0; i < touch.tapFingers; ++i) {
    if (touch.ids[i] == finger) return i;
  }
  return -1;
}
}  // namespace

void TouchDown(TouchState& touch, long long finger, float x, float y, std::uint32_t ms) {
  if (touch.fingers == 0) {
    touch = TouchState();
    touch.steering = finger;
    touch.tap = true;
    touch.firstDown = ms;
    touch.autoPlayBefore = gAutoPlay;
    gAutoPlay = 0;
    MovePaddleToPointer(x, y);
  } else {
    // Two fingers down hold the paddle still: they are a tap, not a drag.
    touch.steering = -1;
    touch.tap = touch.tap && touch.fingers == 1 && ms - touch.firstDown <= kTapMs;
  }
  ++touch.fingers;
  if (touch.tapFingers < 2) {
    touch.ids[touch.tapFingers] = finger;
    touch.starts[touch.tapFingers][0] = x;
    touch.starts[touch.tapFingers][1] = y;
    ++touch.tapFingers;
  }
}

void TouchMove(TouchState& touch, long long finger, float x, float y) {
  if (finger == touch.steering) MovePaddleToPointer(x, y);
  const int i = TapFinger(touch, finger);
  if (i >= 0 && std::hypot(x - touch.starts[i][0], y - touch.starts[i][1]) > kTapSlop)
    touch.tap = false;
}

int TouchUp(TouchState& touch, long long finger, std::uint32_t ms) {
  if (touch.fingers == 0) return 0;  // a finger lifted that no touch saw come down
  --touch.fingers;
  if (finger == touch.steering) touch.steering = -1;
  if (touch.fingers > 0) return 0;
  const bool tapped = touch.tap && touch.tapFingers == 2 && ms - touch.firstDown <= kTapMs;
  touch.tap = false;
  if (!tapped) return 0;
  gAutoPlay = touch.autoPlayBefore;
  return kKeyR;
}
