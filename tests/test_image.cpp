// The BMP reader: each header kind and encoding from hand-built files, every
// refusal with its one message, and agreement with ImageMagick on real files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BmpWriter.h"
#include "TestFiles.h"
#include "image/BitmapImage.h"

namespace {

// Entry i of a test colour table: a colour no other entry has.
uint32_t Entry(int i) { return uint32_t(i) << 16 | uint32_t(i * 3 & 255) << 8 | uint32_t(255 - i); }

Bmp WithPalette(Bmp b, int entries, uint32_t coloursUsed) {
  for (int i = 0; i < entries; ++i) b.palette.push_back(Entry(i));
  b.coloursUsed = coloursUsed;
  return b;
}
Bmp Coded(Bmp b, uint32_t compression, std::vector<uint32_t> masks = {}) {
  b.compression = compression;
  b.masks = std::move(masks);
  return b;
}
Bmp Core(Bmp b) {
  b.headerSize = 12;
  return b;
}
Bmp Bare(Bmp b) {
  b.fileHeader = false;
  return b;
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

struct DecodeCase {
  const char* name;
  Bmp bmp;
  int width, height;
  Bytes expected;
};

void ExpectDecodes(const std::vector<DecodeCase>& cases) {
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = Build(c.bmp);
    BitmapError error = BitmapError::kConversion;
    auto image =
        DecodeBitmap(reinterpret_cast<const unsigned char*>(file.data()), file.size(), error);
    ASSERT_NE(image, nullptr) << "error " << int(error);
    EXPECT_EQ(error, BitmapError::kNone);
    EXPECT_EQ(image->width, c.width);
    EXPECT_EQ(image->height, c.height);
    EXPECT_EQ(image->data, c.expected);
  }
}

}  // namespace

TEST(BitmapDecode, TrueColourRowsAndPadding) {
  Bmp gap = Info(1, 1, 24, {0, 0, 0, 0, 9, 8, 7, 0});
  gap.pixelOffset = 54 + 4;  // the file header's offset wins over the table's end
  const Bytes rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE, 1, 1, 1, 2, 2, 2, 3, 3, 3};
  Bytes padded = rows;
  padded.insert(padded.end(), {0, 0, 0});
  const Bytes rgb3x2 = {3, 2, 1, 6, 5, 4, 9, 8, 7, 1, 1, 1, 2, 2, 2, 3, 3, 3};
  ExpectDecodes({
      {"2x2, first stored row first",
       Info(2, 2, 24,
            {0xFF, 0, 0, 0, 0xFF, 0, 0xAA, 0xAA, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xAA, 0xAA}),
       2,
       2,
       {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF}},
      {"3 wide: 9 bytes kept, 3 padding dropped", Info(3, 2, 24, padded), 3, 2, rgb3x2},
      {"last row without its padding", Info(3, 2, 24, rows), 3, 2, rgb3x2},
      {"top-down rows come out bottom first",
       Info(1, -3, 24, {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0}),
       1,
       3,
       {3, 3, 3, 2, 2, 2, 1, 1, 1}},
      {"pixel offset from the file header", gap, 1, 1, {7, 8, 9}},
      {"32 bits: blue, green, red, unused",
       Info(2, 1, 32, {0x10, 0x20, 0x30, 0x40, 1, 2, 3, 4}),
       2,
       1,
       {0x30, 0x20, 0x10, 3, 2, 1}},
      {"core header, 24 bits", Core(Info(1, 1, 24, {5, 6, 7, 0})), 1, 1, {7, 6, 5}},
  });
}

TEST(BitmapDecode, IndexedDepthsAndColourCounts) {
  ExpectDecodes({
      {"8 bits, colours used 0: 256 entries", WithPalette(Info(3, 1, 8, {0, 255, 128, 0}), 256, 0),
       3, 1, Indexed({0, 255, 128}, 256)},
      {"8 bits, 16 colours, no file header: pixels at 40 + 64",
       Bare(WithPalette(Info(3, 1, 8, {15, 16, 3, 0}), 16, 16)), 3, 1, Indexed({15, -1, 3}, 16)},
      {"core header, 4 bits, no file header: pixels at 12 + 48",
       Bare(Core(WithPalette(Info(3, 2, 4, {0x12, 0x30, 0, 0, 0xF0, 0xA0, 0, 0}), 16, 0))), 3, 2,
       Indexed({1, 2, 3, 15, 0, 10}, 16)},
      {"4 bits, 3 colours: higher indices black",
       WithPalette(Info(4, 1, 4, {0x21, 0x43, 0, 0}), 3, 3), 4, 1, Indexed({2, 1, -1, -1}, 3)},
      {"1 bit, high-order bit first across bytes",
       WithPalette(Info(10, 1, 1, {0xB0, 0x40, 0, 0}), 2, 0), 10, 1,
       Indexed({1, 0, 1, 1, 0, 0, 0, 0, 0, 1}, 2)},
  });
}

