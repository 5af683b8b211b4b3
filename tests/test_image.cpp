// The BMP reader: each header kind and encoding from hand-built files, and
// every refusal with its one message.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "image/BitmapImage.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 255);
  s += static_cast<char>((v >> 8) & 255);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// A bitmap file as a writer would lay it out; fields a test does not set
// take the usual values.
struct Bmp {
  bool fileHeader = true;
  uint32_t headerSize = 40;
  int32_t width = 1;
  int32_t height = 1;
  int bits = 24;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
  std::vector<uint32_t> masks;    // written right after the header
  std::vector<uint32_t> palette;  // 0xRRGGBB per entry
  Bytes pixels;
  int64_t pixelOffset = -1;  // -1: right after the colour table
};

std::string Build(const Bmp& b) {
  std::string dib;
  Put32(dib, b.headerSize);
  if (b.headerSize == 12) {
    Put16(dib, b.width);
    Put16(dib, b.height);
    Put16(dib, 1);
    Put16(dib, b.bits);
  } else {
    for (uint32_t v : {uint32_t(b.width), uint32_t(b.height)}) Put32(dib, v);
    Put16(dib, 1);
    Put16(dib, b.bits);
    for (uint32_t v : {b.compression, uint32_t(b.pixels.size()), 2835u, 2835u, b.coloursUsed, 0u}) {
      Put32(dib, v);
    }
    dib.resize(b.headerSize, '\0');
  }
  for (uint32_t m : b.masks) Put32(dib, m);
  for (uint32_t c : b.palette) {
    for (int shift : {0, 8, 16}) dib += static_cast<char>((c >> shift) & 255);
    if (b.headerSize != 12) dib += '\0';
  }
  const std::string pixels(b.pixels.begin(), b.pixels.end());
  if (!b.fileHeader) return dib + pixels;
  std::string file = "BM";
  Put32(file, uint32_t(14 + dib.size() + pixels.size()));
  Put32(file, 0);
  Put32(file, uint32_t(b.pixelOffset >= 0 ? b.pixelOffset : int64_t(14 + dib.size())));
  return file + dib + pixels;
}

// Entry i of a test colour table: a colour no other entry has.
uint32_t Entry(int i) { return uint32_t(i) << 16 | uint32_t(i * 3 & 255) << 8 | uint32_t(255 - i); }
std::vector<uint32_t> Palette(int n) {
  std::vector<uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(Entry(i));
  return p;
}
// The R G B a reader should give for these indices; -1 or >= count is black.
Bytes Indexed(std::initializer_list<int> indices, int count) {
  Bytes out;
  for (int i : indices) {
    const uint32_t c = (i >= 0 && i < count) ? Entry(i) : 0;
    for (int shift : {16, 8, 0}) out.push_back((c >> shift) & 255);
  }
  return out;
}

std::unique_ptr<BitmapImage> Decode(const std::string& file, BitmapError& error) {
  return DecodeBitmap(reinterpret_cast<const unsigned char*>(file.data()), file.size(), error);
}

struct DecodeCase {
  const char* name;
  Bmp bmp;
  int width, height;
  Bytes expected;
};

void ExpectDecodes(const std::vector<DecodeCase>& cases) {
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    BitmapError error = BitmapError::kConversion;
    auto image = Decode(Build(c.bmp), error);
    ASSERT_NE(image, nullptr) << "error " << int(error);
    EXPECT_EQ(error, BitmapError::kNone);
    EXPECT_EQ(image->width, c.width);
    EXPECT_EQ(image->height, c.height);
    EXPECT_EQ(image->data, c.expected);
  }
}

Bmp Info(int width, int height, int bits, Bytes pixels) {
  Bmp b;
  b.width = width;
  b.height = height;
  b.bits = bits;
  b.pixels = std::move(pixels);
  return b;
}

Bmp WithPalette(Bmp b, int entries, uint32_t coloursUsed) {
  b.palette = Palette(entries);
  b.coloursUsed = coloursUsed;
  return b;
}

