#include "inspection/webcamtestlineavert.h"

TWebCam_TestLineaVert* WebCam_TestLineaVert = nullptr;

TWebCam_TestLineaVert::TWebCam_TestLineaVert(QWidget* owner)
    : LineTestWindow(
          owner, {"WebCam_TestLineaVert", "WEBCAM - TEST RICONOSCIMENTO LINEA VERTICALE", 647,
                  "Una linea verticale del colore selezionato viene ricercata in tutta l'immagine",
                  "XLbl", "X="}) {
  XLbl = resultLabel;
}
