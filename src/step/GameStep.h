// GameStep.h -- one step of the game on the 20 ms grid, as every platform
// runs it: the tick, its sounds posted to the mixer and the pad's rumble cue,
// then the frame. A platform keeps only what is its own: input before the
// step, the swap and the rumble's motor after it.
#pragma once

// Watches a step from outside without changing it: the trace reads the glow
// the tick painted before the frame fades it, the capture tool times each half.
class StepWatch {
 public:
  virtual ~StepWatch() = default;
  virtual void AfterTick() {}
  virtual void AfterFrame() {}
};

// Runs one tick and one frame into the back buffer. Returns non-zero when the
// ball reached the near end, the player's paddle: a pad rumbles for it.
int RunGameStep(StepWatch* watch = nullptr);
