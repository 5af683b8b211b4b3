// BitmapPixels.cpp -- uncompressed pixel rows: indexed 1, 4 and 8 bits,
// 16 and 32 bits through channel masks, and plain 24 and 32 bits.
#include <cstring>

#include "image/BitmapFormat.h"

namespace {

// Decodes one stored row of width pixels into width * 3 bytes of R G B. The
// caller has checked once that the whole row lies inside the file.
using RowDecoder = void (*)(const unsigned char* src, unsigned char* dst, int width,
                            const BitmapLayout& layout);

// Indexed pixels: high-order bits first within a byte.
void DecodeRow1(const unsigned char* src, unsigned char* dst, int width,
                const BitmapLayout& layout) {
  for (int x = 0; x < width; ++x) {
    const int index = (src[x >> 3] >> (7 - (x & 7))) & 1;
    std::memcpy(dst + 3 * x, layout.palette + 3 * index, 3);
  }
}

void DecodeRow4(const unsigned char* src, unsigned char* dst, int width,
                const BitmapLayout& layout) {
  for (int x = 0; x < width; ++x) {
    const int index = (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    std::memcpy(dst + 3 * x, layout.palette + 3 * index, 3);
  }
}

void DecodeRow8(const unsigned char* src, unsigned char* dst, int width,
                const BitmapLayout& layout) {
  for (int x = 0; x < width; ++x) std::memcpy(dst + 3 * x, layout.palette + 3 * src[x], 3);
}

void DecodeRow16(const unsigned char* src, unsigned char* dst, int width,
                 const BitmapLayout& layout) {
  const ChannelMask& r = layout.channels[0];
  const ChannelMask& g = layout.channels[1];
  const ChannelMask& b = layout.channels[2];
  for (int x = 0; x < width; ++x, src += 2, dst += 3) {
    const uint32_t pixel = src[0] | static_cast<uint32_t>(src[1]) << 8;
    dst[0] = r.widen[(pixel & r.mask) >> r.shift];
    dst[1] = g.widen[(pixel & g.mask) >> g.shift];
    dst[2] = b.widen[(pixel & b.mask) >> b.shift];
  }
}

void DecodeRow32Masked(const unsigned char* src, unsigned char* dst, int width,
                       const BitmapLayout& layout) {
  const ChannelMask& r = layout.channels[0];
  const ChannelMask& g = layout.channels[1];
  const ChannelMask& b = layout.channels[2];
  for (int x = 0; x < width; ++x, src += 4, dst += 3) {
    const uint32_t pixel = src[0] | static_cast<uint32_t>(src[1]) << 8 |
                           static_cast<uint32_t>(src[2]) << 16 |
                           static_cast<uint32_t>(src[3]) << 24;
    dst[0] = r.widen[(pixel & r.mask) >> r.shift];
    dst[1] = g.widen[(pixel & g.mask) >> g.shift];
    dst[2] = b.widen[(pixel & b.mask) >> b.shift];
  }
}

// Stored blue, green, red: swap to red, green, blue.
void DecodeRow24(const unsigned char* src, unsigned char* dst, int width, const BitmapLayout&) {
  for (int x = 0; x < width; ++x, src += 3, dst += 3) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
  }
}

void DecodeRow32(const unsigned char* src, unsigned char* dst, int width, const BitmapLayout&) {
  for (int x = 0; x < width; ++x, src += 4, dst += 3) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
  }
}

RowDecoder ChooseRowDecoder(const BitmapLayout& layout) {
  switch (layout.bitsPerPixel) {
    case 1: return DecodeRow1;
    case 4: return DecodeRow4;
    case 8: return DecodeRow8;
    case 16: return DecodeRow16;
    case 24: return DecodeRow24;
    default: return layout.compression == kCompressBitFields ? DecodeRow32Masked : DecodeRow32;
  }
}

}  // namespace

bool UncompressedPixelsFit(const BitmapLayout& layout, size_t size) {
  // The last row may lack its padding, but not its pixels.
  const uint64_t available = size - layout.pixelOffset;
  const uint64_t lastRow = (static_cast<uint64_t>(layout.width) * layout.bitsPerPixel + 7) / 8;
  if (lastRow > available) return false;
  const uint64_t rowsBefore = static_cast<uint64_t>(layout.height) - 1;
  return rowsBefore == 0 || StoredRowBytes(layout) <= (available - lastRow) / rowsBefore;
}

void DecodeUncompressed(const unsigned char* bytes, const BitmapLayout& layout,
                        unsigned char* out) {
  const RowDecoder decode = ChooseRowDecoder(layout);
  const size_t stride = static_cast<size_t>(StoredRowBytes(layout));
  const size_t outRowBytes = static_cast<size_t>(layout.width) * 3;
  const unsigned char* pixels = bytes + layout.pixelOffset;
  for (int r = 0; r < layout.height; ++r) {
    decode(pixels + r * stride, out + OutputRow(layout, r) * outRowBytes, layout.width, layout);
  }
}
