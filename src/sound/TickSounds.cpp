// TickSounds.cpp -- the tick's bounces as sound events, panned by the ball's x.
#include "sound/TickSounds.h"

#include "court/Court.h"
#include "loop/Game.h"

int TickSoundEvents(const Vertex& velocityBefore, SoundEvent out[kMaxTickSounds]) {
  const Vertex& p = gBall.position;
  const Vertex& v = gBall.velocity;
  const float pan = p.x / kBallSideLimit;
  int count = 0;
  // A side wall puts the ball on its limit and turns x round; the floor's
  // push alone never lands it exactly there.
  const bool rightWall = p.x == kBallSideLimit && velocityBefore.x > 0.0f && v.x < 0.0f;
  const bool leftWall = p.x == -kBallSideLimit && velocityBefore.x < 0.0f && v.x > 0.0f;
  if (rightWall || leftWall) out[count++] = SoundEvent{kWallSound, pan};
  if (gBallResult == -1) {
    out[count++] = SoundEvent{kNearEndSound, pan};
  } else if (gBallResult == 1) {
    out[count++] = SoundEvent{kFarEndSound, pan};
  } else if (p.y == kBallRoofLimit && v.y < 0.0f) {
    // Only the roof leaves the ball on its limit and falling: an end returns
    // before the roof is tested, so the roof waits for a tick without one.
    out[count++] = SoundEvent{kRoofSound, pan};
  }
  return count;
}

int PostTickSounds(const Vertex& velocityBefore) {
  SoundEvent events[kMaxTickSounds];
  const int count = TickSoundEvents(velocityBefore, events);
  for (int i = 0; i < count; ++i) gMixer.Post(events[i]);
  return gBallResult == -1;
}
