// The BMP reader on hand-built files of each kind, its refusals, and the texture upload.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "BmpWriter.h"
#include "GlHarness.h"
#include "TestFiles.h"
#include "image/BitmapImage.h"
#include "image/Textures.h"

namespace {
// Entry i of a test colour table: a colour no other entry has.
uint32_t Entry(int i) { return uint32_t(i) << 16 | uint32_t(i * 3 & 255) << 8 | uint32_t(255 - i); }

Bmp Indexed(Bmp b, int entries, uint32_t coloursUsed, uint32_t compression = 0) {
  for (int i = 0; i < entries; ++i) b.palette.push_back(Entry(i));
  b.coloursUsed = coloursUsed;
  b.compression = compression;
  return b;
}
Bmp Masked(Bmp b, std::vector<uint32_t> masks) {
  b.compression = 3;
  b.masks = std::move(masks);
  return b;
}

// The R G B a reader should give for these indices; -1 or >= count is black.
Bytes Colours(std::initializer_list<int> indices, int count) {
  Bytes out;
  for (int i : indices) {
    const uint32_t c = (i >= 0 && i < count) ? Entry(i) : 0;
    for (int shift : {16, 8, 0}) out.push_back((c >> shift) & 255);
  }
  return out;
}

testing::AssertionResult Decodes(const char* name, const Bmp& bmp, int width, int height,
                                 const Bytes& expected) {
  const std::string file = Build(bmp);
  BitmapError error = BitmapError::kNone;
  auto image =
      DecodeBitmap(reinterpret_cast<const unsigned char*>(file.data()), file.size(), error);
  if (image && image->width == width && image->height == height && image->data == expected)
    return testing::AssertionSuccess();
  if (!image) return testing::AssertionFailure() << name << ": refused";
  return testing::AssertionFailure()
         << name << ": " << image->width << "x" << image->height
         << testing::PrintToString(std::vector<int>(image->data.begin(), image->data.end()));
}
}  // namespace

// Catches: row padding, top-down rows, pixel offset, colour counts and tables, 1-bit order.
TEST(BitmapDecode, RowsOffsetsAndColourTables) {
  EXPECT_TRUE(Decodes("top-down", Bmp(1, -3, 24, {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0}), 1, 3,
                      {3, 3, 3, 2, 2, 2, 1, 1, 1}));
  Bmp gap = Bmp(1, 1, 24, {0, 0, 0, 0, 9, 8, 7, 0});
  gap.pixelOffset = 54 + 4;
  EXPECT_TRUE(Decodes("pixel offset", gap, 1, 1, {7, 8, 9}));
  EXPECT_TRUE(Decodes("8 bits, colours used 0: 256 entries, the last row unpadded",
                      Indexed(Bmp(3, 2, 8, {0, 255, 128, 0xEE, 7, 8, 9}), 256, 0), 3, 2,
                      Colours({0, 255, 128, 7, 8, 9}, 256)));
  // 10 pixels in 2 bytes, high bit first, padded to 4; the last row too.
  EXPECT_TRUE(Decodes("1 bit",
                      Indexed(Bmp(10, 2, 1, {0xB0, 0x40, 0xFF, 0xFF, 0x01, 0x80, 0, 0}), 2, 2), 10,
                      2, Colours({1, 0, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0}, 2)));
  EXPECT_TRUE(
      Decodes("32 bits", Bmp(2, 1, 32, {1, 2, 3, 9, 4, 5, 6, 9}), 2, 1, {3, 2, 1, 6, 5, 4}));
  Bmp bare = Indexed(Bmp(4, 1, 8, {15, 16, 3, 255}), 16, 16);
  bare.fileHeader = false;
  EXPECT_TRUE(Decodes("16 colours, no file header", bare, 4, 1, Colours({15, -1, 3, -1}, 16)));
  bare = Indexed(Bmp(3, 2, 4, {0x12, 0x30, 0, 0, 0xF0, 0xA0, 0, 0}), 16, 0);
  bare.fileHeader = false;
  bare.headerSize = 12;
  EXPECT_TRUE(Decodes("core header, 4 bits", bare, 3, 2, Colours({1, 2, 3, 15, 0, 10}, 16)));
}

