// X11Guard.cpp -- Xlib's error handlers for a lost display and a broken driver.
#include "shell/X11Guard.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>

namespace {
XErrorHandler gPreviousHandler = nullptr;
char gFirstError[256];  // the first kept error's text; empty when none

Display* X11Display(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info)) return nullptr;
  return info.subsystem == SDL_SYSWM_X11 ? info.info.x11.display : nullptr;
}

// No exit handler may run: each would talk to the dead display again.
int EndOnLostDisplay(Display*) {
  static const char kText[] = "courtball: the display went away\n";
  if (write(STDERR_FILENO, kText, sizeof kText - 1) < 0) {
  }
  _exit(1);
}

int KeepError(Display* display, XErrorEvent* error) {
  if (gFirstError[0] != '\0') return 0;
  char text[160];
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::snprintf(gFirstError, sizeof gFirstError, "X error: %s (request %d.%d)", text,
                error->request_code, error->minor_code);
  return 0;
}
}  // namespace

void GuardAgainstLostDisplay() { XSetIOErrorHandler(EndOnLostDisplay); }

void KeepXErrors() {
  gFirstError[0] = '\0';
  gPreviousHandler = XSetErrorHandler(KeepError);
}

std::string TakeKeptXError(SDL_Window* window) {
  Display* display = X11Display(window);
  if (display != nullptr) XSync(display, False);
  if (gFirstError[0] == '\0') XSetErrorHandler(gPreviousHandler);
  return gFirstError;
}
