#include "inspection/webcamtestlineaoriz.h"

TWebCam_TestLineaOriz* WebCam_TestLineaOriz = nullptr;

TWebCam_TestLineaOriz::TWebCam_TestLineaOriz(QWidget* owner)
    : LineTestWindow(
          owner,
          {"WebCam_TestLineaOriz", "WEBCAM - TEST RICONOSCIMENTO LINEA ORIZZONTALE", 644,
           "Una linea orizzontale del colore selezionato viene ricercata in tutta l'immagine",
           "YLbl", "Y="}) {
  YLbl = resultLabel;
}
