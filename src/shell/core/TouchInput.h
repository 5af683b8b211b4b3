// TouchInput.h -- fingers on the court as the game's input, without SDL: the
// first finger takes the near paddle from the ball (as Space does) and steers
// it as the mouse would; two fingers tapped together stand for R.
#pragma once
#include <cstdint>

// A two-finger tap: the second finger down and both up again within this
// long of the first, neither moving further than kTapSlop.
constexpr std::uint32_t kTapMs = 400;
constexpr float kTapSlop = 40.0f;  // in the 1024x768 frame

struct TouchState {
  int fingers = 0;              // down now
  long long steering = -1;      // the finger that moves the paddle; -1 none
  bool tap = false;             // the touch may still end as a two-finger tap
  int tapFingers = 0;           // of ids and starts, filled in order
  long long ids[2] = {-1, -1};  // the tap's fingers
  float starts[2][2] = {};      // where they came down
  std::uint32_t firstDown = 0;  // ms, on the caller's clock
  int autoPlayBefore = 1;       // given back when the touch was a tap
};

// A finger down at (x, y) in the 1024x768 frame, at ms.
void TouchDown(TouchState& touch, long long finger, float x, float y, std::uint32_t ms);
// A finger moved: the steering one moves the paddle, within the mouse's limits.
void TouchMove(TouchState& touch, long long finger, float x, float y);
// A finger lifted; the paddle stays where it is. Returns the key the touch
// stood for once the last finger is up (R for a two-finger tap), else 0.
int TouchUp(TouchState& touch, long long finger, std::uint32_t ms);