Bmp Without(Bmp b) {
  b.fileHeader = false;
  return b;
}

}  // namespace

TEST(BitmapDecode, TrueColourRowsAndPadding) {
  Bmp gap = Info(1, 1, 24, {0, 0, 0, 0, 9, 8, 7, 0});
  gap.pixelOffset = 54 + 4;  // the file header's offset wins over the table's end
  Bmp cut = Info(3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE, 1, 1, 1, 2, 2, 2, 3, 3, 3});
  ExpectDecodes({
      {"2x2, first stored row first",
       Info(2, 2, 24, {0xFF, 0, 0, 0, 0xFF, 0, 0xAA, 0xAA, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xAA, 0xAA}),
       2, 2, {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF}},
      {"3 wide: 9 bytes kept, 3 padding dropped",
       Info(3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0}),
       3, 2, {3, 2, 1, 6, 5, 4, 9, 8, 7, 1, 1, 1, 2, 2, 2, 3, 3, 3}},
      {"last row without its padding", cut, 3, 2, {3, 2, 1, 6, 5, 4, 9, 8, 7, 1, 1, 1, 2, 2, 2, 3, 3, 3}},
      {"top-down rows come out bottom first",
       Info(1, -3, 24, {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0}), 1, 3, {3, 3, 3, 2, 2, 2, 1, 1, 1}},
      {"pixel offset from the file header", gap, 1, 1, {7, 8, 9}},
      {"32 bits: blue, green, red, unused", Info(2, 1, 32, {0x10, 0x20, 0x30, 0x40, 1, 2, 3, 4}),
       2, 1, {0x30, 0x20, 0x10, 3, 2, 1}},
      {"core header, 24 bits", [] { Bmp b = Info(1, 1, 24, {5, 6, 7, 0}); b.headerSize = 12; return b; }(),
       1, 1, {7, 6, 5}},
  });
}

TEST(BitmapDecode, IndexedDepthsAndColourCounts) {
  Bmp core = WithPalette(Info(3, 2, 4, {0x12, 0x30, 0, 0, 0xF0, 0xA0, 0, 0}), 16, 0);
  core.headerSize = 12;
  ExpectDecodes({
      {"8 bits, colours used 0: 256 entries",
       WithPalette(Info(3, 1, 8, {0, 255, 128, 0}), 256, 0), 3, 1, Indexed({0, 255, 128}, 256)},
      {"8 bits, 16 colours, no file header: pixels at 40 + 64",
       Without(WithPalette(Info(3, 1, 8, {15, 16, 3, 0}), 16, 16)), 3, 1, Indexed({15, -1, 3}, 16)},
      {"8 bits, 16 colours, file header",
       WithPalette(Info(3, 1, 8, {15, 16, 3, 0}), 16, 16), 3, 1, Indexed({15, -1, 3}, 16)},
      {"core header, 4 bits, no file header: pixels at 12 + 48", Without(core), 3, 2,
       Indexed({1, 2, 3, 15, 0, 10}, 16)},
      {"4 bits, 3 colours: higher indices black",
       WithPalette(Info(4, 1, 4, {0x21, 0x43, 0, 0}), 3, 3), 4, 1, Indexed({2, 1, -1, -1}, 3)},
      {"1 bit, high-order bit first across bytes",
       WithPalette(Info(10, 1, 1, {0xB0, 0x40, 0, 0}), 2, 0), 10, 1,
       Indexed({1, 0, 1, 1, 0, 0, 0, 0, 0, 1}, 2)},
  });
}

