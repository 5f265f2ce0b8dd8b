#include "inspection/webcamtestimage.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "capture/webcam.h"

TWebCam_TestImage* WebCam_TestImage = nullptr;

TWebCam_TestImage::TWebCam_TestImage(QWidget* owner)
    : TestWindowOf(owner, "WebCam_TestImage", "WEBCAM - TEST RICONOSCIMENTO IMMAGINE", 944, 640) {
  WC_Panel = MakePreviewPanel(this, 5, 5, 596, 480);
  ClickLbl = MakeInstructionLabel(
      this, "ClickLbl", "Viene eseguito un confronto sull'intera immagine", 5, 488, 594, 19);
  lamps = MakeResultLamps(this, {174, 509}, {220, 555}, "OK", {308, 509}, {347, 555}, "NOK");
  GroupBox1 = MakeGroup(this, "GroupBox1", "Parametri di riconoscumento", 605, 350, 334, 135);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sui colori:", 12, 45);
  TollBar = MakeToleranceBar(GroupBox1, 14, 64, 309, 17);
  ExitButton = MakeButton(this, "ExitButton", "Esci", 691, 567, 167, 58, "exit");
  ConnectCycle();
}

bool TWebCam_TestImage::RunTest() {
  if (!currentWebCam || !currentWebCam->frame) return false;
  WebCam& webCam = *currentWebCam;
  return CompareImage(Record(webCam), *webCam.frame, webCam.frameWidth, webCam.frameHeight);
}

void TWebCam_TestImage::ShowImageResult() {
  if (!currentWebCam || !currentWebCam->frame) return;
  // No result picture in this window: the lamps alone.
  lamps.Show(RunTest());
}
