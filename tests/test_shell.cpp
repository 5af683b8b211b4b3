// The shell's rules that need no display: the tick grid, keys, video drivers, screens.
#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "shell/KeyMap.h"
#include "shell/ScreenRules.h"
#include "shell/TickTimer.h"
#include "shell/VideoDriver.h"

namespace {
// Started at 1000 (steps at 1020, 1040, ...), with a tick that finished at `finished` if given.
TickTimer Started(std::uint64_t at, std::uint64_t finished = 0) {
  TickTimer timer;
  StartTickTimer(timer, at);
  if (finished) AdvanceTickTimer(timer, finished);
  return timer;
}
}  // namespace

// Due one step after the start or the last tick, never in a burst; no wait while stopped (-1).
TEST(TickTimer, DueAndWaitOnTheGrid) {
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
      {"ticked at the start", Started(1000, 1000), 1000, false, 20},
      {"ticked on time", Started(1000, 1020), 1020, false, 20},
      {"ticked a little late", Started(1000, 1021), 1021, false, 19},
      {"ticked just before a step", Started(1000, 1039), 1039, false, 1},
      {"ticked on a step", Started(1000, 1040), 1040, false, 20},
      {"a slow tick skips the missed step", Started(1000, 1075), 1075, false, 5},
      {"far behind: the next step only", Started(1000, 1999), 1999, false, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TickDue(c.timer, c.now), c.due) << c.name;
    EXPECT_EQ(MillisecondsUntilTick(c.timer, c.now), c.wait) << c.name;
  }
}

// Keys without a character carry the scancode flag (1 << 30); Alt leaves keys to the desktop.
TEST(KeyMap, KeyDownsGetTheirVirtualKeyValuesUnlessAltIsHeld) {
  constexpr int kFlag = 1 << 30;
  const struct {
    int keycode, modifiers, virtualKey;
  } cases[] = {
      // clang-format off
      {' ', 0, 32}, {'r', 0, 82}, {'a', 0, 65}, {'z', 0, 90}, {'0', 0, 48}, {'9', 0, 57},
      {27, 0, 27}, {13, 0, 13}, {8, 0, 8}, {9, 0, 9},  // Esc, Return, Backspace, Tab
      {kFlag | 80, 0, 37}, {kFlag | 82, 0, 38},  // left, and up, whose 82 must not pass as R
      {kFlag | 58, 0, 112}, {kFlag | 69, 0, 123},  // F1, F12
      {kFlag | 44, 0, 0}, {kFlag | 21, 0, 0},  // no value here, not Space's or R's scancode
      {'R', 0, 0}, {0, 0, 0}, {-1, 0, 0}, {0x20AC, 0, 0},  // SDL never reports capitals
      {'r', KMOD_LALT, 0}, {'r', KMOD_RALT, 0}, {27, KMOD_LALT, 0},  // Alt: the desktop's
      {27, KMOD_RALT | KMOD_CTRL, 0}, {' ', KMOD_LALT | KMOD_NUM, 0},
      {'r', KMOD_LSHIFT | KMOD_CAPS, 82}, {27, KMOD_LCTRL, 27}, {' ', KMOD_RGUI, 32},  // no Alt
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GameKeyFromKeyDown(c.keycode, c.modifiers), c.virtualKey)
        << "keycode " << c.keycode << " modifiers " << c.modifiers;
  }
}

TEST(VideoDriver, DriversThatDrawNowhereNeedToBeAskedFor) {
  const struct {
    const char* driver;
    const char* requested;
    bool accepted;
  } cases[] = {
      // clang-format off
      {"x11", nullptr, true}, {"wayland", "", true}, {"KMSDRM", nullptr, true},
      {"offscreen", nullptr, false}, {"dummy", nullptr, false}, {"offscreen", "", false},
      {"offscreen", "x11", false}, {"offscreen", "offscreen", true},
      {"OffScreen", "offscreen", true}, {"offscreen", "x11,offscreen", true},
      {"dummy", "dummy,x11", true}, {"dummy", "x11,offscreen", false},
      {"offscreen", "offscreen,", true}, {"offscreen", "offscreen2", false},
      {"dummy", ",dumm", false}, {nullptr, nullptr, false}, {"", "", false},  // whole names only
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VideoDriverAccepted(c.driver, c.requested), c.accepted)
        << (c.driver ? c.driver : "(null)") << " asked " << (c.requested ? c.requested : "(null)");
  }
}

// The real mode switch only on X11 and Windows listing 1024x768 itself; a mode sharing one side
// would crop, and other drivers stretch.
TEST(ScreenRules, ModeSwitchOnlyOnX11AndWindowsWithTheExactMode) {
  const std::vector<ScreenMode> exact = {{1280, 1024}, {1024, 768}, {800, 600}};
  const struct {
    const char* driver;
    std::vector<ScreenMode> modes;
    ScreenTaking taking;
  } cases[] = {
      {"x11", exact, ScreenTaking::kModeSwitch},
      {"x11", {{1024, 600}, {1280, 768}, {768, 1024}}, ScreenTaking::kDesktopFullscreen},
      {"x11", {}, ScreenTaking::kDesktopFullscreen},
      {"windows", exact, ScreenTaking::kModeSwitch},
      {"windows", {{1024, 600}, {1280, 768}}, ScreenTaking::kDesktopFullscreen},
      {"wayland", exact, ScreenTaking::kDesktopFullscreen},  // modes only emulated by scaling
      {"KMSDRM", exact, ScreenTaking::kDesktopFullscreen},
      {"offscreen", exact, ScreenTaking::kDesktopFullscreen},
      {nullptr, exact, ScreenTaking::kDesktopFullscreen},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseScreenTaking(c.driver, ExactModeListed(c.modes, 1024, 768)), c.taking)
        << (c.driver ? c.driver : "(null)") << " with " << c.modes.size() << " modes";
  }
}

// The paddle's limits (645, 260) fall at the same share of any screen.
TEST(ScreenRules, PointerMeasuredInTheGameFrame) {
  const struct {
    int coordinate, extent, game, framed;
  } cases[] = {
      {645, 1024, 1024, 645},     {0, 1920, 1024, 0},       {1209, 1920, 1024, 644},
      {1210, 1920, 1024, 645},    {1919, 1920, 1024, 1023}, {503, 800, 1024, 643},
      {325, 600, 768, 416},       {-40, 1920, 1024, -21},  // captured outside: stays negative
      {70000, 3840, 1024, 18666}, {100, 0, 1024, 100},     // no size known: as it came
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToGameFrame(c.coordinate, c.extent, c.game), c.framed)
        << c.coordinate << " of " << c.extent;
  }
}
