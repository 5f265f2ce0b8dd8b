#include "methods/bestmatch.h"

#include <climits>

#include "methods/methodparams.h"

namespace {

// The block around (x, y) must lie inside the frame and match throughout. A block that leaves the
// frame fails whatever its pixels are, so the bounds are judged first.
bool BlockMatches(const ColourTarget& target, const MyBitmap& frame, int32_t width, int32_t height,
                  int32_t x, int32_t y, int32_t limit) {
  int64_t n = static_cast<int64_t>(target.checkPixels) - 1;
  if (x - n < 0 || y - n < 0 || x + n - 1 >= width || y + n - 1 >= height) return false;
  int32_t x0 = static_cast<int32_t>(x - n), x1 = static_cast<int32_t>(x + n - 1);
  int32_t y0 = static_cast<int32_t>(y - n), y1 = static_cast<int32_t>(y + n - 1);
  for (int32_t ny = y0; ny <= y1; ++ny)
    for (int32_t nx = x0; nx <= x1; ++nx) {
      uint8_t r, g, b;
      frame.GetPixel(nx, ny, r, g, b);
      if (!ColourMatches(r, g, b, target.r, target.g, target.b, limit)) return false;
    }
  return true;
}

}  // namespace

bool FindBestMatch(const ColourTarget& target, const MyBitmap& frame, int32_t frameWidth,
                   int32_t frameHeight, const SearchRegion& region, int32_t& x, int32_t& y) {
  const int32_t limit = ChannelLimit(target.tolerance);
  bool found = false;
  int32_t best = INT_MAX;
  int32_t bestX = 0, bestY = 0;
  for (int64_t row = region.y0; row <= region.y1 && best > 0; ++row) {
    for (int64_t column = region.x0; column <= region.x1; ++column) {
      const int32_t px = static_cast<int32_t>(column), py = static_cast<int32_t>(row);
      uint8_t r, g, b;
      frame.GetPixel(px, py, r, g, b);
      int32_t dr = r > target.r ? r - target.r : target.r - r;
      int32_t dg = g > target.g ? g - target.g : target.g - g;
      int32_t db = b > target.b ? b - target.b : target.b - b;
      if (dr > limit || dg > limit || db > limit) continue;
      int32_t sum = dr + dg + db;
      // Nothing after it can win once a candidate has been beaten or tied.
      if (found && sum >= best) continue;
      if (target.checkPixels > 1 &&
          !BlockMatches(target, frame, frameWidth, frameHeight, px, py, limit))
        continue;
      found = true;
      best = sum;
      bestX = px;
      bestY = py;
      if (best == 0) break;
    }
  }
  if (found) {
    x = bestX;
    y = bestY;
  }
  return found;
}
