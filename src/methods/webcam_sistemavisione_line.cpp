#include "methods/webcam_sistemavisione_line.h"

bool FindLine(const LineParams& line, LineAxis axis, const MyBitmap& frame, int32_t frameWidth,
              int32_t frameHeight, int32_t* across, int32_t* centre) {
  const int32_t limit = ChannelLimit(line.tolerance);
  const bool horizontal = axis == LineAxis::kHorizontal;
  const int32_t lines = horizontal ? frameHeight : frameWidth;
  const int32_t along = horizontal ? frameWidth : frameHeight;
  for (int32_t a = 0; a < lines; ++a) {
    int32_t count = 0;
    for (int32_t i = 0; i < along; ++i) {
      uint8_t r, g, b;
      if (horizontal)
        frame.GetPixel(i, a, r, g, b);
      else
        frame.GetPixel(a, i, r, g, b);
      if (!ColourMatches(r, g, b, line.colR, line.colG, line.colB, limit)) continue;
      if (++count < line.lineLength) continue;
      if (across) *across = a;
      if (centre) *centre = i - line.lineLength / 2;
      return true;
    }
  }
  return false;
}
