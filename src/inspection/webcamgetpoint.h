#pragma once

#include "inspection/teachwindow.h"
#include "methods/webcam_sistemavisione_point.h"

class QGroupBox;
class QLabel;

// The point teach window: the operator freezes a picture and clicks the pixel whose colour is to be
// found.
class TWebCamForm_GetPoint : public TeachWindowOf<PointMethod> {
 public:
  explicit TWebCamForm_GetPoint(QWidget* owner, bool autoOpening = false);

  QLabel* Label1 = nullptr;
  QPushButton* AcqColBtn = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  ShapeControl* SelColShape = nullptr;
  QLabel* SelPointLbl = nullptr;
  QLabel* TollLbl = nullptr;
  QLabel* QtPixLbl = nullptr;
  ImageControl* curImage = nullptr;

  void appImageMouseDown(int mx, int my);
  void ShowPointParams();
  void DrawPointReference();

 protected:
  void ShowParams() override { ShowPointParams(); }
  void DrawReference() override { DrawPointReference(); }
  const char* PickInstruction() const override;
  void RunTestWindow() override;
};

extern TWebCamForm_GetPoint* WebCamForm_GetPoint;
