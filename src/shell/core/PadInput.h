// PadInput.h -- a gamepad as the game's input, without SDL: the stick or the
// d-pad steers the pointer that moves the near paddle, and three buttons
// stand for Space, R and Esc. The game and courtball-capture both feed it.
#pragma once

// Stick axes as SDL gives them, -32768..32767, y growing downward.
constexpr int kPadAxisMax = 32767;
// Deflection below this is the stick's rest, not the player.
constexpr int kPadDeadZone = 8000;
// Pointer pixels per tick at full deflection: across the paddle's reach in
// about half a second.
constexpr float kPadSpeed = 28.0f;

enum class PadButton { kA, kY, kBack, kOther };

// The stick and d-pad as held during one tick; the d-pad counts as a stick
// pushed all the way.
struct PadStick {
  int x = 0, y = 0;
  int dpadX = 0, dpadY = 0;  // -1, 0 or +1
};

// One tick of the held stick: outside the dead zone it takes the paddle from
// auto-play (as Space would) and moves it from where it stands, within the
// mouse's limits, the faster the further the stick leans.
void MovePaddleByPad(const PadStick& stick);
// The key a button stands for: Space for A, R for Y, Esc for Back; 0 else.
int GameKeyFromPadButton(PadButton button);
