#include "methods/webcam_sistemavisione_image.h"

const ParamFileMessages& ImageMethod::Messages() {
  static const ParamFileMessages messages{
      "WCI003: errore nella lettura dei dati dell'immagine campione della webcam.",
      "WCI001: errore nella lettura dei dati dell'immagine campione della webcamo.",
      "WCI001: errore nella lettura dei dati dell'immagine campione della webcam. Reimpostare i "
      "valori.",
      "WCI002: errore nella scrittura dei dati dell'immagine campione della webcam.",
  };
  return messages;
}

bool CompareImage(const ImageParams& image, const MyBitmap& frame, int32_t frameWidth,
                  int32_t frameHeight) {
  // No pixels, no mean: nothing has been compared, so nothing passes.
  if (frameWidth <= 0 || frameHeight <= 0) return false;
  const MyBitmap* reference = image.reference.get();
  double sumR = 0, sumG = 0, sumB = 0;
  for (int32_t y = 0; y < frameHeight; ++y) {
    for (int32_t x = 0; x < frameWidth; ++x) {
      uint8_t r, g, b, r0 = 0, g0 = 0, b0 = 0;
      frame.GetPixel(x, y, r, g, b);
      if (reference) reference->GetPixel(x, y, r0, g0, b0);
      sumR += r > r0 ? r - r0 : r0 - r;
      sumG += g > g0 ? g - g0 : g0 - g;
      sumB += b > b0 ? b - b0 : b0 - b;
    }
  }
  const double count = static_cast<double>(frameWidth) * static_cast<double>(frameHeight);
  return WithinTolerance(sumR / count, image.tolerance) &&
         WithinTolerance(sumG / count, image.tolerance) &&
         WithinTolerance(sumB / count, image.tolerance);
}
