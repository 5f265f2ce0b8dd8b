#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>

#include "inspection/teachwindow.h"
#include "methods/webcam_sistemavisione_zona.h"

class QGroupBox;
class QLabel;

// The outline of the rectangle between (ax, ay) and (bx, by), y counted from the top: the closed
// path (ax, ay) -> (ax, by) -> (bx, by) -> (bx, ay) -> (ax, ay), with the painter's pen.
void DrawZoneOutline(QPainter& painter, int32_t ax, int32_t ay, int32_t bx, int32_t by);

// The zone teach window: the operator freezes a picture and drags the rectangle to compare over it,
// a rubber band following the mouse.
class TWebCamForm_GetZona : public TeachWindowOf<ZoneMethod> {
 public:
  explicit TWebCamForm_GetZona(QWidget* owner, bool autoOpening = false);

  QLabel* Label1 = nullptr;
  QPushButton* AcqZonaBtn = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* SelZonaLbl = nullptr;
  QLabel* TollLbl = nullptr;
  ImageControl* curImage = nullptr;

  // The rubber band, in picture pixels (frame size, y counted from the top).
  bool dragging = false;
  int32_t anchorX = 0;
  int32_t anchorY = 0;
  int32_t lastX = -1;  // the corner of the outline drawn now; -1 when none is drawn
  int32_t lastY = -1;
  QPainter::CompositionMode savedPenMode = QPainter::CompositionMode_SourceOver;

  void appImageMouseDown(int mx, int my);
  void appImageMouseMove(int mx, int my);
  void appImageMouseUp(int mx, int my);
  void ShowZoneParams();
  void DrawZoneReference();

  // The frozen picture as appImage shows it, rubber band included.
  const QImage& Picture() const { return picture; }

 protected:
  void ShowParams() override { ShowZoneParams(); }
  void DrawReference() override { DrawZoneReference(); }
  const char* PickInstruction() const override;
  void RunTestWindow() override;
  void SnapshotTaken() override;

 private:
  ViewScale Scale() const;
  // The picture pen: white, 1 pixel, exclusive-or while the rubber band draws.
  void RubberBandPenOn();
  void RubberBandPenOff();
  void DrawRubberBand(int32_t x, int32_t y);
  void ShowPicture();

  QImage picture;
  QPainter::CompositionMode penMode = QPainter::CompositionMode_SourceOver;
  // An outline stands in the picture. Not told by lastX: a drag past the left edge of the
  // picture draws at negative corners, and that outline must go too.
  bool outlineDrawn = false;
};

extern TWebCamForm_GetZona* WebCamForm_GetZona;
