// fuzz_bmp.cpp -- feeds arbitrary bytes to the BMP decoder and checks that a
// picture it accepts is exactly width * height * 3 bytes.
#include <cstddef>
#include <cstdint>

#include "image/BitmapImage.h"

namespace {

// Run-length files may claim big pictures from a few bytes; a lower ceiling
// keeps each input quick without hiding any decoding path.
constexpr size_t kFuzzMaxBytes = size_t{4} * 1024 * 1024;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BitmapError error = BitmapError::kNone;
  std::unique_ptr<BitmapImage> image = DecodeBitmap(data, size, error, kFuzzMaxBytes);
  if (!image) {
    Check(error != BitmapError::kNone);
    return 0;
  }
  Check(error == BitmapError::kNone);
  Check(image->width > 0 && image->height > 0);
  Check(image->data.size() == static_cast<size_t>(image->width) * image->height * 3);
  return 0;
}
