#pragma once

#include <cstdint>

#include "inspection/testwindow.h"
#include "methods/webcam_sistemavisione_point.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

// The point test window: the point search on every live frame, lamps, position and marked picture;
// the tolerance, the neighbourhood size and the search mode are tuned here.
class TWebCam_TestPoint : public TestWindowOf<PointMethod> {
 public:
  explicit TWebCam_TestPoint(QWidget* owner);

  QGroupBox* GroupBox1 = nullptr;
  QLabel* ColLbl = nullptr;
  ShapeControl* SelColShape = nullptr;
  QLabel* QtPixEdtLabel = nullptr;
  QLineEdit* QtPixEdt = nullptr;
  QRadioButton* AllImgRB = nullptr;
  QRadioButton* SoloPuntoSelRB = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* XYLbl = nullptr;

  // FindPoint on the frame as last converted; X and Y only when found.
  bool RunTest(int32_t& X, int32_t& Y);
  bool RunTestOutputs(int32_t outputs[4]) override { return RunTest(outputs[0], outputs[1]); }

  void QtPixEdtChange();
  void SearchModeClick();
  void ShowSearchMode();
  void ShowPointResult();

 protected:
  void ShowRecord() override;
  void ShowFrameResult() override { ShowPointResult(); }
};

extern TWebCam_TestPoint* WebCam_TestPoint;
