// Gamepad.h -- the first game controller connected, through SDL's
// game-controller layer and its mapping database: plugged in and out at any
// time, its stick and d-pad read once a tick, its buttons as keys.
#pragma once
#include <SDL.h>

// Starts SDL's game-controller layer; a failure costs one line on stderr and
// leaves the game to keyboard and mouse. Pads already connected arrive as
// events.
void StartGamepads();
// Handles a controller event: a pad added or removed, a button of the pad in
// use pressed. Returns the key that button stands for (Esc for Back), else 0.
int HandleGamepadEvent(const SDL_Event& event);
// Feeds the pad's stick and d-pad as held now; once per tick, before it.
void FeedGamepadTick();
// A short rumble, where the pad has one: the ball at the player's paddle.
void RumbleGamepad();
// Closes the pad in use; safe to call more than once.
void StopGamepads();
