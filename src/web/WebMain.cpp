// WebMain.cpp -- courtball in a web page: SDL's canvas and WebGL context
// filling the window, the game's step on the 20 ms grid from the browser's
// frame callback, the player's keys, mouse, fingers and pad, and what the
// page is told (ticks, the view, the end) and may ask (a key, play again).
#include <GL/gl.h>
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "image/Textures.h"
#include "loop/Game.h"
#include "shell/Gamepad.h"
#include "shell/KeyMap.h"
#include "shell/ScreenRules.h"
#include "shell/TickTimer.h"
#include "shell/core/GameInput.h"
#include "shell/core/RenderState.h"
#include "shell/core/TouchInput.h"
#include "step/GameStep.h"
#include "step/Trace.h"
#include "web/PageSound.h"

namespace {
// The frame the input's limits are measured in, as on the desktop.
constexpr int kFrameWidth = 1024;
constexpr int kFrameHeight = 768;

// The bodies are JavaScript, which the formatter would break.
// clang-format off
// A whole-number URL parameter of the page; -1 when absent.
EM_JS(int, PageParameter, (const char* name), {
  var value = new URLSearchParams(location.search).get(UTF8ToString(name));
  return value === null ? -1 : (parseInt(value, 10) || 0);
});

// The page's own handlers (courtball.html) hear of each tick, a chosen
// frame (while the canvas still holds it), the canvas's size and the
// projection's scales, the end of the game and its start again.
EM_JS(void, TellPageTick, (int tick), {
  if (Module.onTick) Module.onTick(tick);
});
EM_JS(void, TellPageFrame, (int tick), {
  if (Module.onFrame) Module.onFrame(tick);
});
EM_JS(void, TellPageView, (int width, int height, float xScale, float yScale), {
  if (Module.onView) Module.onView(width, height, xScale, yScale);
});
EM_JS(void, TellPageEnded, (const char* why), {
  if (Module.onEnded) Module.onEnded(UTF8ToString(why));
});
EM_JS(void, TellPageRestarted, (), {
  if (Module.onRestarted) Module.onRestarted();
});
// clang-format on

struct WebGame {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  TickTimer timer;
  int tick = 0;
  int traceTicks = 0;  // ?trace=N: a trace row for each of the first N ticks
  int frameTick = -1;  // ?frame=N: tick N's frame goes to the page as a picture
  int stopTick = -1;   // ?stop=N: the game ends after tick N's frame
  bool ended = false;  // Esc or ?stop: no ticks until the player plays again
  bool hidden = false;
  TouchState touch;
  TraceWatch trace;
};
WebGame gWeb;

void EndGame(const char* why) {
  StopTickTimer(gWeb.timer);
  gWeb.ended = true;
  TellPageEnded(why);
}

// From the first tick again, as a fresh page would play it: the same
// textures' names, the same random numbers, the same trace.
void PlayAgain() {
  UnloadTextures();
  ResetGameState();
  SetUpScene();
  gWeb.tick = 0;
  gWeb.trace.tick = 0;
  gWeb.touch = TouchState();
  if (gWeb.traceTicks > 0) PrintTraceHeader();
  gWeb.ended = false;
  StartTickTimer(gWeb.timer, SDL_GetTicks64());
  TellPageRestarted();
}

// The canvas in device pixels; the court fills it at its shape.
void FollowCanvas() {
  int width = 0, height = 0;
  emscripten_get_canvas_element_size("#canvas", &width, &height);
  ResizeViewport(width, height, NarrowView::kWholeWidth);
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  TellPageView(width, height, projection[0], projection[5]);
}

// Hidden, the game stops where it is; in front again it goes on from the
// same tick on a fresh grid, without catching up, as a minimized desktop game.
void FollowVisibility(bool hidden) {
  if (hidden == gWeb.hidden) return;
  gWeb.hidden = hidden;
  PausePageSound(hidden);
  if (!hidden && gWeb.timer.running) StartTickTimer(gWeb.timer, SDL_GetTicks64());
}

void PressKey(int key) {
  if (key == kKeyEscape) {
    EndGame("Esc");
  } else if (key != 0) {
    HandleGameKey(key);
    if (key == kKeyM) TellPageSound();
  }
}

// The pointer measured in the game's frame, as on a desktop screen of
// another size: the paddle spans the same share of the canvas.
void HandleMotion(const SDL_MouseMotionEvent& motion) {
  int width = 0, height = 0;
  SDL_GetWindowSize(gWeb.window, &width, &height);
  HandleMouseMove(ToGameFrame(motion.x, width, kFrameWidth),
                  ToGameFrame(motion.y, height, kFrameHeight));
}

// Browsers count a touch as the player's gesture once the finger lifts.
void HandleFinger(Uint32 type, const SDL_TouchFingerEvent& finger) {
  const float x = finger.x * kFrameWidth, y = finger.y * kFrameHeight;
  if (type == SDL_FINGERDOWN) {
    TouchDown(gWeb.touch, finger.fingerId, x, y, finger.timestamp);
  } else if (type == SDL_FINGERMOTION) {
    TouchMove(gWeb.touch, finger.fingerId, x, y);
  } else {
    HearGesture();
    PressKey(TouchUp(gWeb.touch, finger.fingerId, finger.timestamp));
  }
}

void HandleWindow(const SDL_WindowEvent& window) {
  if (window.event == SDL_WINDOWEVENT_SIZE_CHANGED) FollowCanvas();
  if (window.event == SDL_WINDOWEVENT_HIDDEN) FollowVisibility(true);
  if (window.event == SDL_WINDOWEVENT_SHOWN) FollowVisibility(false);
}

// The player's input, while a game runs.
void HandleInput(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
      HearGesture();
      PressKey(GameKeyFromKeyDown(event.key.keysym.sym, event.key.keysym.mod));
      break;
    case SDL_MOUSEBUTTONDOWN: HearGesture(); break;
    case SDL_MOUSEMOTION: HandleMotion(event.motion); break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: HandleFinger(event.type, event.tfinger); break;
    default: break;
  }
}

