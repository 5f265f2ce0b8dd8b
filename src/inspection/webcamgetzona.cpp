#include "inspection/webcamgetzona.h"

#include <QGroupBox>
#include <QLabel>
#include <QPolygon>
#include <QPushButton>

#include "capture/webcam.h"
#include "foundation/myutl.h"
#include "inspection/webcamtestzona.h"
#include "platform/modalwindow.h"

TWebCamForm_GetZona* WebCamForm_GetZona = nullptr;

void DrawZoneOutline(QPainter& painter, int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  const QPoint path[] = {{ax, ay}, {ax, by}, {bx, by}, {bx, ay}};
  painter.drawPolygon(path, 4);
}

TWebCamForm_GetZona::TWebCamForm_GetZona(QWidget* owner, bool autoOpening)
    : TeachWindowOf(owner, autoOpening, "WebCamForm_GetZona", "WEBCAM - RICONOSCIMENTO ZONA", 902,
                    548) {
  ClickLbl = MakeInstructionLabel(
      this, "ClickLbl",
      "Acquisire zona di riferimento nell'immagine e poi andare nella pagina di test", 18, 8, 640,
      17);
  Label1 = MakeUnderlinedLabel(this, "Label1",
                               "Per ottenere risultati migliori si consiglia di contrastare il "
                               "colore di sfondo rispetto al colore dell'oggetto scelto",
                               18, 31, 640, 17);
  WC_Panel = MakePreviewPanel(this, 18, 56, 640, 480);
  appImage = new ImageControl(this, "appImage", 18, 56, 640, 480);
  appImage->onMouseDown = [this](int x, int y) { appImageMouseDown(x, y); };
  appImage->onMouseMove = [this](int x, int y) { appImageMouseMove(x, y); };
  appImage->onMouseUp = [this](int x, int y) { appImageMouseUp(x, y); };
  AcqZonaBtn = MakeButton(this, "AcqZonaBtn", "  Acquisisci zona", 680, 56, 203, 57, "camera");
  acquireButton = AcqZonaBtn;
  TestBtn = MakeButton(this, "TestBtn", "    Test", 680, 119, 203, 57, "ok");
  ExitButton = MakeButton(this, "ExitButton", " Esci", 680, 478, 203, 58, "exit");

  GroupBox1 = MakeGroup(this, "GroupBox1", "Attuali parametri", 673, 221, 216, 232);
  SelZonaLbl = MakeLabel(GroupBox1, "SelZonaLbl", "X=0 Y=0", 10, 24);
  TollLbl = MakeLabel(GroupBox1, "TollLbl", "Tolleranza sul colore:", 10, 43);
  curImage = new ImageControl(GroupBox1, "curImage", 6, 72, 204, 153);
  // Before the shared cycle's snapshot request: no outline is drawn in the next picture.
  connect(AcqZonaBtn, &QPushButton::clicked, this, [this] {
    lastX = lastY = -1;
    outlineDrawn = false;
  });
  ConnectCycle();
}

const char* TWebCamForm_GetZona::PickInstruction() const {
  return "Selezionare un'area rettangolare sull'immagine utilizzando il mouse";
}

void TWebCamForm_GetZona::RunTestWindow() {
  RunModal(WebCam_TestZona, this);
}

void TWebCamForm_GetZona::SnapshotTaken() {
  TeachWindow::SnapshotTaken();
  if (!currentWebCam) return;
  // The rubber band is drawn into the snapshot itself, pixel for pixel.
  picture = QImage(QString::fromStdString(currentWebCam->samplePath))
                .convertToFormat(QImage::Format_RGB32);
  ShowPicture();
}

ViewScale TWebCamForm_GetZona::Scale() const {
  return {currentWebCam->windowWidth, currentWebCam->windowHeight, currentWebCam->frameWidth,
          currentWebCam->frameHeight};
}

void TWebCamForm_GetZona::RubberBandPenOn() {
  savedPenMode = penMode;
  penMode = QPainter::RasterOp_SourceXorDestination;
}

void TWebCamForm_GetZona::RubberBandPenOff() {
  penMode = savedPenMode;
}

