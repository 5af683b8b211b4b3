// TickLog.cpp -- tick times for the pacing measurement (courtball-timed only).
#include "shell/TickLog.h"

#ifdef COURTBALL_TIMED
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {
int gTickLogFile = -1;
int gAudioLogFile = -1;

void LogTime(int& file) {
  if (file < 0) return;
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  char line[32];
  const long long micros = static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
  const int length = std::snprintf(line, sizeof line, "%lld\n", micros);
  if (write(file, line, static_cast<size_t>(length)) < 0) file = -1;
}
}  // namespace

void OpenTickLog(const char* path) {
  gTickLogFile = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  gAudioLogFile =
      open((std::string(path) + ".audio").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

// One write per tick, straight to the file, so a killed run keeps its ticks.
void LogTickTime() { LogTime(gTickLogFile); }
void LogAudioStart() { LogTime(gAudioLogFile); }
#endif
