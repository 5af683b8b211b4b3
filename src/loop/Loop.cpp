// Loop.cpp -- placeholder wiring until the game objects arrive: the frame
// only clears to the court colour.
#include <GL/gl.h>

#include "loop/Game.h"

void SetUpScene() {}
void TickGame() {}
void RenderFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glFlush();
}
