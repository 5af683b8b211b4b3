// Picture.h -- an RGB picture to paint into (top row first, as one looks at
// it) and its encoding as a 24-bit uncompressed BMP (bottom row first).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Colour {
  double r, g, b;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator*(Colour a, double k) { return {a.r * k, a.g * k, a.b * k}; }
// a towards b by f (0: a, 1: b).
inline Colour Mix(Colour a, Colour b, double f) { return a * (1.0 - f) + b * f; }
double Clamp01(double v);
double SmoothStep(double edge0, double edge1, double x);

class Picture {
 public:
  Picture(int width, int height);
  int width;
  int height;
  std::vector<Colour> pixels;  // row y (0 = top) at y * width

  Colour& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Colour& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Lays colour over pixel (x, y) with coverage 0..1; outside the picture: nothing.
  void Blend(int x, int y, Colour colour, double coverage);
};

// The picture as a BMP file: 40-byte info header, 24 bits, no compression.
std::string EncodeBmp(const Picture& picture);

// A small hash-based noise in 0..1, the same on every run; SmoothNoise is
// value noise on the unit lattice, smoothly interpolated.
double HashNoise(uint32_t x, uint32_t y, uint32_t seed);
double SmoothNoise(double x, double y, uint32_t seed);
