// BmpWriter.h -- bitmap files laid out byte by byte: either header, any depth, table, masks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Fields a test does not set take the usual values.
struct Bmp {
  Bmp(int32_t w, int32_t h, int depth, Bytes stored) : width(w), height(h), bits(depth) {
    pixels = std::move(stored);
  }
  bool fileHeader = true;
  uint32_t headerSize = 40;  // 12: the core header
  int32_t width = 1, height = 1;
  int bits = 24;
  uint32_t compression = 0, coloursUsed = 0;
  std::vector<uint32_t> masks;    // written right after the header
  std::vector<uint32_t> palette;  // 0xRRGGBB per entry
  Bytes pixels;                   // exactly as stored
  int64_t pixelOffset = -1;       // -1: right after the colour table
};

// v as `bytes` little-endian bytes at the end of s.
inline void Put(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
}

inline std::string Build(const Bmp& b) {
  std::string dib;
  const bool core = b.headerSize == 12;  // 16-bit sizes, no compression, 3-byte colours
  Put(dib, b.headerSize, 4);
  Put(dib, b.width, core ? 2 : 4);
  Put(dib, b.height, core ? 2 : 4);
  Put(dib, 1, 2);
  Put(dib, b.bits, 2);
  if (!core) {
    for (uint32_t v : {b.compression, uint32_t(b.pixels.size()), 2835u, 2835u, b.coloursUsed, 0u}) {
      Put(dib, v, 4);
    }
    dib.resize(b.headerSize, '\0');
  }
  for (uint32_t m : b.masks) Put(dib, m, 4);
  for (uint32_t c : b.palette) Put(dib, c, core ? 3 : 4);  // blue, green, red (, 0)
  const std::string pixels(b.pixels.begin(), b.pixels.end());
  if (!b.fileHeader) return dib + pixels;
  std::string file = "BM";
  Put(file, uint32_t(14 + dib.size() + pixels.size()), 4);
  Put(file, 0, 4);
  Put(file, uint32_t(b.pixelOffset >= 0 ? b.pixelOffset : int64_t(14 + dib.size())), 4);
  return file + dib + pixels;
}
