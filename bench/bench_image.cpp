// bench_image.cpp -- how fast the BMP reader decodes a 1024 x 1024 picture,
// uncompressed 24-bit and 8-bit run-length, in bytes of output per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "image/BitmapImage.h"

namespace {

constexpr int kSide = 1024;

void Put(std::vector<unsigned char>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// File header, info header and a grey colour table, before the pixels.
std::vector<unsigned char> Headers(int bits, uint32_t compression, uint32_t colours) {
  std::vector<unsigned char> file = {'B', 'M'};
  Put(file, 0, 4);
  Put(file, 0, 4);
  Put(file, 54 + 4 * colours, 4);
  for (uint32_t v : {40u, uint32_t(kSide), uint32_t(kSide)}) Put(file, v, 4);
  Put(file, 1, 2);
  Put(file, static_cast<uint32_t>(bits), 2);
  for (uint32_t v : {compression, 0u, 0u, 0u, colours, 0u}) Put(file, v, 4);
  for (uint32_t i = 0; i < colours; ++i) Put(file, i * 0x010101u, 4);
  return file;
}

std::vector<unsigned char> TrueColourFile() {
  std::vector<unsigned char> file = Headers(24, 0, 0);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide * 3; ++x) file.push_back(static_cast<unsigned char>(x * 7 + y * 3));
  }
  return file;
}

// Runs of 1 to 40 pixels with a 6-pixel literal now and then, each row ended
// by its escape: the shape of a drawn texture.
std::vector<unsigned char> RunLengthFile() {
  std::vector<unsigned char> file = Headers(8, 1, 256);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0, code = 0; x < kSide; ++code) {
      const int room = kSide - x;
      if (code % 5 == 4 && room >= 6) {
        file.insert(file.end(), {0, 6, 1, 2, 3, 4, 5, 6});
        x += 6;
        continue;
      }
      int run = 1 + (x * 7 + y) % 40;
      if (run > room) run = room;
      file.insert(file.end(), {static_cast<unsigned char>(run), static_cast<unsigned char>(x + y)});
      x += run;
    }
    file.insert(file.end(), {0, 0});
  }
  file.insert(file.end(), {0, 1});
  return file;
}

void Decode(benchmark::State& state, const std::vector<unsigned char>& file) {
  for (auto _ : state) {
    BitmapError error = BitmapError::kNone;
    auto image = DecodeBitmap(file.data(), file.size(), error);
    if (!image) state.SkipWithError("the bitmap was refused");
    benchmark::DoNotOptimize(image);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSide * kSide * 3);
}

void BM_Decode24Bit1024(benchmark::State& state) {
  static const std::vector<unsigned char> file = TrueColourFile();
  Decode(state, file);
}

void BM_DecodeRle8_1024(benchmark::State& state) {
  static const std::vector<unsigned char> file = RunLengthFile();
  Decode(state, file);
}

}  // namespace

BENCHMARK(BM_Decode24Bit1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRle8_1024)->Unit(benchmark::kMillisecond);
