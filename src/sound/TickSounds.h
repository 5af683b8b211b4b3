// TickSounds.h -- what the ball hit in the tick that just ran, told from the
// tick's own results: a wall or the roof by the velocity it turned round, an
// end by the ball step's result. The tick itself is left as it is.
#pragma once
#include "math/MathTypes.h"
#include "sound/Mixer.h"

// At most a side wall and an end in one tick, or a side wall and the roof.
constexpr int kMaxTickSounds = 2;

// The sounds of the last TickGame, given the ball's velocity before it;
// returns how many it wrote to out.
int TickSoundEvents(const Vertex& velocityBefore, SoundEvent out[kMaxTickSounds]);
// The same, posted to gMixer; returns non-zero when the ball reached the near
// end (the player's paddle), for the pad's rumble.
int PostTickSounds(const Vertex& velocityBefore);
