#pragma once

#include "inspection/testwindow.h"
#include "methods/webcam_sistemavisione_zona.h"

class QGroupBox;

// The zone test window: the zone comparison on every live frame, lamps and the marked picture; the
// tolerance is tuned here.
class TWebCam_TestZona : public TestWindowOf<ZoneMethod> {
 public:
  explicit TWebCam_TestZona(QWidget* owner);

  QLabel* Label1 = nullptr;  // "FOUND" under LabelNok: the fail lamp reads "NOT FOUND"
  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;

  // CheckZone on the frame as last converted.
  bool RunTest();
  bool RunTestOutputs(int32_t[4]) override { return RunTest(); }

  void ShowZoneResult();

 protected:
  void ShowRecord() override {}
  void ShowFrameResult() override { ShowZoneResult(); }
};

extern TWebCam_TestZona* WebCam_TestZona;