TEST(BitmapDecode, SixteenBitsAndBitFields) {
  ExpectDecodes({
      {"5-5-5 widened by bit replication, bit 15 unused",
       Info(5, 1, 16, {0xFF, 0x7F, 0x00, 0x7C, 0x01, 0x00, 0x00, 0x80, 0x00, 0x02, 0, 0}),
       5,
       1,
       {255, 255, 255, 255, 0, 0, 0, 0, 8, 0, 0, 0, 0, 132, 0}},
      {"bit fields 5-6-5",
       Coded(Info(3, 1, 16, {0xE0, 0x07, 0x00, 0xF8, 0x20, 0x00, 0, 0}), 3,
             {0xF800, 0x07E0, 0x001F}),
       3,
       1,
       {0, 255, 0, 255, 0, 0, 0, 4, 0}},
      {"bit fields, red in the low byte",
       Coded(Info(1, 1, 32, {0x10, 0x20, 0x30, 0x40}), 3, {0xFF, 0xFF00, 0xFF0000}),
       1,
       1,
       {0x10, 0x20, 0x30}},
      {"bit fields wider than 8 bits keep the top 8",  // 10-10-10: blue 1023, red 512
       Coded(Info(1, 1, 32, {0xFF, 0x03, 0x00, 0x20}), 3, {0x3FF00000, 0x000FFC00, 0x000003FF}),
       1,
       1,
       {128, 0, 255}},
  });
}

TEST(BitmapDecode, RunLengthEscapes) {
  auto rle8 = [](int w, int h, Bytes stream) {
    return Coded(WithPalette(Info(w, h, 8, stream), 4, 4), 1);
  };
  ExpectDecodes({
      // Run, delta (1, 1), run, end of line, literal of 3 with its pad byte,
      // run, end of bitmap. Skipped pixels are black.
      {"RLE8", rle8(5, 3, {2, 1, 0, 2, 1, 1, 2, 2, 0, 0, 0, 3, 3, 0, 1, 0, 1, 2, 0, 1}), 5, 3,
       Indexed({1, 1, -1, -1, -1, -1, -1, -1, 2, 2, 3, 0, 1, 2, -1}, 4)},
      // Run of alternating nibbles, end of line, delta (1, 0), literal of 5
      // nibbles in 3 bytes plus a pad byte, end of bitmap.
      {"RLE4",
       Coded(
           WithPalette(Info(6, 2, 4, {5, 0x12, 0, 0, 0, 2, 1, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1}),
                       16, 0),
           2),
       6, 2, Indexed({1, 2, 1, 2, 1, -1, -1, 3, 4, 5, 6, 7}, 16)},
      {"RLE8 ending with the last row, no end of bitmap", rle8(2, 1, {2, 3, 0, 0}), 2, 1,
       Indexed({3, 3}, 4)},
      // Past the right edge pixels are dropped, as ImageMagick pads rows with them.
      {"RLE8 clipped at the right edge", rle8(2, 2, {0, 3, 2, 3, 1, 0, 3, 1, 0, 0, 4, 1, 0, 1}), 2,
       2, Indexed({2, 3, 1, 1}, 4)},
      {"RLE8 top-down", rle8(1, -2, {1, 1, 0, 0, 1, 2, 0, 1}), 1, 2, Indexed({2, 1}, 4)},
  });
}

