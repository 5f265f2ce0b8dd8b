#pragma once

#include "inspection/lineteachwindow.h"
#include "methods/webcam_sistemavisione_lineavert.h"

// The vertical line teach window: the operator freezes a picture and clicks on the line whose
// colour is to be found.
class TWebCamForm_GetLineaVert : public LineTeachWindow<VerticalLineMethod> {
 public:
  explicit TWebCamForm_GetLineaVert(QWidget* owner, bool autoOpening = false);

  QLabel* SelLineaVertLbl = nullptr;

 protected:
  void RunTestWindow() override;
};

extern TWebCamForm_GetLineaVert* WebCamForm_GetLineaVert;
