// Main.cpp -- the process entry: the shell's entry and its exit code.
#include "shell/Shell.h"
#include "shell/Signals.h"
#include "shell/TickLog.h"

int main(int argc, char** argv) {
  // Before SDL and GL start threads, so that every thread leaves the ending
  // signals to the one that watches for them.
  StartSignalWatch();
  // courtball-timed takes the tick log's path; the game takes no arguments.
  if (argc > 1) OpenTickLog(argv[1]);
  return ApplicationMain();
}