TEST(BitmapLoad, EachRefusalShowsItsOneMessage) {
  const char* const kUnknown = "Unknown DIB file format.";
  const char* const kConversion = "Image file conversion error.";
  const char* const kMemory = "Out of memory.";
  auto withHeaderSize = [](uint32_t size) {
    Bmp b = Info(1, 1, 24, {1, 2, 3, 0});
    b.headerSize = size;
    return Build(b);
  };
  auto plain = [](int w, int h, int bits, uint32_t compression) {
    return Build(Coded(Info(w, h, bits, Bytes(64, 0)), compression));
  };
  auto rle8 = [](Bytes stream) {
    return Build(Coded(WithPalette(Info(4, 2, 8, stream), 2, 2), 1));
  };
  const std::string ok2x2 = Build(Info(2, 2, 24, Bytes(16, 7)));
  const std::string indexed = Build(WithPalette(Info(1, 1, 8, {0, 0, 0, 0}), 16, 16));
  // Red's mask is not one run of bits.
  const std::string masks = Build(Coded(Info(1, 1, 16, {0, 0, 0, 0}), 3, {0xF00F, 0x00F0, 0x0F00}));
  Bmp farOffset = Info(1, 1, 24, {1, 2, 3, 0});
  farOffset.pixelOffset = 59;
  const struct {
    const char* name;
    std::string file;
    const char* message;
  } cases[] = {
      {"header size 108", withHeaderSize(108), kUnknown},
      {"header size 124", withHeaderSize(124), kUnknown},
      {"header size 64, no file header", withHeaderSize(64).substr(14), kUnknown},
      {"one byte", "B", kUnknown},
      {"file header only", ok2x2.substr(0, 16), kUnknown},
      {"info header cut short", ok2x2.substr(0, 14 + 39), kUnknown},
      {"colour table cut short", indexed.substr(0, 14 + 40 + 63), kConversion},
      {"bit-field masks cut short", masks.substr(0, 14 + 40 + 11), kConversion},
      {"non-contiguous mask", masks, kConversion},
      {"pixel offset beyond the end", Build(farOffset), kConversion},
      {"pixel rows cut short", ok2x2.substr(0, ok2x2.size() - 3), kConversion},
      {"RLE literal past the file's end", rle8({0, 4, 1, 1, 1}), kConversion},
      {"RLE delta past the picture", rle8({0, 2, 0, 3, 0, 1}), kConversion},
      {"RLE run above the top row", rle8({0, 2, 0, 2, 1, 1, 0, 1}), kConversion},
      {"RLE stream ends before the picture", rle8({4, 1, 0, 0}), kConversion},
      {"width 0", plain(0, 1, 24, 0), kConversion},
      {"width -1", plain(-1, 1, 24, 0), kConversion},
      {"height 0", plain(1, 0, 24, 0), kConversion},
      {"depth 2", plain(1, 1, 2, 0), kConversion},
      {"depth 0", plain(1, 1, 0, 0), kConversion},
      {"RLE8 on 24 bits", plain(1, 1, 24, 1), kConversion},
      {"RLE4 on 8 bits", plain(1, 1, 8, 2), kConversion},
      {"bit fields on 24 bits", plain(1, 1, 24, 3), kConversion},
      {"compression 4 (JPEG)", plain(1, 1, 24, 4), kConversion},
      {"100000 x 100000", plain(100000, 100000, 24, 0), kMemory},
      {"largest int both ways", plain(INT_MAX, INT_MAX, 32, 0), kMemory},
      {"height -2^31", plain(1, INT_MIN, 24, 0), kMemory},
      {"just over 256 MiB", plain(16384, 5462, 24, 0), kMemory},
  };
  const std::string path = MakeTempDir("bmp") + "/case.bmp";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(path, c.file);
    ErrorRecorder recorder;
    EXPECT_EQ(LoadBitmapImage(path.c_str()), nullptr);
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{c.message});
  }
}

TEST(BitmapLoad, MissingOrEmptyFileIsAnOpenFailure) {
  const std::string dir = MakeTempDir("bmp");
  WriteFile(dir + "/Empty.bmp", "");
  ScopedWorkingDir cwd(dir);
  for (const char* name : {"Ball3.bmp", "Empty.bmp", "."}) {
    ErrorRecorder recorder;
    EXPECT_EQ(LoadBitmapImage(name), nullptr);
    EXPECT_EQ(recorder.Messages(),
              std::vector<std::string>{std::string("Failed to open DIB file ") + name + ".\n"});
  }
}

