// PngFile.h -- writes a bottom-row-first RGB picture (as the bitmap reader and
// glReadPixels give them) upright into a PNG file, through libpng.
#pragma once
#include <cstdio>

// rgb holds height rows of width*3 bytes, bottom row first. False on failure.
bool WriteUprightPng(std::FILE* out, int width, int height, const unsigned char* rgb);