// Catches: 5-bit channels shifted, masks misread, run-length pads, deltas, clipping, top-down.
TEST(BitmapDecode, SixteenBitsBitFieldsAndRunLengths) {
  EXPECT_TRUE(Decodes("5-5-5 widened by bit replication",
                      Bmp(5, 1, 16, {0xFF, 0x7F, 0x00, 0x7C, 0x01, 0x00, 0x00, 0x80, 0x00, 0x02}),
                      5, 1, {255, 255, 255, 255, 0, 0, 0, 0, 8, 0, 0, 0, 0, 132, 0}));
  EXPECT_TRUE(Decodes(
      "bit fields 5-6-5",
      Masked(Bmp(3, 1, 16, {0xE0, 0x07, 0x00, 0xF8, 0x20, 0x00, 0, 0}), {0xF800, 0x07E0, 0x001F}),
      3, 1, {0, 255, 0, 255, 0, 0, 0, 4, 0}));
  EXPECT_TRUE(
      Decodes("bit fields 10-10-10 keep the top 8",
              Masked(Bmp(1, 1, 32, {0xFF, 0x03, 0x00, 0x20}), {0x3FF00000, 0x000FFC00, 0x000003FF}),
              1, 1, {128, 0, 255}));
  auto rle8 = [](int w, int h, Bytes stream) { return Indexed(Bmp(w, h, 8, stream), 4, 4, 1); };
  // Run, delta (1, 1), run, end of line, literal of 3 and its pad, run, end; skipped is black.
  EXPECT_TRUE(Decodes("RLE8",
                      rle8(5, 3, {2, 1, 0, 2, 1, 1, 2, 2, 0, 0, 0, 3, 3, 0, 1, 0, 1, 2, 0, 1}), 5,
                      3, Colours({1, 1, -1, -1, -1, -1, -1, -1, 2, 2, 3, 0, 1, 2, -1}, 4)));
  // Run of two nibbles, end of line, delta (1, 0), literal of 5 nibbles and a pad, end.
  EXPECT_TRUE(Decodes(
      "RLE4",
      Indexed(Bmp(6, 2, 4, {5, 0x12, 0, 0, 0, 2, 1, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1}), 16, 0, 2),
      6, 2, Colours({1, 2, 1, 2, 1, -1, -1, 3, 4, 5, 6, 7}, 16)));
  EXPECT_TRUE(Decodes("RLE8 clipped at the right edge",
                      rle8(2, 2, {0, 3, 2, 3, 1, 0, 3, 1, 0, 0, 4, 1, 0, 1}), 2, 2,
                      Colours({2, 3, 1, 1}, 4)));
  EXPECT_TRUE(
      Decodes("RLE8 top-down", rle8(1, -2, {1, 1, 0, 0, 1, 2, 0, 1}), 1, 2, Colours({2, 1}, 4)));
}

