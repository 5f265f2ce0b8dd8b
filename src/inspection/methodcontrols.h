#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/formcontrols.h"

class QGroupBox;
class QPainter;
class QPushButton;

// Controls and drawing shared by the teach and test windows of the six methods.

// 0x00BBGGRR (the station's colour word) as a Qt colour.
QColor ColourOf(uint32_t colour);

// A filled shape: the round lamps of the test windows and the colour samples.
class ShapeControl : public QWidget {
 public:
  enum class Kind { kCircle, kRoundRect };
  ShapeControl(QWidget* parent, const char* name, Kind kind, int left, int top, int width,
               int height, uint32_t brush);
  void SetBrush(uint32_t colour);
  uint32_t Brush() const { return brush; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Kind kind;
  uint32_t brush;
};

// An image control showing its picture stretched to its size, reporting mouse events in its own
// coordinates.
class ImageControl : public QLabel {
 public:
  ImageControl(QWidget* parent, const char* name, int left, int top, int width, int height);
  // Shows the picture file (the sample file); an unreadable file shows nothing.
  void LoadPicture(const std::string& path);

  std::function<void(int x, int y)> onMouseDown;
  std::function<void(int x, int y)> onMouseMove;
  std::function<void(int x, int y)> onMouseUp;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The lamp captions: bold Comic Sans MS of 19 pixels.
QFont LampFont();

// Centred label of a fixed size; maroon bold (the instruction line) or underlined.
QLabel* MakeInstructionLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                             int width, int height);
QLabel* MakeUnderlinedLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                            int width, int height);
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int left, int top,
                        int width, int height, const char* picture);
// A group box whose title alone is underlined (its controls keep the window's font).
QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title, int left, int top,
                     int width, int height);
// The live preview area; the capture window becomes its child.
QWidget* MakePreviewPanel(QWidget* parent, int left, int top, int width, int height);

// The pass and fail lamps of a test window: a 120 x 120 circle with the 112 x 112 lamp 4 pixels
// inside it and the caption over the lamp.
struct ResultLamps {
  ShapeControl* SpiaOkBack = nullptr;
  ShapeControl* SpiaOk = nullptr;
  QLabel* LabelOk = nullptr;
  ShapeControl* SpiaNokBack = nullptr;
  ShapeControl* SpiaNok = nullptr;
  QLabel* LabelNok = nullptr;

  void Show(bool pass);
};

constexpr uint32_t kLampOkOn = 0x00FF00;
constexpr uint32_t kLampOkOff = 0x004B00;
constexpr uint32_t kLampNokOn = 0x0000FF;
constexpr uint32_t kLampNokOff = 0x00004B;

ResultLamps MakeResultLamps(QWidget* parent, QPoint okBack, QPoint okLabel, const char* okText,
                            QPoint nokBack, QPoint nokLabel, const char* nokText);

// The result marker: red (0x0000FF), a pen 10 pixels wide, nothing filled.
constexpr uint32_t kMarkerColour = 0x0000FF;
constexpr int kMarkerPenWidth = 10;
void SetMarkerPen(QPainter& painter);
// The circle of radius 20 (twice the pen) centred on (x, y), y counted from the top; parts outside
// the picture are clipped. The first draws with the painter's pen.
void DrawMarkerCircle(QPainter& painter, int x, int y);
void DrawCircleMarker(QPixmap& picture, int x, int y);
