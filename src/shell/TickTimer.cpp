// TickTimer.cpp -- the 20 ms grid: deadlines, lateness and the loop's sleep.
#include "shell/TickTimer.h"

#include <climits>

void StartTickTimer(TickTimer& timer, std::uint64_t now) {
  timer.running = true;
  timer.start = now;
  timer.deadline = now + kTickPeriodMs;
}

void StopTickTimer(TickTimer& timer) { timer.running = false; }

bool TickDue(const TickTimer& timer, std::uint64_t now) {
  return timer.running && now >= timer.deadline;
}

std::uint64_t NextGridStep(std::uint64_t start, std::uint64_t now) {
  if (now < start) return start;
  return start + ((now - start) / kTickPeriodMs + 1) * kTickPeriodMs;
}

void AdvanceTickTimer(TickTimer& timer, std::uint64_t now) {
  timer.deadline = NextGridStep(timer.start, now);
}

int MillisecondsUntilTick(const TickTimer& timer, std::uint64_t now) {
  if (!timer.running) return -1;
  if (now >= timer.deadline) return 0;
  std::uint64_t left = timer.deadline - now;
  return left > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(left);
}
