// The shell's pad handling through SDL's virtual joystick (moves, buttons, hot plugging), and
// fingers on the court.
#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>

#include "loop/Game.h"
#include "shell/Gamepad.h"
#include "shell/KeyMap.h"
#include "shell/core/GameInput.h"
#include "shell/core/TouchInput.h"

namespace {
// A pad with every button and axis of a game controller, plugged in; its instance id.
int Attach() {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  EXPECT_GE(index, 0) << SDL_GetError();
  SDL_JoystickOpen(index);  // the test's own handle, to set its state
  return SDL_JoystickGetDeviceInstanceID(index);
}

// Every pending event through the pad handling; the keys it returned.
std::vector<int> Pump() {
  SDL_GameControllerUpdate();
  std::vector<int> keys;
  for (SDL_Event event; SDL_PollEvent(&event);) {
    if (const int key = HandleGamepadEvent(event)) keys.push_back(key);
  }
  return keys;
}

// Sets a button or axis of a pad and handles what follows.
std::vector<int> Set(int id, int button, int down) {
  SDL_JoystickSetVirtualButton(SDL_JoystickFromInstanceID(id), button, static_cast<Uint8>(down));
  return Pump();
}
void Lean(int id, int axis, int value) {
  SDL_JoystickSetVirtualAxis(SDL_JoystickFromInstanceID(id), axis, static_cast<Sint16>(value));
  Pump();
}

class Gamepad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    StartGamepads();
    gAutoPlay = 1;
    gPaddles[1].SetPosition(100.0f, 200.0f, 415.0f);
  }
  void TearDown() override {
    StopGamepads();
    SDL_Quit();
  }
};
}  // namespace

// Catches: no dead zone, a direction turned round, the paddle past the mouse's reach.
TEST_F(Gamepad, StickAndDpadMoveThePaddleWithinTheMouseLimits) {
  const int id = Attach();
  Pump();
  Lean(id, SDL_CONTROLLER_AXIS_LEFTX, 7000);  // at rest, a little off centre
  for (int i = 0; i < 20; ++i) FeedGamepadTick();
  EXPECT_EQ(gAutoPlay, 1);
  EXPECT_EQ(gPaddles[1].position.x, 100.0f);
  Lean(id, SDL_CONTROLLER_AXIS_LEFTX, 0);
  const struct {
    int axis, value, dpad;
    float Vec3::*field;
    float limit;
  } pushes[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, -32768, SDL_CONTROLLER_BUTTON_DPAD_LEFT, &Vec3::x, -330.0f},
      {SDL_CONTROLLER_AXIS_LEFTX, 32767, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, &Vec3::x, 315.0f},
      {SDL_CONTROLLER_AXIS_LEFTY, -32768, SDL_CONTROLLER_BUTTON_DPAD_UP, &Vec3::y, 348.0f},
      {SDL_CONTROLLER_AXIS_LEFTY, 32767, SDL_CONTROLLER_BUTTON_DPAD_DOWN, &Vec3::y, 88.0f},
  };
  for (const auto& p : pushes) {
    for (int dpad = 0; dpad < 2; ++dpad) {
      gAutoPlay = 1;
      gPaddles[1].SetPosition(100.0f, 200.0f, 415.0f);
      const float start = gPaddles[1].position.*p.field;
      dpad ? (void)Set(id, p.dpad, 1) : Lean(id, p.axis, p.value);
      FeedGamepadTick();
      EXPECT_EQ(gAutoPlay, 0);
      const float first = gPaddles[1].position.*p.field;
      EXPECT_GT((first - start) / (p.limit - start), 0.05f)
          << p.axis << " no step toward the limit";
      for (int i = 0; i < 60; ++i) FeedGamepadTick();
      EXPECT_EQ(gPaddles[1].position.*p.field, p.limit) << p.axis << (dpad ? " d-pad" : " stick");
      dpad ? (void)Set(id, p.dpad, 0) : Lean(id, p.axis, 0);
    }
  }
}

