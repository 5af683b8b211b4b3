// FloorHeights.cpp -- the floor: rolling diagonal dunes, two domes and a
// crater, with a shallow trough at column 0 where the file's header lies.
// The floor scrolls a column a frame and wraps, so everything is periodic
// across the columns.
#include "data/gen/FloorHeights.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLow = -30.0;
constexpr double kHigh = 97.0;

// Distance between two columns around the wrap.
double ColumnGap(double a, double b) {
  double d = std::fabs(a - b);
  return std::fmin(d, kFloorSize - d);
}

double Hill(int c, int r, double hc, double hr, double sigma) {
  double dc = ColumnGap(c, hc), dr = r - hr;
  return std::exp(-(dc * dc + dr * dr) / (2.0 * sigma * sigma));
}

double Crater(int c, int r, double hc, double hr, double radius) {
  double dc = ColumnGap(c, hc), dr = r - hr;
  double d = std::sqrt(dc * dc + dr * dr) - radius;
  return std::exp(-d * d / 3.0);
}

// 0 at the trough (column 0) rising to 1 seven columns away: gentle banks.
double TroughWindow(int c) {
  double t = std::fmin(1.0, ColumnGap(c, 0.0) / 7.0);
  return t * t * (3.0 - 2.0 * t);
}

// The header's own bytes sit at column 0, rows 0..17, between -30 and -10;
// the trough is shallowest there so they read as ripples in a ford.
double TroughFloor(int r) { return r >= 10 && r <= 16 ? -22.0 : kLow; }

unsigned char HeightByte(double height) {
  long b = std::lround((height - kLow) * 2.0);
  return static_cast<unsigned char>(std::clamp(b, 0L, 255L));
}

}  // namespace

double FloorDesignHeight(int c, int r) {
  const double tau = 2.0 * kPi;
  double h = 18.0;
  h += 20.0 * std::sin(tau * (2.0 * c / kFloorSize + r / 32.0));
  h += 10.0 * std::cos(tau * (c / double(kFloorSize) - r / 50.0));
  h += 50.0 * Hill(c, r, 13.0, 12.0, 4.0);
  h += 55.0 * Hill(c, r, 29.0, 28.0, 4.5);
  h += 28.0 * Crater(c, r, 26.0, 9.0, 3.5);
  double floor = TroughFloor(r);
  h = floor + (h - floor) * TroughWindow(c);
  return std::clamp(h, kLow, kHigh);
}

std::string EncodeFloorTga() {
  const unsigned char header[kTgaHeaderSize] = {
      0,                                // no image id
      0,                                // no colour map
      3,                                // uncompressed greyscale
      0,          0, 0,          0, 0,  // colour map fields, unused
      0,          0, 0,          0,     // x and y origin
      kFloorSize, 0, kFloorSize, 0,
      8,  // bits per pixel
      0,  // origin at the lower left, no alpha bits
  };
  std::string out(reinterpret_cast<const char*>(header), kTgaHeaderSize);
  const int count = kFloorSize * kFloorSize;
  for (int b = kTgaHeaderSize; b < count + kTgaHeaderSize; ++b) {
    int cell = b % count;  // the last 18 pixels, never read, continue column 0
    out += static_cast<char>(HeightByte(FloorDesignHeight(cell / kFloorSize, cell % kFloorSize)));
  }
  return out;
}