void TWebCamForm_GetZona::DrawRubberBand(int32_t x, int32_t y) {
  if (picture.isNull()) return;
  QPainter painter(&picture);
  painter.setCompositionMode(penMode);
  painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
  painter.setBrush(Qt::NoBrush);
  DrawZoneOutline(painter, anchorX, anchorY, x, y);
}

void TWebCamForm_GetZona::ShowPicture() {
  appImage->setPixmap(QPixmap::fromImage(picture));
}

void TWebCamForm_GetZona::appImageMouseDown(int mx, int my) {
  if (!appImage->isVisible() || !currentWebCam) return;
  ZoneParams& zone = Record(*currentWebCam);
  const ViewScale scale = Scale();
  // A second press during a drag starts anew: the outline of the first goes.
  if (outlineDrawn) {
    RubberBandPenOn();
    DrawRubberBand(lastX, lastY);
    RubberBandPenOff();
    ShowPicture();
    outlineDrawn = false;
  }
  zone.clickX1 = mx;
  zone.clickY1 = appImage->height() - my;
  zone.zoneX1 = scale.FrameX(mx);
  zone.zoneY1 = scale.FrameY(my, appImage->height());
  anchorX = scale.FrameX(mx);
  anchorY = scale.PictureY(my);
  dragging = true;
  lastX = lastY = -1;
}

void TWebCamForm_GetZona::appImageMouseMove(int mx, int my) {
  if (!dragging || !currentWebCam) return;
  const ViewScale scale = Scale();
  RubberBandPenOn();
  if (outlineDrawn) DrawRubberBand(lastX, lastY);  // drawn twice, it is gone
  const int32_t x = scale.FrameX(mx), y = scale.PictureY(my);
  DrawRubberBand(x, y);
  lastX = x;
  lastY = y;
  outlineDrawn = true;
  RubberBandPenOff();
  ShowPicture();
}

void TWebCamForm_GetZona::appImageMouseUp(int mx, int my) {
  if (!appImage->isVisible() || !currentWebCam) return;
  dragging = false;
  RubberBandPenOn();
  if (outlineDrawn) DrawRubberBand(lastX, lastY);
  RubberBandPenOff();
  lastX = lastY = -1;
  outlineDrawn = false;
  ShowPicture();
  ZoneParams& zone = Record(*currentWebCam);
  const ViewScale scale = Scale();
  zone.clickX2 = mx;
  zone.clickY2 = appImage->height() - my;
  zone.zoneX2 = scale.FrameX(mx);
  zone.zoneY2 = scale.FrameY(my, appImage->height());
  zone.stored = true;
  ShowZoneParams();
  PickDone();
  DrawZoneReference();
}

void TWebCamForm_GetZona::ShowZoneParams() {
  if (!currentWebCam) return;
  const ZoneParams& zone = Record(*currentWebCam);
  SelZonaLbl->setVisible(zone.stored);
  TollLbl->setVisible(zone.stored);
  if (zone.stored) {
    SelZonaLbl->setText(QString::fromStdString(
        StrFormat("X1=%d Y1=%d X2=%d Y2=%d", zone.zoneX1, zone.zoneY1, zone.zoneX2, zone.zoneY2)));
    TollLbl->setText(
        QString::fromStdString(StrFormat("Tolleranza sul colore=%d%%", zone.tolerance)));
    SelZonaLbl->adjustSize();
    TollLbl->adjustSize();
  }
  TestBtn->setEnabled(zone.stored);
}

void TWebCamForm_GetZona::DrawZoneReference() {
  if (!currentWebCam || !Record(*currentWebCam).stored) return;
  const ZoneParams& zone = Record(*currentWebCam);
  const int32_t h = currentWebCam->frameHeight;
  // The sample file holds the reference at this moment; its canvas counts y from the top.
  QPixmap reference(QString::fromStdString(currentWebCam->samplePath));
  if (!reference.isNull()) {
    QPainter painter(&reference);
    SetMarkerPen(painter);
    DrawZoneOutline(painter, zone.zoneX1, h - zone.zoneY1, zone.zoneX2, h - zone.zoneY2);
  }
  curImage->setPixmap(reference);
}
