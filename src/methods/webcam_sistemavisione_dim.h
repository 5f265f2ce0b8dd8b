#pragma once

#include <cstdint>
#include <string>

#include "bitmap/mybitmap.h"
#include "methods/methodparams.h"

// The dimension method: an object of one uniform colour is found anywhere in the frame and
// measured, its centre in frame pixels and its width and height in millimetres.
constexpr int32_t kDimDefaultTolerance = 90;

// Common part (path, reference, stored, tolerance 90) in MethodRecord.
struct DimParams : MethodRecord {
  DimParams() { tolerance = kDimDefaultTolerance; }

  uint8_t colR = 0;  // the object's colour
  uint8_t colG = 0;
  uint8_t colB = 0;
  int32_t clickX = 0;           // where the operator clicked in the still image (display only)
  int32_t clickY = 0;           // counted from the control's bottom
  int32_t pointX = 0;           // the clicked pixel, frame column
  int32_t pointY = 0;           // frame row (0 = bottom row)
  int32_t checkPixels = 1;      // neighbourhood size N of the seed; 1 or less: no block
  float frameWidthMm = 300.0f;  // the whole camera picture in millimetres
  float frameHeightMm = 200.0f;
  int32_t framesToAverage = 1;  // measurements in the running mean; 1 or less: none
};

// The taught colour as 0x00BBGGRR.
inline uint32_t DimColour(const DimParams& dim) {
  return dim.colR | (dim.colG << 8) | (static_cast<uint32_t>(dim.colB) << 16);
}

// The dimension method's row of the method table.
struct DimMethod {
  using Record = DimParams;
  static constexpr int32_t kNumber = 6;
  static constexpr char kFileName[] = "webcam_dim.dat";
  static constexpr int32_t kDefaultTolerance = kDimDefaultTolerance;
  static constexpr int kOutputs = 4;  // centre X, centre Y, width and height in mm
  static const ParamFileMessages& Messages();

  // The file's fields in file order, for reading and for writing alike; the picture comes last.
  template <class Io, class R, class Size>
  static void Fields(Io& io, R& dim, Size& frameWidth, Size& frameHeight) {
    io.Header();
    io.Flag(dim.stored);
    io.Colour(dim.colR);
    io.Colour(dim.colG);
    io.Colour(dim.colB);
    io.Word(dim.clickX);
    io.Word(dim.clickY);
    io.Word(dim.pointX);
    io.Word(dim.pointY);
    io.Word(dim.tolerance);
    io.Word(dim.checkPixels);
    io.Float(dim.frameWidthMm);
    io.Float(dim.frameHeightMm);
    io.Word(dim.framesToAverage);
    if (dim.stored) io.Image(dim.reference.get(), frameWidth, frameHeight);
  }
};

// The most recent measurements, program-wide: it outlives every capture and window. Entry 0 is the
// oldest. The work series hold the sorted copies, so that a measurement allocates nothing.
constexpr int kDimHistorySize = 1000;
// The newest measurement is appended before the oldest goes, so one entry stays free.
constexpr int32_t kMaxFramesToAverage = kDimHistorySize - 1;

struct DimHistory {
  int32_t count = 0;
  int32_t centreX[kDimHistorySize] = {};
  int32_t centreY[kDimHistorySize] = {};
  double widthMm[kDimHistorySize] = {};
  double heightMm[kDimHistorySize] = {};
  int32_t sortedCentreX[kDimHistorySize] = {};
  int32_t sortedCentreY[kDimHistorySize] = {};
  double sortedWidthMm[kDimHistorySize] = {};
  double sortedHeightMm[kDimHistorySize] = {};
};

extern DimHistory dimHistory;

// What a measurement gives: the centre in frame pixels (y from the bottom row), the distance
// between the outermost matching pixels, and that distance in millimetres.
struct DimMeasurement {
  int32_t centreX = 0;
  int32_t centreY = 0;
  int32_t widthPx = 0;
  int32_t heightPx = 0;
  float widthMm = 0;
  float heightMm = 0;
};

// The check, on a frame of the size the capture knows (frameWidth x frameHeight). The seed is the
// whole-frame best match of the taught colour (with its neighbourhood block for checkPixels > 1);
// a row scan through the seed, a column scan through that row's middle and a second row scan at the
// column's middle give the sizes. With framesToAverage above 1 (at most kMaxFramesToAverage is
// used) the centre and the millimetres become the trimmed mean of the history; a missed object or
// no averaging empties the history. `result` is written only when an object is found.
bool MeasureObject(const DimParams& dim, const MyBitmap& frame, int32_t frameWidth,
                   int32_t frameHeight, DimMeasurement& result, DimHistory& history = dimHistory);

// Millimetres as the replies and labels give them: the fraction cut off (toward zero). A value
// beyond the 32-bit range gives the nearest end of it and a value that is not a number gives 0, so
// that no size typed or stored can make the conversion undefined.
int32_t WholeMillimetres(float mm);

// value in fixed notation with `decimals` decimals and a point, right-aligned to `width`
// characters, whatever the process locale ("%4.2f" is FixedText(v, 2, 4)).
std::string FixedText(double value, int decimals, int width = 0);
