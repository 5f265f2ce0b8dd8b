#include "demoscene.h"

#include <QPainter>

QImage DrawDemoScene() {
  QImage image(kDemoSceneWidth, kDemoSceneHeight, QImage::Format_RGB888);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(image.rect(), QColor(58, 62, 68));
  painter.fillRect(QRect(0, 150, kDemoSceneWidth, 200), QColor(34, 36, 40));
  for (int x = 0; x < kDemoSceneWidth; x += 40)
    painter.fillRect(QRect(x, 150, 4, 200), QColor(46, 48, 54));
  painter.fillRect(QRect(0, 146, kDemoSceneWidth, 4), QColor(150, 150, 150));
  painter.fillRect(QRect(0, 350, kDemoSceneWidth, 4), QColor(150, 150, 150));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(30, 90, 170));
  painter.drawRect(QRect(70, 190, 130, 120));
  painter.setBrush(QColor(200, 40, 40));
  painter.drawEllipse(QPoint(320, 250), 55, 55);
  painter.setBrush(QColor(240, 200, 20));
  painter.drawEllipse(QPoint(500, 250), 38, 38);
  painter.setBrush(QColor(250, 250, 250));
  painter.drawRect(QRect(95, 215, 80, 20));
  return image;
}
