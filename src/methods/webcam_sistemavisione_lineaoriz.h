#pragma once

#include <cstdint>

#include "bitmap/mybitmap.h"
#include "methods/methodparams.h"
#include "methods/webcam_sistemavisione_line.h"

// The horizontal line method: a row holding lineLength pixels of the taught colour.
struct HorizontalLineMethod {
  static constexpr int32_t kInitialLength = 160;
  using Record = LineRecord<kInitialLength>;
  static constexpr LineAxis kAxis = LineAxis::kHorizontal;
  static constexpr int32_t kNumber = 4;
  static constexpr char kFileName[] = "webcam_lineaoriz.dat";
  static constexpr int32_t kDefaultTolerance = 94;
  static constexpr int kOutputs = 2;  // centreX, row
  static const ParamFileMessages& Messages();

  template <class Io, class R, class Size>
  static void Fields(Io& io, R& line, Size& frameWidth, Size& frameHeight) {
    LineFields(io, line, frameWidth, frameHeight);
  }
};

// The check: the lowest row holding lineLength matching pixels; within it, the column at which the
// count is reached, less lineLength / 2, is centreX. row and centreX (each optional) are written
// only when a line is found.
bool FindHorizontalLine(const LineParams& line, const MyBitmap& frame, int32_t frameWidth,
                        int32_t frameHeight, int32_t* row, int32_t* centreX);
