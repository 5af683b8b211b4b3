// Application.cpp -- start-up: the display, the game window, its GL context
// and the error box; then the scene set-up and the event loop.
#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "loop/Game.h"
#include "platform/ErrorMessage.h"
#include "shell/Audio.h"
#include "shell/Gamepad.h"
#include "shell/HeldStderr.h"
#include "shell/Shell.h"
#include "shell/VideoDriver.h"
#include "shell/X11Guard.h"
#include "shell/core/RenderState.h"

const int gScreenWidth = 1024;
const int gScreenHeight = 768;
const char* const gWindowTitle = "Hit Esc To Exit.";

SDL_Window* gWindow = nullptr;
SDL_GLContext gRenderContext = nullptr;
ScreenTaking gScreenTaking = ScreenTaking::kModeSwitch;
TickTimer gTickTimer;
bool gQuitPosted = false;
bool gPaused = false;
std::uint64_t (*gShellClock)() = SDL_GetTicks64;

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

// The box's owner: the game window only where it is a window of the desktop
// itself. One of SDL's dummy or offscreen driver has none behind it, and
// Windows' box would read the missing one and crash.
SDL_Window* BoxOwner() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  return gWindow != nullptr && SDL_GetWindowWMInfo(gWindow, &info) ? gWindow : nullptr;
}

// Stderr first, so the text survives when no box can be shown.
void ShowErrorBox(const std::string& text) {
  WriteErrorToStderr(text);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text.c_str(), BoxOwner());
}

// The game's own message first, then the cause in a user's words (stderr
// only: the box keeps the game's text).
void ReportFailure(const char* text, const std::string& cause) {
  WriteErrorToStderr(text);
  if (!cause.empty()) WriteErrorToStderr("courtball: " + cause);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text, BoxOwner());
}

std::string SdlCause(const char* what) {
  return std::string(what) + " (SDL: " + SDL_GetError() + ")";
}

// SDL given a mode it lacks takes the nearest one; only an exact 1024x768
// mode is worth a real switch.
bool ScreenModeAvailable() {
  std::vector<ScreenMode> modes;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0) modes.push_back({mode.w, mode.h});
  }
  return ExactModeListed(modes, gScreenWidth, gScreenHeight);
}

// At the desktop's size where the desktop is taken whole: with no window
// manager to make it fullscreen, the window then still covers the screen.
SDL_Window* CreateWindowWithFlags(Uint32 flags) {
  SDL_DisplayMode desktop;
  const bool whole = (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP &&
                     SDL_GetDesktopDisplayMode(0, &desktop) == 0;
  return SDL_CreateWindow(gWindowTitle, 0, 0, whole ? desktop.w : gScreenWidth,
                          whole ? desktop.h : gScreenHeight,
                          flags | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
}

// The desktop's own size in its real pixels, HiDPI included.
Uint32 FullscreenFlags() {
  if (gScreenTaking == ScreenTaking::kModeSwitch) return SDL_WINDOW_FULLSCREEN;
  return SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALLOW_HIGHDPI;
}

void PostQuitWithMessage(const char* text, const std::string& cause) {
  ReportFailure(text, cause);
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

// A GL driver may fail on the server's side while SDL reports success; its X
// error, kept since the window's creation, then gets the game's message.
bool MakeContext() {
  gRenderContext = SDL_GL_CreateContext(gWindow);
  const bool created = gRenderContext != nullptr;
  const bool current = created && SDL_GL_MakeCurrent(gWindow, gRenderContext) == 0;
  // SDL's own cause, before the sync with the server can leave an error of its own.
  const std::string cause =
      SdlCause(created ? "the GL context cannot be made current" : "no GL context");
  const std::string xError = TakeKeptXError(gWindow);
  if (!created || !xError.empty()) {
    PostQuitWithMessage("Can't Create A GL Rendering Context.", xError.empty() ? cause : xError);
    return false;
  }
  if (!current) {
    PostQuitWithMessage("Can't activate GLRC.", cause);
    return false;
  }
  return true;
}
}  // namespace

bool OpenDisplay() {
  HeldStderr libraryLines;
  if (SDL_Init(SDL_INIT_VIDEO) == 0) {
    if (VideoDriverAccepted(SDL_GetCurrentVideoDriver(), SDL_GetHint(SDL_HINT_VIDEODRIVER))) {
      GuardAgainstLostDisplay();
      // A mode set on X11 outlives the process: every exit puts it back,
      // exit(1) after a failed texture included.
      std::atexit(ReleaseDisplay);
      return true;
    }
    SDL_ClearError();  // SDL settled on a driver that draws nowhere: no error of its own
  }
  const std::string cause =
      NoDisplayCause(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), SDL_GetError());
  SDL_Quit();
  libraryLines.Restore();
  WriteErrorToStderr("Failed To Register The Window Class.");
  WriteErrorToStderr("courtball: " + cause);
  return false;
}

void ReleaseDisplay() {
  // Once only: an exit from inside SDL_Quit must not run SDL_Quit again
  // from the exit handler.
  static bool released = false;
  if (released) return;
  released = true;
  StopWatchingDisplay();
  StopGameAudio();
  StopGamepads();
  if (gWindow != nullptr) SDL_SetWindowFullscreen(gWindow, 0);  // the desktop's mode back
#ifdef _WIN32
  // Windows takes the window down with the process. Hidden first, as SDL
  // hides it to destroy it, it only makes the end wait: under Wine with no
  // window manager, 2 s for one to confirm.
  SDL_QuitSubSystem(SDL_WasInit(SDL_INIT_EVERYTHING) & ~SDL_INIT_VIDEO);
#else
  if (gWindow != nullptr) {
    SDL_DestroyWindow(gWindow);
    gWindow = nullptr;
  }
  SDL_Quit();
#endif
}

bool CreateGameContext() {
  if (!MakeContext()) return false;
  // The 20 ms grid alone paces the game; a swap that waited for the
  // display's refresh would fight it.
  SDL_GL_SetSwapInterval(0);
  InitRenderState();
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(gWindow, &width, &height);
  ResizeViewport(width, height);
  StartTickTimer(gTickTimer, gShellClock());
  SDL_ShowCursor(SDL_DISABLE);
  return true;
}

// The window and its pixel format; false when no window could be made at
// all. A window whose GL surface was refused still counts: the quit is posted
// with the reason, as the desktop's create handling would.
bool CreateGameWindow() {
  const bool formatSet = RequestPixelFormat();
  KeepXErrors();
  gScreenTaking = ChooseScreenTaking(SDL_GetCurrentVideoDriver(), ScreenModeAvailable());
  gWindow = CreateWindowWithFlags(SDL_WINDOW_OPENGL | FullscreenFlags());
  WatchDisplayConnection(gWindow);
  if (gWindow == nullptr) {
    const std::string cause = SdlCause("no window with a GL surface");
    // A plain window that works means only the GL surface was refused.
    gWindow = CreateWindowWithFlags(0);
    if (gWindow == nullptr) return false;
    PostQuitWithMessage("Can't Find A Suitable PixelFormat.", cause);
  } else if (!formatSet) {
    PostQuitWithMessage("Can't Set The PixelFormat.", SdlCause("the GL attributes were refused"));
  }
  return true;
}

int ApplicationMain() {
  SetErrorMessageHandler(ShowErrorBox);
  if (!OpenDisplay()) return kExitFailedStart;
  if (!CreateGameWindow()) {
    ReportFailure("Window Creation Error.", SdlCause("no window could be made"));
    ReleaseDisplay();
    return kExitFailedStart;
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
  return kExitNormal;
}
