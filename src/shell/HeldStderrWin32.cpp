// HeldStderrWin32.cpp -- stderr kept in a temporary file, deleted when closed,
// and written out later. Started with no stderr (from Explorer), it holds nothing.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "shell/HeldStderr.h"

namespace {
int OpenScratchFile() {
  wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"cbe", 0, name) == 0)
    return -1;
  return _wopen(name, _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_NOINHERIT);
}
}  // namespace

HeldStderr::HeldStderr() : held_(-1), saved_(-1) {
  const int stderrFile = _fileno(stderr);
  if (stderrFile < 0) return;
  std::fflush(stderr);
  held_ = OpenScratchFile();
  saved_ = held_ >= 0 ? _dup(stderrFile) : -1;
  if (saved_ >= 0) _dup2(held_, stderrFile);
}

HeldStderr::~HeldStderr() {
  Restore();
  Replay();
}

void HeldStderr::Restore() {
  std::fflush(stderr);
  if (saved_ >= 0) _dup2(saved_, _fileno(stderr));
}

void HeldStderr::Replay() {
  char chunk[4096];
  if (held_ >= 0 && _lseek(held_, 0, SEEK_SET) == 0) {
    for (int got; (got = _read(held_, chunk, sizeof chunk)) > 0;)
      if (_write(_fileno(stderr), chunk, static_cast<unsigned>(got)) != got) break;
  }
  Drop();
}

void HeldStderr::Drop() {
  Restore();
  if (held_ >= 0) _close(held_);
  if (saved_ >= 0) _close(saved_);
  held_ = saved_ = -1;
}
