// GameStep.cpp -- the tick, its sounds, the frame: the one place they are put
// in order.
#include "step/GameStep.h"

#include "loop/Game.h"
#include "sound/TickSounds.h"

int RunGameStep(StepWatch* watch) {
  // The sounds are told from the velocity the tick turned round.
  const Vertex velocityBefore = gBall.velocity;
  TickGame();
  const int rumble = PostTickSounds(velocityBefore);
  if (watch != nullptr) watch->AfterTick();
  RenderFrame();
  if (watch != nullptr) watch->AfterFrame();
  return rumble;
}
