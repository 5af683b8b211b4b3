// WindowEvents.cpp -- what the window procedure does on SDL: size, keys,
// mouse, close, and one tick and frame on every 20 ms step.
#include <SDL.h>

#include "loop/Game.h"
#include "shell/Gamepad.h"
#include "shell/KeyMap.h"
#include "shell/Shell.h"
#include "shell/TickLog.h"
#include "shell/core/GameInput.h"
#include "shell/core/RenderState.h"
#include "sound/TickSounds.h"

namespace {
void HandleResize() {
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(gWindow, &width, &height);
  ResizeViewport(width, height);
}

void HandleKeyDown(const SDL_KeyboardEvent& key) {
  const int virtualKey = GameKeyFromKeyDown(key.keysym.sym, key.keysym.mod);
  if (virtualKey == kKeyEscape) {
    CloseGame();  // at once, inside the key handling
    return;
  }
  HandleGameKey(virtualKey);
}

// SDL drops the capture whenever focus goes, so it is taken again each time
// focus comes back; with it, motion outside the window still moves the paddle.
void HandleWindowChange(const SDL_WindowEvent& window) {
  if (gRenderContext == nullptr) return;
  if (window.event == SDL_WINDOWEVENT_SIZE_CHANGED) HandleResize();
  if (window.event == SDL_WINDOWEVENT_FOCUS_GAINED) SDL_CaptureMouse(SDL_TRUE);
}

void RunTick() {
  LogTickTime();
  FeedGamepadTick();
  const Vertex velocityBefore = gBall.velocity;
  TickGame();
  if (PostTickSounds(velocityBefore)) RumbleGamepad();
  RenderFrame();
  SDL_GL_SwapWindow(gWindow);
}
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
    case SDL_MOUSEMOTION: HandleMouseMove(event.motion.x, event.motion.y); break;
    case SDL_QUIT: CloseGame(); break;
    default: HandleGamepadEvent(event); break;
  }
}

// Sleeps until an event or the next 20 ms step; like the desktop's timer,
// a tick waits for the queue to empty, and a late tick is run once.
void RunEventLoop() {
  while (!gQuitPosted) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, MillisecondsUntilTick(gTickTimer, SDL_GetTicks64()))) {
      HandleWindowEvent(event);
      while (!gQuitPosted && SDL_PollEvent(&event)) HandleWindowEvent(event);
    }
    if (gQuitPosted || !TickDue(gTickTimer, SDL_GetTicks64())) continue;
    RunTick();
    AdvanceTickTimer(gTickTimer, SDL_GetTicks64());
  }
}
