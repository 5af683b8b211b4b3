// WavFile.h -- 16-bit PCM WAV files: whole in memory for the data tool, or
// streamed to disk with the sizes filled in at the end for the capture tool.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// A complete file: header and samples (interleaved when channels > 1).
std::string EncodeWav(const int16_t* samples, size_t count, int channels, int rate);

class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  bool Open(const std::string& path, int channels, int rate);
  bool Append(const int16_t* samples, size_t count);
  // Writes the sizes into the header and closes; false if any write failed.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  uint32_t dataBytes_ = 0;
  std::string buffer_;  // one tick's bytes, reused
  bool failed_ = false;
};
