// DataFile.h -- the game's data files opened for reading: regular files only,
// so that a directory, a device or a FIFO in a file's place reads as missing.
// Paths are UTF-8; bytes come back exactly as stored, never as text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <streambuf>

class DataFile {
 public:
  // The open file: a descriptor, or on Windows a HANDLE. -1: the path names no
  // regular file that could be opened.
  std::intptr_t handle = -1;
  uint64_t size = 0;  // as the file system told it at opening

  explicit DataFile(const char* path);
  ~DataFile();
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  bool IsOpen() const { return handle != -1; }
  // Reads up to n bytes at offset into dst and returns how many it got: fewer
  // at the end of the file, and a read error ends the file where it happens.
  size_t ReadAt(uint64_t offset, void* dst, size_t n) const;
};

// A data file as a stream for the token and byte readers. It ends at the end
// of the file, at a read error or after limit bytes, and it never throws.
class DataFileBuffer : public std::streambuf {
 public:
  DataFileBuffer(const DataFile& file, uint64_t limit) : file_(file), limit_(limit) {}

 protected:
  int_type underflow() override;

 private:
  const DataFile& file_;
  uint64_t limit_;
  uint64_t offset_ = 0;  // of the byte after the chunk held
  char chunk_[16384];
};
