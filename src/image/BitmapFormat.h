// BitmapFormat.h -- the reader's own view of a bitmap file: where its colour
// table and pixels lie, and the decoders that turn stored rows into R G B.
#pragma once
#include <cstddef>
#include <cstdint>

#include "image/BitmapImage.h"

// The info header's compression codes that the reader knows.
constexpr uint32_t kCompressNone = 0;
constexpr uint32_t kCompressRle8 = 1;
constexpr uint32_t kCompressRle4 = 2;
constexpr uint32_t kCompressBitFields = 3;

// One colour channel of a 16- or 32-bit pixel: (pixel & mask) >> shift gives
// at most 8 bits, and widen turns them into 0..255 by bit replication.
struct ChannelMask {
  uint32_t mask = 0;
  int shift = 0;
  unsigned char widen[256] = {};
};

struct BitmapLayout {
  int width = 0;         // pixels per row, > 0
  int height = 0;        // rows, > 0 (a negative stored height is made positive)
  bool topDown = false;  // the file stores the top row first
  int bitsPerPixel = 0;
  uint32_t compression = kCompressNone;
  size_t pixelOffset = 0;  // from the start of the file, <= the file's size
  // R G B per colour-table entry; entries past the colour count stay black.
  unsigned char palette[256 * 3] = {};
  ChannelMask channels[3];  // red, green, blue; used for 16 and 32 bits
};

// The headers, masks and colour table lie within a file's first bytes: a file
// header of 14, an info header of 40, 12 of masks, 256 entries of 4.
constexpr size_t kBitmapHeadBytes = 14 + 40 + 12 + 256 * 4;

// Reads the headers and the colour table and checks that a file of size bytes
// holds them and that the reader can decode the encoding. bytes holds the
// file's first kBitmapHeadBytes (all of it, if shorter); nothing past them is
// read. Pixel data is not checked.
BitmapError ParseBitmapLayout(const unsigned char* bytes, size_t size, BitmapLayout& layout);

// The output row that stored row r lands on: bottom row first in every case.
inline size_t OutputRow(const BitmapLayout& layout, int r) {
  return static_cast<size_t>(layout.topDown ? layout.height - 1 - r : r);
}

// Stored rows are padded to whole 32-bit words.
inline uint64_t StoredRowBytes(const BitmapLayout& layout) {
  return (static_cast<uint64_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
}

// Uncompressed pixels: true when the file holds every stored row.
bool UncompressedPixelsFit(const BitmapLayout& layout, size_t size);
// Decode into out (width * height * 3 bytes). The run-length decoder needs
// out zeroed: pixels its escapes skip stay black.
void DecodeUncompressed(const unsigned char* bytes, const BitmapLayout& layout, unsigned char* out);
BitmapError DecodeRunLength(const unsigned char* bytes, size_t size, const BitmapLayout& layout,
                            unsigned char* out);
