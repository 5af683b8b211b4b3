// GameInput.h -- the player's keys and mouse: Space hands the near paddle to
// the mouse and back, R stops or resumes the orbit and swaps the draw order.
#pragma once

constexpr int kKeySpace = 32;
constexpr int kKeyR = 82;

// A key press (virtual-key value) other than Esc; auto-repeats toggle again.
void HandleGameKey(int key);
// Mouse motion in window coordinates; negative coordinates count as 0.
void HandleMouseMove(int x, int y);
