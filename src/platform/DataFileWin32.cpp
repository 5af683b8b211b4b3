// DataFileWin32.cpp -- DataFile on Windows: the UTF-8 name widened, a disk
// file only, read at an offset with ReadFile; never the C runtime's text mode,
// which would turn "\r\n" into "\n" and end the file at a ^Z byte.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/DataFile.h"

namespace {
// Empty for a name that is not UTF-8: nothing is opened then.
std::wstring Widened(const char* path) {
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// A directory cannot be opened this way at all; a device, a pipe or the
// console can, and is turned away here.
bool IsDiskFile(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
  return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
}  // namespace

DataFile::DataFile(const char* path) {
  const std::wstring wide = path != nullptr ? Widened(path) : std::wstring();
  if (wide.empty()) return;
  // Others may go on writing, renaming or deleting it, as on Linux.
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION info;
  if (!IsDiskFile(file, info)) {
    CloseHandle(file);
    return;
  }
  handle = reinterpret_cast<std::intptr_t>(file);
  size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

DataFile::~DataFile() {
  if (IsOpen()) CloseHandle(AsHandle(handle));
}

size_t DataFile::ReadAt(uint64_t offset, void* dst, size_t n) const {
  size_t got = 0;
  while (IsOpen() && got < n) {
    const uint64_t at = offset + got;
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(at);
    where.OffsetHigh = static_cast<DWORD>(at >> 32);
    const DWORD want = static_cast<DWORD>(std::min<size_t>(n - got, 1u << 30));
    DWORD step = 0;
    if (!ReadFile(AsHandle(handle), static_cast<char*>(dst) + got, want, &step, &where)) break;
    if (step == 0) break;
    got += step;
  }
  return got;
}
