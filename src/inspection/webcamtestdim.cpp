#include "inspection/webcamtestdim.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "capture/webcam.h"
#include "foundation/mytypeconversion.h"
#include "foundation/myutl.h"

TWebCam_TestDim* WebCam_TestDim = nullptr;

namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text, int left, int top,
                    int width, int height) {
  auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
  edit->setObjectName(name);
  edit->setGeometry(left, top, width, height);
  return edit;
}

// The edit's text as the operator typed it, for TextToInt and TextToFloat.
std::string TypedText(const QLineEdit* edit) {
  return edit->text().toStdString();
}

}  // namespace

TWebCam_TestDim::TWebCam_TestDim(QWidget* owner)
    : TestWindowOf(owner, "WebCam_TestDim", "WEBCAM - TEST RICONOSCIMENTO DIMENSIONI OGGETTO", 944,
                   648) {
  WC_Panel = MakePreviewPanel(this, 5, 5, 596, 480);
  ClickLbl = MakeInstructionLabel(
      this, "ClickLbl",
      "Viene ricercato un oggetto di forma rettangolare o circolare di colore uniforme", 5, 488,
      596, 19);
  lamps = MakeResultLamps(this, {175, 517}, {221, 563}, "OK", {301, 517}, {340, 563}, "NOK");

  GroupBox1 = MakeGroup(this, "GroupBox1", "Parametri di riconoscumento", 604, 5, 337, 223);
  ColLbl = MakeLabel(GroupBox1, "ColLbl", "Colore:", 8, 25);
  SelColShape = new ShapeControl(GroupBox1, "SelColShape", ShapeControl::Kind::kRoundRect, 60, 22,
                                 271, 16, 0xFFFFFF);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sul colore:", 8, 53);
  TollBar = MakeToleranceBar(GroupBox1, 8, 72, 321, 17);
  QtPixEdt = MakeEdit(GroupBox1, "QtPixEdt", "", 118, 101, 53, 21);
  QtPixEdtLabel = MakeLabel(GroupBox1, "QtPixEdtLabel", "Qt. pixel conscutivi: ", 0, 0);
  QtPixEdtLabel->move(std::max(2, 118 - 3 - QtPixEdtLabel->width()),
                      101 + (21 - QtPixEdtLabel->height()) / 2);
  QtPixEdtLabel->setBuddy(QtPixEdt);
  QtPixEdt->raise();  // a caption wider than its room must not take the edit's clicks
  Label1 = MakeLabel(GroupBox1, "Label1", "Dimensioni fisiche immagine:", 8, 138);
  Edit1 = MakeEdit(GroupBox1, "Edit1", "0.00", 8, 154, 53, 21);
  Label2 = MakeLabel(GroupBox1, "Label2", "X", 66, 158);
  Edit2 = MakeEdit(GroupBox1, "Edit2", "0.00", 79, 154, 53, 21);
  Label3 = MakeLabel(GroupBox1, "Label3", "mm", 138, 158);
  Label4 = MakeLabel(GroupBox1, "Label4", "Frame da mediare:", 8, 195);
  Edit3 = MakeEdit(GroupBox1, "Edit3", "1", 125, 189, 46, 21);

  GroupBox2 = MakeGroup(this, "GroupBox2", "Risultati riconoscimento", 604, 232, 337, 256);
  XYLbl = MakeLabel(GroupBox2, "XYLbl", "X= Y=", 11, 24);
  DxDyLbl = MakeLabel(GroupBox2, "DxDyLbl", "Dimensioni oggetto:", 11, 43);
  curImage = new ImageControl(GroupBox2, "curImage", 3, 62, 331, 188);
  ExitButton = MakeButton(this, "ExitButton", "Esci", 674, 575, 167, 58, "exit");

  connect(QtPixEdt, &QLineEdit::textChanged, this, &TWebCam_TestDim::QtPixEdtChange);
  connect(Edit1, &QLineEdit::textChanged, this, &TWebCam_TestDim::Edit1Change);
  connect(Edit2, &QLineEdit::textChanged, this, &TWebCam_TestDim::Edit2Change);
  connect(Edit3, &QLineEdit::textChanged, this, &TWebCam_TestDim::Edit3Change);
  ConnectCycle();
}

