// Prepares a demonstration station: a scene picture for the simulated camera, the point method
// taught on it, the auto-start opening the point test and the TCP/IP channel on 127.0.0.1.
//
//   lumivex-demo-setup STATION_FOLDER [PORT]

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "bitmap/mybitmap.h"
#include "exchange/sceltainout.h"
#include "exchange/tcpipinout.h"
#include "foundation/progdir.h"
#include "methods/methodtable.h"
#include "shell/avvioautomatico.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A conveyor with three parts on it; the yellow cap is what the demonstration looks for.
QImage DrawScene() {
  QImage image(kWidth, kHeight, QImage::Format_RGB888);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(image.rect(), QColor(58, 62, 68));
  painter.fillRect(QRect(0, 150, kWidth, 200), QColor(34, 36, 40));
  for (int x = 0; x < kWidth; x += 40) painter.fillRect(QRect(x, 150, 4, 200), QColor(46, 48, 54));
  painter.fillRect(QRect(0, 146, kWidth, 4), QColor(150, 150, 150));
  painter.fillRect(QRect(0, 350, kWidth, 4), QColor(150, 150, 150));
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

// The picture as the capture stores it: row 0 at the bottom.
void CopyToBitmap(const QImage& image, MyBitmap& bitmap) {
  bitmap.SetSize(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const uchar* line = image.constScanLine(image.height() - 1 - y);
    for (int x = 0; x < image.width(); ++x)
      bitmap.SetPixel(x, y, line[3 * x], line[3 * x + 1], line[3 * x + 2]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s STATION_FOLDER [PORT]\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  programFolder = argv[1];
  int port = argc > 2 ? std::atoi(argv[2]) : 5000;

  MyBitmap scene(0, 0);
  CopyToBitmap(DrawScene(), scene);
  bool ok = scene.SaveBmp(programFolder + "/scene.bmp");

  // The point method, taught by a click on the yellow cap and searched in the whole picture.
  PointParams point;
  int32_t frameWidth = kWidth;
  int32_t frameHeight = kHeight;
  InitRecord(point, PointMethod::kFileName, PointMethod::kDefaultTolerance, frameWidth,
             frameHeight);
  CopyToBitmap(DrawScene(), *point.reference);
  point.pointX = 500;
  point.pointY = kHeight - 1 - 250;
  point.reference->GetPixel(point.pointX, point.pointY, point.colR, point.colG, point.colB);
  point.clickX = point.pointX;
  point.clickY = point.pointY;
  point.stored = true;
  point.searchWholeImage = true;
  ok = SaveParams<PointMethod>(point, frameWidth, frameHeight) && ok;

  AvvioProg autoStartSetting;
  autoStartSetting.startWindow = 1;
  ok = autoStartSetting.Save() && ok;

  MetodoInOut method;
  method.metodo = 3;
  ok = method.Save() && ok;

  indirizzoIP = "127.0.0.1";
  porta = port;
  ok = SaveTcpParameters() && ok;

  if (!ok) std::fprintf(stderr, "lumivex-demo-setup: could not write the station's files\n");
  return ok ? 0 : 1;
}
