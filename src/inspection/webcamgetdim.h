#pragma once

#include "inspection/teachwindow.h"
#include "methods/webcam_sistemavisione_dim.h"

class QGroupBox;
class QLabel;

// The dimension teach window: the operator freezes a picture and clicks on the object to teach its
// colour.
class TWebCamForm_GetDim : public TeachWindowOf<DimMethod> {
 public:
  explicit TWebCamForm_GetDim(QWidget* owner, bool autoOpening = false);

  QLabel* Label1 = nullptr;
  QPushButton* AcqColBtn = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  ShapeControl* SelColShape = nullptr;
  QLabel* SelPointLbl = nullptr;
  QLabel* TollLbl = nullptr;
  QLabel* QtPixLbl = nullptr;
  QLabel* DimFrameLbl = nullptr;
  QLabel* FrameDaMediareLbl = nullptr;
  ImageControl* curImage = nullptr;

  void appImageMouseDown(int mx, int my);
  void ShowDimParams();
  void DrawDimReference();

 protected:
  void ShowParams() override { ShowDimParams(); }
  void DrawReference() override { DrawDimReference(); }
  const char* PickInstruction() const override;
  void RunTestWindow() override;
  // The test can still be opened with the colour taught before, without a new pick.
  void SnapshotTaken() override;
};

extern TWebCamForm_GetDim* WebCamForm_GetDim;