TEST(BitmapDecode, SixteenBitsAndBitFields) {
  Bmp rgb565 = Info(3, 1, 16, {0xE0, 0x07, 0x00, 0xF8, 0x20, 0x00, 0, 0});
  rgb565.compression = 3;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  Bmp swapped = Info(1, 1, 32, {0x10, 0x20, 0x30, 0x40});
  swapped.compression = 3;
  swapped.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  Bmp wide = Info(1, 1, 32, {0xFF, 0x03, 0x00, 0x20});  // 10-10-10: blue 1023, red 512
  wide.compression = 3;
  wide.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  ExpectDecodes({
      {"5-5-5 widened by bit replication, bit 15 unused",
       Info(5, 1, 16, {0xFF, 0x7F, 0x00, 0x7C, 0x01, 0x00, 0x00, 0x80, 0x00, 0x02, 0, 0}), 5, 1,
       {255, 255, 255, 255, 0, 0, 0, 0, 8, 0, 0, 0, 0, 132, 0}},
      {"bit fields 5-6-5", rgb565, 3, 1, {0, 255, 0, 255, 0, 0, 0, 4, 0}},
      {"bit fields, red in the low byte", swapped, 1, 1, {0x10, 0x20, 0x30}},
      {"bit fields wider than 8 bits keep the top 8", wide, 1, 1, {128, 0, 255}},
  });
}

TEST(BitmapDecode, RunLengthEscapes) {
  // RLE8, 5x3: run, delta (1, 1), run, end of line, literal of 3 with its pad
  // byte, run, end of bitmap. Skipped pixels are black.
  Bmp rle8 = WithPalette(Info(5, 3, 8, {2, 1, 0, 2, 1, 1, 2, 2, 0, 0, 0, 3, 3, 0, 1, 0, 1, 2, 0, 1}),
                         4, 4);
  rle8.compression = 1;
  // RLE4, 6x2: run of alternating nibbles, end of line, delta (1, 0), literal
  // of 5 nibbles in 3 bytes plus a pad byte, end of bitmap.
  Bmp rle4 = WithPalette(Info(6, 2, 4, {5, 0x12, 0, 0, 0, 2, 1, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1}),
                         16, 0);
  rle4.compression = 2;
  // Without an end-of-bitmap escape, once every row is done.
  Bmp open = WithPalette(Info(2, 1, 8, {2, 3, 0, 0}), 4, 4);
  open.compression = 1;
  // Past the right edge pixels are dropped, as ImageMagick pads rows with them.
  Bmp clipped = WithPalette(Info(2, 2, 8, {0, 3, 2, 3, 1, 0, 3, 1, 0, 0, 4, 1, 0, 1}), 4, 4);
  clipped.compression = 1;
  Bmp topDown = WithPalette(Info(1, -2, 8, {1, 1, 0, 0, 1, 2, 0, 1}), 4, 4);
  topDown.compression = 1;
  ExpectDecodes({
      {"RLE8", rle8, 5, 3,
       Indexed({1, 1, -1, -1, -1, -1, -1, -1, 2, 2, 3, 0, 1, 2, -1}, 4)},
      {"RLE4", rle4, 6, 2, Indexed({1, 2, 1, 2, 1, -1, -1, 3, 4, 5, 6, 7}, 16)},
      {"RLE8 ending with the last row", open, 2, 1, Indexed({3, 3}, 4)},
      {"RLE8 clipped at the right edge", clipped, 2, 2, Indexed({2, 3, 1, 1}, 4)},
      {"RLE8 top-down", topDown, 1, 2, Indexed({2, 1}, 4)},
  });
}

