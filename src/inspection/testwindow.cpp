#include "inspection/testwindow.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "capture/copywindowimage.h"
#include "capture/webcam.h"
#include "foundation/myutl.h"
#include "inspection/methodcapture.h"
#include "methods/methodparams.h"
#include "platform/formcontrols.h"

TestWindow::TestWindow(QWidget* owner, const char* formName, const char* caption, int clientWidth,
                       int clientHeight)
    : QDialog(owner) {
  setObjectName(formName);
  SetDialogFrame(this, caption, clientWidth, clientHeight, false);
  setFont(StationFont(true));
}

TestWindow::~TestWindow() {
  TestActive = false;
  if (ownsWebCam && currentWebCam == capture) StopCapture();
}

void TestWindow::ConnectCycle() {
  connect(TollBar, &QScrollBar::valueChanged, this, &TestWindow::TollBarChange);
  connect(ExitButton, &QPushButton::clicked, this, &TestWindow::ExitButtonClick);
}

QScrollBar* TestWindow::MakeToleranceBar(QWidget* parent, int left, int top, int width,
                                         int height) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setObjectName("TollBar");
  bar->setGeometry(left, top, width, height);
  bar->setRange(0, 100);
  bar->setPageStep(10);
  bar->setSingleStep(1);
  return bar;
}

void TestWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TestWindow::FormShow() {
  WC_Panel->show();
  ownsWebCam = false;
  TestActive = false;
  if (WebCamAlreadyUsed()) return;
  if (!StartPanelCapture(WC_Panel)) return;
  capture = currentWebCam;
  capture->SetFrameHandler([this](WebCam&) { ShowFrameResult(); });
  TollBar->setValue(CommonRecord(*capture).tolerance);
  ShowRecord();
  ownsWebCam = true;
  TestActive = true;
}

WebCam* TestWindow::OwnCapture() {
  // Only this window's own capture: a window refused with "WebCam already used" must not write
  // its controls into the record of the window that holds the capture.
  if (!capture || currentWebCam != capture) return nullptr;
  return capture;
}

void TestWindow::TollBarChange() {
  if (WebCam* webCam = OwnCapture()) CommonRecord(*webCam).tolerance = TollBar->value();
  TollLbl->setText(QString::fromStdString(StrFormat("Tolleranza: %d%%", TollBar->value())));
  TollLbl->adjustSize();
}

void TestWindow::ShowResult(bool pass, const std::function<void(QPainter&)>& mark) {
  lamps.Show(pass);
  if (!pass) {
    curImage->hide();
    return;
  }
  QPixmap picture;
  CopyWindowImage(WC_Panel, picture);
  if (!picture.isNull()) {
    QPainter painter(&picture);
    SetMarkerPen(painter);
    mark(painter);
  }
  curImage->setPixmap(picture);
  curImage->show();
}

void TestWindow::ExitButtonClick() {
  TestActive = false;
  close();
}

void TestWindow::FormClose() {
  TestActive = false;
  if (WebCam* webCam = OwnCapture()) CommonRecord(*webCam).tolerance = TollBar->value();
  if (ownsWebCam && currentWebCam == capture) StopCapture();
  ownsWebCam = false;
  capture = nullptr;
  WC_Panel->hide();
}

void TestWindow::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TestWindow::keyPressEvent(QKeyEvent* event) {
  // No Escape: the window closes through its exit button only.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}
