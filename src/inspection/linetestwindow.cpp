#include "inspection/linetestwindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "capture/webcam.h"
#include "foundation/mytypeconversion.h"
#include "foundation/myutl.h"
#include "inspection/linemarker.h"

template <class Row>
LineTestWindow<Row>::LineTestWindow(QWidget* owner, const LineTestTexts& texts)
    : TestWindowOf<Row>(owner, texts.formName, texts.caption, 944, texts.clientHeight) {
  this->WC_Panel = MakePreviewPanel(this, 2, 5, 596, 480);
  this->ClickLbl = MakeInstructionLabel(this, "ClickLbl", texts.searchText, 5, 488, 593, 19);
  this->lamps = MakeResultLamps(this, {198, 509}, {244, 555}, "OK", {332, 509}, {371, 555}, "NOK");

  GroupBox1 = MakeGroup(this, "GroupBox1", "Parametri di riconoscumento", 602, 88, 334, 150);
  ColLbl = MakeLabel(GroupBox1, "ColLbl", "Colore:", 8, 25);
  SelColShape = new ShapeControl(GroupBox1, "SelColShape", ShapeControl::Kind::kRoundRect, 56, 23,
                                 267, 16, 0xFFFFFF);
  this->TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sul colore:", 8, 55);
  this->TollBar = this->MakeToleranceBar(GroupBox1, 12, 74, 311, 17);
  QtPixEdt = new QLineEdit(GroupBox1);
  QtPixEdt->setObjectName("QtPixEdt");
  QtPixEdt->setGeometry(108, 113, 38, 21);
  QtPixEdtLabel = MakeLabel(GroupBox1, "QtPixEdtLabel", "Lunghezza linea:", 0, 0);
  QtPixEdtLabel->move(std::max(2, 108 - 3 - QtPixEdtLabel->width()),
                      113 + (21 - QtPixEdtLabel->height()) / 2);
  QtPixEdtLabel->setBuddy(QtPixEdt);
  Label1 = MakeLabel(GroupBox1, "Label1", "pixel", 152, 116);

  GroupBox2 = MakeGroup(this, "GroupBox2", "Risultati riconoscimento", 602, 244, 334, 244);
  resultLabel = MakeLabel(GroupBox2, texts.resultLabelName, texts.resultDesignText, 11, 24);
  this->curImage = new ImageControl(GroupBox2, "curImage", 3, 43, 326, 196);
  this->ExitButton = MakeButton(this, "ExitButton", "Esci", 683, 567, 167, 58, "exit");

  QObject::connect(QtPixEdt, &QLineEdit::textChanged, this, &LineTestWindow::QtPixEdtChange);
  this->ConnectCycle();
}

template <class Row>
void LineTestWindow<Row>::ShowRecord() {
  const LineParams& line = this->Record(*currentWebCam);
  SelColShape->SetBrush(LineColour(line));
  QtPixEdt->setText(QString::number(line.lineLength));
}

template <class Row>
void LineTestWindow<Row>::QtPixEdtChange() {
  LineParams* line = this->OwnRecord();
  if (!line) return;
  // Empty: 0; not a whole number: 0 and the conversion's line in the error log, no box.
  line->lineLength = TextToInt(QtPixEdt->text().toStdString(), false, true);
}

template <class Row>
bool LineTestWindow<Row>::Search(const LineParams& line, const WebCam& webCam, int32_t& across,
                                 int32_t& centre) {
  if constexpr (Row::kAxis == LineAxis::kHorizontal)
    return FindHorizontalLine(line, *webCam.frame, webCam.frameWidth, webCam.frameHeight, &across,
                              &centre);
  else
    return FindVerticalLine(line, *webCam.frame, webCam.frameWidth, webCam.frameHeight, &across,
                            &centre);
}

template <class Row>
bool LineTestWindow<Row>::RunTest(int32_t& X, int32_t& Y) {
  if (!currentWebCam || !currentWebCam->frame) return false;
  int32_t across = 0, centre = 0;
  if (!Search(this->Record(*currentWebCam), *currentWebCam, across, centre)) return false;
  const bool horizontal = Row::kAxis == LineAxis::kHorizontal;
  X = horizontal ? centre : across;
  Y = horizontal ? across : centre;
  return true;
}

template <class Row>
void LineTestWindow<Row>::ShowLineResult() {
  if (!currentWebCam || !currentWebCam->frame) return;
  WebCam& webCam = *currentWebCam;
  const LineParams& line = this->Record(webCam);
  int32_t across = 0, centre = 0;
  const bool found = Search(line, webCam, across, centre);
  resultLabel->setVisible(found);
  if (found) {
    // The row of a horizontal line, the column of a vertical one.
    resultLabel->setText(QString::fromStdString(
        StrFormat(Row::kAxis == LineAxis::kHorizontal ? "Y=%d" : "X=%d", across)));
    resultLabel->adjustSize();
  }
  const ViewScale scale{webCam.windowWidth, webCam.windowHeight, webCam.frameWidth,
                        webCam.frameHeight};
  const LineOutline outline = ResultOutline(Row::kAxis, scale, across, centre, line.lineLength);
  this->ShowResult(found, [&](QPainter& painter) { DrawOutline(painter, outline); });
}

template class LineTestWindow<VerticalLineMethod>;
template class LineTestWindow<HorizontalLineMethod>;
