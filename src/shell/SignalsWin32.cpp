// SignalsWin32.cpp -- the ways a Windows session ends the game: the console's
// Ctrl+C, Ctrl+Break and close, a log-off or shut-down (as console events and
// as the session's end messages). Each closes the game as its window's close
// does, the error box included.
#include <SDL.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>

#include "shell/Shell.h"
#include "shell/Signals.h"

namespace {
std::atomic<bool> gEndRequested{false};
DWORD gGameThread = 0;  // the thread of the window, the loop and the error box

// How long the close may take before the process ends without it: within
// the 5 s Windows gives a console's close, and past the 2 s Wine with no
// window manager takes to put away a closed error box.
constexpr DWORD kCloseDeadlineMs = 4000;

// The error box is a dialog of the game's thread, waiting in a loop of its
// own; closed, its caller goes on to the game's exit, which puts the mode back.
BOOL CALLBACK CloseIfDialog(HWND window, LPARAM) {
  wchar_t name[16];
  if (GetClassNameW(window, name, 16) > 0 && lstrcmpW(name, L"#32770") == 0)
    PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void RequestEnd() {
  if (gEndRequested.exchange(true)) return;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);  // wakes the loop, asleep or paused
  EnumThreadWindows(gGameThread, CloseIfDialog, 0);
}

// On the thread Windows makes for the event. Returning would end the process
// at once for a close, log-off or shut-down, so it waits for the game's own
// exit, which ends this thread too.
BOOL WINAPI OnConsoleEvent(DWORD) {
  RequestEnd();
  Sleep(kCloseDeadlineMs);
  // The close is stuck: the desktop's mode at least, and a word on why the
  // game ended without it (straight to the handle: the stuck thread may hold
  // the C runtime's stderr).
  ChangeDisplaySettingsW(nullptr, 0);
  static const char kText[] = "courtball: the close took over 4 s; ended without it\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), kText, sizeof kText - 1, &written, nullptr);
  TerminateProcess(GetCurrentProcess(), kExitNormal);
  return TRUE;
}

// The session's end is sent to every window of the thread, the error box's
// too, wherever the thread waits; the window procedures never see it through
// SDL's hook, which only meets posted messages. Once it is certain (ENDSESSION
// with TRUE), Windows may end the process as soon as it is answered: the game
// ends here, as its close would.
LRESULT CALLBACK WatchSessionEnd(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == WM_ENDSESSION && sent->wParam) {
    gEndRequested = true;
    if (gRenderContext != nullptr) CloseGame();
    ReleaseDisplay();
    std::exit(kExitNormal);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

void StartSignalWatch() {
  gGameThread = GetCurrentThreadId();
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  SetWindowsHookExW(WH_CALLWNDPROC, WatchSessionEnd, nullptr, gGameThread);
}

bool EndRequested() { return gEndRequested; }
