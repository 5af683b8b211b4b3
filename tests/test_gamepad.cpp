// The shell's pad handling through SDL's virtual joystick: the stick and
// d-pad move the near paddle within the mouse's limits, A, Y and Back act as
// Space, R and Esc, and pads come and go mid-run.
#include <SDL.h>
#include <gtest/gtest.h>

#include "loop/Game.h"
#include "shell/Gamepad.h"
#include "shell/KeyMap.h"
#include "shell/core/GameInput.h"

namespace {
int gRumbles = 0;  // rumbles asked of the virtual pads

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

  // A pad with every button and axis of SDL's game controller, plugged in.
  static int Attach() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.Rumble = [](void*, Uint16 low, Uint16 high) {
      gRumbles += low > 0 && high > 0;
      return 0;
    };
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    SDL_JoystickOpen(index);  // the test's own handle, for setting its state
    return SDL_JoystickGetDeviceInstanceID(index);
  }
  static SDL_Joystick* Pad(int id) { return SDL_JoystickFromInstanceID(id); }

  // Every pending event through the pad handling; the keys it returned.
  static std::vector<int> Pump() {
    SDL_GameControllerUpdate();
    std::vector<int> keys;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      const int key = HandleGamepadEvent(event);
      if (key != 0) keys.push_back(key);
    }
    return keys;
  }
  static std::vector<int> Press(int id, SDL_GameControllerButton button) {
    SDL_JoystickSetVirtualButton(Pad(id), button, 1);
    std::vector<int> keys = Pump();
    SDL_JoystickSetVirtualButton(Pad(id), button, 0);
    std::vector<int> released = Pump();
    keys.insert(keys.end(), released.begin(), released.end());
    return keys;
  }
  static void Ticks(int count) {
    for (int i = 0; i < count; ++i) FeedGamepadTick();
  }
  static Vec3 Near() { return gPaddles[1].position; }
};
}  // namespace

// Catches: a stick that moves the paddle past the mouse's reach, a dead zone
// that lets a resting stick drift the paddle or take it from auto-play, an
// axis or d-pad direction turned round, a stick that never takes the paddle.
TEST_F(Gamepad, StickAndDpadMoveThePaddleWithinTheMouseLimits) {
  const int id = Attach();
  Pump();
  SDL_JoystickSetVirtualAxis(Pad(id), SDL_CONTROLLER_AXIS_LEFTX, 7000);  // resting, off centre
  Pump();
  Ticks(20);
  EXPECT_EQ(gAutoPlay, 1);
  EXPECT_EQ(Near().x, 100.0f);
  const struct {
    SDL_GameControllerAxis axis;
    int value;
    SDL_GameControllerButton dpad;  // the same push on the d-pad
    float Vec3::*field;
    float limit;
  } pushes[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, -32768, SDL_CONTROLLER_BUTTON_DPAD_LEFT, &Vec3::x,
       -kMouseOriginX},
      {SDL_CONTROLLER_AXIS_LEFTX, 32767, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, &Vec3::x,
       kMouseMaxX - kMouseOriginX},
      {SDL_CONTROLLER_AXIS_LEFTY, -32768, SDL_CONTROLLER_BUTTON_DPAD_UP, &Vec3::y, kMouseTopY},
      {SDL_CONTROLLER_AXIS_LEFTY, 32767, SDL_CONTROLLER_BUTTON_DPAD_DOWN, &Vec3::y,
       kMouseTopY - kMouseMaxY},
  };
  for (const auto& p : pushes) {
    for (int dpad = 0; dpad < 2; ++dpad) {
      gAutoPlay = 1;
      gPaddles[1].SetPosition(100.0f, 200.0f, 415.0f);
      SDL_JoystickSetVirtualAxis(Pad(id), SDL_CONTROLLER_AXIS_LEFTX, 0);
      if (dpad) SDL_JoystickSetVirtualButton(Pad(id), p.dpad, 1);
      if (!dpad) SDL_JoystickSetVirtualAxis(Pad(id), p.axis, static_cast<Sint16>(p.value));
      Pump();
      Ticks(1);
      EXPECT_EQ(gAutoPlay, 0);
      const float first = Near().*p.field;
      EXPECT_GT(std::abs(first - 200.0f * (p.field == &Vec3::y) - 100.0f * (p.field == &Vec3::x)),
                10.0f);
      Ticks(60);
      EXPECT_EQ(Near().*p.field, p.limit) << p.axis << (dpad ? " d-pad" : " stick");
      SDL_JoystickSetVirtualAxis(Pad(id), p.axis, 0);
      SDL_JoystickSetVirtualButton(Pad(id), p.dpad, 0);
      Pump();
    }
  }
}

// Catches: a button mapped to the wrong key, a key from every press and
// release, a button of a pad not in use acting, a pad unplugged and never
// replaced, a pad plugged in later never used, no rumble from the pad in use.
TEST_F(Gamepad, ButtonsActAsKeysAndPadsComeAndGo) {
  const int first = Attach();
  const int second = Attach();
  Pump();
  EXPECT_EQ(Press(first, SDL_CONTROLLER_BUTTON_A), std::vector<int>{kKeySpace});
  EXPECT_EQ(Press(first, SDL_CONTROLLER_BUTTON_Y), std::vector<int>{kKeyR});
  EXPECT_EQ(Press(first, SDL_CONTROLLER_BUTTON_BACK), std::vector<int>{kKeyEscape});
  EXPECT_EQ(Press(first, SDL_CONTROLLER_BUTTON_B), std::vector<int>{});
  EXPECT_EQ(Press(second, SDL_CONTROLLER_BUTTON_A), std::vector<int>{});

  SDL_JoystickDetachVirtual(0);  // the first pad goes: the second takes over
  Pump();
  EXPECT_EQ(Press(second, SDL_CONTROLLER_BUTTON_Y), std::vector<int>{kKeyR});
  SDL_JoystickDetachVirtual(0);
  Pump();
  FeedGamepadTick();  // no pad: nothing happens
  EXPECT_EQ(gAutoPlay, 1);
  const int third = Attach();
  Pump();
  SDL_JoystickSetVirtualAxis(Pad(third), SDL_CONTROLLER_AXIS_LEFTX, 32767);
  Pump();
  Ticks(1);
  EXPECT_EQ(gAutoPlay, 0);
  EXPECT_GT(Near().x, 100.0f);
  gRumbles = 0;
  RumbleGamepad();
  EXPECT_EQ(gRumbles, 1);
}
