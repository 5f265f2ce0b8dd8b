#include "methods/webcam_sistemavisione_lineavert.h"

const ParamFileMessages& VerticalLineMethod::Messages() {
  static const ParamFileMessages messages{
      "WCLV003: errore nella lettura dei dati del punto della webcam.",
      "WCLV001: errore nella lettura dei dati del punto della webcamo.",
      "WCLV001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.",
      "WCLV002: errore nella scrittura dei dati del punto della webcam.",
  };
  return messages;
}

bool FindVerticalLine(const LineParams& line, const MyBitmap& frame, int32_t frameWidth,
                      int32_t frameHeight, int32_t* column, int32_t* centreY) {
  return FindLine(line, LineAxis::kVertical, frame, frameWidth, frameHeight, column, centreY);
}
