// BitmapFont.cpp -- the glyphs the title card needs, and their rendering.
#include "data/gen/BitmapFont.h"

#include <algorithm>
#include <cmath>

#include "data/gen/Picture.h"

namespace {

// Glyphs are drawn as strokes joining the centres of neighbouring filled
// cells (diagonals too), so curves come out round rather than stepped.
// drop shifts a glyph down, for descenders.
struct Glyph {
  char c;
  int drop;
  const char* rows[kGlyphHeight];
};

const Glyph kGlyphs[] = {
    {'a', 0, {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
    {'b', 0, {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."}},
    {'c', 0, {".....", ".....", ".###.", "#....", "#....", "#...#", ".###."}},
    {'d', 0, {"....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"}},
    {'e', 0, {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    {'i', 0, {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}},
    {'l', 0, {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'m', 0, {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#...#", "#...#"}},
    {'n', 0, {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    {'o', 0, {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
    {'p', 2, {"####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."}},
    {'r', 0, {".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."}},
    {'s', 0, {".....", ".....", ".####", "#....", ".###.", "....#", "####."}},
    {'t', 0, {".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."}},
    {'u', 0, {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}},
    {'x', 0, {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
    {'E', 0, {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'M', 0, {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'R', 0, {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', 0, {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {':', 0, {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
};

const Glyph* FindGlyph(char c) {
  for (const Glyph& g : kGlyphs) {
    if (g.c == c) return &g;
  }
  return nullptr;
}

bool Filled(const Glyph& g, int col, int row) {
  if (col < 0 || row < 0 || col >= kGlyphWidth || row >= kGlyphHeight) return false;
  return g.rows[row][col] == '#';
}

// Distance from (px, py) to the segment from (ax, ay) to (bx, by).
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  double vx = bx - ax, vy = by - ay;
  double len2 = vx * vx + vy * vy;
  double t = len2 > 0.0 ? std::clamp(((px - ax) * vx + (py - ay) * vy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(px - ax - t * vx, py - ay - t * vy);
}

// Distance, in cells, from a point of the glyph box to its nearest stroke.
double StrokeDistance(const Glyph& g, double x, double y) {
  static const int kLinks[4][2] = {{1, 0}, {0, 1}, {1, 1}, {-1, 1}};
  double best = 1e9;
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int col = 0; col < kGlyphWidth; ++col) {
      if (!Filled(g, col, row)) continue;
      double cx = col + 0.5, cy = row + 0.5;
      best = std::min(best, std::hypot(x - cx, y - cy));
      for (const auto& link : kLinks) {
        if (Filled(g, col + link[0], row + link[1])) {
          best = std::min(best, SegmentDistance(x, y, cx, cy, cx + link[0], cy + link[1]));
        }
      }
    }
  }
  return best;
}

void RenderGlyph(Mask& mask, const Glyph& g, int x, int y, int scale) {
  const double halfWidth = 0.5;
  y += g.drop * scale;
  for (int py = -scale; py < (kGlyphHeight + 1) * scale; ++py) {
    for (int px = -scale; px < (kGlyphWidth + 1) * scale; ++px) {
      double d = StrokeDistance(g, (px + 0.5) / scale, (py + 0.5) / scale);
      mask.Raise(x + px, y + py, Clamp01((halfWidth - d) * scale + 0.5));
    }
  }
}

}  // namespace

Mask::Mask(int w, int h) : width(w), height(h), coverage(static_cast<size_t>(w) * h, 0.0) {}

double Mask::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0.0;
  return coverage[static_cast<size_t>(y) * width + x];
}

void Mask::Raise(int x, int y, double amount) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  double& c = coverage[static_cast<size_t>(y) * width + x];
  c = std::max(c, amount);
}

int TextWidth(const std::string& text, int scale) {
  if (text.empty()) return 0;
  return (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
}

void RenderText(Mask& mask, const std::string& text, int x, int y, int scale) {
  for (size_t i = 0; i < text.size(); ++i) {
    const Glyph* g = FindGlyph(text[i]);
    if (g) RenderGlyph(mask, *g, x + static_cast<int>(i) * kGlyphAdvance * scale, y, scale);
  }
}

Mask Dilate(const Mask& mask, int radius) {
  Mask out(mask.width, mask.height);
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      double best = 0.0;
      for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
          if (dx * dx + dy * dy <= radius * radius) best = std::max(best, mask.At(x + dx, y + dy));
        }
      }
      out.coverage[static_cast<size_t>(y) * mask.width + x] = best;
    }
  }
  return out;
}
