// PngFile.h -- writes an RGB picture as a PNG file through libpng.
#pragma once
#include <string>

// rgb holds height rows of width*3 bytes, top row first. False on failure.
bool WritePngFile(const std::string& path, int width, int height, const unsigned char* rgb);
