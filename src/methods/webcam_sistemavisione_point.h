#pragma once

#include <cstdint>

#include "bitmap/mybitmap.h"
#include "methods/methodparams.h"

// The point method: a taught colour at the taught pixel, or anywhere in the frame.
// Common part (path, reference, stored, tolerance 94) in MethodRecord.
struct PointParams : MethodRecord {
  uint8_t colR = 0;  // reference colour
  uint8_t colG = 0;
  uint8_t colB = 0;
  int32_t clickX = 0;             // where the operator clicked in the still image (kept, not used)
  int32_t clickY = 0;             // counted from the control's bottom
  int32_t pointX = 0;             // taught point, frame column
  int32_t pointY = 0;             // taught point, frame row (0 = bottom row)
  int32_t checkPixels = 1;        // neighbourhood size N; 1 or less: no neighbourhood test
  bool searchWholeImage = false;  // false: only the taught point
};

// The taught colour as 0x00BBGGRR.
inline uint32_t PointColour(const PointParams& point) {
  return point.colR | (point.colG << 8) | (static_cast<uint32_t>(point.colB) << 16);
}

// The point method's row of the method table.
struct PointMethod {
  using Record = PointParams;
  static constexpr int32_t kNumber = 1;
  static constexpr char kFileName[] = "webcam_point.dat";
  static constexpr int32_t kDefaultTolerance = 94;
  static constexpr int kOutputs = 2;  // X, Y
  static const ParamFileMessages& Messages();

  // The file's fields in file order, for reading and for writing alike.
  template <class Io, class R, class Size>
  static void Fields(Io& io, R& point, Size& frameWidth, Size& frameHeight) {
    io.Header();
    io.Flag(point.stored);
    io.Colour(point.colR);
    io.Colour(point.colG);
    io.Colour(point.colB);
    io.Word(point.clickX);
    io.Word(point.clickY);
    io.Word(point.pointX);
    io.Word(point.pointY);
    io.Word(point.tolerance);
    io.Word(point.checkPixels);
    if (point.stored) io.Image(point.reference.get(), frameWidth, frameHeight);
    io.Flag(point.searchWholeImage);
  }
};

// The check. W and H are the frame size known to the capture. True when a pixel of the region
// matches the taught colour (and, for N > 1, its 2(N-1) square block does); outX/outY (each
// optional) get the match with the smallest sum of channel differences, the first in visiting
// order (bottom row first, left to right) among equal sums; they are left as they are otherwise.
bool FindPoint(const PointParams& point, const MyBitmap& frame, int32_t frameWidth,
               int32_t frameHeight, int32_t* outX, int32_t* outY);
