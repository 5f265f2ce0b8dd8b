#include "platform/formcontrols.h"

#include <QDialog>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int kPictureSize = 24;
constexpr int kMethodPictureSize = 32;
constexpr int kPictureToCaption = 10;

QPushButton* PlaceButton(QWidget* parent, const char* name, const char* caption, int left, int top,
                         int width, int height) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setGeometry(left, top, width, height);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

QString PicturePath(const char* name) {
  return QStringLiteral(":/lumivex/%1.png").arg(name);
}

void LoadStationFonts() {
  for (const char* file :
       {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
    if (QFile::exists(file)) QFontDatabase::addApplicationFont(file);
  }
}

QFont StationFont(bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(8);
  font.setBold(bold);
  return font;
}

QPushButton* MakeImageButton(QWidget* parent, const char* name, const char* caption, int left,
                             int top, int width, int height, const char* picture) {
  QPushButton* button = PlaceButton(parent, name, caption, left, top, width, height);
  button->setIcon(QIcon(PicturePath(picture)));
  button->setIconSize(QSize(kPictureSize, kPictureSize));
  return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int left, int top) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(name);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QFrame* MakeBevel(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  frame->setGeometry(left, top, width, height);
  return frame;
}

QDialogButtonBox* MakeOkCancel(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

void SetDialogFrame(QWidget* window, const char* caption, int clientWidth, int clientHeight,
                    bool closeBox) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (closeBox) flags |= Qt::WindowCloseButtonHint;
  window->setWindowFlags(flags);
  window->setWindowTitle(QString::fromUtf8(caption));
  window->setFixedSize(clientWidth, clientHeight);
  window->setFont(StationFont(false));
}

PictureAboveButton::PictureAboveButton(QWidget* parent, const char* name, const char* caption,
                                       const char* picture, int left, int top, int width,
                                       int height)
    : QPushButton(QString::fromUtf8(caption), parent) {
  setObjectName(name);
  setGeometry(left, top, width, height);
  setIcon(QIcon(PicturePath(picture)));
  setIconSize(QSize(kMethodPictureSize, kMethodPictureSize));
  setAutoDefault(false);
  setFont(StationFont(true));
}

void PictureAboveButton::paintEvent(QPaintEvent*) {
  // The bevel as the style draws it, then picture and caption stacked in the middle.
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  painter.drawControl(QStyle::CE_PushButton, option);

  const QFontMetrics metrics(font());
  const int blockHeight = iconSize().height() + kPictureToCaption + metrics.height();
  int y = (height() - blockHeight) / 2;
  if (isDown()) ++y;
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  const QPixmap pixmap = icon().pixmap(iconSize(), devicePixelRatio(), mode);
  painter.drawPixmap((width() - iconSize().width()) / 2, y, pixmap);
  y += iconSize().height() + kPictureToCaption;
  painter.setPen(isEnabled() ? QColor(Qt::black)
                             : palette().color(QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(QRect(0, y, width(), metrics.height()), Qt::AlignHCenter | Qt::AlignTop, text());
}
