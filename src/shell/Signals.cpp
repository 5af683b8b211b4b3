// Signals.cpp -- a thread that waits for the ending signals and asks the loop
// to close; the error box, a child SDL forks, is ended so its caller goes on.
#include "shell/Signals.h"

#include <SDL.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

namespace {
std::atomic<bool> gEndRequested{false};

// How long the close may take before the process ends without it.
constexpr auto kCloseDeadline = std::chrono::seconds(2);

sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : {SIGHUP, SIGQUIT, SIGTERM, SIGINT}) sigaddset(&set, signal);
  return set;
}

// The box waits in a child of the main thread that inherited the blocked
// signals, so only SIGKILL ends it; the main thread then goes on to its exit,
// which puts the display mode back.
void EndErrorBox() {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/task/%d/children", static_cast<int>(getpid()));
  std::ifstream children(path);
  for (int child; children >> child;) kill(child, SIGKILL);
}

void WatchSignals(sigset_t set) {
  int signal = 0;
  if (sigwait(&set, &signal) != 0) return;
  gEndRequested = true;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);  // wakes the loop, asleep or paused
  EndErrorBox();
  std::this_thread::sleep_for(kCloseDeadline);
  _exit(1);  // the close is stuck; the exit handlers would be too
}
}  // namespace

void StartSignalWatch() {
  sigset_t set = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  // SDL's own handlers would only turn two of the four into a quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  std::thread(WatchSignals, set).detach();
}

bool EndRequested() { return gEndRequested; }
