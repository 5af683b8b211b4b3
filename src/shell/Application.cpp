// Application.cpp -- start-up: the display, the game window, its GL context
// and the error box; then the scene set-up and the event loop.
#include <SDL.h>

#include <cstdlib>

#include "loop/Game.h"
#include "platform/ErrorMessage.h"
#include "shell/Audio.h"
#include "shell/Gamepad.h"
#include "shell/Shell.h"
#include "shell/VideoDriver.h"
#include "shell/core/RenderState.h"

const int gScreenWidth = 1024;
const int gScreenHeight = 768;
const char* const gWindowTitle = "Hit Esc To Exit.";

SDL_Window* gWindow = nullptr;
SDL_GLContext gRenderContext = nullptr;
TickTimer gTickTimer;
bool gQuitPosted = false;

namespace {
// The format asked for: 16 colour bits, a 16-bit depth buffer, double
// buffered; no profile mask, so fixed-function GL stays available.
bool RequestPixelFormat() {
  bool set = SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5) == 0;
  set = SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5) == 0 && set;
  set = SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5) == 0 && set;
  set = SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16) == 0 && set;
  set = SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0 && set;
  return set;
}

// Stderr first, so the text survives when no box can be shown.
void ShowErrorBox(const std::string& text) {
  WriteErrorToStderr(text);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text.c_str(), gWindow);
}

bool OpenDisplay() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  if (VideoDriverAccepted(SDL_GetCurrentVideoDriver(), SDL_GetHint(SDL_HINT_VIDEODRIVER))) {
    // A mode set on X11 outlives the process: every exit puts it back,
    // exit(1) after a failed texture included.
    std::atexit(ReleaseDisplay);
    return true;
  }
  SDL_Quit();
  return false;
}

// SDL given a mode it lacks takes the nearest one and sizes the viewport to
// it while the window stays 1024x768; without the exact mode we stay in the
// plain window, as a failed mode switch would leave us.
bool ScreenModeAvailable() {
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == gScreenWidth && mode.h == gScreenHeight)
      return true;
  }
  return false;
}

SDL_Window* CreateWindowWithFlags(Uint32 flags) {
  return SDL_CreateWindow(gWindowTitle, 0, 0, gScreenWidth, gScreenHeight,
                          flags | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
}

void PostQuitWithMessage(const char* text) {
  ShowErrorMessage(text);
  gQuitPosted = true;
}

// Raised, then given the keyboard focus outright: with no window manager
// nothing else would give it. The mouse is captured once the focus arrives
// (HandleWindowEvent); SDL refuses to capture for a window without focus.
void ShowGameWindow() {
  SDL_ShowWindow(gWindow);
  SDL_RaiseWindow(gWindow);
  SDL_SetWindowInputFocus(gWindow);
}
}  // namespace

void ReleaseDisplay() {
  // Once only: an exit from inside SDL_Quit (Xlib's handler ends the process
  // on an X error) must not run SDL_Quit again from the exit handler.
  static bool released = false;
  if (released) return;
  released = true;
  StopGameAudio();
  StopGamepads();
  if (gWindow != nullptr) {
    SDL_SetWindowFullscreen(gWindow, 0);
    SDL_DestroyWindow(gWindow);
    gWindow = nullptr;
  }
  SDL_Quit();
}

bool CreateGameContext() {
  gRenderContext = SDL_GL_CreateContext(gWindow);
  if (gRenderContext == nullptr) {
    PostQuitWithMessage("Can't Create A GL Rendering Context.");
    return false;
  }
  if (SDL_GL_MakeCurrent(gWindow, gRenderContext) != 0) {
    PostQuitWithMessage("Can't activate GLRC.");
    return false;
  }
  // The 20 ms grid alone paces the game; a swap that waited for the
  // display's refresh would fight it.
  SDL_GL_SetSwapInterval(0);
  InitRenderState();
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(gWindow, &width, &height);
  ResizeViewport(width, height);
  StartTickTimer(gTickTimer, SDL_GetTicks64());
  SDL_ShowCursor(SDL_DISABLE);
  return true;
}

// The window and its pixel format; false when no window could be made at
// all. A window whose GL surface was refused still counts: the quit is posted
// with the reason, as the desktop's create handling would.
bool CreateGameWindow() {
  const bool formatSet = RequestPixelFormat();
  const Uint32 fullscreen = ScreenModeAvailable() ? SDL_WINDOW_FULLSCREEN : 0;
  gWindow = CreateWindowWithFlags(SDL_WINDOW_OPENGL | fullscreen);
  if (gWindow == nullptr) {
    // A plain window that works means only the GL surface was refused.
    gWindow = CreateWindowWithFlags(0);
    if (gWindow == nullptr) return false;
    PostQuitWithMessage("Can't Find A Suitable PixelFormat.");
  } else if (!formatSet) {
    PostQuitWithMessage("Can't Set The PixelFormat.");
  }
  return true;
}

int ApplicationMain() {
  SetErrorMessageHandler(ShowErrorBox);
  if (!OpenDisplay()) {
    ShowErrorMessage("Failed To Register The Window Class.");
    return 0;
  }
  if (!CreateGameWindow()) {
    ShowErrorMessage("Window Creation Error.");
    ReleaseDisplay();
    return 0;
  }
  // After a failed GL set-up the scene is skipped and no tick ever runs.
  const bool glReady = !gQuitPosted && CreateGameContext();
  ShowGameWindow();
  if (glReady) {
    SDL_GL_MakeCurrent(gWindow, gRenderContext);
    SetUpScene();
    // Extras: without them the game plays on.
    StartGameAudio();
    StartGamepads();
  }
  RunEventLoop();
  ReleaseDisplay();
  return 1;
}