// Catches: wrong keys, keys on release, an idle pad acting, a lost pad not replaced.
TEST_F(Gamepad, ButtonsActAsKeysAndPadsComeAndGo) {
  const int first = Attach(), second = Attach();
  Pump();
  const struct {
    int button, key;
  } presses[] = {{SDL_CONTROLLER_BUTTON_A, kKeySpace},
                 {SDL_CONTROLLER_BUTTON_Y, kKeyR},
                 {SDL_CONTROLLER_BUTTON_BACK, kKeyEscape},
                 {SDL_CONTROLLER_BUTTON_B, 0}};
  for (const auto& p : presses) {
    EXPECT_EQ(Set(first, p.button, 1), p.key ? std::vector<int>{p.key} : std::vector<int>{});
    EXPECT_EQ(Set(first, p.button, 0), std::vector<int>{});
  }
  EXPECT_EQ(Set(second, SDL_CONTROLLER_BUTTON_A, 1), std::vector<int>{});
  Set(second, SDL_CONTROLLER_BUTTON_A, 0);

  SDL_JoystickDetachVirtual(0);  // the first pad goes: the second takes over
  Pump();
  EXPECT_EQ(Set(second, SDL_CONTROLLER_BUTTON_Y, 1), std::vector<int>{kKeyR});
  SDL_JoystickDetachVirtual(0);
  Pump();
  FeedGamepadTick();  // no pad: nothing happens (a pad plugged in later: test_window_events)
  EXPECT_EQ(gAutoPlay, 1);
}

namespace {
// Plays "d F X Y MS" (down), "m F X Y" (move) and "u F MS" (up) in turn; the last up's key.
int PlayTouch(const char* script) {
  TouchState touch;
  std::istringstream in(script);
  char kind = 0;
  long long finger = 0;
  float x = 0, y = 0;
  std::uint32_t ms = 0;
  int key = 0;
  while (in >> kind >> finger) {
    if (kind == 'u' && in >> ms) key = TouchUp(touch, finger, ms);
    if (kind == 'm' && in >> x >> y) TouchMove(touch, finger, x, y);
    if (kind == 'd' && in >> x >> y >> ms) TouchDown(touch, finger, x, y, ms);
  }
  return key;
}
}  // namespace

// Catches: a lifted finger moving the paddle, the paddle past the mouse's reach, a two-finger tap
// that keeps the paddle from the ball, and a slow, moving or three-finger touch taken for a tap.
TEST(Touch, OneFingerSteersAndTwoTappedTogetherAreR) {
  const struct {
    const char* name;
    const char* script;
    int key, autoPlay;
    float x, y;  // the paddle after a touch that took it
  } cases[] = {
      {"drag", "d1 100 100 0 m1 900 50 u1 60", 0, 0, 645 - 330, 348 - 50},
      {"tap", "d1 99 0 0 d2 300 0 40 u2 90 u1 400", kKeyR, 1, 0, 0},
      {"slow", "d1 99 0 0 d2 300 0 40 u1 90 u2 401", 0, 0, 99 - 330, 348},
      {"moved", "d1 99 0 0 d2 300 0 9 m2 300 41 u1 30 u2 40", 0, 0, 99 - 330, 348},
      {"three", "d1 99 0 0 d2 300 0 9 d3 500 0 9 u1 30 u2 40 u3 50", 0, 0, 99 - 330, 348},
  };
  for (const auto& c : cases) {
    gAutoPlay = 1;
    EXPECT_EQ(PlayTouch(c.script), c.key) << c.name;
    EXPECT_EQ(gAutoPlay, c.autoPlay) << c.name;
    if (c.autoPlay != 0) continue;
    EXPECT_EQ(gPaddles[1].position.x, c.x) << c.name;
    EXPECT_EQ(gPaddles[1].position.y, c.y) << c.name;
  }
}
