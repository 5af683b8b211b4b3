// GameInput.cpp -- Space hands the near paddle between ball and mouse; R
// stops or resumes the orbit and swaps the draw order; the mouse moves the
// near paddle while auto-play is off.
#include "shell/core/GameInput.h"

#include "court/Court.h"
#include "loop/Game.h"

namespace {
// The pointer's reach: right of column 645 or below row 260 the paddle stays
// at its limit; column 0 is x -330, row 0 is y 348 (the top).
constexpr float kMouseMaxX = 645.0f;
constexpr float kMouseMaxY = 260.0f;
constexpr float kMouseOriginX = 330.0f;
constexpr float kMouseTopY = 348.0f;
}  // namespace

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
  if (fx > kMouseMaxX) fx = kMouseMaxX;
  if (fy > kMouseMaxY) fy = kMouseMaxY;
  if (gAutoPlay == 0) gPaddles[1].SetPosition(fx - kMouseOriginX, kMouseTopY - fy, kPaddleZ);
}
