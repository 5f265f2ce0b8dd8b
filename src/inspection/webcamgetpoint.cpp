#include "inspection/webcamgetpoint.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "capture/webcam.h"
#include "foundation/myutl.h"
#include "inspection/webcamtestpoint.h"
#include "platform/modalwindow.h"

TWebCamForm_GetPoint* WebCamForm_GetPoint = nullptr;

TWebCamForm_GetPoint::TWebCamForm_GetPoint(QWidget* owner, bool autoOpening)
    : TeachWindowOf(owner, autoOpening, "WebCamForm_GetPoint", "WEBCAM - RICONOSCIMENTO PER PUNTO",
                    902, 548) {
  ClickLbl = MakeInstructionLabel(
      this, "ClickLbl", "Acquisire colore di riferimento e poi andare nella pagina di test", 16, 12,
      640, 17);
  Label1 = MakeUnderlinedLabel(this, "Label1",
                               "Per ottenere risultati migliori si consiglia di contrastare il "
                               "colore di sfondo rispetto al colore dell'oggetto scelto",
                               16, 35, 640, 17);
  WC_Panel = MakePreviewPanel(this, 16, 58, 640, 480);
  appImage = new ImageControl(this, "appImage", 16, 58, 640, 480);
  appImage->onMouseDown = [this](int x, int y) { appImageMouseDown(x, y); };
  AcqColBtn = MakeButton(this, "AcqColBtn", "  Acquisisci colore", 680, 58, 203, 57, "camera");
  acquireButton = AcqColBtn;
  TestBtn = MakeButton(this, "TestBtn", "    Test", 680, 121, 203, 57, "ok");
  ExitButton = MakeButton(this, "ExitButton", " Esci", 680, 480, 201, 58, "exit");

  GroupBox1 = MakeGroup(this, "GroupBox1", "Attuali parametri", 673, 211, 216, 250);
  SelColShape = new ShapeControl(GroupBox1, "SelColShape", ShapeControl::Kind::kRoundRect, 10, 21,
                                 111, 22, 0xFFFFFF);
  SelPointLbl = MakeLabel(GroupBox1, "SelPointLbl", "X=0 Y=0", 127, 31);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sul colore:", 10, 49);
  QtPixLbl = MakeLabel(GroupBox1, "QtPixLbl", "Qt pixel", 10, 66);
  curImage = new ImageControl(GroupBox1, "curImage", 6, 90, 204, 153);
  ConnectCycle();
}

const char* TWebCamForm_GetPoint::PickInstruction() const {
  return "Clickare sull'immagine per acquisire il colore";
}

void TWebCamForm_GetPoint::RunTestWindow() {
  RunModal(WebCam_TestPoint, this);
}

void TWebCamForm_GetPoint::appImageMouseDown(int mx, int my) {
  if (!appImage->isVisible() || !currentWebCam) return;
  PickColour(mx, my);
  ShowPointParams();
  DrawPointReference();
  PickDone();
}

void TWebCamForm_GetPoint::ShowPointParams() {
  if (!currentWebCam) return;
  const PointParams& point = Record(*currentWebCam);
  for (QWidget* control :
       std::initializer_list<QWidget*>{SelColShape, SelPointLbl, TollLbl, QtPixLbl})
    control->setVisible(point.stored);
  if (point.stored) {
    SelColShape->SetBrush(PointColour(point));
    SelPointLbl->setText(
        QString::fromStdString(StrFormat("X=%d Y=%d", point.pointX, point.pointY)));
    TollLbl->setText(
        QString::fromStdString(StrFormat("Tolleranza sul colore=%d%%", point.tolerance)));
    QtPixLbl->setText(
        QString::fromStdString(StrFormat("Quantità pixel per verifica=%d", point.checkPixels)));
    for (QLabel* label : {SelPointLbl, TollLbl, QtPixLbl}) label->adjustSize();
  }
  TestBtn->setEnabled(point.stored);
}

void TWebCamForm_GetPoint::DrawPointReference() {
  if (!currentWebCam || !Record(*currentWebCam).stored) return;
  const PointParams& point = Record(*currentWebCam);
  // The sample file holds the reference at this moment; its canvas counts y from the top.
  QPixmap picture(QString::fromStdString(currentWebCam->samplePath));
  DrawCircleMarker(picture, point.pointX, currentWebCam->frameHeight - point.pointY);
  curImage->setPixmap(picture);
}
