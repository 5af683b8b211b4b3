// HeldStderr.cpp -- stderr kept in a memory file and written out later.
#include "shell/HeldStderr.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace {
std::atomic<int> gRealStderr{-1};  // while held; read by the display's watcher
}  // namespace

int UnheldStderr() {
  const int real = gRealStderr;
  return real >= 0 ? real : STDERR_FILENO;
}

HeldStderr::HeldStderr()
    : held_(memfd_create("courtball-stderr", MFD_CLOEXEC)), saved_(dup(STDERR_FILENO)) {
  if (held_ >= 0 && saved_ >= 0) {
    gRealStderr = saved_;
    dup2(held_, STDERR_FILENO);
  }
}

HeldStderr::~HeldStderr() {
  Restore();
  Replay();
}

void HeldStderr::Restore() {
  std::fflush(stderr);
  if (saved_ >= 0) dup2(saved_, STDERR_FILENO);
  gRealStderr = -1;
}

void HeldStderr::Replay() {
  char chunk[4096];
  for (off_t at = 0; held_ >= 0;) {
    const ssize_t got = pread(held_, chunk, sizeof chunk, at);
    if (got <= 0 || write(STDERR_FILENO, chunk, static_cast<size_t>(got)) != got) break;
    at += got;
  }
  Drop();
}

void HeldStderr::Drop() {
  Restore();
  if (held_ >= 0) close(held_);
  if (saved_ >= 0) close(saved_);
  held_ = saved_ = -1;
}
