#include "methods/webcam_sistemavisione_zona.h"

#include <algorithm>

const ParamFileMessages& ZoneMethod::Messages() {
  static const ParamFileMessages messages{
      "WCZ003: errore nella lettura dei dati della zona della webcam.",
      "WCZ001: errore nella lettura dei dati del punto della webcamo.",
      "WCZ001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.",
      "WCZ002: errore nella scrittura dei dati del punto della webcam.",
  };
  return messages;
}

bool CheckZone(const ZoneParams& zone, const MyBitmap& frame) {
  const MyBitmap* reference = zone.reference.get();
  const int64_t x0 = std::min(zone.zoneX1, zone.zoneX2), x1 = std::max(zone.zoneX1, zone.zoneX2);
  const int64_t y0 = std::min(zone.zoneY1, zone.zoneY2), y1 = std::max(zone.zoneY1, zone.zoneY2);
  // Every pixel of the zone counts in the area, but only those inside one of the bitmaps can add
  // to the sums: beyond both, black meets black. The loop stops at their edge, so corners anywhere
  // in the integer range (a file written by hand) never keep the station busy.
  const int64_t width = std::max(frame.Width(), reference ? reference->Width() : 0);
  const int64_t height = std::max(frame.Height(), reference ? reference->Height() : 0);
  double sumR = 0, sumG = 0, sumB = 0;
  for (int64_t y = std::max<int64_t>(y0, 0); y <= std::min(y1, height - 1); ++y) {
    for (int64_t x = std::max<int64_t>(x0, 0); x <= std::min(x1, width - 1); ++x) {
      uint8_t r, g, b, r0 = 0, g0 = 0, b0 = 0;
      frame.GetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), r, g, b);
      if (reference)
        reference->GetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), r0, g0, b0);
      sumR += r > r0 ? r - r0 : r0 - r;
      sumG += g > g0 ? g - g0 : g0 - g;
      sumB += b > b0 ? b - b0 : b0 - b;
    }
  }
  // At least one pixel, up to 2^64 of them: counted in double, which no 32-bit product overflows.
  const double area = static_cast<double>(x1 - x0 + 1) * static_cast<double>(y1 - y0 + 1);
  return WithinTolerance(sumR / area, zone.tolerance) &&
         WithinTolerance(sumG / area, zone.tolerance) &&
         WithinTolerance(sumB / area, zone.tolerance);
}
