#pragma once

#include "inspection/testwindow.h"
#include "methods/webcam_sistemavisione_image.h"

class QGroupBox;

// The whole-image test window: the comparison with the reference on every live frame, shown by the
// lamps alone; the tolerance is tuned here.
class TWebCam_TestImage : public TestWindowOf<ImageMethod> {
 public:
  explicit TWebCam_TestImage(QWidget* owner);

  QGroupBox* GroupBox1 = nullptr;

  // CompareImage on the frame as last converted.
  bool RunTest();
  bool RunTestOutputs(int32_t[4]) override { return RunTest(); }

  void ShowImageResult();

 protected:
  void ShowRecord() override {}
  void ShowFrameResult() override { ShowImageResult(); }
};

extern TWebCam_TestImage* WebCam_TestImage;
