// BitmapHeader.cpp -- reads a bitmap's headers, bit-field masks and colour
// table, and refuses what the reader cannot decode.
//
// Which message a damaged file gets: a header that is missing, cut short or of
// an unknown size is "Unknown DIB file format."; masks, colour table or pixel
// offset beyond the end of the file, a size of 0 or less and an encoding we do
// not decode are "Image file conversion error.".
#include <climits>

#include "image/BitmapFormat.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t Read16(const unsigned char* p) { return p[0] | static_cast<uint32_t>(p[1]) << 8; }

uint32_t Read32(const unsigned char* p) {
  return p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// The bitmap header's fields, as stored, before any check.
struct HeaderFields {
  size_t start = 0;  // offset of the bitmap header in the file
  uint32_t headerSize = 0;
  int64_t width = 0;
  int64_t height = 0;
  int bitsPerPixel = 0;
  uint32_t compression = kCompressNone;
  uint32_t coloursUsed = 0;
  size_t entrySize = 0;  // bytes per colour-table entry
};

BitmapError ReadHeaderFields(const unsigned char* bytes, size_t size, HeaderFields& f) {
  if (size < f.start || size - f.start < 4) return BitmapError::kUnknownFormat;
  const unsigned char* h = bytes + f.start;
  f.headerSize = Read32(h);
  if (f.headerSize != kCoreHeaderSize && f.headerSize != kInfoHeaderSize) {
    return BitmapError::kUnknownFormat;
  }
  if (size - f.start < f.headerSize) return BitmapError::kUnknownFormat;
  if (f.headerSize == kCoreHeaderSize) {  // never compressed, no colours-used field
    f.width = Read16(h + 4);
    f.height = Read16(h + 6);
    f.bitsPerPixel = static_cast<int>(Read16(h + 10));
    f.entrySize = 3;
  } else {
    f.width = static_cast<int32_t>(Read32(h + 4));
    f.height = static_cast<int32_t>(Read32(h + 8));
    f.bitsPerPixel = static_cast<int>(Read16(h + 14));
    f.compression = Read32(h + 16);
    f.coloursUsed = Read32(h + 32);
    f.entrySize = 4;
  }
  return BitmapError::kNone;
}

bool EncodingKnown(int bits, uint32_t compression) {
  switch (compression) {
    case kCompressNone:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kCompressRle8: return bits == 8;
    case kCompressRle4: return bits == 4;
    case kCompressBitFields: return bits == 16 || bits == 32;
    default: return false;
  }
}

uint32_t DefaultColourCount(int bits) {
  switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

// A mask must be one run of set bits (or none, for a channel that stays 0).
bool SetChannelMask(uint32_t mask, ChannelMask& channel) {
  channel = ChannelMask{};
  if (mask == 0) return true;
  int low = 0;
  while (((mask >> low) & 1) == 0) ++low;
  int bits = 0;
  while (low + bits < 32 && ((mask >> (low + bits)) & 1) != 0) ++bits;
  if (low + bits < 32 && (mask >> (low + bits)) != 0) return false;
  // Keep the top 8 bits of a wider channel; widen a narrower one by repeating
  // its bits, so that all ones becomes 255 (31 -> 255 for 5 bits).
  const int kept = bits > 8 ? 8 : bits;
  channel.mask = mask;
  channel.shift = low + bits - kept;
  for (uint32_t v = 0; v < (1u << kept); ++v) {
    uint32_t pattern = 0;
    int filled = 0;
    for (; filled < 8; filled += kept) pattern = (pattern << kept) | v;
    channel.widen[v] = static_cast<unsigned char>(pattern >> (filled - 8));
  }
  return true;
}

// Masks follow an info header for compression 3; 16 bits without them is 5-5-5.
BitmapError ReadMasks(const unsigned char* bytes, size_t size, const HeaderFields& f,
                      size_t& tableStart, BitmapLayout& layout) {
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (f.compression == kCompressBitFields) {
    if (size - tableStart < 12) return BitmapError::kConversion;
    for (int c = 0; c < 3; ++c) masks[c] = Read32(bytes + tableStart + 4 * c);
    tableStart += 12;
  }
  for (int c = 0; c < 3; ++c) {
    if (!SetChannelMask(masks[c], layout.channels[c])) return BitmapError::kConversion;
  }
  return BitmapError::kNone;
}

// Entries are blue, green, red (and a reserved byte in an info header's table).
BitmapError ReadColourTable(const unsigned char* bytes, size_t size, const HeaderFields& f,
                            size_t& tableEnd, BitmapLayout& layout) {
  const uint64_t colours = f.coloursUsed != 0 ? f.coloursUsed : DefaultColourCount(f.bitsPerPixel);
  const uint64_t tableBytes = colours * f.entrySize;
  if (tableBytes > size - tableEnd) return BitmapError::kConversion;
  const unsigned char* table = bytes + tableEnd;
  const size_t used = colours < 256 ? static_cast<size_t>(colours) : 256;
  for (size_t i = 0; i < used; ++i) {
    const unsigned char* entry = table + i * f.entrySize;
    layout.palette[3 * i] = entry[2];
    layout.palette[3 * i + 1] = entry[1];
    layout.palette[3 * i + 2] = entry[0];
  }
  tableEnd += static_cast<size_t>(tableBytes);
  return BitmapError::kNone;
}

// Width and row count; a negative height means top row first.
BitmapError SetDimensions(const HeaderFields& f, BitmapLayout& layout) {
  if (f.width <= 0 || f.height == 0) return BitmapError::kConversion;
  const int64_t rows = f.height < 0 ? -f.height : f.height;
  if (rows > INT_MAX) return BitmapError::kOutOfMemory;  // only -2^31: far too big
  layout.width = static_cast<int>(f.width);
  layout.height = static_cast<int>(rows);
  layout.topDown = f.height < 0;
  layout.bitsPerPixel = f.bitsPerPixel;
  layout.compression = f.compression;
  return BitmapError::kNone;
}

}  // namespace

BitmapError ParseBitmapLayout(const unsigned char* bytes, size_t size, BitmapLayout& layout) {
  if (size == 0) return BitmapError::kOpen;
  const bool fileHeader = size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
  HeaderFields f;
  f.start = fileHeader ? kFileHeaderSize : 0;
  BitmapError error = ReadHeaderFields(bytes, size, f);
  if (error != BitmapError::kNone) return error;
  if (!EncodingKnown(f.bitsPerPixel, f.compression)) return BitmapError::kConversion;
  error = SetDimensions(f, layout);
  if (error != BitmapError::kNone) return error;
  size_t tableStart = f.start + f.headerSize;
  if (f.bitsPerPixel == 16 || f.compression == kCompressBitFields) {
    error = ReadMasks(bytes, size, f, tableStart, layout);
    if (error != BitmapError::kNone) return error;
  }
  error = ReadColourTable(bytes, size, f, tableStart, layout);
  if (error != BitmapError::kNone) return error;
  // Without a file header the pixels follow the colour table at once.
  const size_t pixelOffset = fileHeader ? Read32(bytes + 10) : tableStart;
  if (pixelOffset > size) return BitmapError::kConversion;
  layout.pixelOffset = pixelOffset;
  return BitmapError::kNone;
}
