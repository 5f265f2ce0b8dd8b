#pragma once

#include <cstdint>

#include "bitmap/mybitmap.h"
#include "methods/methodparams.h"
#include "methods/webcam_sistemavisione_line.h"

// The vertical line method: a column holding lineLength pixels of the taught colour.
struct VerticalLineMethod {
  static constexpr int32_t kInitialLength = 120;
  using Record = LineRecord<kInitialLength>;
  static constexpr LineAxis kAxis = LineAxis::kVertical;
  static constexpr int32_t kNumber = 3;
  static constexpr char kFileName[] = "webcam_lineavert.dat";
  static constexpr int32_t kDefaultTolerance = 94;
  static constexpr int kOutputs = 2;  // column, centreY
  static const ParamFileMessages& Messages();

  template <class Io, class R, class Size>
  static void Fields(Io& io, R& line, Size& frameWidth, Size& frameHeight) {
    LineFields(io, line, frameWidth, frameHeight);
  }
};

// The check: the leftmost column holding lineLength matching pixels; within it, the row at which
// the count is reached, less lineLength / 2, is centreY. column and centreY (each optional) are
// written only when a line is found.
bool FindVerticalLine(const LineParams& line, const MyBitmap& frame, int32_t frameWidth,
                      int32_t frameHeight, int32_t* column, int32_t* centreY);
