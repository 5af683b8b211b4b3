// The shell's rules that need no display: the 20 ms grid, key values and
// which video drivers count as a screen.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "shell/KeyMap.h"
#include "shell/TickTimer.h"
#include "shell/VideoDriver.h"

TEST(TickTimer, FirstTickOneStepAfterStart) {
  TickTimer timer;
  EXPECT_FALSE(TickDue(timer, 0));
  EXPECT_EQ(MillisecondsUntilTick(timer, 0), -1);  // stopped: wait for events only
  StartTickTimer(timer, 1000);
  EXPECT_FALSE(TickDue(timer, 1000));
  EXPECT_FALSE(TickDue(timer, 1019));
  EXPECT_TRUE(TickDue(timer, 1020));
  EXPECT_EQ(MillisecondsUntilTick(timer, 1000), 20);
  EXPECT_EQ(MillisecondsUntilTick(timer, 1013), 7);
  EXPECT_EQ(MillisecondsUntilTick(timer, 1020), 0);
  EXPECT_EQ(MillisecondsUntilTick(timer, 5000), 0);  // overdue: never negative
}

TEST(TickTimer, LateTicksStayOnTheGridWithoutCatchUp) {
  struct Case {
    std::uint64_t now;       // when the tick finished
    std::uint64_t deadline;  // the next tick
  };
  // Grid from 1000: steps at 1020, 1040, 1060, ...
  const Case cases[] = {
      {1020, 1040},  // on time
      {1021, 1040},  // a little late: same grid step
      {1039, 1040},
      {1040, 1060},  // exactly on a step: that step has passed
      {1075, 1080},  // a slow tick skips the missed step
      {1999, 2000},  // far behind: one tick, then the next step only
      {1000, 1020},
  };
  for (const Case& c : cases) {
    TickTimer timer;
    StartTickTimer(timer, 1000);
    AdvanceTickTimer(timer, c.now);
    EXPECT_EQ(timer.deadline, c.deadline) << "tick finished at " << c.now;
    EXPECT_FALSE(TickDue(timer, c.now)) << "a second tick right away at " << c.now;
    EXPECT_EQ((timer.deadline - timer.start) % kTickPeriodMs, 0u);
  }
}

TEST(TickTimer, StoppedTimerNeverFires) {
  TickTimer timer;
  StartTickTimer(timer, 0);
  EXPECT_TRUE(TickDue(timer, 40));
  StopTickTimer(timer);
  EXPECT_FALSE(TickDue(timer, 40));
  EXPECT_FALSE(TickDue(timer, UINT64_MAX));
  EXPECT_EQ(MillisecondsUntilTick(timer, 40), -1);
}

TEST(TickTimer, LongRunKeepsFiftyTicksASecond) {
  // A loop that wakes exactly when told to, with each tick taking 3 ms.
  TickTimer timer;
  StartTickTimer(timer, 7);
  std::uint64_t now = 7;
  int ticks = 0;
  while (now < 7 + 60000) {
    now += static_cast<std::uint64_t>(MillisecondsUntilTick(timer, now));
    ASSERT_TRUE(TickDue(timer, now));
    ++ticks;
    now += 3;
    AdvanceTickTimer(timer, now);
  }
  EXPECT_EQ(ticks, 3000);
}

TEST(TickTimer, HugeWaitsFitAnInt) {
  TickTimer timer;
  timer.running = true;
  timer.start = 0;
  timer.deadline = UINT64_MAX;
  EXPECT_EQ(MillisecondsUntilTick(timer, 0), INT_MAX);
}

TEST(KeyMap, GameKeysGetTheirVirtualKeyValues) {
  struct Case {
    int keycode;
    int virtualKey;
  };
  constexpr int kScancodeMask = 1 << 30;  // SDL's flag for keys without a character
  const Case cases[] = {
      {' ', 32},  {'r', 82}, {'a', 65}, {'z', 90}, {'0', 48}, {'9', 57},
      {27, 27},   {13, 13},  {8, 8},    {9, 9},
      {kScancodeMask | 80, 37},   // left arrow
      {kScancodeMask | 82, 38},   // up arrow: its scancode is 82, it must not pass as R
      {kScancodeMask | 58, 112},  // F1
      {kScancodeMask | 69, 123},  // F12
      {kScancodeMask | 44, 0},    // a key with no value here: not Space (44 is Space's scancode)
      {kScancodeMask | 21, 0},    // nor R (21 is R's scancode)
      {'R', 0},   // SDL never reports capitals; not a key
      {0, 0},     {-1, 0},  {0x20AC, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyFromKeycode(c.keycode), c.virtualKey) << "keycode " << c.keycode;
  }
}

TEST(VideoDriver, DriversThatDrawNowhereNeedToBeAskedFor) {
  struct Case {
    const char* driver;
    const char* requested;
    bool accepted;
  };
  const Case cases[] = {
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
      {"offscreen", "offscreen2", false},  // whole names only
      {"offscreen", "offscreen,", true},
      {"dummy", ",dumm", false},
      {nullptr, nullptr, false},  // no driver at all
      {"", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VideoDriverAccepted(c.driver, c.requested), c.accepted)
        << (c.driver ? c.driver : "(null)") << " asked " << (c.requested ? c.requested : "(null)");
  }
}
