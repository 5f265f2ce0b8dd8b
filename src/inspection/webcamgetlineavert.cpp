#include "inspection/webcamgetlineavert.h"

#include "inspection/webcamtestlineavert.h"
#include "platform/modalwindow.h"

TWebCamForm_GetLineaVert* WebCamForm_GetLineaVert = nullptr;

TWebCamForm_GetLineaVert::TWebCamForm_GetLineaVert(QWidget* owner, bool autoOpening)
    : LineTeachWindow(owner, autoOpening, "WebCamForm_GetLineaVert",
                      "WEBCAM - RICONOSCIMENTO LINEA VERTICALE", "SelLineaVertLbl") {
  SelLineaVertLbl = positionLabel;
}

void TWebCamForm_GetLineaVert::RunTestWindow() {
  RunModal(WebCam_TestLineaVert, this);
}
