// BitmapRle.cpp -- run-length pixel data, RLE8 and RLE4, by the published
// rules: runs, literal runs padded to 16-bit words, end of line, end of
// bitmap and position delta. Pixels the escapes skip stay black; a stream that
// would write above the top row or runs out before the picture is complete is
// refused.
#include <cstring>

#include "image/BitmapFormat.h"

namespace {

constexpr int kEndOfLine = 0;
constexpr int kEndOfBitmap = 1;
constexpr int kDelta = 2;

// The stream still to read and where the next pixel goes (stored row y).
struct RleCursor {
  const unsigned char* next;
  const unsigned char* end;
  int x = 0;
  int y = 0;
};

enum class RleStep { kGoOn, kDone, kBroken };

unsigned char* PixelAt(const BitmapLayout& layout, unsigned char* out, const RleCursor& c) {
  return out + (OutputRow(layout, c.y) * layout.width + c.x) * 3;
}

// A run repeats one index (RLE8) or the byte's two nibbles in turn (RLE4).
void WriteRun(const unsigned char* palette, int value, int count, bool nibbles,
              unsigned char* dst) {
  const unsigned char* colours[2] = {palette + 3 * value, palette + 3 * value};
  if (nibbles) {
    colours[0] = palette + 3 * (value >> 4);
    colours[1] = palette + 3 * (value & 15);
  }
  for (int i = 0; i < count; ++i) std::memcpy(dst + 3 * i, colours[i & 1], 3);
}

void WriteLiteral(const unsigned char* palette, const unsigned char* src, int count, bool nibbles,
                  unsigned char* dst) {
  for (int i = 0; i < count; ++i) {
    const int index = nibbles ? (src[i >> 1] >> ((i & 1) ? 0 : 4)) & 15 : src[i];
    std::memcpy(dst + 3 * i, palette + 3 * index, 3);
  }
}

// How many of count pixels from the cursor fall inside the row. Pixels past
// the right edge are dropped: writers such as ImageMagick encode each row's
// padding as pixels too.
int Visible(const BitmapLayout& layout, const RleCursor& c, int count) {
  const int room = layout.width - c.x;
  return count < room ? count : room;
}

RleStep Delta(const BitmapLayout& layout, RleCursor& c) {
  if (c.end - c.next < 2) return RleStep::kBroken;
  const int dx = c.next[0];
  const int dy = c.next[1];
  c.next += 2;
  if (dy > layout.height - c.y) return RleStep::kBroken;
  c.x += Visible(layout, c, dx);
  c.y += dy;
  return RleStep::kGoOn;
}

RleStep Literal(const BitmapLayout& layout, int count, bool nibbles, RleCursor& c,
                unsigned char* out) {
  const int dataBytes = nibbles ? (count + 1) / 2 : count;
  const int paddedBytes = (dataBytes + 1) & ~1;  // literals end on a 16-bit word
  if (c.end - c.next < paddedBytes || c.y >= layout.height) return RleStep::kBroken;
  const int visible = Visible(layout, c, count);
  WriteLiteral(layout.palette, c.next, visible, nibbles, PixelAt(layout, out, c));
  c.next += paddedBytes;
  c.x += visible;
  return RleStep::kGoOn;
}

// Every row done, or the last one filled to its right edge.
bool Complete(const BitmapLayout& layout, const RleCursor& c) {
  return c.y >= layout.height || (c.y == layout.height - 1 && c.x >= layout.width);
}

RleStep Step(const BitmapLayout& layout, bool nibbles, RleCursor& c, unsigned char* out) {
  // A stream may end without its closing escapes once the picture is complete.
  if (c.end - c.next < 2) return Complete(layout, c) ? RleStep::kDone : RleStep::kBroken;
  const int count = c.next[0];
  const int code = c.next[1];
  c.next += 2;
  if (count > 0) {
    if (c.y >= layout.height) return RleStep::kBroken;  // above the top row
    const int visible = Visible(layout, c, count);
    WriteRun(layout.palette, code, visible, nibbles, PixelAt(layout, out, c));
    c.x += visible;
    return RleStep::kGoOn;
  }
  switch (code) {
    case kEndOfLine:
      c.x = 0;
      if (c.y < layout.height) ++c.y;
      return RleStep::kGoOn;
    case kEndOfBitmap: return RleStep::kDone;
    case kDelta: return Delta(layout, c);
    default: return Literal(layout, code, nibbles, c, out);
  }
}

}  // namespace

BitmapError DecodeRunLength(const unsigned char* bytes, size_t size, const BitmapLayout& layout,
                            unsigned char* out) {
  const bool nibbles = layout.compression == kCompressRle4;
  RleCursor c{bytes + layout.pixelOffset, bytes + size};
  for (;;) {
    const RleStep step = Step(layout, nibbles, c, out);
    if (step == RleStep::kDone) return BitmapError::kNone;
    if (step == RleStep::kBroken) return BitmapError::kConversion;
  }
}
