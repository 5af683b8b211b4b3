// PngFileWin32.cpp -- the PNG writer of the Windows build, for which Debian has
// no libpng: the same upright 8-bit RGB picture, its rows stored in the
// deflate stream uncompressed. Larger files, the same pixels.
#include <cstdint>
#include <string>

#include "common/PngFile.h"

namespace {
void PutBig(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

uint32_t Crc(const std::string& bytes, size_t from) {
  uint32_t crc = 0xffffffffu;
  for (size_t i = from; i < bytes.size(); ++i) {
    crc ^= static_cast<unsigned char>(bytes[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// A chunk: its length, then its type and data, then their CRC.
void PutChunk(std::string& png, const char* type, const std::string& data) {
  PutBig(png, static_cast<uint32_t>(data.size()));
  const size_t from = png.size();
  png += type;
  png += data;
  PutBig(png, Crc(png, from));
}

// A zlib stream of stored deflate blocks (at most 65535 bytes each), then
// the Adler-32 of what they hold.
std::string Stored(const std::string& raw) {
  std::string z("\x78\x01", 2);
  size_t at = 0;
  do {
    const size_t length = raw.size() - at < 65535 ? raw.size() - at : 65535;
    z += static_cast<char>(at + length == raw.size() ? 1 : 0);
    for (uint32_t half : {static_cast<uint32_t>(length), static_cast<uint32_t>(~length & 0xffff)})
      z += static_cast<char>(half & 0xff), z += static_cast<char>(half >> 8);
    z.append(raw, at, length);
    at += length;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;
  for (unsigned char byte : raw) a = (a + byte) % 65521, b = (b + a) % 65521;
  PutBig(z, b << 16 | a);
  return z;
}
}  // namespace

bool WriteUprightPng(std::FILE* out, int width, int height, const unsigned char* rgb) {
  std::string header, rows;
  PutBig(header, static_cast<uint32_t>(width));
  PutBig(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  for (int y = height - 1; y >= 0; --y) {
    rows += '\0';  // no filter
    rows.append(reinterpret_cast<const char*>(rgb) + static_cast<size_t>(y) * rowBytes, rowBytes);
  }
  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", Stored(rows));
  PutChunk(png, "IEND", "");
  return std::fwrite(png.data(), 1, png.size(), out) == png.size();
}
