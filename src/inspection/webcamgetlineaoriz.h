#pragma once

#include "inspection/lineteachwindow.h"
#include "methods/webcam_sistemavisione_lineaoriz.h"

// The horizontal line teach window: the operator freezes a picture and clicks on the line whose
// colour is to be found.
class TWebCamForm_GetLineaOriz : public LineTeachWindow<HorizontalLineMethod> {
 public:
  explicit TWebCamForm_GetLineaOriz(QWidget* owner, bool autoOpening = false);

  QLabel* SelLineaOrizLbl = nullptr;

 protected:
  void RunTestWindow() override;
};

extern TWebCamForm_GetLineaOriz* WebCamForm_GetLineaOriz;
