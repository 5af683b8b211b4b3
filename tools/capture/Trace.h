// Trace.h -- the per-tick trace row of courtball-capture and of the browser
// build: the ball, the camera, the paddles, the glow each tick paints and the
// title card and the ball's texture, as tab-separated text on stdout.
#pragma once

// The glow each tick paints, summed per model (red + green + blue + alpha of
// every vertex), read before the frame's draws fade or clear it.
struct GlowSums {
  float left, roof, right, far, near, floor;
};

GlowSums ReadGlowSums();
void PrintTraceHeader();
// The state after the tick's frame, with the glow read before it.
void PrintTraceRow(int tick, const GlowSums& glow);
