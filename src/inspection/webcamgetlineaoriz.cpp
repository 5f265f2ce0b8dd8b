#include "inspection/webcamgetlineaoriz.h"

#include "inspection/webcamtestlineaoriz.h"
#include "platform/modalwindow.h"

TWebCamForm_GetLineaOriz* WebCamForm_GetLineaOriz = nullptr;

TWebCamForm_GetLineaOriz::TWebCamForm_GetLineaOriz(QWidget* owner, bool autoOpening)
    : LineTeachWindow(owner, autoOpening, "WebCamForm_GetLineaOriz",
                      "WEBCAM - RICONOSCIMENTO LINEA ORIZZONTALE", "SelLineaOrizLbl") {
  SelLineaOrizLbl = positionLabel;
}

void TWebCamForm_GetLineaOriz::RunTestWindow() {
  RunModal(WebCam_TestLineaOriz, this);
}
