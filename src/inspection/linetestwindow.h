#pragma once

#include <cstdint>

#include "inspection/testwindow.h"
#include "methods/webcam_sistemavisione_lineaoriz.h"
#include "methods/webcam_sistemavisione_lineavert.h"

class QGroupBox;
class QLabel;
class QLineEdit;

// What sets one line method's test window apart from the other's.
struct LineTestTexts {
  const char* formName;
  const char* caption;
  int clientHeight;
  const char* searchText;       // ClickLbl
  const char* resultLabelName;  // YLbl, XLbl
  const char* resultDesignText;
};

// The test window of a line method, the same for both axes: the line search on every live frame,
// lamps, the line's position and the marked picture; the tolerance and the line length are tuned
// here.
template <class Row>
class LineTestWindow : public TestWindowOf<Row> {
 public:
  QGroupBox* GroupBox1 = nullptr;
  QLabel* ColLbl = nullptr;
  ShapeControl* SelColShape = nullptr;
  QLabel* QtPixEdtLabel = nullptr;
  QLineEdit* QtPixEdt = nullptr;
  QLabel* Label1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* resultLabel = nullptr;  // YLbl, XLbl

  // The line search on the frame as last converted. X and Y in the order of the reply: centreX
  // and row of a horizontal line, column and centreY of a vertical one; written only when found.
  bool RunTest(int32_t& X, int32_t& Y);
  bool RunTestOutputs(int32_t outputs[4]) override { return RunTest(outputs[0], outputs[1]); }

  void QtPixEdtChange();
  void ShowLineResult();

 protected:
  LineTestWindow(QWidget* owner, const LineTestTexts& texts);
  void ShowRecord() override;
  void ShowFrameResult() override { ShowLineResult(); }

 private:
  // The search of the method: the row or column of the line and its centre along it.
  static bool Search(const LineParams& line, const WebCam& webCam, int32_t& across,
                     int32_t& centre);
};

extern template class LineTestWindow<VerticalLineMethod>;
extern template class LineTestWindow<HorizontalLineMethod>;
