// BitmapImage.cpp -- reads a bitmap file's headers first and then only the
// pixel data they imply, decodes it into R G B rows, and reports each refusal
// with exactly one of the reader's messages.
#include "image/BitmapImage.h"

#include <cstring>
#include <new>

#include "image/BitmapFormat.h"
#include "platform/DataFile.h"
#include "platform/ErrorMessage.h"

namespace {

// Where a bitmap's bytes come from: a whole file in memory, or an open file.
struct BitmapSource {
  const unsigned char* bytes = nullptr;
  const DataFile* file = nullptr;
  uint64_t size = 0;
};

// Up to n bytes at offset; fewer at the end, or where a read fails.
size_t ReadSource(const BitmapSource& source, uint64_t offset, unsigned char* dst, size_t n) {
  if (source.file != nullptr) return source.file->ReadAt(offset, dst, n);
  if (offset >= source.size) return 0;
  if (n > source.size - offset) n = static_cast<size_t>(source.size - offset);
  std::memcpy(dst, source.bytes + offset, n);
  return n;
}

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

// Bytes of pixel data worth reading. Every stored row, uncompressed. Run-length
// data has no size of its own: a writer spends at most a two-byte run on each
// pixel (row padding included), an end of line on each row and an end of
// bitmap, so a stream is read no further than that, nor beyond the largest
// picture.
uint64_t PixelBytesWanted(const BitmapLayout& layout) {
  const uint64_t rows = static_cast<uint64_t>(layout.height);
  if (Uncompressed(layout)) return StoredRowBytes(layout) * rows;
  const uint64_t stream = (2 * (static_cast<uint64_t>(layout.width) + 8) + 2) * rows + 2;
  return stream < kMaxBitmapBytes ? stream : kMaxBitmapBytes;
}

// Takes the pixel data from the source into pixels; false when memory fails.
bool ReadPixels(const BitmapSource& source, const BitmapLayout& layout,
                std::vector<unsigned char>& pixels) {
  uint64_t span = source.size - layout.pixelOffset;
  const uint64_t wanted = PixelBytesWanted(layout);
  if (span > wanted) span = wanted;
  try {
    pixels.resize(static_cast<size_t>(span));
  } catch (const std::bad_alloc&) {
    return false;
  }
  pixels.resize(ReadSource(source, layout.pixelOffset, pixels.data(), pixels.size()));
  return true;
}

std::unique_ptr<BitmapImage> Decode(BitmapSource source, BitmapError& error, size_t maxBytes) {
  // The headers and colour table first, so that a file is refused for them
  // before any pixel data is read; what cannot be read ends the file there.
  unsigned char head[kBitmapHeadBytes] = {};
  const size_t headBytes = source.size < kBitmapHeadBytes ? source.size : kBitmapHeadBytes;
  const size_t got = ReadSource(source, 0, head, headBytes);
  if (got < headBytes) source.size = got;
  BitmapLayout layout;
  error = ParseBitmapLayout(head, source.size, layout);
  if (error != BitmapError::kNone) return nullptr;
  // width and height are below 2^31, so this product cannot overflow 64 bits.
  const uint64_t outBytes = static_cast<uint64_t>(layout.width) * layout.height * 3;
  if (outBytes > maxBytes || outBytes > kMaxBitmapBytes) {
    error = BitmapError::kOutOfMemory;
    return nullptr;
  }
  std::vector<unsigned char> pixels;
  if (Uncompressed(layout) && !UncompressedPixelsFit(layout, source.size)) {
    error = BitmapError::kConversion;
    return nullptr;
  }
  if (!ReadPixels(source, layout, pixels)) {
    error = BitmapError::kOutOfMemory;
    return nullptr;
  }
  layout.pixelOffset = 0;  // from here on the pixels are a buffer of their own
  if (Uncompressed(layout) && !UncompressedPixelsFit(layout, pixels.size())) {
    error = BitmapError::kConversion;  // a read failed on the way
    return nullptr;
  }
  std::unique_ptr<BitmapImage> image = MakeImage(layout, static_cast<size_t>(outBytes));
  if (!image) {
    error = BitmapError::kOutOfMemory;
    return nullptr;
  }
  if (Uncompressed(layout)) {
    DecodeUncompressed(pixels.data(), layout, image->data.data());
  } else {
    error = DecodeRunLength(pixels.data(), pixels.size(), layout, image->data.data());
    if (error != BitmapError::kNone) return nullptr;
  }
  return image;
}

}  // namespace

std::unique_ptr<BitmapImage> DecodeBitmap(const unsigned char* bytes, size_t size,
                                          BitmapError& error, size_t maxBytes) {
  if (bytes == nullptr) {
    error = BitmapError::kOpen;
    return nullptr;
  }
  return Decode(BitmapSource{bytes, nullptr, size}, error, maxBytes);
}

std::unique_ptr<BitmapImage> DecodeBitmap(const unsigned char* bytes, size_t size,
                                          BitmapError& error) {
  return DecodeBitmap(bytes, size, error, kMaxBitmapBytes);
}

std::unique_ptr<BitmapImage> ReadBitmapFile(const char* path, BitmapError& error) {
  DataFile file(path);  // only a regular file; anything else cannot be opened
  if (!file.IsOpen()) {
    error = BitmapError::kOpen;
    return nullptr;
  }
  return Decode(BitmapSource{nullptr, &file, file.size}, error, kMaxBitmapBytes);
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
  BitmapError error = BitmapError::kNone;
  std::unique_ptr<BitmapImage> image = ReadBitmapFile(path, error);
  if (!image) ShowErrorMessage(BitmapErrorMessage(error, path));
  return image;
}
