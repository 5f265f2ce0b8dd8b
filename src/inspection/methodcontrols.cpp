#include "inspection/methodcontrols.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "platform/formcontrols.h"

QColor ColourOf(uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

ShapeControl::ShapeControl(QWidget* parent, const char* name, Kind kind, int left, int top,
                           int width, int height, uint32_t brush)
    : QWidget(parent), kind(kind), brush(brush) {
  setObjectName(name);
  setGeometry(left, top, width, height);
}

void ShapeControl::SetBrush(uint32_t colour) {
  if (colour == brush) return;
  brush = colour;
  update();
}

void ShapeControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(ColourOf(brush));
  QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (kind == Kind::kCircle)
    painter.drawEllipse(area);
  else
    painter.drawRoundedRect(area, 8, 8);
}

ImageControl::ImageControl(QWidget* parent, const char* name, int left, int top, int width,
                           int height)
    : QLabel(parent) {
  setObjectName(name);
  setGeometry(left, top, width, height);
  setScaledContents(true);
}

void ImageControl::LoadPicture(const std::string& path) {
  setPixmap(QPixmap(QString::fromStdString(path)));
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
  if (onMouseDown) onMouseDown(event->position().toPoint().x(), event->position().toPoint().y());
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
  if (onMouseMove) onMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
  if (onMouseUp) onMouseUp(event->position().toPoint().x(), event->position().toPoint().y());
}

QFont LampFont() {
  QFont font(QStringLiteral("Comic Sans MS"));
  font.setPixelSize(19);
  font.setBold(true);
  return font;
}

namespace {

QLabel* MakeCentredLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                         int width, int height) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  label->setGeometry(left, top, width, height);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  return label;
}

}  // namespace

QLabel* MakeInstructionLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                             int width, int height) {
  QLabel* label = MakeCentredLabel(parent, name, text, left, top, width, height);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0x80, 0, 0));  // maroon
  label->setPalette(palette);
  return label;
}

QLabel* MakeUnderlinedLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                            int width, int height) {
  QLabel* label = MakeCentredLabel(parent, name, text, left, top, width, height);
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int left, int top,
                        int width, int height, const char* picture) {
  return MakeImageButton(parent, name, caption, left, top, width, height, picture);
}

namespace {

// Underlines the title only: the box's controls take back the font of the window.
class TitledGroup : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void childEvent(QChildEvent* event) override {
    QGroupBox::childEvent(event);
    if (!event->polished() || !event->child()->isWidgetType()) return;
    auto* child = static_cast<QWidget*>(event->child());
    QFont font = child->font();
    font.setUnderline(false);  // set explicitly, or the box's underline would be inherited
    child->setFont(font);
  }
};

}  // namespace

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title, int left, int top,
                     int width, int height) {
  auto* group = new TitledGroup(QString::fromUtf8(title), parent);
  group->setObjectName(name);
  group->setGeometry(left, top, width, height);
  QFont font = parent->font();
  font.setUnderline(true);
  group->setFont(font);
  return group;
}

QWidget* MakePreviewPanel(QWidget* parent, int left, int top, int width, int height) {
  auto* panel = new QWidget(parent);
  panel->setObjectName("WC_Panel");
  panel->setGeometry(left, top, width, height);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, Qt::black);
  panel->setPalette(palette);
  panel->hide();
  return panel;
}

void ResultLamps::Show(bool pass) {
  LabelOk->setVisible(pass);
  SpiaOk->SetBrush(pass ? kLampOkOn : kLampOkOff);
  LabelNok->setVisible(!pass);
  SpiaNok->SetBrush(pass ? kLampNokOff : kLampNokOn);
}

ResultLamps MakeResultLamps(QWidget* parent, QPoint okBack, QPoint okLabel, const char* okText,
                            QPoint nokBack, QPoint nokLabel, const char* nokText) {
  constexpr int kBack = 120, kLamp = 112, kInset = 4;
  constexpr uint32_t kBackColour = 0x808080;
  ResultLamps lamps;
  lamps.SpiaOkBack = new ShapeControl(parent, "SpiaOkBack", ShapeControl::Kind::kCircle, okBack.x(),
                                      okBack.y(), kBack, kBack, kBackColour);
  lamps.SpiaOk =
      new ShapeControl(parent, "SpiaOk", ShapeControl::Kind::kCircle, okBack.x() + kInset,
                       okBack.y() + kInset, kLamp, kLamp, kLampOkOff);
  lamps.SpiaNokBack = new ShapeControl(parent, "SpiaNokBack", ShapeControl::Kind::kCircle,
                                       nokBack.x(), nokBack.y(), kBack, kBack, kBackColour);
  lamps.SpiaNok =
      new ShapeControl(parent, "SpiaNok", ShapeControl::Kind::kCircle, nokBack.x() + kInset,
                       nokBack.y() + kInset, kLamp, kLamp, kLampNokOff);
  lamps.LabelOk = MakeLabel(parent, "LabelOk", okText, okLabel.x(), okLabel.y());
  lamps.LabelNok = MakeLabel(parent, "LabelNok", nokText, nokLabel.x(), nokLabel.y());
  for (QLabel* label : {lamps.LabelOk, lamps.LabelNok}) {
    label->setFont(LampFont());
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->adjustSize();
    label->raise();
  }
  return lamps;
}

void SetMarkerPen(QPainter& painter) {
  painter.setPen(QPen(ColourOf(kMarkerColour), kMarkerPenWidth));
  painter.setBrush(Qt::NoBrush);
}

void DrawMarkerCircle(QPainter& painter, int x, int y) {
  constexpr int kRadius = 2 * kMarkerPenWidth;
  painter.drawEllipse(QPoint(x, y), kRadius, kRadius);
}

void DrawCircleMarker(QPixmap& picture, int x, int y) {
  if (picture.isNull()) return;
  QPainter painter(&picture);
  SetMarkerPen(painter);
  DrawMarkerCircle(painter, x, y);
}
