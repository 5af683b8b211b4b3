// DataFile.cpp -- opening a data file without blocking or following it into
// anything but a regular file, and reading it without exceptions (POSIX).
#include "platform/DataFile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

DataFile::DataFile(const char* path) {
  // Looked at before opening, so no device is ever opened, and again after,
  // in case the name was swapped in between. Opening never waits on a FIFO.
  struct stat status;
  if (path == nullptr || stat(path, &status) != 0 || !S_ISREG(status.st_mode)) return;
  const int opened = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (opened < 0) return;
  if (fstat(opened, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(opened);
    return;
  }
  handle = opened;
  size = static_cast<uint64_t>(status.st_size);
}

DataFile::~DataFile() {
  if (IsOpen()) close(static_cast<int>(handle));
}

size_t DataFile::ReadAt(uint64_t offset, void* dst, size_t n) const {
  size_t got = 0;
  while (IsOpen() && got < n) {
    const ssize_t step = pread(static_cast<int>(handle), static_cast<char*>(dst) + got, n - got,
                               static_cast<off_t>(offset + got));
    if (step < 0 && errno == EINTR) continue;
    if (step <= 0) break;
    got += static_cast<size_t>(step);
  }
  return got;
}
