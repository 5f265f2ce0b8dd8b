#pragma once

#include "inspection/teachwindow.h"
#include "methods/webcam_sistemavisione_lineaoriz.h"
#include "methods/webcam_sistemavisione_lineavert.h"

class QGroupBox;
class QLabel;

// The teach window of a line method, the same for both axes: the operator freezes a picture and
// clicks on the line to teach its colour. A method's window names itself and its position label
// and opens its own test window.
template <class Row>
class LineTeachWindow : public TeachWindowOf<Row> {
 public:
  QLabel* Label1 = nullptr;
  QPushButton* AcqColBtn = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  ShapeControl* SelColShape = nullptr;
  QLabel* positionLabel = nullptr;  // SelLineaOrizLbl, SelLineaVertLbl
  QLabel* TollLbl = nullptr;
  ImageControl* curImage = nullptr;

  void appImageMouseDown(int mx, int my);
  void ShowLineParams();
  void DrawLineReference();

 protected:
  LineTeachWindow(QWidget* owner, bool autoOpening, const char* formName, const char* caption,
                  const char* positionLabelName);
  void ShowParams() override { ShowLineParams(); }
  void DrawReference() override { DrawLineReference(); }
  const char* PickInstruction() const override;
};

extern template class LineTeachWindow<VerticalLineMethod>;
extern template class LineTeachWindow<HorizontalLineMethod>;
