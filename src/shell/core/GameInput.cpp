// GameInput.cpp -- Space hands the near paddle between ball and mouse; R
// stops or resumes the orbit and swaps the draw order; the mouse moves the
// near paddle while auto-play is off; M mutes the sound.
#include "shell/core/GameInput.h"

#include "court/Court.h"
#include "loop/Game.h"
#include "sound/Mixer.h"

void HandleGameKey(int key) {
  if (key == kKeySpace) {
    gAutoPlay = gAutoPlay ? 0 : 1;
  } else if (key == kKeyR) {
    gWallsFirst = gWallsFirst ? 0 : 1;
    gCamera.ToggleAutoRotate();
  } else if (key == kKeyM) {
    gMixer.muted = gMixer.muted ? 0 : 1;
  }
}

void HandleMouseMove(int x, int y) {
  MovePaddleToPointer(static_cast<float>(x), static_cast<float>(y));
}

void MovePaddleToPointer(float x, float y) {
  // A pointer captured outside the window reports negative coordinates: 0.
  float fx = x < 0.0f ? 0.0f : x;
  float fy = y < 0.0f ? 0.0f : y;
  if (fx > kMouseMaxX) fx = kMouseMaxX;
  if (fy > kMouseMaxY) fy = kMouseMaxY;
  if (gAutoPlay == 0) gPaddles[1].SetPosition(fx - kMouseOriginX, kMouseTopY - fy, kPaddleZ);
}
