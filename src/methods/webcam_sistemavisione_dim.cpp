#include "methods/webcam_sistemavisione_dim.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "foundation/myutl.h"
#include "methods/bestmatch.h"

DimHistory dimHistory;

const ParamFileMessages& DimMethod::Messages() {
  static const ParamFileMessages messages{
      "WCD03: errore nella lettura dei dati del punto della webcam.",
      "WCD01: errore nella lettura dei dati del punto della webcamo.",
      "WCD01: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.",
      "WCD02: errore nella scrittura dei dati del punto della webcam.",
  };
  return messages;
}

namespace {

// How many pixels in a row match, from the neighbour of (x, y) one step (dx, dy) away onwards,
// until the first that lies outside the frame or does not match. (x, y) itself is not looked at.
int32_t MatchingRun(const DimParams& dim, const MyBitmap& frame, int32_t frameWidth,
                    int32_t frameHeight, int32_t limit, int32_t x, int32_t y, int dx, int dy) {
  int32_t run = 0;
  for (int64_t px = int64_t{x} + dx, py = int64_t{y} + dy;
       px >= 0 && px < frameWidth && py >= 0 && py < frameHeight; px += dx, py += dy) {
    uint8_t r, g, b;
    frame.GetPixel(static_cast<int32_t>(px), static_cast<int32_t>(py), r, g, b);
    if (!ColourMatches(r, g, b, dim.colR, dim.colG, dim.colB, limit)) break;
    ++run;
  }
  return run;
}

// The middle of two frame positions, truncated.
int32_t Middle(int32_t low, int32_t high) {
  return static_cast<int32_t>((int64_t{low} + high) / 2);
}

// How many entries the trimmed mean cuts at each end of m sorted entries.
int TrimCount(int m) {
  if (m >= 20) return 4;
  if (m >= 15) return 3;
  if (m >= 10) return 2;
  if (m >= 5) return 1;
  return 0;
}

// Appends this measurement, keeps the newest `frames` entries and makes the result the trimmed mean
// of each series on its own; widthPx and heightPx stay this measurement's.
void AverageWithHistory(DimHistory& history, int32_t frames, DimMeasurement& result) {
  history.centreX[history.count] = result.centreX;
  history.centreY[history.count] = result.centreY;
  history.widthMm[history.count] = result.widthMm;
  history.heightMm[history.count] = result.heightMm;
  ++history.count;
  while (history.count > frames) {
    for (int i = 1; i < history.count; ++i) {
      history.centreX[i - 1] = history.centreX[i];
      history.centreY[i - 1] = history.centreY[i];
      history.widthMm[i - 1] = history.widthMm[i];
      history.heightMm[i - 1] = history.heightMm[i];
    }
    --history.count;
  }
  const int m = history.count;
  for (int i = 0; i < m; ++i) {
    history.sortedCentreX[i] = history.centreX[i];
    history.sortedCentreY[i] = history.centreY[i];
    history.sortedWidthMm[i] = history.widthMm[i];
    history.sortedHeightMm[i] = history.heightMm[i];
  }
  SortIntegers(m, history.sortedCentreX);
  SortIntegers(m, history.sortedCentreY);
  SortReals(m, history.sortedWidthMm);
  SortReals(m, history.sortedHeightMm);

  const int k = TrimCount(m);
  const int kept = m - 2 * k;
  int64_t sumX = 0, sumY = 0;
  float sumWidth = 0, sumHeight = 0;  // the millimetres add up in single precision
  for (int i = k; i < m - k; ++i) {
    sumX += history.sortedCentreX[i];
    sumY += history.sortedCentreY[i];
    sumWidth = static_cast<float>(sumWidth + history.sortedWidthMm[i]);
    sumHeight = static_cast<float>(sumHeight + history.sortedHeightMm[i]);
  }
  result.centreX = static_cast<int32_t>(sumX / kept);
  result.centreY = static_cast<int32_t>(sumY / kept);
  result.widthMm = static_cast<float>(static_cast<double>(sumWidth) / kept);
  result.heightMm = static_cast<float>(static_cast<double>(sumHeight) / kept);
}

}  // namespace

bool MeasureObject(const DimParams& dim, const MyBitmap& frame, int32_t frameWidth,
                   int32_t frameHeight, DimMeasurement& result, DimHistory& history) {
  const int32_t frames = std::min(dim.framesToAverage, kMaxFramesToAverage);
  const ColourTarget target{dim.colR, dim.colG, dim.colB, dim.tolerance, dim.checkPixels};
  int32_t x0 = 0, y0 = 0;
  if (!FindBestMatch(target, frame, frameWidth, frameHeight, WholeFrame(frameWidth, frameHeight),
                     x0, y0)) {
    history.count = 0;
    return false;
  }
  const int32_t limit = ChannelLimit(dim.tolerance);
  auto run = [&](int32_t x, int32_t y, int dx, int dy) {
    return MatchingRun(dim, frame, frameWidth, frameHeight, limit, x, y, dx, dy);
  };
  // Along the seed's row, then up and down the column through that row's middle, then along the
  // row through the column's middle, starting again from the seed's column.
  const int32_t xc = Middle(x0 - run(x0, y0, -1, 0), x0 + run(x0, y0, 1, 0));
  const int32_t bottom = y0 - run(xc, y0, 0, -1);
  const int32_t top = y0 + run(xc, y0, 0, 1);
  const int32_t yc = Middle(bottom, top);
  const int32_t left = x0 - run(x0, yc, -1, 0);
  const int32_t right = x0 + run(x0, yc, 1, 0);

  DimMeasurement measured;
  measured.widthPx = right - left;
  measured.heightPx = top - bottom;
  measured.centreX = Middle(left, right);
  measured.centreY = Middle(bottom, top);
  // A frame size is known here: the seed lies inside it.
  measured.widthMm = static_cast<float>(static_cast<long double>(measured.widthPx) *
                                        dim.frameWidthMm / frameWidth);
  measured.heightMm = static_cast<float>(static_cast<long double>(measured.heightPx) *
                                         dim.frameHeightMm / frameHeight);
  if (frames > 1)
    AverageWithHistory(history, frames, measured);
  else
    history.count = 0;
  result = measured;
  return true;
}

int32_t WholeMillimetres(float mm) {
  if (std::isnan(mm)) return 0;
  if (mm <= static_cast<float>(INT32_MIN)) return INT32_MIN;
  if (mm >= static_cast<float>(INT32_MAX)) return INT32_MAX;  // 2^31 as a float
  return static_cast<int32_t>(mm);
}

std::string FixedText(double value, int decimals, int width) {
  char buffer[400];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text = error == std::errc() ? std::string(buffer, end) : std::string();
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}
