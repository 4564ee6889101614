#pragma once

#include "image/Dib.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The colour of the pixel at column x of picture line y (0 is the top line) as 0xRRGGBB,
// through the colour table for palette bitmaps; 16-bit pixels give their 5-bit components
// (or the masked components of a bit-field bitmap) unscaled, 0x00RRGGBB with each in its byte.
uint32_t PixelRgb(const TDib& dib, int x, int y);
// The raw value stored for that pixel: a palette index, or the packed pixel.
uint32_t PixelValue(const TDib& dib, int x, int y);

// Every pixel's raw value, top line first.
using TPixelLines = std::vector<std::vector<uint32_t>>;
TPixelLines PixelValues(const TDib& dib);
// Colour table entry index as 0xRRGGBB.
uint32_t TableColor(const TDib& dib, size_t index);

// Fills a new 24-bit bitmap of this size from rgb(x, y) (0xRRGGBB, line y from the top); false
// when the memory cannot be had.
bool MakeRgbPicture(
    TDib& dib, int width, int height, const std::function<uint32_t(int x, int y)>& rgb);