void TWebCam_TestDim::ShowRecord() {
  const DimParams& dim = Record(*currentWebCam);
  SelColShape->SetBrush(DimColour(dim));
  // Each text fires its change handler, so the record takes back what is shown (the sizes rounded
  // to one decimal).
  QtPixEdt->setText(QString::number(dim.checkPixels));
  Edit1->setText(QString::fromStdString(FixedText(dim.frameWidthMm, 1)));
  Edit2->setText(QString::fromStdString(FixedText(dim.frameHeightMm, 1)));
  Edit3->setText(QString::number(dim.framesToAverage));
}

void TWebCam_TestDim::QtPixEdtChange() {
  DimParams* dim = OwnRecord();
  if (!dim) return;
  // Not a whole number, or nothing: 0, no neighbourhood test.
  dim->checkPixels = TextToInt(TypedText(QtPixEdt), false, true);
}

void TWebCam_TestDim::Edit1Change() {
  DimParams* dim = OwnRecord();
  if (!dim) return;
  const float value = TextToFloat(TypedText(Edit1), false, true);
  if (!conversionFailed) dim->frameWidthMm = value;
}

void TWebCam_TestDim::Edit2Change() {
  DimParams* dim = OwnRecord();
  if (!dim) return;
  const float value = TextToFloat(TypedText(Edit2), false, true);
  if (!conversionFailed) dim->frameHeightMm = value;
}

void TWebCam_TestDim::Edit3Change() {
  DimParams* dim = OwnRecord();
  if (!dim) return;
  const int32_t value = TextToInt(TypedText(Edit3), false, true);
  // The history holds no more than kMaxFramesToAverage measurements.
  if (!conversionFailed) dim->framesToAverage = std::min(value, kMaxFramesToAverage);
}

bool TWebCam_TestDim::RunTest(int32_t& centreX, int32_t& centreY, int32_t& widthMm,
                              int32_t& heightMm) {
  if (!currentWebCam || !currentWebCam->frame) return false;
  WebCam& webCam = *currentWebCam;
  DimMeasurement measured;
  if (!MeasureObject(Record(webCam), *webCam.frame, webCam.frameWidth, webCam.frameHeight,
                     measured))
    return false;
  centreX = measured.centreX;
  centreY = measured.centreY;
  widthMm = WholeMillimetres(measured.widthMm);
  heightMm = WholeMillimetres(measured.heightMm);
  return true;
}

void TWebCam_TestDim::ShowDimResult() {
  if (!currentWebCam || !currentWebCam->frame) return;
  WebCam& webCam = *currentWebCam;
  DimMeasurement measured;
  const bool found =
      MeasureObject(Record(webCam), *webCam.frame, webCam.frameWidth, webCam.frameHeight, measured);
  XYLbl->setVisible(found);
  DxDyLbl->setVisible(found);
  if (found) {
    XYLbl->setText(
        QString::fromStdString(StrFormat("X=%d Y=%d", measured.centreX, measured.centreY)));
    DxDyLbl->setText(QString::fromStdString(StrFormat("Dimensioni oggetto: %d x %d mm",
                                                      WholeMillimetres(measured.widthMm),
                                                      WholeMillimetres(measured.heightMm))));
    XYLbl->adjustSize();
    DxDyLbl->adjustSize();
  }
  const ViewScale scale{webCam.windowWidth, webCam.windowHeight, webCam.frameWidth,
                        webCam.frameHeight};
  ShowResult(found, [&](QPainter& painter) {
    // The measured box in window coordinates, y from the top.
    const int32_t xw = scale.WindowX(measured.centreX);
    const int32_t ww = MulDiv32(webCam.windowWidth, measured.widthPx, webCam.frameWidth);
    const int32_t yw = scale.WindowY(measured.centreY);
    const int32_t hw = MulDiv32(webCam.windowHeight, measured.heightPx, webCam.frameHeight);
    const int32_t left = xw - ww / 2, right = xw + ww / 2;
    const int32_t upper = yw - hw / 2, lower = yw + hw / 2;
    const QPoint outline[] = {
        {right, lower}, {right, upper}, {left, upper}, {left, lower}, {right, lower}};
    painter.drawPolyline(outline, 5);
  });
}
