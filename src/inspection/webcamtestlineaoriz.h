#pragma once

#include "inspection/linetestwindow.h"
#include "methods/webcam_sistemavisione_lineaoriz.h"

// The horizontal line test window.
class TWebCam_TestLineaOriz : public LineTestWindow<HorizontalLineMethod> {
 public:
  explicit TWebCam_TestLineaOriz(QWidget* owner);

  QLabel* YLbl = nullptr;
};

extern TWebCam_TestLineaOriz* WebCam_TestLineaOriz;
