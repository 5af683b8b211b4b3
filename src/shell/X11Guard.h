// X11Guard.h -- the display connection's ways of ending the game that the
// desktop never shows: the server or compositor going away, and a GL
// driver's raw X error.
#pragma once
#include <SDL.h>

#include <string>

#ifdef _WIN32
// None of this on Windows: its window system is no connection that can go
// away under the game, and a GL driver's failure comes back as the failing
// call's result, which the shell already reports.
inline void GuardAgainstLostDisplay() {}
inline void KeepXErrors() {}
inline std::string TakeKeptXError(SDL_Window*) { return std::string(); }
inline void WatchDisplayConnection(SDL_Window*) {}
inline void StopWatchingDisplay() {}
inline void EndIfDisplayLost(SDL_Window*) {}
#else

// From now on, an X display that goes away ends the process at once with
// exit code 1: nothing may talk to SDL's video again, since it would wait on
// the dead connection for good. Call it after SDL's video is up.
void GuardAgainstLostDisplay();

// From KeepXErrors on, X errors are kept instead of ending the process, so
// that a GL driver failing while SDL sets up GL (window creation probes the
// driver, then the context) gets the game's own message. TakeKeptXError syncs
// with the window's server and returns the first error's text, empty when
// there was none; after an error the keeping stays on, since every later call
// of that driver may fail again.
void KeepXErrors();
std::string TakeKeptXError(SDL_Window* window);

// Watches the window's display connection (X11 or Wayland) from a thread of
// its own: once the server or compositor closes it, the game ends at once
// with exit code 1, whatever the main thread is doing (loading the scene,
// drawing, waiting on the error box), before anything can wait on it.
void WatchDisplayConnection(SDL_Window* window);
// Our own teardown closes the connection too: from here on a hang-up is ours.
void StopWatchingDisplay();
// SDL meets a dead Wayland connection too and posts a quit of its own: that
// quit ends the game as the lost display it is, with its message, not as a close.
void EndIfDisplayLost(SDL_Window* window);
#endif
