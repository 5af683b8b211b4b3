// The shell's rules that need no display: the 20 ms grid, key values and
// which video drivers count as a screen.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "shell/KeyMap.h"
#include "shell/TickTimer.h"
#include "shell/VideoDriver.h"

namespace {
TickTimer Started(std::uint64_t at) {
  TickTimer timer;
  StartTickTimer(timer, at);
  return timer;
}
}  // namespace

// A tick is due from one step after the start; the loop may sleep until then,
// never a negative time, and without limit (-1) while the timer is stopped.
TEST(TickTimer, DueAndWaitFromStartStopAndHugeDeadlines) {
  TickTimer stopped = Started(0), huge = Started(0);
  StopTickTimer(stopped);
  huge.deadline = UINT64_MAX;
  const struct {
    const char* name;
    TickTimer timer;
    std::uint64_t now;
    bool due;
    int wait;
  } cases[] = {
      {"never started", TickTimer{}, 0, false, -1},
      {"at the start", Started(1000), 1000, false, 20},
      {"one ms short", Started(1000), 1019, false, 1},
      {"partway", Started(1000), 1013, false, 7},
      {"one step after", Started(1000), 1020, true, 0},
      {"overdue", Started(1000), 5000, true, 0},
      {"stopped", stopped, 40, false, -1},
      {"stopped, end of time", stopped, UINT64_MAX, false, -1},
      {"wait beyond an int", huge, 0, false, INT_MAX},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TickDue(c.timer, c.now), c.due) << c.name;
    EXPECT_EQ(MillisecondsUntilTick(c.timer, c.now), c.wait) << c.name;
  }
}

// Grid from 1000: steps at 1020, 1040, 1060, ...
TEST(TickTimer, LateTicksStayOnTheGridWithoutCatchUp) {
  const struct {
    std::uint64_t now, deadline;
  } cases[] = {
      // when the tick finished, the next tick
      {1000, 1020}, {1020, 1040}, {1021, 1040}, {1039, 1040},  // on time or a little late
      {1040, 1060},  // exactly on a step: that step has passed
      {1075, 1080},  // a slow tick skips the missed step
      {1999, 2000},  // far behind: one tick, then the next step only
  };
  for (const auto& c : cases) {
    TickTimer timer = Started(1000);
    AdvanceTickTimer(timer, c.now);
    EXPECT_EQ(timer.deadline, c.deadline) << "tick finished at " << c.now;
    EXPECT_FALSE(TickDue(timer, c.now)) << "a second tick right away at " << c.now;
  }
}

TEST(KeyMap, GameKeysGetTheirVirtualKeyValues) {
  constexpr int kScancodeMask = 1 << 30;  // SDL's flag for keys without a character
  const struct {
    int keycode, virtualKey;
  } cases[] = {
      {' ', 32},
      {'r', 82},
      {'a', 65},
      {'z', 90},
      {'0', 48},
      {'9', 57},
      {27, 27},
      {13, 13},
      {8, 8},
      {9, 9},
      {kScancodeMask | 80, 37},   // left arrow
      {kScancodeMask | 82, 38},   // up arrow: its scancode is 82, it must not pass as R
      {kScancodeMask | 58, 112},  // F1
      {kScancodeMask | 69, 123},  // F12
      {kScancodeMask | 44, 0},    // a key with no value here: not Space (44 is Space's scancode)
      {kScancodeMask | 21, 0},    // nor R (21 is R's scancode)
      {'R', 0},                   // SDL never reports capitals; not a key
      {0, 0},
      {-1, 0},
      {0x20AC, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VirtualKeyFromKeycode(c.keycode), c.virtualKey) << "keycode " << c.keycode;
  }
}

TEST(VideoDriver, DriversThatDrawNowhereNeedToBeAskedFor) {
  const struct {
    const char* driver;
    const char* requested;
    bool accepted;
  } cases[] = {
      {"x11", nullptr, true},
      {"wayland", "", true},
      {"KMSDRM", nullptr, true},
      {"offscreen", nullptr, false},
      {"dummy", nullptr, false},
      {"offscreen", "", false},
      {"offscreen", "x11", false},
      {"offscreen", "offscreen", true},
      {"OffScreen", "offscreen", true},
      {"offscreen", "x11,offscreen", true},
      {"dummy", "dummy,x11", true},
      {"dummy", "x11,offscreen", false},
      {"offscreen", "offscreen,", true},
      {"offscreen", "offscreen2", false},
      {"dummy", ",dumm", false},  // whole names only
      {nullptr, nullptr, false},
      {"", "", false},  // no driver at all
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VideoDriverAccepted(c.driver, c.requested), c.accepted)
        << (c.driver ? c.driver : "(null)") << " asked " << (c.requested ? c.requested : "(null)");
  }
}
