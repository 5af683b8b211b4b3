// BitmapImage.h -- a portable BMP/DIB reader: any accepted bitmap becomes
// tightly packed R G B rows, bottom row first. Pure C++, no GL.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct BitmapImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> data;  // width * height * 3 bytes
};

// Why a bitmap was refused; each maps to one of the reader's messages.
enum class BitmapError { kNone, kOpen, kUnknownFormat, kOutOfMemory, kConversion };

// The largest picture the reader will build (width * height * 3 bytes); a
// bigger one is refused as "Out of memory." before anything is reserved.
constexpr size_t kMaxBitmapBytes = size_t{256} * 1024 * 1024;

// Decodes a whole file's bytes; nullptr and error set when refused. No message.
std::unique_ptr<BitmapImage> DecodeBitmap(const unsigned char* bytes, size_t size,
                                          BitmapError& error);
// As above with a lower ceiling on the output size (the fuzzer keeps it small).
std::unique_ptr<BitmapImage> DecodeBitmap(const unsigned char* bytes, size_t size,
                                          BitmapError& error, size_t maxBytes);
// The message text for a failure ("Failed to open DIB file %s.\n" uses path).
std::string BitmapErrorMessage(BitmapError error, const char* path);
// Reads the file's headers, then only the pixel data they imply, and decodes
// it; nullptr and error set when refused. Anything but a regular file cannot
// be opened. No message.
std::unique_ptr<BitmapImage> ReadBitmapFile(const char* path, BitmapError& error);
// As ReadBitmapFile; on failure shows exactly one message
// (ShowErrorMessage) and returns nullptr.
std::unique_ptr<BitmapImage> LoadBitmapImage(const char* path);
