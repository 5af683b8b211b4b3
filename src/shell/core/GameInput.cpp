// GameInput.cpp -- placeholder wiring until the game objects arrive.
#include "shell/core/GameInput.h"

void HandleGameKey(int) {}
void HandleMouseMove(int, int) {}
