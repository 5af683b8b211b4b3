// X11Guard.cpp -- Xlib's error handlers for a lost display and a broken driver.
#include "shell/X11Guard.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "shell/HeldStderr.h"

namespace {
XErrorHandler gPreviousHandler = nullptr;
std::atomic<bool> gWatching{true};
char gFirstError[256];  // the first kept error's text; empty when none

Display* X11Display(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info)) return nullptr;
  return info.subsystem == SDL_SYSWM_X11 ? info.info.x11.display : nullptr;
}

// No exit handler may run: each would talk to the dead display again. The
// watcher and the main thread may both see the loss: the first says so and
// ends the process, the other waits for that.
[[noreturn]] void EndForLostDisplay() {
  static std::atomic<bool> ending{false};
  if (ending.exchange(true)) {
    for (;;) pause();
  }
  static const char kText[] = "courtball: the display went away\n";
  if (write(UnheldStderr(), kText, sizeof kText - 1) < 0) {
  }
  _exit(1);
}

int EndOnLostDisplay(Display*) { EndForLostDisplay(); }

// Asks only for the peer's hang-up, so it never takes a byte the main
// thread's reading would miss.
void AwaitHangUp(int fd) {
  pollfd watched{fd, POLLRDHUP, 0};
  while (poll(&watched, 1, -1) < 0 || watched.revents == 0) {
  }
  if (gWatching) EndForLostDisplay();
}

int ConnectionOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info)) return -1;
  if (info.subsystem == SDL_SYSWM_X11) return ConnectionNumber(info.info.x11.display);
  if (info.subsystem == SDL_SYSWM_WAYLAND) return wl_display_get_fd(info.info.wl.display);
  return -1;
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

void WatchDisplayConnection(SDL_Window* window) {
  const int fd = ConnectionOf(window);
  if (fd >= 0) std::thread(AwaitHangUp, fd).detach();
}

void StopWatchingDisplay() { gWatching = false; }

void EndIfDisplayLost(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info)) return;
  if (info.subsystem == SDL_SYSWM_WAYLAND && wl_display_get_error(info.info.wl.display) != 0)
    EndForLostDisplay();
}
