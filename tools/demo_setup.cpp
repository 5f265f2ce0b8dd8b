// Prepares a demonstration station: a scene picture for the simulated camera, the point method
// taught on it, the auto-start opening the point test and the TCP/IP channel on 127.0.0.1.
//
//   lumivex-demo-setup STATION_FOLDER [PORT]

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "bitmap/mybitmap.h"
#include "demoscene.h"
#include "exchange/sceltainout.h"
#include "exchange/tcpipinout.h"
#include "foundation/progdir.h"
#include "methods/methodtable.h"
#include "shell/avvioautomatico.h"

namespace {

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
  CopyToBitmap(DrawDemoScene(), scene);
  bool ok = scene.SaveBmp(programFolder + "/scene.bmp");

  // The point method, taught by a click on the yellow cap and searched in the whole picture.
  PointParams point;
  int32_t frameWidth = kDemoSceneWidth;
  int32_t frameHeight = kDemoSceneHeight;
  InitRecord(point, PointMethod::kFileName, PointMethod::kDefaultTolerance, frameWidth,
             frameHeight);
  CopyToBitmap(DrawDemoScene(), *point.reference);
  point.pointX = 500;
  point.pointY = kDemoSceneHeight - 1 - 250;
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
