// GlHarness.h -- a GoogleTest fixture giving each test a fresh headless GL
// context (Mesa software GL, 1024x768) and pixel read-back.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "headless/HeadlessContext.h"

// One pixel's red, green and blue, 0..255.
struct Rgb {
  int r, g, b;
  int operator[](int i) const { return i == 0 ? r : (i == 1 ? g : b); }
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

class GlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Pixel at window coordinates (x right, y up from the bottom row).
  Rgb PixelAt(int x, int y) const;
  // Every pixel of the colour buffer, RGB, bottom row first.
  std::vector<unsigned char> Pixels() const { return context->ReadPixels(); }

  std::unique_ptr<HeadlessContext> context;
};

// True when each channel of a lies within tolerance of b.
bool Near(const Rgb& a, const Rgb& b, int tolerance);
::std::ostream& operator<<(::std::ostream& os, const Rgb& c);
