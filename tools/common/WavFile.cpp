// WavFile.cpp -- the RIFF header of 16-bit PCM, written little-endian byte by
// byte so the files are the same on any host.
#include "common/WavFile.h"

namespace {
void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

std::string Header(uint32_t dataBytes, int channels, int rate) {
  std::string h = "RIFF";
  Put32(h, 36 + dataBytes);
  h += "WAVEfmt ";
  Put32(h, 16);
  Put16(h, 1);  // PCM
  Put16(h, static_cast<uint16_t>(channels));
  Put32(h, static_cast<uint32_t>(rate));
  Put32(h, static_cast<uint32_t>(rate * channels * 2));
  Put16(h, static_cast<uint16_t>(channels * 2));
  Put16(h, 16);
  h += "data";
  Put32(h, dataBytes);
  return h;
}

void PutSamples(std::string& out, const int16_t* samples, size_t count) {
  for (size_t i = 0; i < count; ++i) Put16(out, static_cast<uint16_t>(samples[i]));
}
}  // namespace

std::string EncodeWav(const int16_t* samples, size_t count, int channels, int rate) {
  std::string out = Header(static_cast<uint32_t>(count * 2), channels, rate);
  PutSamples(out, samples, count);
  return out;
}

WavWriter::~WavWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

bool WavWriter::Open(const std::string& path, int channels, int rate) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return false;
  const std::string h = Header(0, channels, rate);
  failed_ = std::fwrite(h.data(), 1, h.size(), file_) != h.size();
  return !failed_;
}

bool WavWriter::Append(const int16_t* samples, size_t count) {
  buffer_.clear();  // keeps its room: no allocation per tick once the first is written
  PutSamples(buffer_, samples, count);
  failed_ = failed_ || std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size();
  dataBytes_ += static_cast<uint32_t>(buffer_.size());
  return !failed_;
}

bool WavWriter::Close() {
  if (file_ == nullptr) return false;
  std::string sizes;
  Put32(sizes, 36 + dataBytes_);
  failed_ =
      failed_ || std::fseek(file_, 4, SEEK_SET) != 0 || std::fwrite(sizes.data(), 1, 4, file_) != 4;
  sizes.clear();
  Put32(sizes, dataBytes_);
  failed_ = failed_ || std::fseek(file_, 40, SEEK_SET) != 0 ||
            std::fwrite(sizes.data(), 1, 4, file_) != 4;
  failed_ = std::fclose(file_) != 0 || failed_;
  file_ = nullptr;
  return !failed_;
}
