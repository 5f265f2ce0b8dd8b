#pragma once

#include <cstdint>

#include "bitmap/mybitmap.h"

// A taught colour as the colour searches judge it: each channel within the tolerance's threshold
// and, when checkPixels N is above 1, the whole neighbourhood block of the candidate too.
struct ColourTarget {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  int32_t tolerance = 94;
  int32_t checkPixels = 1;
};

// Columns x0 ... x1 of rows y0 ... y1, inclusive. 64-bit, so that a single taught point at the
// edge of the integer range is a region too.
struct SearchRegion {
  int64_t x0, y0, x1, y1;
};

// The region of a whole frame of the size the capture knows.
inline SearchRegion WholeFrame(int32_t frameWidth, int32_t frameHeight) {
  return {0, 0, static_cast<int64_t>(frameWidth) - 1, static_cast<int64_t>(frameHeight) - 1};
}

// Visits the region row by row from its lowest row (bottom first), each row left to right, reading
// the frame with GetPixel (black outside the bitmap). A pixel is a candidate when each channel
// differs from the target by at most the threshold and, for N > 1, every pixel of the 2(N-1) square
// block reaching N-1 to the left and below and N-2 to the right and above lies inside the frame
// (frameWidth x frameHeight) and matches too. True when a candidate exists; (x, y) then gets the
// candidate with the smallest sum of channel differences, the first visited among equal sums, and
// is left as it is otherwise.
bool FindBestMatch(const ColourTarget& target, const MyBitmap& frame, int32_t frameWidth,
                   int32_t frameHeight, const SearchRegion& region, int32_t& x, int32_t& y);
