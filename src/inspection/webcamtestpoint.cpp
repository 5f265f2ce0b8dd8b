#include "inspection/webcamtestpoint.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

#include "capture/webcam.h"
#include "foundation/mytypeconversion.h"
#include "foundation/myutl.h"

TWebCam_TestPoint* WebCam_TestPoint = nullptr;

namespace {

const char kSearchWhole[] = "I pixel del colore selezionato vengono ricercati in tutta l'immagine";
const char kSearchPoint[] =
    "I pixel del colore selezionato vengono ricercati solo nel punto selezionato";

}  // namespace

TWebCam_TestPoint::TWebCam_TestPoint(QWidget* owner)
    : TestWindowOf(owner, "WebCam_TestPoint", "WEBCAM - TEST RICONOSCIMENTO PUNTO", 944, 648) {
  WC_Panel = MakePreviewPanel(this, 8, 8, 596, 480);
  ClickLbl = MakeInstructionLabel(this, "ClickLbl", kSearchWhole, 8, 488, 596, 19);
  lamps = MakeResultLamps(this, {174, 509}, {220, 555}, "OK", {308, 509}, {347, 555}, "NOK");

  GroupBox1 = MakeGroup(this, "GroupBox1", "Parametri di riconoscumento", 604, 8, 332, 181);
  ColLbl = MakeLabel(GroupBox1, "ColLbl", "Colore:", 12, 28);
  SelColShape = new ShapeControl(GroupBox1, "SelColShape", ShapeControl::Kind::kRoundRect, 66, 25,
                                 249, 16, 0xFFFFFF);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sul colore:", 12, 55);
  TollBar = MakeToleranceBar(GroupBox1, 12, 74, 303, 17);
  QtPixEdt = new QLineEdit(GroupBox1);
  QtPixEdt->setObjectName("QtPixEdt");
  QtPixEdt->setGeometry(128, 109, 53, 21);
  QtPixEdtLabel = MakeLabel(GroupBox1, "QtPixEdtLabel", "Qt. pixel conscutivi: ", 0, 0);
  QtPixEdtLabel->move(std::max(2, 128 - 3 - QtPixEdtLabel->width()),
                      109 + (21 - QtPixEdtLabel->height()) / 2);
  QtPixEdtLabel->setBuddy(QtPixEdt);
  AllImgRB = new QRadioButton(QString::fromUtf8("Cerca in tutta l'immagine"), GroupBox1);
  AllImgRB->setObjectName("AllImgRB");
  AllImgRB->move(12, 142);
  AllImgRB->adjustSize();
  SoloPuntoSelRB =
      new QRadioButton(QString::fromUtf8("Cerca solo nel punto selezionato"), GroupBox1);
  SoloPuntoSelRB->setObjectName("SoloPuntoSelRB");
  SoloPuntoSelRB->move(12, 158);
  SoloPuntoSelRB->adjustSize();

  GroupBox2 = MakeGroup(this, "GroupBox2", "Risultati riconoscimento", 604, 195, 332, 293);
  XYLbl = MakeLabel(GroupBox2, "XYLbl", "X= Y=", 11, 24);
  curImage = new ImageControl(GroupBox2, "curImage", 6, 43, 323, 244);
  ExitButton = MakeButton(this, "ExitButton", "Esci", 720, 571, 167, 58, "exit");

  connect(QtPixEdt, &QLineEdit::textChanged, this, &TWebCam_TestPoint::QtPixEdtChange);
  connect(AllImgRB, &QRadioButton::clicked, this, &TWebCam_TestPoint::SearchModeClick);
  connect(SoloPuntoSelRB, &QRadioButton::clicked, this, &TWebCam_TestPoint::SearchModeClick);
  ConnectCycle();
}

void TWebCam_TestPoint::ShowRecord() {
  const PointParams& point = Record(*currentWebCam);
  SelColShape->SetBrush(PointColour(point));
  QtPixEdt->setText(QString::number(point.checkPixels));
  if (point.searchWholeImage)
    AllImgRB->setChecked(true);
  else
    SoloPuntoSelRB->setChecked(true);
  ShowSearchMode();
}

void TWebCam_TestPoint::QtPixEdtChange() {
  PointParams* point = OwnRecord();
  if (!point) return;
  // Not a whole number, or nothing: 0, no neighbourhood test.
  point->checkPixels = TextToInt(QtPixEdt->text().toStdString(), false, true);
}

void TWebCam_TestPoint::SearchModeClick() {
  if (PointParams* point = OwnRecord()) point->searchWholeImage = AllImgRB->isChecked();
  ShowSearchMode();
}

void TWebCam_TestPoint::ShowSearchMode() {
  const char* text = AllImgRB->isChecked()         ? kSearchWhole
                     : SoloPuntoSelRB->isChecked() ? kSearchPoint
                                                   : "";
  ClickLbl->setText(QString::fromUtf8(text));
}

bool TWebCam_TestPoint::RunTest(int32_t& X, int32_t& Y) {
  if (!currentWebCam || !currentWebCam->frame) return false;
  WebCam& webCam = *currentWebCam;
  return FindPoint(Record(webCam), *webCam.frame, webCam.frameWidth, webCam.frameHeight, &X, &Y);
}

void TWebCam_TestPoint::ShowPointResult() {
  if (!currentWebCam || !currentWebCam->frame) return;
  WebCam& webCam = *currentWebCam;
  int32_t x = 0, y = 0;
  const bool found =
      FindPoint(Record(webCam), *webCam.frame, webCam.frameWidth, webCam.frameHeight, &x, &y);
  XYLbl->setVisible(found);
  if (found) {
    XYLbl->setText(QString::fromStdString(StrFormat("X=%d Y=%d", x, y)));
    XYLbl->adjustSize();
  }
  const ViewScale scale{webCam.windowWidth, webCam.windowHeight, webCam.frameWidth,
                        webCam.frameHeight};
  ShowResult(found, [&](QPainter& painter) {
    DrawMarkerCircle(painter, scale.WindowX(x), scale.WindowY(y));
  });
}
