// MainWin32.cpp -- the process entry on Windows: the game's folder first, then
// as on Linux. SDL2main turns WinMain into this main with UTF-8 arguments.
#include <windows.h>

#include <string>

#include "loop/Game.h"
#include "shell/Shell.h"
#include "shell/Signals.h"
#include "shell/TickLog.h"

namespace {
// The data files lie beside courtball.exe; a double click, a shortcut or a
// console may start it in any folder. False when its own path is unknown.
bool EnterGameFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size())
    path.resize(path.size() * 2);
  const size_t slash = path.find_last_of(L"\\/", length);
  if (length == 0 || slash == std::wstring::npos) return false;
  path.resize(slash + 1);  // "C:\" stays a root
  return SetCurrentDirectoryW(path.c_str()) != 0;
}
}  // namespace

int main(int argc, char** argv) {
  // The game's objects were built before main, the ball from the folder the
  // game was started in: built again, as at start, from the game's own.
  if (EnterGameFolder()) ResetGameState();
  StartSignalWatch();
  // courtball-timed takes the tick log's path; the game takes no arguments.
  if (argc > 1) OpenTickLog(argv[1]);
  return ApplicationMain();
}
