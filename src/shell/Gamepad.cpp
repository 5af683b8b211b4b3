// Gamepad.cpp -- SDL's game controllers to the pad input of shell/core: the
// first pad connected is used until it goes, then the next one still there.
#include "shell/Gamepad.h"

#include <cstdio>

#include "shell/core/PadInput.h"

namespace {
SDL_GameController* gPad = nullptr;
bool gPadsStarted = false;

void OpenPad(int deviceIndex) {
  if (gPad != nullptr || !SDL_IsGameController(deviceIndex)) return;
  gPad = SDL_GameControllerOpen(deviceIndex);
  if (gPad == nullptr)
    std::fprintf(stderr, "courtball: cannot use a gamepad: %s\n", SDL_GetError());
}

void OpenFirstPad() {
  for (int i = 0; gPad == nullptr && i < SDL_NumJoysticks(); ++i) OpenPad(i);
}

bool IsOurPad(SDL_JoystickID id) {
  return gPad != nullptr && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(gPad)) == id;
}

PadButton PadButtonOf(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PadButton::kA;
    case SDL_CONTROLLER_BUTTON_Y: return PadButton::kY;
    case SDL_CONTROLLER_BUTTON_BACK: return PadButton::kBack;
    default: return PadButton::kOther;
  }
}

int Held(SDL_GameControllerButton low, SDL_GameControllerButton high) {
  return SDL_GameControllerGetButton(gPad, high) - SDL_GameControllerGetButton(gPad, low);
}
}  // namespace

void StartGamepads() {
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "courtball: no gamepads (%s); keyboard and mouse still play\n",
                 SDL_GetError());
    return;
  }
  gPadsStarted = true;
}

int HandleGamepadEvent(const SDL_Event& event) {
  if (event.type == SDL_CONTROLLERDEVICEADDED) {
    OpenPad(event.cdevice.which);
  } else if (event.type == SDL_CONTROLLERDEVICEREMOVED && IsOurPad(event.cdevice.which)) {
    SDL_GameControllerClose(gPad);
    gPad = nullptr;
    OpenFirstPad();
  } else if (event.type == SDL_CONTROLLERBUTTONDOWN && IsOurPad(event.cbutton.which)) {
    return GameKeyFromPadButton(PadButtonOf(event.cbutton.button));
  }
  return 0;
}

void FeedGamepadTick() {
  if (gPad == nullptr) return;
  PadStick stick;
  stick.x = SDL_GameControllerGetAxis(gPad, SDL_CONTROLLER_AXIS_LEFTX);
  stick.y = SDL_GameControllerGetAxis(gPad, SDL_CONTROLLER_AXIS_LEFTY);
  stick.dpadX = Held(SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  stick.dpadY = Held(SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  MovePaddleByPad(stick);
}

void RumbleGamepad() {
  // Pads without a motor refuse; that is fine.
  if (gPad != nullptr) SDL_GameControllerRumble(gPad, 0x5000, 0xA000, 80);
}

void StopGamepads() {
  if (gPad != nullptr) SDL_GameControllerClose(gPad);
  gPad = nullptr;
  if (gPadsStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  gPadsStarted = false;
}
