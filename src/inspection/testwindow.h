#pragma once

#include <QDialog>
#include <functional>

#include "capture/webcam.h"
#include "inspection/methodcontrols.h"
#include "inspection/testwindowref.h"

class QPushButton;
class QScrollBar;

// What the six test windows share: show (capture, frame handler, record into the controls), the
// tolerance bar, the result display, TestActive and the close that writes the files. A method's
// window derives from TestWindowOf<its row of the method table>, lays out its controls, assigns the
// shared ones below, calls ConnectCycle() and supplies the hooks.
class TestWindow : public QDialog, public TestWindowRef {
 public:
  ~TestWindow() override;

  // This window created currentWebCam and destroys it when it closes.
  bool ownsWebCam = false;
  // This window's test is the one a trigger runs.
  bool TestActive = false;

  QWidget* WC_Panel = nullptr;
  QLabel* ClickLbl = nullptr;
  ResultLamps lamps;
  QLabel* TollLbl = nullptr;
  QScrollBar* TollBar = nullptr;
  ImageControl* curImage = nullptr;
  QPushButton* ExitButton = nullptr;

  bool IsTestActive() const override { return TestActive; }

  void FormShow();
  void TollBarChange();
  void ExitButtonClick();
  void FormClose();

  void done(int result) override;

 protected:
  // A fixed-size dialog without title-bar buttons, bold Tahoma, centred on its owner.
  TestWindow(QWidget* owner, const char* formName, const char* caption, int clientWidth,
             int clientHeight);
  void ConnectCycle();
  // The tolerance bar: 0 to 100, large step 10.
  QScrollBar* MakeToleranceBar(QWidget* parent, int left, int top, int width, int height);

  // The common part of the method's record in the capture.
  virtual MethodRecord& CommonRecord(WebCam& webCam) = 0;
  // The method's own controls from the record (the tolerance bar is already set).
  virtual void ShowRecord() = 0;
  // The frame handler: check the frame just converted and show the result (ShowResult).
  virtual void ShowFrameResult() = 0;

  // The capture this window created while it still runs; the controls change nothing otherwise.
  WebCam* OwnCapture();
  // Lamps; on pass a copy of the live preview with the marker that `mark` draws (window
  // coordinates, red pen of 10 pixels already set), on fail curImage hidden.
  void ShowResult(bool pass, const std::function<void(QPainter&)>& mark);

  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  WebCam* capture = nullptr;  // the capture this window created
};

// A method's test window: Record() and OwnRecord() are the method's own record.
template <class Row>
class TestWindowOf : public TestWindow {
 protected:
  using TestWindow::TestWindow;
  typename Row::Record& Record(WebCam& webCam) { return webCam.Record<Row>(); }
  // The record while this window's own capture runs, else null.
  typename Row::Record* OwnRecord() {
    WebCam* webCam = OwnCapture();
    return webCam ? &Record(*webCam) : nullptr;
  }
  MethodRecord& CommonRecord(WebCam& webCam) final { return Record(webCam); }
};
