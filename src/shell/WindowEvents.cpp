// WindowEvents.cpp -- what the window procedure does on SDL: size, keys,
// mouse, close, visibility, and one tick and frame on every 20 ms step.
#include <SDL.h>

#include "shell/Audio.h"
#include "shell/Gamepad.h"
#include "shell/KeyMap.h"
#include "shell/Shell.h"
#include "shell/Signals.h"
#include "shell/TickLog.h"
#include "shell/X11Guard.h"
#include "shell/core/GameInput.h"
#include "shell/core/RenderState.h"
#include "step/GameStep.h"

namespace {
void HandleResize() {
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(gWindow, &width, &height);
  ResizeViewport(width, height);
}

// A key from the keyboard or a pad's button.
void PressKey(int virtualKey) {
  if (virtualKey == kKeyEscape) {
    CloseGame();  // at once, inside the key handling
    return;
  }
  HandleGameKey(virtualKey);
}

void HandleKeyDown(const SDL_KeyboardEvent& key) {
  PressKey(GameKeyFromKeyDown(key.keysym.sym, key.keysym.mod));
}

// The input's limits are in the 1024x768 frame; on a screen of another size
// the pointer is measured in that frame, so the paddle spans the same share
// of the screen.
void HandleMotion(const SDL_MouseMotionEvent& motion) {
  int width = 0, height = 0;
  SDL_GetWindowSize(gWindow, &width, &height);
  HandleMouseMove(ToGameFrame(motion.x, width, gScreenWidth),
                  ToGameFrame(motion.y, height, gScreenHeight));
}

// Minimized or hidden, the game stops where it is; shown again, it goes on
// from the same tick on a fresh grid, without catching up.
void FollowVisibility() {
  const bool hidden =
      (SDL_GetWindowFlags(gWindow) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
  if (hidden == gPaused) return;
  gPaused = hidden;
  PauseGameAudio(hidden);
  if (!hidden && gTickTimer.running) StartTickTimer(gTickTimer, gShellClock());
}

// SDL drops the capture whenever focus goes, so it is taken again each time
// focus comes back; with it, motion outside the window still moves the
// paddle. Only over a switched mode: a desktop-sized window has no outside
// but other screens, whose clicks are not the game's.
void HandleWindowChange(const SDL_WindowEvent& window) {
  if (gRenderContext == nullptr) return;
  FollowVisibility();
  if (window.event == SDL_WINDOWEVENT_SIZE_CHANGED) HandleResize();
  if (window.event == SDL_WINDOWEVENT_FOCUS_GAINED && gScreenTaking == ScreenTaking::kModeSwitch)
    SDL_CaptureMouse(SDL_TRUE);
}

void RunTick() {
  LogTickTime();
  FeedGamepadTick();
  if (RunGameStep()) RumbleGamepad();
  SDL_GL_SwapWindow(gWindow);
}

// How long the loop may sleep: without limit while paused or stopped.
int SleepLimit() { return gPaused ? -1 : MillisecondsUntilTick(gTickTimer, gShellClock()); }
}  // namespace

void CloseGame() {
  StopTickTimer(gTickTimer);
  SDL_SetWindowFullscreen(gWindow, 0);
  SDL_GL_MakeCurrent(gWindow, nullptr);
  SDL_GL_DeleteContext(gRenderContext);
  gRenderContext = nullptr;
  gQuitPosted = true;
}

void HandleWindowEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT: HandleWindowChange(event.window); break;
    case SDL_KEYDOWN: HandleKeyDown(event.key); break;
    case SDL_MOUSEMOTION: HandleMotion(event.motion); break;
    case SDL_QUIT:
      EndIfDisplayLost(gWindow);
      CloseGame();
      break;
    default: PressKey(HandleGamepadEvent(event)); break;
  }
}

// Like the desktop's timer, a tick waits for the queue to empty, and a late
// tick is run once.
void RunLoopTurn() {
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, SleepLimit())) {
    HandleWindowEvent(event);
    while (!gQuitPosted && SDL_PollEvent(&event)) HandleWindowEvent(event);
  }
  if (gQuitPosted || gPaused || !TickDue(gTickTimer, gShellClock())) return;
  RunTick();
  AdvanceTickTimer(gTickTimer, gShellClock());
}

void RunEventLoop() {
  // A signal that came during start-up, before SDL could queue its quit.
  if (EndRequested() && !gQuitPosted) CloseGame();
  while (!gQuitPosted) RunLoopTurn();
}
