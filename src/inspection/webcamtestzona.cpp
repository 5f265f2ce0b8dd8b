#include "inspection/webcamtestzona.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "capture/webcam.h"
#include "inspection/webcamgetzona.h"

TWebCam_TestZona* WebCam_TestZona = nullptr;

TWebCam_TestZona::TWebCam_TestZona(QWidget* owner)
    : TestWindowOf(owner, "WebCam_TestZona", "WEBCAM - TEST RICONOSCIMENTO ZONA", 944, 652) {
  WC_Panel = MakePreviewPanel(this, 5, 5, 596, 480);
  ClickLbl = MakeInstructionLabel(
      this, "ClickLbl",
      "Posizionare l'oggetto nella stessa zona dell'immagine in cui è stato acquisito", 5, 488, 596,
      19);
  lamps = MakeResultLamps(this, {162, 515}, {184, 561}, "FOUND!", {296, 515}, {335, 544}, "NOT");
  Label1 = MakeLabel(this, "Label1", "FOUND", 324, 569);
  Label1->setFont(LampFont());
  Label1->setAttribute(Qt::WA_TranslucentBackground);
  Label1->adjustSize();
  Label1->raise();

  GroupBox1 = MakeGroup(this, "GroupBox1", "Parametri di riconoscumento", 603, 60, 336, 120);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sui colori:", 12, 45);
  TollBar = MakeToleranceBar(GroupBox1, 14, 64, 311, 17);
  GroupBox2 = MakeGroup(this, "GroupBox2", "Risultati riconoscimento", 603, 183, 336, 302);
  curImage = new ImageControl(GroupBox2, "curImage", 6, 27, 327, 270);
  ExitButton = MakeButton(this, "ExitButton", "Esci", 693, 565, 167, 58, "exit");
  ConnectCycle();
}

bool TWebCam_TestZona::RunTest() {
  if (!currentWebCam || !currentWebCam->frame) return false;
  return CheckZone(Record(*currentWebCam), *currentWebCam->frame);
}

void TWebCam_TestZona::ShowZoneResult() {
  if (!currentWebCam || !currentWebCam->frame) return;
  WebCam& webCam = *currentWebCam;
  const ZoneParams& zone = Record(webCam);
  const bool pass = CheckZone(zone, *webCam.frame);
  const ViewScale scale{webCam.windowWidth, webCam.windowHeight, webCam.frameWidth,
                        webCam.frameHeight};
  ShowResult(pass, [&](QPainter& painter) {
    DrawZoneOutline(painter, scale.WindowX(zone.zoneX1), scale.WindowY(zone.zoneY1),
                    scale.WindowX(zone.zoneX2), scale.WindowY(zone.zoneY2));
  });
}
