// GameInput.h -- the player's keys and mouse: Space hands the near paddle to
// the mouse and back, R stops or resumes the orbit and swaps the draw order,
// M turns the sound off and on.
#pragma once

constexpr int kKeySpace = 32;
constexpr int kKeyR = 82;
constexpr int kKeyM = 77;

// The pointer's reach: right of column 645 or below row 260 the paddle stays
// at its limit; column 0 is x -330, row 0 is y 348 (the top).
constexpr float kMouseMaxX = 645.0f;
constexpr float kMouseMaxY = 260.0f;
constexpr float kMouseOriginX = 330.0f;
constexpr float kMouseTopY = 348.0f;

// A key press (virtual-key value) other than Esc; auto-repeats toggle again.
void HandleGameKey(int key);
// Mouse motion in window coordinates; negative coordinates count as 0.
void HandleMouseMove(int x, int y);
// Puts the near paddle where the pointer at (x, y) would, limits included,
// while auto-play is off; the mouse and the pad both move it through here.
void MovePaddleToPointer(float x, float y);
