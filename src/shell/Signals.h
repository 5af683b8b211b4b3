// Signals.h -- the desktop's ways of ending a session turned into the game's
// own close, even while the error box is up: on Linux hang-up, quit,
// terminate and interrupt (Signals.cpp); on Windows the console's events and
// the session's end (SignalsWin32.cpp).
#pragma once

// Starts watching for them. Call first in main, before SDL or GL make
// threads of their own: on Linux the four signals are blocked in this thread
// and every thread made after it, and one thread waits for them.
void StartSignalWatch();
// True once one of them arrived: the loop then closes the game as Esc does.
bool EndRequested();
