#include "inspection/teachwindow.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "capture/webcam.h"
#include "inspection/methodcapture.h"
#include "methods/methodparams.h"
#include "platform/formcontrols.h"

namespace {

constexpr int kAutoStartDelayMs = 200;

}  // namespace

TeachWindow::TeachWindow(QWidget* owner, bool autoOpening, const char* formName,
                         const char* caption, int clientWidth, int clientHeight)
    : QDialog(owner), autoOpening(autoOpening) {
  setObjectName(formName);
  SetDialogFrame(this, caption, clientWidth, clientHeight, false);
  setFont(StationFont(false));
  AvvioProgTimer = new QTimer(this);
  AvvioProgTimer->setObjectName("AvvioProgTimer");
  AvvioProgTimer->setInterval(kAutoStartDelayMs);
}

TeachWindow::~TeachWindow() {
  // A window deleted without being closed still gives its capture back.
  if (webCamReady && currentWebCam) StopCapture();
}

void TeachWindow::ConnectCycle() {
  connect(acquireButton, &QPushButton::clicked, this, &TeachWindow::AcquireClick);
  connect(TestBtn, &QPushButton::clicked, this, &TeachWindow::TestBtnClick);
  connect(ExitButton, &QPushButton::clicked, this, &TeachWindow::ExitButtonClick);
  connect(AvvioProgTimer, &QTimer::timeout, this, &TeachWindow::AvvioProgTimerTimer);
}

void TeachWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TeachWindow::FormShow() {
  if (appImage) {
    appImage->setGeometry(WC_Panel->geometry());
    appImage->hide();
  }
  WC_Panel->show();
  webCamReady = false;
  if (WebCamAlreadyUsed()) return;
  if (!StartPanelCapture(WC_Panel)) {
    acquireButton->setEnabled(false);
    TestBtn->setEnabled(false);
    return;
  }
  MethodRecord& record = CommonRecord(*currentWebCam);
  if (record.stored && record.reference) {
    record.reference->SaveBmp(currentWebCam->samplePath);
    DrawReference();
  }
  ShowParams();
  AvvioProgTimer->start();
  webCamReady = true;
}

void TeachWindow::AcquireClick() {
  if (!webCamReady || !currentWebCam) return;
  currentWebCam->RequestSnapshot(CommonRecord(*currentWebCam).reference.get(),
                                 [this](WebCam&) { SnapshotTaken(); });
}

void TeachWindow::SnapshotTaken() {
  if (!currentWebCam || !appImage) return;
  WC_Panel->hide();
  appImage->show();
  ClickLbl->setText(QString::fromUtf8(PickInstruction()));
  appImage->LoadPicture(currentWebCam->samplePath);
  acquireButton->setEnabled(false);
  TestBtn->setEnabled(false);
  ExitButton->setEnabled(false);
}

void TeachWindow::PickDone() {
  WC_Panel->show();
  if (appImage) appImage->hide();
  ClickLbl->setText(QString::fromUtf8("Andare nella pagina di test"));
  acquireButton->setEnabled(true);
  TestBtn->setEnabled(true);
  ExitButton->setEnabled(true);
}

void TeachWindow::TestBtnClick() {
  if (!webCamReady) return;
  // The files carry the parameters over to the test window and back.
  StopCapture();
  webCamReady = false;
  RunTestWindow();
  if (!StartPanelCapture(WC_Panel)) return;
  webCamReady = true;
  ShowParams();
}

void TeachWindow::AvvioProgTimerTimer() {
  AvvioProgTimer->stop();
  if (autoOpening) TestBtnClick();
}

void TeachWindow::ExitButtonClick() {
  close();
}

void TeachWindow::FormClose() {
  AvvioProgTimer->stop();
  if (webCamReady && currentWebCam) StopCapture();
  webCamReady = false;
  WC_Panel->hide();
}

void TeachWindow::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TeachWindow::keyPressEvent(QKeyEvent* event) {
  // No Escape: the window closes through its exit button only.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}
