#pragma once

#include <cstdint>

#include "bitmap/mybitmap.h"
#include "methods/methodparams.h"

// What the vertical and horizontal line methods share: the record, the file's fields and the line
// search, with the axis as a parameter. Each method has its own module with its row, file, messages
// and initial length.

// Common part (path, reference, stored, tolerance 94) in MethodRecord.
struct LineParams : MethodRecord {
  uint8_t colR = 0;  // the taught colour
  uint8_t colG = 0;
  uint8_t colB = 0;
  int32_t clickX = 0;      // where the operator clicked in the still image (display only)
  int32_t clickY = 0;      // counted from the control's bottom
  int32_t pointX = 0;      // frame column of the clicked pixel
  int32_t pointY = 0;      // frame row of the clicked pixel (0 = bottom row)
  int32_t lineLength = 0;  // matching pixels that make a line; the method's record sets its own
};

// A method's record: LineParams whose length starts at the method's initial value.
template <int32_t kInitialLength>
struct LineRecord : LineParams {
  LineRecord() { lineLength = kInitialLength; }
};

// The taught colour as 0x00BBGGRR.
inline uint32_t LineColour(const LineParams& line) {
  return line.colR | (line.colG << 8) | (static_cast<uint32_t>(line.colB) << 16);
}

// kHorizontal scans row by row and counts along a row; kVertical scans column by column and counts
// along a column.
enum class LineAxis { kVertical, kHorizontal };

// The file's fields in file order, the same in both files; the picture only when stored.
template <class Io, class R, class Size>
void LineFields(Io& io, R& line, Size& frameWidth, Size& frameHeight) {
  io.Header();
  io.Flag(line.stored);
  io.Colour(line.colR);
  io.Colour(line.colG);
  io.Colour(line.colB);
  io.Word(line.clickX);
  io.Word(line.clickY);
  io.Word(line.pointX);
  io.Word(line.pointY);
  io.Word(line.tolerance);
  io.Word(line.lineLength);
  if (line.stored) io.Image(line.reference.get(), frameWidth, frameHeight);
}

// The line search. W and H are the frame size known to the capture. Lines (rows for kHorizontal,
// columns for kVertical) are visited from 0 up; along each, the pixels matching the taught colour
// are counted, adjacent or not, and the line is found at the lineLength-th of them (at the first
// match when lineLength is 0 or less). Then *across gets the row (or column) and *centre the
// position of that match minus lineLength / 2, truncated; both are optional and left as they are
// when nothing is found.
bool FindLine(const LineParams& line, LineAxis axis, const MyBitmap& frame, int32_t frameWidth,
              int32_t frameHeight, int32_t* across, int32_t* centre);
