#include "methods/webcam_sistemavisione_point.h"

#include <climits>

const ParamFileMessages& PointMethod::Messages() {
  static const ParamFileMessages messages{
      "WCP003: errore nella lettura dei dati del punto della webcam.",
      "WCP001: errore nella lettura dei dati del punto della webcamo.",
      "WCP001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.",
      "WCP002: errore nella scrittura dei dati del punto della webcam.",
  };
  return messages;
}

namespace {

// The 2(N-1) square block around (x, y), reaching n to the left and below and n - 1 to the right
// and above, must lie inside the frame and match throughout. A block that leaves the frame fails
// whatever its pixels are, so the bounds are judged first.
bool BlockMatches(const PointParams& point, const MyBitmap& frame, int32_t width, int32_t height,
                  int32_t x, int32_t y, int32_t limit) {
  int64_t n = static_cast<int64_t>(point.checkPixels) - 1;
  if (x - n < 0 || y - n < 0 || x + n - 1 >= width || y + n - 1 >= height) return false;
  int32_t x0 = static_cast<int32_t>(x - n), x1 = static_cast<int32_t>(x + n - 1);
  int32_t y0 = static_cast<int32_t>(y - n), y1 = static_cast<int32_t>(y + n - 1);
  for (int32_t ny = y0; ny <= y1; ++ny)
    for (int32_t nx = x0; nx <= x1; ++nx) {
      uint8_t r, g, b;
      frame.GetPixel(nx, ny, r, g, b);
      if (!ColourMatches(r, g, b, point.colR, point.colG, point.colB, limit)) return false;
    }
  return true;
}

}  // namespace

bool FindPoint(const PointParams& point, const MyBitmap& frame, int32_t frameWidth,
               int32_t frameHeight, int32_t* outX, int32_t* outY) {
  const int32_t limit = ChannelLimit(point.tolerance);
  int64_t x0 = point.pointX, x1 = point.pointX;
  int64_t y0 = point.pointY, y1 = point.pointY;
  if (point.searchWholeImage) {
    x0 = 0;
    y0 = 0;
    x1 = static_cast<int64_t>(frameWidth) - 1;
    y1 = static_cast<int64_t>(frameHeight) - 1;
  }
  bool found = false;
  int32_t best = INT_MAX;
  int32_t bestX = 0, bestY = 0;
  // 64-bit counters: a taught point at the edge of the integer range must not wrap.
  for (int64_t y = y0; y <= y1 && best > 0; ++y) {
    for (int64_t x = x0; x <= x1; ++x) {
      uint8_t r, g, b;
      frame.GetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), r, g, b);
      int32_t dr = r > point.colR ? r - point.colR : point.colR - r;
      int32_t dg = g > point.colG ? g - point.colG : point.colG - g;
      int32_t db = b > point.colB ? b - point.colB : point.colB - b;
      if (dr > limit || dg > limit || db > limit) continue;
      int32_t sum = dr + dg + db;
      // Nothing after it can win once a candidate has been beaten or tied.
      if (found && sum >= best) continue;
      if (point.checkPixels > 1 &&
          !BlockMatches(point, frame, frameWidth, frameHeight, static_cast<int32_t>(x),
                        static_cast<int32_t>(y), limit))
        continue;
      found = true;
      best = sum;
      bestX = static_cast<int32_t>(x);
      bestY = static_cast<int32_t>(y);
      if (best == 0) break;
    }
  }
  if (found) {
    if (outX) *outX = bestX;
    if (outY) *outY = bestY;
  }
  return found;
}
