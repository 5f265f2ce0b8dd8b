#include "inspection/webcamgetimage.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "capture/webcam.h"
#include "foundation/myutl.h"
#include "inspection/webcamtestimage.h"
#include "platform/modalwindow.h"

TWebCamForm_GetImage* WebCamForm_GetImage = nullptr;

TWebCamForm_GetImage::TWebCamForm_GetImage(QWidget* owner, bool autoOpening)
    : TeachWindowOf(owner, autoOpening, "WebCamForm_GetImage", "WEBCAM - RICONOSCIMENTO IMMAGINE",
                    902, 530) {
  ClickLbl = MakeInstructionLabel(
      this, "ClickLbl", "Acquisire immagine di riferimento e poi andare nella pagina di test", 16,
      12, 640, 17);
  WC_Panel = MakePreviewPanel(this, 16, 38, 640, 480);
  AcqImgBtn = MakeButton(this, "AcqImgBtn", "  Acquisisci immagine", 680, 38, 203, 57, "camera");
  acquireButton = AcqImgBtn;
  TestBtn = MakeButton(this, "TestBtn", "    Test", 680, 101, 203, 57, "ok");
  ExitButton = MakeButton(this, "ExitButton", " Esci", 680, 460, 203, 58, "exit");

  GroupBox1 = MakeGroup(this, "GroupBox1", "Attuali parametri", 673, 203, 216, 224);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sul colore:", 8, 31);
  curImage = new ImageControl(GroupBox1, "curImage", 6, 61, 204, 153);
  ConnectCycle();
}

void TWebCamForm_GetImage::RunTestWindow() {
  RunModal(WebCam_TestImage, this);
  shortToleranceText = true;
}

void TWebCamForm_GetImage::ShowTolerance(const char* format) {
  const ImageParams& image = Record(*currentWebCam);
  TollLbl->setVisible(image.stored);
  if (image.stored) {
    TollLbl->setText(QString::fromStdString(StrFormat(format, image.tolerance)));
    TollLbl->adjustSize();
  }
}

void TWebCamForm_GetImage::ShowParams() {
  if (!currentWebCam) return;
  ShowTolerance(shortToleranceText ? "Tolleranza=%d%%" : "Tolleranza sul colore=%d%%");
  TestBtn->setEnabled(Record(*currentWebCam).stored);
}

void TWebCamForm_GetImage::SnapshotTaken() {
  if (!currentWebCam) return;
  Record(*currentWebCam).stored = true;
  shortToleranceText = true;
  ShowTolerance("Tolleranza=%d%%");
  ClickLbl->setText(QString::fromUtf8("Andare nella pagina di test"));
  ShowImageReference();
  TestBtn->setEnabled(true);
}

void TWebCamForm_GetImage::ShowImageReference() {
  if (!currentWebCam) return;
  curImage->LoadPicture(currentWebCam->samplePath);
}
