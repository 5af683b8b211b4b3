// FloorHeights.h -- "GData.tga": a 40x40 8-bit greyscale TGA whose first 1600
// bytes, its 18 header bytes included, the game reads as the floor's heights.
#pragma once
#include <string>

constexpr int kFloorSize = 40;
constexpr int kTgaHeaderSize = 18;

// The designed height (world units, -30..97) of column c (along x, scrolling
// toward -x and wrapping) and row r (along z).
double FloorDesignHeight(int column, int row);
// The whole file: header, then 1600 pixels, so that file byte b is the
// height byte of column b / 40, row b % 40 (the header bytes included).
std::string EncodeFloorTga();