// Catches: a damaged or hostile file read past its end, allocated in full or misreported.
TEST(BitmapLoad, EachRefusalShowsItsOneMessage) {
  const char* const kUnknown = "Unknown DIB file format.";
  const char* const kConversion = "Image file conversion error.";
  const char* const kMemory = "Out of memory.";
  auto plain = [](int w, int h, int bits, uint32_t compression) {
    Bmp b = Bmp(w, h, bits, Bytes(64, 0));
    b.compression = compression;
    return Build(b);
  };
  auto rle8 = [](Bytes stream) { return Build(Indexed(Bmp(4, 2, 8, stream), 2, 2, 1)); };
  Bmp v4 = Bmp(1, 1, 24, {1, 2, 3, 0});
  v4.headerSize = 108;
  Bmp farOffset = Bmp(1, 1, 24, {1, 2, 3, 0});
  farOffset.pixelOffset = 59;
  const std::string ok2x2 = Build(Bmp(2, 2, 24, Bytes(16, 7)));
  const std::string indexed = Build(Indexed(Bmp(1, 1, 8, {0, 0, 0, 0}), 16, 16));
  const std::string masks = Build(Masked(Bmp(1, 1, 16, {0, 0, 0, 0}), {0xF00F, 0x00F0, 0x0F00}));
  const std::pair<std::string, const char*> cases[] = {
      {Build(v4), kUnknown},
      {"B", kUnknown},
      {ok2x2.substr(0, 14 + 39), kUnknown},              // info header cut short
      {indexed.substr(0, 14 + 40 + 63), kConversion},    // colour table cut short
      {masks.substr(0, 14 + 40 + 11), kConversion},      // masks cut short
      {masks, kConversion},                              // a mask not one run of bits
      {Build(farOffset), kConversion},                   // pixels beyond the end
      {ok2x2.substr(0, ok2x2.size() - 3), kConversion},  // rows cut short
      {rle8({0, 4, 1, 1, 1}), kConversion},              // literal past the file's end
      {rle8({0, 2, 0, 3, 0, 1}), kConversion},           // delta past the picture
      {rle8({0, 2, 0, 2, 1, 1, 0, 1}), kConversion},     // run above the top row
      {rle8({4, 1, 0, 0}), kConversion},                 // stream ends before the picture
      {plain(0, 1, 24, 0), kConversion},                 // width 0
      {plain(1, 0, 24, 0), kConversion},                 // height 0
      {plain(1, 1, 2, 0), kConversion},                  // depth 2
      {plain(1, 1, 24, 4), kConversion},                 // JPEG
      {plain(INT_MAX, INT_MAX, 32, 0), kMemory},         // width * height overflows
      {plain(1, INT_MIN, 24, 0), kMemory},               // height -2^31
      {plain(16384, 5462, 24, 0), kMemory},              // just over 256 MiB
  };
  const std::string dir = MakeTempDir("bmp");
  int index = 0;
  for (const auto& [file, message] : cases) {
    WriteFile(dir + "/case.bmp", file);
    ErrorRecorder recorder;
    EXPECT_EQ(LoadBitmapImage((dir + "/case.bmp").c_str()), nullptr) << "case " << index;
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{message}) << "case " << index++;
  }
}

// Catches: run-length data ending with the last row refused; a 1.5 GB tail read whole.
TEST(BitmapLoad, RunLengthEndingWithTheLastRowAndReadingWhatTheHeadersImply) {
  EXPECT_TRUE(Decodes("RLE8 run", Indexed(Bmp(2, 2, 8, {2, 1, 0, 0, 2, 3}), 4, 4, 1), 2, 2,
                      Colours({1, 1, 3, 3}, 4)));
  EXPECT_TRUE(Decodes("RLE4 literal", Indexed(Bmp(3, 1, 4, {0, 3, 0x12, 0x30}), 16, 0, 2), 3, 1,
                      Colours({1, 2, 3}, 16)));
  const std::string path = MakeTempDir("bmp-tail") + "/tail.bmp";
  WriteFile(path, Build(Bmp(1, 1, 24, {3, 2, 1, 0})));
  ASSERT_EQ(truncate(path.c_str(), off_t{3} << 29), 0);
  ErrorRecorder recorder;
  long long before = -1, after = -1;  // bytes read from files so far: /proc/self/io's rchar
  std::string key;
  std::ifstream("/proc/self/io") >> key >> before;
  auto image = LoadBitmapImage(path.c_str());
  std::ifstream("/proc/self/io") >> key >> after;
  std::remove(path.c_str());
  ASSERT_NE(image, nullptr) << recorder.Messages().front();
  EXPECT_EQ(image->data, (Bytes{1, 2, 3}));
  EXPECT_LT(after - before, 1 << 16);
}

class TextureUpload : public GlTest {};

// Catches: 6-byte rows skewed by the default unpack alignment, a texture left empty.
TEST_F(TextureUpload, RowsOfSixBytesUploadUnskewed) {
  const std::string dir = MakeTempDir("textures");
  for (int k = 0; k < 8; ++k) {  // 2x2, bottom row first: 1 2 3, 4 5 6 then 7 8 9, 10 11 12
    WriteFile(dir + "/" + kGameFiles[kTitleBitmap + k].name,
              Build(Bmp(2, 2, 24, {3, 2, 1, 6, 5, 4, 0, 0, 9, 8, 7, 12, 11, 10, 0, 0})));
  }
  ScopedWorkingDir cd(dir);
  LoadTextures();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (unsigned int name : {gTitleTexture, gEnvMapTexture, gBallTextures[0], gBallTextures[5]}) {
    Bytes texels(12);
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})) << "texture " << name;
  }
}
