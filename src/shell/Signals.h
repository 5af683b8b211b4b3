// Signals.h -- the desktop's ways of ending a session (hang-up, quit,
// terminate, interrupt) turned into the game's own close, even while the
// error box is up.
#pragma once

// Blocks SIGHUP, SIGQUIT, SIGTERM and SIGINT in this thread and every thread
// made after it, and starts the one thread that waits for them. Call first in
// main, before SDL or GL make threads of their own.
void StartSignalWatch();
// True once one of them arrived: the loop then closes the game as Esc does.
bool EndRequested();
