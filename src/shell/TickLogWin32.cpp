// TickLogWin32.cpp -- tick times for the pacing measurement on Windows
// (courtball-timed only): the performance counter, in microseconds.
#include "shell/TickLog.h"

#ifdef COURTBALL_TIMED
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
HANDLE gTickLogFile = INVALID_HANDLE_VALUE;
HANDLE gAudioLogFile = INVALID_HANDLE_VALUE;

long long Microseconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  const long long f = frequency.QuadPart;
  return count.QuadPart / f * 1000000 + count.QuadPart % f * 1000000 / f;
}

void LogTime(HANDLE& file) {
  if (file == INVALID_HANDLE_VALUE) return;
  char line[32];
  const int length = std::snprintf(line, sizeof line, "%lld\n", Microseconds());
  DWORD written = 0;
  if (!WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr)) {
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
  }
}

// Not inherited by anything the game starts; others may read it meanwhile.
HANDLE Create(const std::string& utf8) {
  wchar_t path[MAX_PATH * 4];
  if (MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, path, MAX_PATH * 4) == 0)
    return INVALID_HANDLE_VALUE;
  return CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

void OpenTickLog(const char* path) {
  gTickLogFile = Create(path);
  gAudioLogFile = Create(std::string(path) + ".audio");
}

// One write per tick, straight to the file, so a killed run keeps its ticks.
void LogTickTime() { LogTime(gTickLogFile); }
void LogAudioStart() { LogTime(gAudioLogFile); }
#endif
