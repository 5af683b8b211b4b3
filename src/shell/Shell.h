// Shell.h -- the application shell over SDL2: the entry, the game window and
// its GL context, and the event loop that stands in for the window procedure.
#pragma once
#include <SDL.h>

#include "shell/TickTimer.h"

extern const int gScreenWidth;          // 1024
extern const int gScreenHeight;         // 768
extern const char* const gWindowTitle;  // "Hit Esc To Exit."

extern SDL_Window* gWindow;           // the game window, once created
extern SDL_GLContext gRenderContext;  // the GL context, once created
extern TickTimer gTickTimer;          // the 20 ms timer; runs once GL is set up
extern bool gQuitPosted;              // the loop ends at the next turn

// The program's entry: start-up, then the event loop. Returns the exit
// code: 1 at the quit, 0 when no display or no window could be had.
int ApplicationMain();

// Creates the hidden game window; false when none could be made.
bool CreateGameWindow();
// The create handling: GL context, render state, timer, mouse. On failure it
// shows the message and posts the quit; false then.
bool CreateGameContext();
// Handles one event as the window procedure would.
void HandleWindowEvent(const SDL_Event& event);
// Stops the timer, leaves fullscreen, releases the context, posts the quit.
void CloseGame();
// Leaves fullscreen, destroys the window and shuts SDL down, the first time
// it is called. Also runs at process exit once the display is open.
void ReleaseDisplay();
// Runs events and ticks until the quit is posted.
void RunEventLoop();
