// GameInput.cpp -- Space hands the near paddle between ball and mouse; R
// stops or resumes the orbit and swaps the draw order; the mouse moves the
// near paddle while auto-play is off.
#include "shell/core/GameInput.h"

#include "loop/Game.h"

void HandleGameKey(int key) {
  if (key == kKeySpace) {
    gAutoPlay = gAutoPlay ? 0 : 1;
  } else if (key == kKeyR) {
    gWallsFirst = gWallsFirst ? 0 : 1;
    gCamera.ToggleAutoRotate();
  }
}

void HandleMouseMove(int x, int y) {
  // A pointer captured outside the window reports negative coordinates: 0.
  float fx = static_cast<float>(x < 0 ? 0 : x);
  float fy = static_cast<float>(y < 0 ? 0 : y);
  if (fx > 645.0f) fx = 645.0f;
  if (fy > 260.0f) fy = 260.0f;
  if (gAutoPlay == 0) gPaddles[1].SetPosition(fx - 330.0f, 348.0f - fy, 415.0f);
}
