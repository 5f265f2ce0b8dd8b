#pragma once

#include <QDialog>

#include "capture/webcam.h"
#include "inspection/methodcontrols.h"

class QPushButton;
class QTimer;

// What the six teach windows share: show, snapshot, the hand-over of the capture to the test
// window, the auto-start tick and the close. A method's window lays out its controls, assigns the
// shared ones below, calls ConnectCycle() and supplies the hooks.
class TeachWindow : public QDialog {
 public:
  ~TeachWindow() override;

  // This window started the capture and owns currentWebCam.
  bool webCamReady = false;
  // The auto-start opened this window: it goes on to its test by itself.
  const bool autoOpening;

  QLabel* ClickLbl = nullptr;
  QWidget* WC_Panel = nullptr;
  ImageControl* appImage = nullptr;      // none in the whole-image window
  QPushButton* acquireButton = nullptr;  // AcqColBtn, AcqZonaBtn, ...
  QPushButton* TestBtn = nullptr;
  QPushButton* ExitButton = nullptr;
  QTimer* AvvioProgTimer = nullptr;

  void FormShow();
  void AcquireClick();
  void TestBtnClick();
  void AvvioProgTimerTimer();
  void ExitButtonClick();
  void FormClose();

  void done(int result) override;

 protected:
  // A fixed-size dialog without title-bar buttons, Tahoma 8, centred on its owner.
  TeachWindow(QWidget* owner, bool autoOpening, const char* formName, const char* caption,
              int clientWidth, int clientHeight);
  void ConnectCycle();

  // The common part of the method's record in the capture.
  virtual MethodRecord& CommonRecord(WebCam& webCam) = 0;
  // ShowPointParams, ShowZoneParams, ...: the record into the parameter controls.
  virtual void ShowParams() = 0;
  // The reference picture with its marker into curImage (only when stored).
  virtual void DrawReference() = 0;
  // ClickLbl while the operator picks on the frozen snapshot.
  virtual const char* PickInstruction() const = 0;
  // Creates the method's test window, shows it modally, deletes it and clears its global.
  virtual void RunTestWindow() = 0;
  // Called on the snapshot (after it is in the reference and the sample file): freezes the picture
  // in appImage for the pick. The whole-image window takes the snapshot itself as its reference.
  virtual void SnapshotTaken();
  // The end of a pick: live preview again and the three buttons back.
  void PickDone();

  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// A method's teach window: Record() is the method's own record.
template <class Row>
class TeachWindowOf : public TeachWindow {
 protected:
  using TeachWindow::TeachWindow;
  typename Row::Record& Record(WebCam& webCam) { return webCam.Record<Row>(); }
  MethodRecord& CommonRecord(WebCam& webCam) final { return Record(webCam); }

  // The colour methods' pick (point, lines, dimension): the click on the frozen reference in
  // appImage becomes the taught point in frame pixels and the reference's colour there.
  void PickColour(int mx, int my) {
    WebCam& webCam = *currentWebCam;
    typename Row::Record& record = Record(webCam);
    const ViewScale scale{webCam.windowWidth, webCam.windowHeight, webCam.frameWidth,
                          webCam.frameHeight};
    record.clickX = mx;
    record.clickY = appImage->height() - my;
    record.pointX = scale.FrameX(mx);
    record.pointY = scale.FrameY(my, appImage->height());
    uint8_t r = 0, g = 0, b = 0;
    if (record.reference) record.reference->GetPixel(record.pointX, record.pointY, r, g, b);
    record.colR = r;
    record.colG = g;
    record.colB = b;
    record.stored = true;
  }
};
