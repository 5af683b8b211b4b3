// BmpWriter.h -- bitmap files laid out byte by byte as a writer would, for
// the reader's and the textures' tests: either header, any depth, colour
// table, bit-field masks and pixel offset.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// v as `bytes` little-endian bytes.
inline void Put(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
}

// Fields a test does not set take the usual values.
struct Bmp {
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

inline Bmp Info(int width, int height, int bits, Bytes pixels) {
  Bmp b;
  b.width = width;
  b.height = height;
  b.bits = bits;
  b.pixels = std::move(pixels);
  return b;
}

// A 24-bit bitmap of R G B pixels, bottom row first: stored B G R, rows padded.
inline Bmp TrueColour(int width, int height, const Bytes& rgb) {
  Bmp b = Info(width, height, 24, {});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      b.pixels.insert(b.pixels.end(), {p[2], p[1], p[0]});
    }
    b.pixels.resize((b.pixels.size() + 3) & ~size_t{3}, 0);
  }
  return b;
}

inline std::string Build(const Bmp& b) {
  std::string dib;
  Put(dib, b.headerSize, 4);
  const int size = b.headerSize == 12 ? 2 : 4;  // of the width and the height
  Put(dib, uint32_t(b.width), size);
  Put(dib, uint32_t(b.height), size);
  Put(dib, 1, 2);
  Put(dib, b.bits, 2);
  if (b.headerSize != 12) {
    for (uint32_t v : {b.compression, uint32_t(b.pixels.size()), 2835u, 2835u, b.coloursUsed, 0u}) {
      Put(dib, v, 4);
    }
    dib.resize(b.headerSize, '\0');
  }
  for (uint32_t m : b.masks) Put(dib, m, 4);
  for (uint32_t c : b.palette) {
    for (int shift : {0, 8, 16}) dib += static_cast<char>((c >> shift) & 255);
    if (b.headerSize != 12) dib += '\0';
  }
  const std::string pixels(b.pixels.begin(), b.pixels.end());
  if (!b.fileHeader) return dib + pixels;
  std::string file = "BM";
  Put(file, uint32_t(14 + dib.size() + pixels.size()), 4);
  Put(file, 0, 4);
  Put(file, uint32_t(b.pixelOffset >= 0 ? b.pixelOffset : int64_t(14 + dib.size())), 4);
  return file + dib + pixels;
}