namespace {

const char kUnknown[] = "Unknown DIB file format.";
const char kConversion[] = "Image file conversion error.";
const char kMemory[] = "Out of memory.";

struct RefusalCase {
  const char* name;
  std::string file;
  const char* message;
};

Bmp Rle8(Bytes stream) {
  Bmp b = WithPalette(Info(4, 2, 8, std::move(stream)), 2, 2);
  b.compression = 1;
  return b;
}

std::string Cut(std::string s, size_t drop) { return s.substr(0, s.size() - drop); }

std::string WithHeaderSize(uint32_t size) {
  Bmp b = Info(1, 1, 24, {1, 2, 3, 0});
  b.headerSize = size;
  return Build(b);
}

std::vector<RefusalCase> RefusalCases() {
  const std::string ok2x2 = Build(Info(2, 2, 24, Bytes(16, 7)));
  const std::string indexed = Build(WithPalette(Info(1, 1, 8, {0, 0, 0, 0}), 16, 16));
  Bmp farOffset = Info(1, 1, 24, {1, 2, 3, 0});
  farOffset.pixelOffset = 59;
  Bmp masks = Info(1, 1, 16, {0, 0, 0, 0});
  masks.compression = 3;
  masks.masks = {0xF00F, 0x00F0, 0x0F00};  // red's mask is not one run of bits
  auto bmp = [](int w, int h, int bits, uint32_t compression) {
    Bmp b = Info(w, h, bits, Bytes(64, 0));
    b.compression = compression;
    return Build(b);
  };
  return {
      {"header size 108", WithHeaderSize(108), kUnknown},
      {"header size 124", WithHeaderSize(124), kUnknown},
      {"header size 64, no file header", WithHeaderSize(64).substr(14), kUnknown},
      {"one byte", "B", kUnknown},
      {"file header only", ok2x2.substr(0, 16), kUnknown},
      {"info header cut short", ok2x2.substr(0, 14 + 39), kUnknown},
      {"colour table cut short", indexed.substr(0, 14 + 40 + 63), kConversion},
      {"bit-field masks cut short", Build(masks).substr(0, 14 + 40 + 11), kConversion},
      {"non-contiguous mask", Build(masks), kConversion},
      {"pixel offset beyond the end", Build(farOffset), kConversion},
      {"pixel rows cut short", Cut(ok2x2, 3), kConversion},
      {"RLE literal past the file's end", Build(Rle8({0, 4, 1, 1, 1})), kConversion},
      {"RLE delta past the picture", Build(Rle8({0, 2, 0, 3, 0, 1})), kConversion},
      {"RLE run above the top row", Build(Rle8({0, 2, 0, 2, 1, 1, 0, 1})), kConversion},
      {"RLE stream ends before the picture", Build(Rle8({4, 1, 0, 0})), kConversion},
      {"width 0", bmp(0, 1, 24, 0), kConversion},
      {"width -1", bmp(-1, 1, 24, 0), kConversion},
      {"height 0", bmp(1, 0, 24, 0), kConversion},
      {"depth 2", bmp(1, 1, 2, 0), kConversion},
      {"depth 0", bmp(1, 1, 0, 0), kConversion},
      {"RLE8 on 24 bits", bmp(1, 1, 24, 1), kConversion},
      {"RLE4 on 8 bits", bmp(1, 1, 8, 2), kConversion},
      {"bit fields on 24 bits", bmp(1, 1, 24, 3), kConversion},
      {"compression 4 (JPEG)", bmp(1, 1, 24, 4), kConversion},
      {"100000 x 100000", bmp(100000, 100000, 24, 0), kMemory},
      {"largest int both ways", bmp(INT_MAX, INT_MAX, 32, 0), kMemory},
      {"height -2^31", bmp(1, INT_MIN, 24, 0), kMemory},
      {"just over 256 MiB", bmp(16384, 5462, 24, 0), kMemory},
  };
}

}  // namespace

TEST(BitmapLoad, EachRefusalShowsItsOneMessage) {
  const std::string dir = MakeTempDir("bmp");
  for (const RefusalCase& c : RefusalCases()) {
    SCOPED_TRACE(c.name);
    const std::string path = dir + "/case.bmp";
    WriteFile(path, c.file);
    ErrorRecorder recorder;
    EXPECT_EQ(LoadBitmapImage(path.c_str()), nullptr);
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{c.message});
  }
}

TEST(BitmapLoad, MissingOrEmptyFileIsAnOpenFailure) {
  const std::string dir = MakeTempDir("bmp");
  WriteFile(dir + "/Empty.bmp", "");
  for (const char* name : {"Ball3.bmp", "Empty.bmp", "."}) {
    ScopedWorkingDir cwd(dir);
    ErrorRecorder recorder;
    EXPECT_EQ(LoadBitmapImage(name), nullptr);
    EXPECT_EQ(recorder.Messages(),
              std::vector<std::string>{std::string("Failed to open DIB file ") + name + ".\n"});
  }
}
