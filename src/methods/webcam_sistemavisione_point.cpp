#include "methods/webcam_sistemavisione_point.h"

#include "methods/bestmatch.h"

const ParamFileMessages& PointMethod::Messages() {
  static const ParamFileMessages messages{
      "WCP003: errore nella lettura dei dati del punto della webcam.",
      "WCP001: errore nella lettura dei dati del punto della webcamo.",
      "WCP001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.",
      "WCP002: errore nella scrittura dei dati del punto della webcam.",
  };
  return messages;
}

bool FindPoint(const PointParams& point, const MyBitmap& frame, int32_t frameWidth,
               int32_t frameHeight, int32_t* outX, int32_t* outY) {
  const ColourTarget target{point.colR, point.colG, point.colB, point.tolerance, point.checkPixels};
  const SearchRegion region =
      point.searchWholeImage ? WholeFrame(frameWidth, frameHeight)
                             : SearchRegion{point.pointX, point.pointY, point.pointX, point.pointY};
  int32_t x = 0, y = 0;
  if (!FindBestMatch(target, frame, frameWidth, frameHeight, region, x, y)) return false;
  if (outX) *outX = x;
  if (outY) *outY = y;
  return true;
}
