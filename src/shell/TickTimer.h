// TickTimer.h -- the game's 20 ms timer as plain arithmetic on a millisecond
// clock: when the next tick is due and how long the loop may sleep.
#pragma once
#include <cstdint>

constexpr std::uint64_t kTickPeriodMs = 20;

// The grid starts when the timer starts; a stopped timer never fires.
struct TickTimer {
  bool running = false;
  std::uint64_t start = 0;     // the grid's origin, ms
  std::uint64_t deadline = 0;  // when the next tick is due, ms
};

void StartTickTimer(TickTimer& timer, std::uint64_t now);
void StopTickTimer(TickTimer& timer);
bool TickDue(const TickTimer& timer, std::uint64_t now);
// After a tick: the first grid step after now, so a late tick is never
// followed by catch-up ticks.
void AdvanceTickTimer(TickTimer& timer, std::uint64_t now);
// The first grid step strictly after now.
std::uint64_t NextGridStep(std::uint64_t start, std::uint64_t now);
// How long the loop may wait for events: 0 when a tick is due, -1 (no limit)
// while the timer is stopped, else the ms left, capped to fit an int.
int MillisecondsUntilTick(const TickTimer& timer, std::uint64_t now);
