#include "methods/webcam_sistemavisione_lineaoriz.h"

const ParamFileMessages& HorizontalLineMethod::Messages() {
  static const ParamFileMessages messages{
      "WCLO003: errore nella lettura dei dati del punto della webcam.",
      "WCLO001: errore nella lettura dei dati del punto della webcamo.",
      "WCLO001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.",
      "WCLO002: errore nella scrittura dei dati del punto della webcam.",
  };
  return messages;
}

bool FindHorizontalLine(const LineParams& line, const MyBitmap& frame, int32_t frameWidth,
                        int32_t frameHeight, int32_t* row, int32_t* centreX) {
  return FindLine(line, LineAxis::kHorizontal, frame, frameWidth, frameHeight, row, centreX);
}
