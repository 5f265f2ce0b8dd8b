#pragma once

#include "inspection/linetestwindow.h"
#include "methods/webcam_sistemavisione_lineavert.h"

// The vertical line test window.
class TWebCam_TestLineaVert : public LineTestWindow<VerticalLineMethod> {
 public:
  explicit TWebCam_TestLineaVert(QWidget* owner);

  QLabel* XLbl = nullptr;
};

extern TWebCam_TestLineaVert* WebCam_TestLineaVert;
