// Trace.h -- the per-tick trace row of courtball-capture and of the browser
// build: the ball, the camera, the paddles, the glow each tick paints and the
// title card and the ball's texture, as tab-separated text on stdout.
#pragma once
#include "step/GameStep.h"

// The glow each tick paints, summed per model (red + green + blue + alpha of
// every vertex), read before the frame's draws fade or clear it.
struct GlowSums {
  float left, roof, right, farPaddle, nearPaddle,
      floor;  // not "far", "near": words windows.h takes
};

GlowSums ReadGlowSums();
void PrintTraceHeader();
// The state after the tick's frame, with the glow read before it.
void PrintTraceRow(int tick, const GlowSums& glow);

// Prints a row after each step it watches, numbering the steps from 1; the
// caller prints the header first.
class TraceWatch : public StepWatch {
 public:
  int tick = 0;  // the last step's number
  void AfterTick() override { glow_ = ReadGlowSums(); }
  void AfterFrame() override { PrintTraceRow(++tick, glow_); }

 private:
  GlowSums glow_{};
};