// The window and the pads are followed always; after the end the player's
// input waits for Play again, and a pad's A is that.
void HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_WINDOWEVENT) {
    HandleWindow(event.window);
    return;
  }
  const int padKey = HandleGamepadEvent(event);
  if (gWeb.ended) {
    if (padKey == kKeySpace) PlayAgain();
  } else if (padKey != 0) {
    PressKey(padKey);
  } else {
    HandleInput(event);
  }
}

void RunTick() {
  ++gWeb.tick;
  FeedGamepadTick();
  if (RunGameStep(gWeb.tick <= gWeb.traceTicks ? &gWeb.trace : nullptr)) RumbleGamepad();
  MixPageTick(gWeb.tick);
  if (gWeb.tick == gWeb.frameTick) TellPageFrame(gWeb.tick);
  SDL_GL_SwapWindow(gWeb.window);
  TellPageTick(gWeb.tick);
}

// Called for every frame the browser draws; a tick runs on each step of the
// 20 ms grid, and a late one runs once, never with catch-up ticks after it.
void Step() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event);
  if (gWeb.ended || gWeb.hidden || !TickDue(gWeb.timer, SDL_GetTicks64())) return;
  RunTick();
  AdvanceTickTimer(gWeb.timer, SDL_GetTicks64());
  if (gWeb.tick == gWeb.stopTick) EndGame("stopped");
}

// Sized by the page's style in CSS pixels, drawn in device pixels. Fingers
// are the game's own input, not a mouse SDL would make of them.
bool OpenCanvas() {
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return false;
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  gWeb.window =
      SDL_CreateWindow("courtball", 0, 0, kFrameWidth, kFrameHeight,
                       SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (gWeb.window == nullptr) return false;
  gWeb.context = SDL_GL_CreateContext(gWeb.window);
  return gWeb.context != nullptr && SDL_GL_MakeCurrent(gWeb.window, gWeb.context) == 0;
}
}  // namespace

// What the page's own controls ask: the sound button is M, and the Play
// again button (or Space or Enter after the end) starts the game again.
extern "C" EMSCRIPTEN_KEEPALIVE void PagePressKey(int key) {
  if (gWeb.ended) return;
  HearGesture();
  PressKey(key);
}

extern "C" EMSCRIPTEN_KEEPALIVE void PagePlayAgain() {
  if (gWeb.ended) PlayAgain();
}

int main() {
  if (!OpenCanvas()) {
    std::fprintf(stderr, "courtball: no WebGL here: %s\n", SDL_GetError());
    TellPageEnded("no WebGL");
    return 0;
  }
  gWeb.traceTicks = PageParameter("trace");
  gWeb.frameTick = PageParameter("frame");
  gWeb.stopTick = PageParameter("stop");
  InitRenderState();
  FollowCanvas();
  SetUpScene();
  // Extras, as on the desktop: without them the game plays on.
  StartPageSound(PageParameter("mix"));
  StartGamepads();
  if (gWeb.traceTicks > 0) PrintTraceHeader();
  StartTickTimer(gWeb.timer, SDL_GetTicks64());
  emscripten_set_main_loop(Step, 0, 0);
  return 0;
}
