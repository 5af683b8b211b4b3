// BitmapFont.h -- a few 5x7 glyphs drawn as round strokes, scaled up and
// rendered as coverage into a mask that pictures are painted through.
#pragma once
#include <string>
#include <vector>

class Mask {
 public:
  Mask(int width, int height);
  int width;
  int height;
  std::vector<double> coverage;  // 0..1, row y (0 = top) at y * width

  double At(int x, int y) const;            // 0 outside
  void Raise(int x, int y, double amount);  // coverage := max(coverage, amount)
};

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// Width in pixels of text drawn at scale (pixels per glyph cell).
int TextWidth(const std::string& text, int scale);
// Renders text with its top-left corner at (x, y). Characters without a
// glyph are left blank.
void RenderText(Mask& mask, const std::string& text, int x, int y, int scale);
// Every pixel takes the highest coverage within radius pixels of it.
Mask Dilate(const Mask& mask, int radius);
