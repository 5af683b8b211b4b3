// WebMain.cpp -- courtball in a web page: SDL's canvas and WebGL context, the
// game's tick and frame on the 20 ms grid from the browser's frame callback,
// the player's keys and mouse, and what the page is told (ticks, the end).
#include <SDL.h>
#include <emscripten.h>

#include <cstdio>

#include "loop/Game.h"
#include "shell/KeyMap.h"
#include "shell/TickTimer.h"
#include "shell/core/GameInput.h"
#include "shell/core/RenderState.h"
#include "step/GameStep.h"
#include "step/Trace.h"

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// The bodies are JavaScript, which the formatter would break.
// clang-format off
// A whole-number URL parameter of the page; -1 when absent.
EM_JS(int, PageParameter, (const char* name), {
  var value = new URLSearchParams(location.search).get(UTF8ToString(name));
  return value === null ? -1 : (parseInt(value, 10) || 0);
});

// The page's own handlers (courtball.html) hear of each tick, a chosen
// frame (while the canvas still holds it), and the end of the game.
EM_JS(void, TellPageTick, (int tick), {
  if (Module.onTick) Module.onTick(tick);
});
EM_JS(void, TellPageFrame, (int tick), {
  if (Module.onFrame) Module.onFrame(tick);
});
EM_JS(void, TellPageEnded, (const char* why), {
  if (Module.onEnded) Module.onEnded(UTF8ToString(why));
});
// clang-format on

struct WebGame {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  TickTimer timer;
  int tick = 0;
  int traceTicks = 0;  // ?trace=N: a trace row for each of the first N ticks
  int frameTick = -1;  // ?frame=N: tick N's frame goes to the page as a picture
  int stopTick = -1;   // ?stop=N: the loop stops after tick N's frame
  TraceWatch trace;
};
WebGame gWeb;

void EndGame(const char* why) {
  StopTickTimer(gWeb.timer);
  emscripten_cancel_main_loop();
  TellPageEnded(why);
}

void HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) {
    const int key = GameKeyFromKeyDown(event.key.keysym.sym, event.key.keysym.mod);
    if (key == kKeyEscape) {
      EndGame("Esc");
    } else {
      HandleGameKey(key);
    }
  } else if (event.type == SDL_MOUSEMOTION) {
    HandleMouseMove(event.motion.x, event.motion.y);
  }
}

void RunTick() {
  ++gWeb.tick;
  RunGameStep(gWeb.tick <= gWeb.traceTicks ? &gWeb.trace : nullptr);
  if (gWeb.tick == gWeb.frameTick) TellPageFrame(gWeb.tick);
  SDL_GL_SwapWindow(gWeb.window);
  TellPageTick(gWeb.tick);
}

// Called for every frame the browser draws; a tick runs on each step of the
// 20 ms grid, and a late one runs once, never with catch-up ticks after it.
void Step() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    HandleEvent(event);
    if (!gWeb.timer.running) return;
  }
  if (!TickDue(gWeb.timer, SDL_GetTicks64())) return;
  RunTick();
  AdvanceTickTimer(gWeb.timer, SDL_GetTicks64());
  if (gWeb.tick == gWeb.stopTick) EndGame("stopped");
}

bool OpenCanvas() {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return false;
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  gWeb.window = SDL_CreateWindow("courtball", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
  if (gWeb.window == nullptr) return false;
  gWeb.context = SDL_GL_CreateContext(gWeb.window);
  return gWeb.context != nullptr && SDL_GL_MakeCurrent(gWeb.window, gWeb.context) == 0;
}
}  // namespace

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
  ResizeViewport(kWidth, kHeight);
  SetUpScene();
  if (gWeb.traceTicks > 0) PrintTraceHeader();
  StartTickTimer(gWeb.timer, SDL_GetTicks64());
  emscripten_set_main_loop(Step, 0, 0);
  return 0;
}