// One picture written by ImageMagick in several BMP kinds must decode to
// exactly what ImageMagick reads back from the same file. Not here: its 16-bit
// BMP3 states bit fields but leaves out the masks, and its BMP4 headers (108,
// 124 bytes) are not a kind the game reads.
TEST(BitmapMagick, DecodesWhatImageMagickReadsBack) {
  const std::string convert = "/usr/bin/convert";
  if (access(convert.c_str(), X_OK) != 0) GTEST_SKIP() << "ImageMagick's convert is not installed";
  auto run = [&convert](const std::string& arguments) {
    return std::system((convert + " " + arguments).c_str()) == 0;
  };
  const struct {
    const char* flags;  // how ImageMagick writes the bitmap
    bool core;          // BMP2: core header, else BMP3: info header
    int bits, compression;
  } kinds[] = {
      {"", false, 24, 0},
      {"", true, 24, 0},
      {"-alpha set -define bmp3:alpha=true", false, 32, 0},
      {"-type palette -compress none", false, 8, 0},
      {"-type palette -compress RLE", false, 8, 1},
      {"-colors 12 -type palette", false, 4, 0},
      {"-colors 12 -type palette", true, 4, 0},
      {"-monochrome", false, 1, 0},
  };
  const std::string dir = MakeTempDir("magick");
  // The built-in rose: 70 x 46, so every depth's rows carry padding.
  ASSERT_TRUE(run("rose: " + dir + "/rose.ppm"));
  int index = 0;
  for (const auto& kind : kinds) {
    SCOPED_TRACE(std::string(kind.core ? "BMP2: " : "BMP3: ") + kind.flags);
    const std::string base = dir + "/kind" + std::to_string(index++);
    ASSERT_TRUE(
        run(dir + "/rose.ppm " + kind.flags + (kind.core ? " BMP2:" : " BMP3:") + base + ".bmp"));
    ASSERT_TRUE(run(base + ".bmp -depth 8 " + base + ".ppm"));
    // Header size, depth and compression as stated, to be sure of what was written.
    const std::string bmp = ReadFile(base + ".bmp");
    ASSERT_GT(bmp.size(), 34u);
    EXPECT_EQ(bmp[14], kind.core ? 12 : 40);
    EXPECT_EQ(bmp[kind.core ? 24 : 28], kind.bits);
    EXPECT_EQ(kind.core ? 0 : bmp[30], kind.compression);
    // ImageMagick's binary PPM: "P6\n<w> <h>\n255\n", then rows top first.
    const std::string ppm = ReadFile(base + ".ppm");
    int width = 0, height = 0, maxValue = 0, consumed = 0;
    ASSERT_EQ(std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &width, &height, &maxValue, &consumed), 3);
    ASSERT_EQ(maxValue, 255);
    const std::string expected = ppm.substr(static_cast<size_t>(consumed) + 1);
    ErrorRecorder recorder;
    auto image = LoadBitmapImage((base + ".bmp").c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(recorder.Messages().empty());
    ASSERT_EQ(image->width, width);
    ASSERT_EQ(image->height, height);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    ASSERT_EQ(expected.size(), rowBytes * height);
    for (int y = 0; y < height; ++y) {  // ours bottom row first, the PPM's top first
      const std::string ours(image->data.begin() + y * rowBytes,
                             image->data.begin() + (y + 1) * rowBytes);
      ASSERT_EQ(ours, expected.substr((height - 1 - y) * rowBytes, rowBytes)) << "row " << y;
    }
  }
}

// Run-length data that fills the last row may end there, without its closing
// escapes. Only the headers and the pixels they imply are read: a picture
// followed by 1.5 GB of nothing loads as if the file ended with it.
TEST(BitmapLoad, RunLengthEndingWithTheLastRowAndReadingWhatTheHeadersImply) {
  ExpectDecodes({
      {"RLE8 run", Coded(WithPalette(Info(2, 2, 8, {2, 1, 0, 0, 2, 3}), 4, 4), 1), 2, 2,
       Indexed({1, 1, 3, 3}, 4)},
      {"RLE4 literal", Coded(WithPalette(Info(3, 1, 4, {0, 3, 0x12, 0x30}), 16, 0), 2), 3, 1,
       Indexed({1, 2, 3}, 16)},
  });
  const std::string path = MakeTempDir("bmp-tail") + "/tail.bmp";
  WriteFile(path, Build(TrueColour(1, 1, {1, 2, 3})));
  ASSERT_EQ(truncate(path.c_str(), off_t{3} << 29), 0);
  ErrorRecorder recorder;
  auto image = LoadBitmapImage(path.c_str());
  std::remove(path.c_str());
  ASSERT_NE(image, nullptr) << recorder.Messages().front();
  EXPECT_EQ(image->data, (Bytes{1, 2, 3}));
}
