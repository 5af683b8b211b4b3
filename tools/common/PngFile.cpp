// PngFile.cpp -- a minimal libpng writer: 8-bit RGB, no interlace.
#include "common/PngFile.h"

#include <png.h>

#include <cstddef>

// libpng reports a failure by jumping back to the setjmp; nothing between
// owns anything but the two libpng structures, freed on both paths.
bool WriteUprightPng(std::FILE* out, int width, int height, const unsigned char* rgb) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, out);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  for (int y = height - 1; y >= 0; --y) {
    png_write_row(png, const_cast<png_bytep>(rgb + static_cast<size_t>(y) * rowBytes));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}
