// The BMP reader against ImageMagick: one picture written in several BMP kinds
// must decode to exactly what ImageMagick reads back from the same file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "TestFiles.h"
#include "image/BitmapImage.h"

namespace {

const char kConvert[] = "/usr/bin/convert";

bool Convert(const std::string& arguments) {
  return std::system((std::string(kConvert) + " " + arguments).c_str()) == 0;
}

// ImageMagick's binary PPM: "P6\n<w> <h>\n255\n", then rows top first.
bool ReadPpm(const std::string& text, int& width, int& height, std::string& pixels) {
  int maxValue = 0;
  int consumed = 0;
  if (std::sscanf(text.c_str(), "P6 %d %d %d%n", &width, &height, &maxValue, &consumed) != 3 ||
      maxValue != 255) {
    return false;
  }
  pixels = text.substr(static_cast<size_t>(consumed) + 1);
  return pixels.size() == static_cast<size_t>(width) * height * 3;
}

struct MagickKind {
  const char* name;
  const char* flags;   // how ImageMagick writes the bitmap
  const char* format;  // BMP3: info header, BMP2: core header
  int bits;
  int compression;
};

// Not here: ImageMagick's 16-bit BMP3 states bit fields but leaves out the
// masks, and its BMP4 headers (108, 124 bytes) are not a kind the game reads.
const MagickKind kKinds[] = {
    {"24 bits", "", "BMP3:", 24, 0},
    {"core header, 24 bits", "", "BMP2:", 24, 0},
    {"32 bits", "-alpha set -define bmp3:alpha=true", "BMP3:", 32, 0},
    {"8 bits", "-type palette -compress none", "BMP3:", 8, 0},
    {"RLE8", "-type palette -compress RLE", "BMP3:", 8, 1},
    {"4 bits", "-colors 12 -type palette", "BMP3:", 4, 0},
    {"core header, 4 bits", "-colors 12 -type palette", "BMP2:", 4, 0},
    {"1 bit", "-monochrome", "BMP3:", 1, 0},
};

// Depth and compression as the file states them, to be sure of what
// ImageMagick wrote.
void ExpectKind(const std::string& bmp, const MagickKind& kind) {
  ASSERT_GT(bmp.size(), 34u);
  auto byte = [&bmp](size_t at) { return static_cast<unsigned char>(bmp[at]); };
  const bool core = std::string(kind.format) == "BMP2:";
  EXPECT_EQ(byte(14), core ? 12 : 40);
  EXPECT_EQ(byte(core ? 24 : 28), kind.bits);
  if (!core) {
    EXPECT_EQ(byte(30), kind.compression);
  }
}

}  // namespace

TEST(BitmapMagick, DecodesWhatImageMagickReadsBack) {
  if (access(kConvert, X_OK) != 0) GTEST_SKIP() << "ImageMagick's convert is not installed";
  const std::string dir = MakeTempDir("magick");
  // The built-in rose: 70 x 46, so every depth's rows carry padding.
  ASSERT_TRUE(Convert("rose: " + dir + "/rose.ppm"));
  int index = 0;
  for (const MagickKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    const std::string base = dir + "/kind" + std::to_string(index++);
    ASSERT_TRUE(Convert(dir + "/rose.ppm " + kind.flags + " " + kind.format + base + ".bmp"));
    ASSERT_TRUE(Convert(base + ".bmp -depth 8 " + base + ".ppm"));
    ExpectKind(ReadFile(base + ".bmp"), kind);
    int width = 0;
    int height = 0;
    std::string expected;
    ASSERT_TRUE(ReadPpm(ReadFile(base + ".ppm"), width, height, expected));
    ErrorRecorder recorder;
    auto image = LoadBitmapImage((base + ".bmp").c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(recorder.Messages().empty());
    ASSERT_EQ(image->width, width);
    ASSERT_EQ(image->height, height);
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {  // ours bottom row first, the PPM's top first
      const std::string ours(image->data.begin() + y * rowBytes, image->data.begin() + (y + 1) * rowBytes);
      ASSERT_EQ(ours, expected.substr((height - 1 - y) * rowBytes, rowBytes)) << "row " << y;
    }
  }
}
