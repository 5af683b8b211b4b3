// Picture.cpp -- picture storage, blending, BMP encoding and hash noise.
#include "data/gen/Picture.h"

#include <cmath>

namespace {

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

unsigned char ToByte(double v) {
  return static_cast<unsigned char>(std::lround(Clamp01(v) * 255.0));
}

}  // namespace

double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

double SmoothStep(double edge0, double edge1, double x) {
  double t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3.0 - 2.0 * t);
}

Picture::Picture(int w, int h)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, Colour{0.0, 0.0, 0.0}) {}

void Picture::Blend(int x, int y, Colour colour, double coverage) {
  if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0) return;
  Colour& p = At(x, y);
  p = Mix(p, colour, Clamp01(coverage));
}

std::string EncodeBmp(const Picture& picture) {
  const uint32_t rowBytes = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
  std::string out;
  out.reserve(54 + imageBytes);
  out += "BM";
  PutLe(out, 54 + imageBytes, 4);
  PutLe(out, 0, 4);   // reserved
  PutLe(out, 54, 4);  // pixel data offset
  PutLe(out, 40, 4);  // info header
  PutLe(out, static_cast<uint32_t>(picture.width), 4);
  PutLe(out, static_cast<uint32_t>(picture.height), 4);
  PutLe(out, 1, 2);   // planes
  PutLe(out, 24, 2);  // bits per pixel
  PutLe(out, 0, 4);   // no compression
  PutLe(out, imageBytes, 4);
  PutLe(out, 2835, 4);  // 72 dots per inch, both ways
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);                                // colours used
  PutLe(out, 0, 4);                                // colours important
  for (int y = picture.height - 1; y >= 0; --y) {  // bottom row first
    for (int x = 0; x < picture.width; ++x) {
      const Colour& c = picture.At(x, y);
      out += static_cast<char>(ToByte(c.b));
      out += static_cast<char>(ToByte(c.g));
      out += static_cast<char>(ToByte(c.r));
    }
    out.append(rowBytes - static_cast<uint32_t>(picture.width) * 3, '\0');
  }
  return out;
}

double HashNoise(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) / static_cast<double>(0x1000000);
}

double SmoothNoise(double x, double y, uint32_t seed) {
  double fx = std::floor(x), fy = std::floor(y);
  uint32_t ix = static_cast<uint32_t>(static_cast<int64_t>(fx));
  uint32_t iy = static_cast<uint32_t>(static_cast<int64_t>(fy));
  double tx = SmoothStep(0.0, 1.0, x - fx), ty = SmoothStep(0.0, 1.0, y - fy);
  double top = HashNoise(ix, iy, seed) * (1 - tx) + HashNoise(ix + 1, iy, seed) * tx;
  double bottom = HashNoise(ix, iy + 1, seed) * (1 - tx) + HashNoise(ix + 1, iy + 1, seed) * tx;
  return top * (1 - ty) + bottom * ty;
}
