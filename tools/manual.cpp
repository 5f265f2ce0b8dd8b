// Prints the operator's manual to PDF with a picture of every method window, as the station lays
// it out. Run by the build:
//
//   lumivex-manual MANUAL_HTML OUTPUT_PDF
//
// The manual shows a window's picture with <img src="NAME.png">, NAME being the window's name
// (its objectName, e.g. WebCamForm_GetPoint).

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>

#include "demoscene.h"
#include "inspection/methodwindows.h"
#include "platform/formcontrols.h"

namespace {

// The window as the operator sees it, with the demonstration's scene in its live picture.
void AddWindowPicture(QTextDocument& document, const HiddenWindow& window) {
  QWidget* widget = window.Window();
  QImage picture = widget->grab().toImage();
  if (auto* panel = widget->findChild<QWidget*>("WC_Panel")) {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(panel->mapTo(widget, QPoint(0, 0)), panel->size()), DrawDemoScene());
  }
  document.addResource(QTextDocument::ImageResource, QUrl(widget->objectName() + ".png"), picture);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: lumivex-manual MANUAL_HTML OUTPUT_PDF\n");
    return 2;
  }
  QFile source(QString::fromLocal8Bit(argv[1]));
  if (!source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  LoadStationFonts();
  application.setFont(StationFont(false));

  QTextDocument document;
  QFont font("DejaVu Sans");
  font.setPointSizeF(10);
  document.setDefaultFont(font);
  for (const MethodWindows& method : MethodWindowTable()) {
    AddWindowPicture(document, method.createHiddenTeach());
    AddWindowPicture(document, method.createHiddenTest());
  }
  document.setHtml(QString::fromUtf8(source.readAll()));

  const QString path = QString::fromLocal8Bit(argv[2]);
  QPdfWriter writer(path);
  writer.setTitle("Lumivex - Manuale operatore");
  writer.setCreator("Lumivex");
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
  writer.setResolution(300);
  document.print(&writer);
  return QFile::exists(path) ? 0 : 1;
}
