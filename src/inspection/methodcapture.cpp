#include "inspection/methodcapture.h"

#include <QWidget>

#include "capture/webcam.h"
#include "foundation/mymessagebox.h"

bool WebCamAlreadyUsed() {
  if (!currentWebCam) return false;
  ShowMessageBox("WebCam already used", "ERROR", kMbOk);
  return true;
}

bool StartPanelCapture(QWidget* panel) {
  currentWebCam =
      new WebCam(panel, 0, 0, panel->width(), panel->height(), kMethodPreviewPeriod, true);
  if (!currentWebCam->Failed()) return true;
  ShowMessageBox(
      "Errore nella connessione con la webcam.\nVerificare che la webcam sia correttamente "
      "collegata.",
      "ERRORE", kMbInformation);
  StopCapture();
  return false;
}

void StopCapture() {
  WebCam* capture = currentWebCam;
  currentWebCam = nullptr;
  delete capture;
}
