#include "inspection/webcamgetdim.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "capture/webcam.h"
#include "foundation/myutl.h"
#include "inspection/webcamtestdim.h"
#include "platform/modalwindow.h"

TWebCamForm_GetDim* WebCamForm_GetDim = nullptr;

TWebCamForm_GetDim::TWebCamForm_GetDim(QWidget* owner, bool autoOpening)
    : TeachWindowOf(owner, autoOpening, "WebCamForm_GetDim",
                    "WEBCAM - RICONOSCIMENTO DIMENSIONI OGGETTO", 902, 548) {
  ClickLbl = MakeInstructionLabel(
      this, "ClickLbl",
      "Acquisire un punto con il colore dell'oggetto e poi andare nella pagina di test", 18, 8, 640,
      17);
  Label1 = MakeUnderlinedLabel(this, "Label1",
                               "Per ottenere risultati migliori si consiglia di contrastare il "
                               "colore di sfondo rispetto al colore dell'oggetto scelto",
                               18, 31, 640, 17);
  WC_Panel = MakePreviewPanel(this, 18, 56, 640, 480);
  appImage = new ImageControl(this, "appImage", 18, 56, 640, 480);
  appImage->onMouseDown = [this](int x, int y) { appImageMouseDown(x, y); };
  AcqColBtn = MakeButton(this, "AcqColBtn", "  Acquisisci colore", 680, 56, 203, 57, "camera");
  acquireButton = AcqColBtn;
  TestBtn = MakeButton(this, "TestBtn", "    Test", 680, 119, 203, 57, "ok");
  ExitButton = MakeButton(this, "ExitButton", " OK", 680, 478, 203, 58, "ok");

  GroupBox1 = MakeGroup(this, "GroupBox1", "Attuali parametri", 673, 187, 216, 285);
  SelColShape = new ShapeControl(GroupBox1, "SelColShape", ShapeControl::Kind::kRoundRect, 10, 21,
                                 111, 22, 0xFFFFFF);
  SelPointLbl = MakeLabel(GroupBox1, "SelPointLbl", "X=0 Y=0", 127, 31);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sul colore:", 10, 49);
  QtPixLbl = MakeLabel(GroupBox1, "QtPixLbl", "Qt pixel", 10, 66);
  DimFrameLbl = MakeLabel(GroupBox1, "DimFrameLbl", "Dimesione frame", 10, 83);
  FrameDaMediareLbl = MakeLabel(GroupBox1, "FrameDaMediareLbl", "Frame da mediare", 10, 100);
  curImage = new ImageControl(GroupBox1, "curImage", 6, 125, 204, 153);
  ConnectCycle();
}

const char* TWebCamForm_GetDim::PickInstruction() const {
  return "Clickare sull'immagine per acquisire il colore dell'oggetto di cui ricavare le "
         "dimensioni";
}

void TWebCamForm_GetDim::RunTestWindow() {
  // The test opened with the colour taught before while the frozen picture waited for a click:
  // the pick is over, so the window comes back live with its buttons instead of waiting for a click
  // that would replace that colour.
  if (appImage->isVisible()) PickDone();
  RunModal(WebCam_TestDim, this);
}

void TWebCamForm_GetDim::SnapshotTaken() {
  TeachWindow::SnapshotTaken();
  if (currentWebCam && Record(*currentWebCam).stored) TestBtn->setEnabled(true);
}

void TWebCamForm_GetDim::appImageMouseDown(int mx, int my) {
  if (!appImage->isVisible() || !currentWebCam) return;
  PickColour(mx, my);
  ShowDimParams();
  DrawDimReference();
  PickDone();
}

void TWebCamForm_GetDim::ShowDimParams() {
  if (!currentWebCam) return;
  const DimParams& dim = Record(*currentWebCam);
  for (QWidget* control : std::initializer_list<QWidget*>{SelColShape, SelPointLbl, TollLbl,
                                                          QtPixLbl, DimFrameLbl, FrameDaMediareLbl})
    control->setVisible(dim.stored);
  if (dim.stored) {
    SelColShape->SetBrush(DimColour(dim));
    SelPointLbl->setText(QString::fromStdString(StrFormat("X=%d Y=%d", dim.pointX, dim.pointY)));
    TollLbl->setText(
        QString::fromStdString(StrFormat("Tolleranza sul colore=%d%%", dim.tolerance)));
    QtPixLbl->setText(
        QString::fromStdString(StrFormat("Quantità pixel per verifica=%d", dim.checkPixels)));
    DimFrameLbl->setText(
        QString::fromStdString("Dimensioni frame: " + FixedText(dim.frameWidthMm, 2, 4) + " x " +
                               FixedText(dim.frameHeightMm, 2, 4) + " mm"));
    FrameDaMediareLbl->setText(
        QString::fromStdString(StrFormat("Frame da mediare: %d", dim.framesToAverage)));
    for (QLabel* label : {SelPointLbl, TollLbl, QtPixLbl, DimFrameLbl, FrameDaMediareLbl})
      label->adjustSize();
  }
  TestBtn->setEnabled(dim.stored);
}

void TWebCamForm_GetDim::DrawDimReference() {
  if (!currentWebCam || !Record(*currentWebCam).stored) return;
  const DimParams& dim = Record(*currentWebCam);
  // The sample file holds the reference at this moment; its canvas counts y from the top.
  QPixmap picture(QString::fromStdString(currentWebCam->samplePath));
  DrawCircleMarker(picture, dim.pointX, currentWebCam->frameHeight - dim.pointY);
  curImage->setPixmap(picture);
}
