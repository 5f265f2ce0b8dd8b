#pragma once

#include <cstdint>

#include "inspection/testwindow.h"
#include "methods/webcam_sistemavisione_dim.h"

class QGroupBox;
class QLineEdit;

// The dimension test window: the object is measured on every live frame, its centre and size are
// shown and outlined; the tolerance, the neighbourhood size, the picture's size in millimetres and
// the number of measurements to average are set here.
class TWebCam_TestDim : public TestWindowOf<DimMethod> {
 public:
  explicit TWebCam_TestDim(QWidget* owner);

  QGroupBox* GroupBox1 = nullptr;
  QLabel* ColLbl = nullptr;
  ShapeControl* SelColShape = nullptr;
  QLabel* QtPixEdtLabel = nullptr;
  QLineEdit* QtPixEdt = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* XYLbl = nullptr;
  QLabel* DxDyLbl = nullptr;

  // MeasureObject on the frame as last converted: the centre, then width and height in whole
  // millimetres; written only when an object is found.
  bool RunTest(int32_t& centreX, int32_t& centreY, int32_t& widthMm, int32_t& heightMm);
  bool RunTestOutputs(int32_t outputs[4]) override {
    return RunTest(outputs[0], outputs[1], outputs[2], outputs[3]);
  }

  void QtPixEdtChange();
  void Edit1Change();
  void Edit2Change();
  void Edit3Change();
  void ShowDimResult();

 protected:
  void ShowRecord() override;
  void ShowFrameResult() override { ShowDimResult(); }
};

extern TWebCam_TestDim* WebCam_TestDim;
