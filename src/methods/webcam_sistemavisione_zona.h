#pragma once

#include <cstdint>

#include "bitmap/mybitmap.h"
#include "methods/methodparams.h"

// The zone method: a taught rectangle of the frame must still look like the reference.
// Common part (path, reference, stored, tolerance 94) in MethodRecord.
struct ZoneParams : MethodRecord {
  int32_t clickX1 = 0;  // where the drag started in the still image (kept, not used)
  int32_t clickY1 = 0;  // counted from the control's bottom
  int32_t clickX2 = 0;  // where the drag ended
  int32_t clickY2 = 0;
  int32_t zoneX1 = 0;  // first corner, frame column
  int32_t zoneY1 = 0;  // first corner, frame row (0 = bottom row)
  int32_t zoneX2 = 0;  // second corner; the corners may come in any order
  int32_t zoneY2 = 0;
};

// The zone method's row of the method table.
struct ZoneMethod {
  using Record = ZoneParams;
  static constexpr int32_t kNumber = 2;
  static constexpr char kFileName[] = "webcam_zona.dat";
  static constexpr int32_t kDefaultTolerance = 94;
  static constexpr int kOutputs = 0;  // pass or fail only
  static const ParamFileMessages& Messages();

  // The file's fields in file order, for reading and for writing alike.
  template <class Io, class R, class Size>
  static void Fields(Io& io, R& zone, Size& frameWidth, Size& frameHeight) {
    io.Header();
    io.Flag(zone.stored);
    io.Word(zone.clickX1);
    io.Word(zone.clickY1);
    io.Word(zone.clickX2);
    io.Word(zone.clickY2);
    io.Word(zone.zoneX1);
    io.Word(zone.zoneY1);
    io.Word(zone.zoneX2);
    io.Word(zone.zoneY2);
    io.Word(zone.tolerance);
    if (zone.stored) io.Image(zone.reference.get(), frameWidth, frameHeight);
  }
};

// The check: over the rectangle between the two corners, both ends included, the mean absolute
// difference between frame and reference, per channel, within the tolerance threshold. Pixels
// outside a bitmap read black and still count in the area. Looks only at the zone, not at stored.
bool CheckZone(const ZoneParams& zone, const MyBitmap& frame);
