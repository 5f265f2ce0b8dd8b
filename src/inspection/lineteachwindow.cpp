#include "inspection/lineteachwindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <initializer_list>

#include "capture/webcam.h"
#include "foundation/myutl.h"
#include "inspection/linemarker.h"

template <class Row>
LineTeachWindow<Row>::LineTeachWindow(QWidget* owner, bool autoOpening, const char* formName,
                                      const char* caption, const char* positionLabelName)
    : TeachWindowOf<Row>(owner, autoOpening, formName, caption, 902, 548) {
  this->ClickLbl = MakeInstructionLabel(
      this, "ClickLbl", "Acquisire colore di riferimento e poi andare nella pagina di test", 17, 8,
      640, 17);
  Label1 = MakeUnderlinedLabel(this, "Label1",
                               "Per ottenere risultati migliori si consiglia di contrastare il "
                               "colore di sfondo rispetto al colore dell'oggetto scelto",
                               17, 31, 640, 17);
  this->WC_Panel = MakePreviewPanel(this, 17, 54, 640, 480);
  this->appImage = new ImageControl(this, "appImage", 17, 54, 640, 480);
  this->appImage->onMouseDown = [this](int x, int y) { appImageMouseDown(x, y); };
  AcqColBtn =
      MakeButton(this, "AcqColBtn", "  Acquisisci colore linea", 683, 54, 203, 57, "camera");
  this->acquireButton = AcqColBtn;
  this->TestBtn = MakeButton(this, "TestBtn", "    Test", 683, 117, 203, 57, "ok");
  this->ExitButton = MakeButton(this, "ExitButton", " Esci", 683, 476, 203, 58, "exit");

  GroupBox1 = MakeGroup(this, "GroupBox1", "Attuali parametri", 676, 219, 216, 238);
  SelColShape = new ShapeControl(GroupBox1, "SelColShape", ShapeControl::Kind::kRoundRect, 10, 21,
                                 111, 22, 0xFFFFFF);
  positionLabel = MakeLabel(GroupBox1, positionLabelName, "X=0 Y=0", 127, 31);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sul colore:", 10, 49);
  curImage = new ImageControl(GroupBox1, "curImage", 6, 79, 204, 153);
  this->ConnectCycle();
}

template <class Row>
const char* LineTeachWindow<Row>::PickInstruction() const {
  return "Clickare sull'immagine per acquisire il colore";
}

template <class Row>
void LineTeachWindow<Row>::appImageMouseDown(int mx, int my) {
  if (!this->appImage->isVisible() || !currentWebCam) return;
  this->PickColour(mx, my);
  ShowLineParams();
  DrawLineReference();
  this->PickDone();
}

template <class Row>
void LineTeachWindow<Row>::ShowLineParams() {
  if (!currentWebCam) return;
  const LineParams& line = this->Record(*currentWebCam);
  for (QWidget* control : std::initializer_list<QWidget*>{SelColShape, positionLabel, TollLbl})
    control->setVisible(line.stored);
  if (line.stored) {
    SelColShape->SetBrush(LineColour(line));
    // The taught row of a horizontal line, the taught column of a vertical one.
    positionLabel->setText(QString::fromStdString(Row::kAxis == LineAxis::kHorizontal
                                                      ? StrFormat("Y=%d", line.pointY)
                                                      : StrFormat("X=%d", line.pointX)));
    TollLbl->setText(
        QString::fromStdString(StrFormat("Tolleranza sul colore=%d%%", line.tolerance)));
    for (QLabel* label : {positionLabel, TollLbl}) label->adjustSize();
  }
  this->TestBtn->setEnabled(line.stored);
}

template <class Row>
void LineTeachWindow<Row>::DrawLineReference() {
  if (!currentWebCam || !this->Record(*currentWebCam).stored) return;
  const LineParams& line = this->Record(*currentWebCam);
  // The sample file holds the reference at this moment; its canvas counts y from the top.
  QPixmap picture(QString::fromStdString(currentWebCam->samplePath));
  if (!picture.isNull()) {
    QPainter painter(&picture);
    SetMarkerPen(painter);
    DrawOutline(painter, ReferenceBand(Row::kAxis, line.pointX, line.pointY,
                                       currentWebCam->frameWidth, currentWebCam->frameHeight));
  }
  curImage->setPixmap(picture);
}

template class LineTeachWindow<VerticalLineMethod>;
template class LineTeachWindow<HorizontalLineMethod>;
