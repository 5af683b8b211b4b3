// BitmapImage.cpp -- reads a bitmap file whole and decodes it into R G B rows,
// reporting each refusal with exactly one of the reader's messages.
#include "image/BitmapImage.h"

#include <cstdio>
#include <new>

#include "image/BitmapFormat.h"
#include "platform/ErrorMessage.h"

namespace {

// No bitmap we accept needs a bigger file (a 32-bit picture at the output
// ceiling is about 342 MiB); refusing sooner saves reading a huge file.
constexpr size_t kMaxFileBytes = size_t{1024} * 1024 * 1024;

// Makes the result record and its zeroed buffer; nullptr when memory fails.
std::unique_ptr<BitmapImage> MakeImage(const BitmapLayout& layout, size_t bytes) {
  try {
    auto image = std::make_unique<BitmapImage>();
    image->width = layout.width;
    image->height = layout.height;
    image->data.resize(bytes);
    return image;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool Uncompressed(const BitmapLayout& layout) {
  return layout.compression == kCompressNone || layout.compression == kCompressBitFields;
}

// Takes the whole file; an empty or unreadable one is an open failure.
BitmapError ReadWholeFile(const char* path, std::vector<unsigned char>& content) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return BitmapError::kOpen;
  BitmapError error = BitmapError::kNone;
  unsigned char chunk[65536];
  try {
    for (;;) {
      const size_t got = std::fread(chunk, 1, sizeof chunk, file);
      content.insert(content.end(), chunk, chunk + got);
      if (got < sizeof chunk) break;
      if (content.size() > kMaxFileBytes) {
        error = BitmapError::kOutOfMemory;
        break;
      }
    }
  } catch (const std::bad_alloc&) {
    error = BitmapError::kOutOfMemory;
  }
  if (error == BitmapError::kNone && (std::ferror(file) || content.empty())) {
    error = BitmapError::kOpen;
  }
  std::fclose(file);
  return error;
}

}  // namespace

std::unique_ptr<BitmapImage> DecodeBitmap(const unsigned char* bytes, size_t size,
                                          BitmapError& error, size_t maxBytes) {
  BitmapLayout layout;
  error = bytes == nullptr ? BitmapError::kOpen : ParseBitmapLayout(bytes, size, layout);
  if (error != BitmapError::kNone) return nullptr;
  // width and height are below 2^31, so this product cannot overflow 64 bits.
  const uint64_t outBytes = static_cast<uint64_t>(layout.width) * layout.height * 3;
  if (outBytes > maxBytes || outBytes > kMaxBitmapBytes) {
    error = BitmapError::kOutOfMemory;
    return nullptr;
  }
  if (Uncompressed(layout) && !UncompressedPixelsFit(layout, size)) {
    error = BitmapError::kConversion;
    return nullptr;
  }
  std::unique_ptr<BitmapImage> image = MakeImage(layout, static_cast<size_t>(outBytes));
  if (!image) {
    error = BitmapError::kOutOfMemory;
    return nullptr;
  }
  if (Uncompressed(layout)) {
    DecodeUncompressed(bytes, layout, image->data.data());
  } else {
    error = DecodeRunLength(bytes, size, layout, image->data.data());
    if (error != BitmapError::kNone) return nullptr;
  }
  return image;
}

std::unique_ptr<BitmapImage> DecodeBitmap(const unsigned char* bytes, size_t size,
                                          BitmapError& error) {
  return DecodeBitmap(bytes, size, error, kMaxBitmapBytes);
}

std::string BitmapErrorMessage(BitmapError error, const char* path) {
  switch (error) {
    case BitmapError::kNone: return std::string();
    case BitmapError::kOpen: return std::string("Failed to open DIB file ") + path + ".\n";
    case BitmapError::kUnknownFormat: return "Unknown DIB file format.";
    case BitmapError::kOutOfMemory: return "Out of memory.";
    case BitmapError::kConversion: break;
  }
  return "Image file conversion error.";
}

std::unique_ptr<BitmapImage> LoadBitmapImage(const char* path) {
  std::vector<unsigned char> content;
  BitmapError error = ReadWholeFile(path, content);
  std::unique_ptr<BitmapImage> image;
  if (error == BitmapError::kNone) image = DecodeBitmap(content.data(), content.size(), error);
  if (!image) ShowErrorMessage(BitmapErrorMessage(error, path));
  return image;
}
