#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A 24-bit picture as the cameras deliver it: blue, green, red bytes, bottom line first, no
// padding.
struct Bmp24 {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bgr;
};

// Reads an uncompressed 24-bit BMP (bottom-up or top-down). False for anything else.
bool ReadBmp24File(const std::string& path, Bmp24& picture);

// One row of width pixels with the first and third byte of each pixel exchanged: blue-green-red
// to red-green-blue and back. The rows must not overlap.
void SwapRedBlue(const uint8_t* source, uint8_t* target, int32_t width);

// Fills one row (y = 0 is the bottom line) with width x 3 bytes blue, green, red.
using BmpRowSource = std::function<void(int32_t y, uint8_t* bgrRow)>;

// Writes a 24-bit bottom-up BMP with the 54-byte header and rows padded to 4 bytes, one write per
// row. The file is written beside the target and renamed over it, so a failure leaves the old file
// whole.
bool WriteBmp24File(const std::string& path, int32_t width, int32_t height,
                    const BmpRowSource& rowSource);
