// Shell.h -- the application shell over SDL2: the entry, the game window and
// its GL context, and the event loop that stands in for the window procedure.
#pragma once
#include <SDL.h>

#include <cstdint>

#include "shell/ScreenRules.h"
#include "shell/TickTimer.h"

extern const int gScreenWidth;          // 1024
extern const int gScreenHeight;         // 768
extern const char* const gWindowTitle;  // "Hit Esc To Exit."

constexpr int kExitNormal = 1;       // Esc, the window closed, a signal, a texture lost
constexpr int kExitFailedStart = 2;  // no display or no window: never read as success

extern SDL_Window* gWindow;           // the game window, once created
extern SDL_GLContext gRenderContext;  // the GL context, once created
extern ScreenTaking gScreenTaking;    // how the window holds the screen
extern TickTimer gTickTimer;          // the 20 ms timer; runs once GL is set up
extern bool gQuitPosted;              // the loop ends at the next turn
extern bool gPaused;                  // minimized or hidden: no ticks, no frames
// The loop's millisecond clock; SDL's, but a test may set its own.
extern std::uint64_t (*gShellClock)();

// The program's entry: start-up, then the event loop. Returns the exit code.
int ApplicationMain();

// Opens SDL's video on a real display; false, with the cause written to
// stderr after the game's message, when there is none.
bool OpenDisplay();
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
// it is called (on Windows the window and SDL's video go with the process).
// Also runs at process exit once the display is open.
void ReleaseDisplay();
// One turn of the loop: sleep until an event or the next 20 ms step, handle
// the events, then run the tick if one is due.
void RunLoopTurn();
// Runs turns until the quit is posted.
void RunEventLoop();
