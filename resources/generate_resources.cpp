// Draws the station's pictures (background, logo, button pictures, application icon). Run by the
// build: generate_resources OUTPUT_FOLDER.

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kAccent(46, 196, 214);
const QColor kSteel(58, 66, 78);
const QColor kDark(24, 28, 34);

QString outputFolder;

bool SaveImage(const QImage& image, const char* name) {
  const QString path = outputFolder + "/" + name + ".png";
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

void Prepare(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}

// Button pictures are drawn on a 64 x 64 canvas and shown at 24 or 32 pixels.
bool Icon(const char* name, const std::function<void(QPainter&)>& draw) {
  QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  Prepare(p);
  draw(p);
  p.end();
  return SaveImage(image, name);
}

QPen Outline(const QColor& colour, double width = 3.0) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient Vertical(const QColor& top, const QColor& bottom, double y0, double y1) {
  QLinearGradient gradient(0, y0, 0, y1);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return gradient;
}

void Disc(QPainter& p, const QColor& light, const QColor& dark) {
  p.setPen(Outline(dark.darker(130), 2.5));
  p.setBrush(Vertical(light, dark, 4, 60));
  p.drawEllipse(QRectF(5, 5, 54, 54));
}

void CentredText(QPainter& p, const QString& text, int pixelSize, const QColor& colour) {
  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setPixelSize(pixelSize);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(QRectF(0, 0, 64, 64), Qt::AlignCenter, text);
}

void FilmStrip(QPainter& p) {
  p.setPen(Outline(QColor(20, 20, 20), 2));
  p.setBrush(QColor(45, 45, 50));
  p.drawRoundedRect(QRectF(6, 12, 52, 40), 4, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(235, 235, 235));
  for (int i = 0; i < 6; ++i) {
    p.drawRect(QRectF(10 + i * 8, 15, 4, 4));
    p.drawRect(QRectF(10 + i * 8, 45, 4, 4));
  }
  p.setBrush(Vertical(QColor(120, 190, 230), QColor(40, 90, 150), 22, 42));
  p.drawRect(QRectF(10, 22, 20, 20));
  p.drawRect(QRectF(34, 22, 20, 20));
}

void FramedPicture(QPainter& p) {
  p.setPen(Outline(QColor(50, 60, 70), 2.5));
  p.setBrush(Vertical(QColor(250, 250, 252), QColor(215, 222, 230), 8, 56));
  p.drawRoundedRect(QRectF(6, 8, 52, 48), 4, 4);
}

bool DrawIcons() {
  bool ok = true;
  ok &= Icon("folder", [](QPainter& p) {
    p.setPen(Outline(QColor(120, 85, 10), 2.5));
    p.setBrush(Vertical(QColor(250, 210, 90), QColor(215, 160, 30), 12, 54));
    QPainterPath folder;
    folder.moveTo(6, 14);
    folder.lineTo(24, 14);
    folder.lineTo(29, 20);
    folder.lineTo(58, 20);
    folder.lineTo(58, 52);
    folder.lineTo(6, 52);
    folder.closeSubpath();
    p.drawPath(folder);
    p.setBrush(Vertical(QColor(255, 228, 130), QColor(235, 185, 50), 26, 52));
    p.drawRoundedRect(QRectF(6, 26, 52, 26), 2, 2);
  });
  ok &= Icon("serial", [](QPainter& p) {
    p.setPen(Outline(QColor(30, 34, 40), 2.5));
    p.setBrush(Vertical(QColor(170, 178, 190), QColor(95, 102, 114), 16, 48));
    QPainterPath shell;
    shell.moveTo(4, 16);
    shell.lineTo(60, 16);
    shell.lineTo(53, 48);
    shell.lineTo(11, 48);
    shell.closeSubpath();
    p.drawPath(shell);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 28, 34));
    for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(14 + 9 * i, 26), 2.8, 2.8);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(18.5 + 9 * i, 38), 2.8, 2.8);
  });
  ok &= Icon("network", [](QPainter& p) {
    const QPointF nodes[] = {{32, 12}, {12, 50}, {52, 50}};
    p.setPen(QPen(QColor(60, 66, 78), 4));
    p.drawLine(nodes[0], nodes[1]);
    p.drawLine(nodes[0], nodes[2]);
    p.drawLine(nodes[1], nodes[2]);
    p.setPen(Outline(QColor(20, 70, 80), 2));
    p.setBrush(Vertical(kAccent.lighter(130), kAccent.darker(150), 2, 60));
    for (const QPointF& node : nodes) p.drawEllipse(node, 9, 9);
  });
  ok &= Icon("camera", [](QPainter& p) {
    p.setPen(Outline(QColor(30, 34, 40), 2.5));
    p.setBrush(Vertical(QColor(110, 118, 130), QColor(50, 56, 66), 16, 54));
    p.drawRoundedRect(QRectF(6, 18, 52, 36), 6, 6);
    p.drawRoundedRect(QRectF(20, 10, 20, 10), 3, 3);
    p.setBrush(QColor(25, 28, 34));
    p.drawEllipse(QPointF(32, 36), 13, 13);
    QRadialGradient lens(QPointF(29, 33), 10);
    lens.setColorAt(0, kAccent.lighter(160));
    lens.setColorAt(1, kAccent.darker(200));
    p.setBrush(lens);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32, 36), 8.5, 8.5);
    p.setBrush(QColor(230, 60, 50));
    p.drawEllipse(QPointF(50, 25), 3, 3);
  });
  ok &= Icon("stop", [](QPainter& p) {
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
      const double angle = (22.5 + 45.0 * i) * M_PI / 180.0;
      octagon << QPointF(32 + 27 * std::cos(angle), 32 + 27 * std::sin(angle));
    }
    p.setPen(Outline(QColor(120, 20, 20), 2.5));
    p.setBrush(Vertical(QColor(235, 80, 70), QColor(170, 25, 25), 5, 59));
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(21, 21, 22, 22), 2, 2);
  });
  ok &= Icon("save", [](QPainter& p) {
    p.setPen(Outline(QColor(20, 45, 90), 2.5));
    p.setBrush(Vertical(QColor(70, 120, 200), QColor(30, 70, 150), 6, 58));
    QPainterPath body;
    body.moveTo(8, 8);
    body.lineTo(48, 8);
    body.lineTo(56, 16);
    body.lineTo(56, 56);
    body.lineTo(8, 56);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 230, 238));
    p.drawRect(QRectF(17, 9, 28, 16));
    p.setBrush(QColor(30, 70, 150));
    p.drawRect(QRectF(36, 11, 6, 12));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(15, 34, 34, 20), 2, 2);
    p.setPen(QPen(QColor(150, 160, 175), 1.5));
    for (int y = 40; y <= 50; y += 5) p.drawLine(19, y, 45, y);
  });
  ok &= Icon("film", [](QPainter& p) {
    FilmStrip(p);
    p.setPen(Outline(Qt::white, 2));
    p.setBrush(QColor(225, 40, 40));
    p.drawEllipse(QPointF(49, 49), 11, 11);
  });
  ok &= Icon("filmstop", [](QPainter& p) {
    FilmStrip(p);
    p.setPen(Outline(Qt::white, 2));
    p.setBrush(QColor(40, 40, 45));
    p.drawRoundedRect(QRectF(38, 38, 22, 22), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 40, 40));
    p.drawRect(QRectF(44, 44, 10, 10));
  });
  ok &= Icon("options", [](QPainter& p) {
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
      const double a0 = (i * 180.0 / teeth - 9) * M_PI / 180.0;
      const double a1 = (i * 180.0 / teeth + 9) * M_PI / 180.0;
      const double r = i % 2 == 0 ? 28 : 21;
      if (i == 0) gear.moveTo(32 + r * std::cos(a0), 32 + r * std::sin(a0));
      gear.lineTo(32 + r * std::cos(a0), 32 + r * std::sin(a0));
      gear.lineTo(32 + r * std::cos(a1), 32 + r * std::sin(a1));
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(32, 32), 9, 9);
    p.setPen(Outline(QColor(40, 45, 52), 2));
    p.setBrush(Vertical(QColor(190, 198, 208), QColor(105, 115, 128), 4, 60));
    p.drawPath(gear.subtracted(hole));
  });
  ok &= Icon("help", [](QPainter& p) {
    Disc(p, QColor(90, 150, 235), QColor(30, 80, 170));
    CentredText(p, "?", 38, Qt::white);
  });
  ok &= Icon("info", [](QPainter& p) {
    Disc(p, QColor(90, 200, 220), QColor(20, 120, 150));
    CentredText(p, "i", 38, Qt::white);
  });
  ok &= Icon("exit", [](QPainter& p) {
    p.setPen(Outline(QColor(60, 40, 25), 2.5));
    p.setBrush(Vertical(QColor(190, 130, 80), QColor(120, 75, 40), 6, 58));
    p.drawRect(QRectF(10, 6, 28, 52));
    p.setBrush(QColor(240, 220, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32, 34), 2.5, 2.5);
    QPainterPath arrow;
    arrow.moveTo(30, 27);
    arrow.lineTo(46, 27);
    arrow.lineTo(46, 18);
    arrow.lineTo(60, 32);
    arrow.lineTo(46, 46);
    arrow.lineTo(46, 37);
    arrow.lineTo(30, 37);
    arrow.closeSubpath();
    p.setPen(Outline(QColor(120, 20, 20), 2));
    p.setBrush(Vertical(QColor(240, 90, 70), QColor(185, 30, 30), 18, 46));
    p.drawPath(arrow);
  });
  ok &= Icon("ok", [](QPainter& p) {
    Disc(p, QColor(110, 205, 110), QColor(30, 130, 50));
    QPainterPath check;
    check.moveTo(18, 33);
    check.lineTo(28, 43);
    check.lineTo(47, 21);
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(check);
  });
  ok &= Icon("utilities", [](QPainter& p) {
    p.translate(32, 32);
    p.rotate(45);
    p.setPen(Outline(QColor(40, 45, 52), 2));
    p.setBrush(Vertical(QColor(200, 206, 214), QColor(110, 118, 130), -28, 28));
    p.drawRoundedRect(QRectF(-5, -8, 10, 36), 4, 4);
    QPainterPath head;
    head.addEllipse(QPointF(0, -16), 13, 13);
    QPainterPath jaw;
    jaw.addRect(QRectF(-5, -32, 10, 14));
    p.drawPath(head.subtracted(jaw));
    p.resetTransform();
    p.setPen(Outline(QColor(120, 60, 10), 2));
    p.setBrush(Vertical(QColor(250, 190, 60), QColor(210, 120, 20), 30, 60));
    p.drawRoundedRect(QRectF(40, 40, 16, 16), 4, 4);
  });
  ok &= Icon("autostart", [](QPainter& p) {
    Disc(p, QColor(120, 210, 120), QColor(30, 130, 60));
    QPolygonF play;
    play << QPointF(25, 18) << QPointF(47, 32) << QPointF(25, 46);
    p.setPen(Outline(Qt::white, 2));
    p.setBrush(Qt::white);
    p.drawPolygon(play);
  });
  ok &= Icon("exchange", [](QPainter& p) {
    auto arrow = [&p](double y, bool right, const QColor& colour) {
      QPainterPath path;
      const double tip = right ? 58 : 6;
      const double base = right ? 42 : 22;
      const double tail = right ? 8 : 56;
      path.moveTo(tail, y - 5);
      path.lineTo(base, y - 5);
      path.lineTo(base, y - 12);
      path.lineTo(tip, y);
      path.lineTo(base, y + 12);
      path.lineTo(base, y + 5);
      path.lineTo(tail, y + 5);
      path.closeSubpath();
      p.setPen(Outline(colour.darker(160), 2));
      p.setBrush(colour);
      p.drawPath(path);
    };
    arrow(20, true, QColor(60, 130, 220));
    arrow(44, false, QColor(240, 150, 40));
  });
  ok &= Icon("display", [](QPainter& p) {
    p.setPen(Outline(QColor(30, 34, 40), 2.5));
    p.setBrush(QColor(60, 66, 76));
    p.drawRoundedRect(QRectF(5, 8, 54, 38), 4, 4);
    p.setBrush(Vertical(kAccent.lighter(140), QColor(30, 70, 120), 12, 42));
    p.drawRect(QRectF(10, 13, 44, 28));
    p.setBrush(QColor(60, 66, 76));
    p.drawRect(QRectF(27, 46, 10, 7));
    p.drawRoundedRect(QRectF(17, 53, 30, 5), 2, 2);
  });
  ok &= Icon("method_point", [](QPainter& p) {
    p.setPen(Outline(QColor(40, 45, 52), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(32, 32), 22, 22);
    p.drawEllipse(QPointF(32, 32), 12, 12);
    p.drawLine(32, 2, 32, 16);
    p.drawLine(32, 48, 32, 62);
    p.drawLine(2, 32, 16, 32);
    p.drawLine(48, 32, 62, 32);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(QPointF(32, 32), 5, 5);
  });
  ok &= Icon("method_zone", [](QPainter& p) {
    FramedPicture(p);
    p.setBrush(QColor(46, 196, 214, 90));
    p.setPen(QPen(QColor(210, 40, 40), 3, Qt::DashLine));
    p.drawRect(QRectF(17, 18, 30, 26));
  });
  ok &= Icon("method_vline", [](QPainter& p) {
    FramedPicture(p);
    p.setPen(QPen(QColor(210, 40, 40), 6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(32, 12), QPointF(32, 52));
  });
  ok &= Icon("method_hline", [](QPainter& p) {
    FramedPicture(p);
    p.setPen(QPen(QColor(210, 40, 40), 6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(10, 32), QPointF(54, 32));
  });
  ok &= Icon("method_image", [](QPainter& p) {
    FramedPicture(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(QColor(150, 205, 245), QColor(210, 235, 250), 12, 40));
    p.drawRect(QRectF(10, 12, 44, 40));
    p.setBrush(QColor(250, 200, 50));
    p.drawEllipse(QPointF(44, 21), 5, 5);
    QPolygonF hills;
    hills << QPointF(10, 52) << QPointF(24, 30) << QPointF(34, 42) << QPointF(42, 34)
          << QPointF(54, 52);
    p.setBrush(QColor(60, 140, 70));
    p.drawPolygon(hills);
  });
  ok &= Icon("method_dim", [](QPainter& p) {
    p.setPen(Outline(QColor(20, 80, 120), 2.5));
    p.setBrush(Vertical(kAccent.lighter(130), kAccent.darker(150), 16, 46));
    p.drawRoundedRect(QRectF(18, 20, 38, 26), 3, 3);
    p.setPen(Outline(QColor(210, 40, 40), 2.5));
    p.drawLine(QPointF(18, 10), QPointF(56, 10));
    p.drawLine(QPointF(8, 20), QPointF(8, 46));
    p.setBrush(QColor(210, 40, 40));
    for (QPolygonF head :
         {QPolygonF{{18, 10}, {24, 6}, {24, 14}}, QPolygonF{{56, 10}, {50, 6}, {50, 14}},
          QPolygonF{{8, 20}, {4, 26}, {12, 26}}, QPolygonF{{8, 46}, {4, 40}, {12, 40}}})
      p.drawPolygon(head);
    p.setPen(QPen(QColor(210, 40, 40), 1.5, Qt::DotLine));
    p.drawLine(QPointF(18, 13), QPointF(18, 20));
    p.drawLine(QPointF(56, 13), QPointF(56, 20));
  });
  return ok;
}

// The mark of the maker: a lens seen from the front, three rings and a bright centre.
void DrawLens(QPainter& p, QPointF centre, double radius) {
  QRadialGradient glass(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.2);
  glass.setColorAt(0, kAccent.lighter(170));
  glass.setColorAt(0.5, kAccent.darker(130));
  glass.setColorAt(1, QColor(10, 40, 55));
  p.setPen(QPen(QColor(220, 230, 240), radius * 0.12));
  p.setBrush(glass);
  p.drawEllipse(centre, radius, radius);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 110), radius * 0.06));
  p.drawEllipse(centre, radius * 0.66, radius * 0.66);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawEllipse(centre, radius * 0.22, radius * 0.22);
  p.setBrush(QColor(255, 255, 255, 160));
  p.drawEllipse(centre - QPointF(radius * 0.42, radius * 0.42), radius * 0.12, radius * 0.12);
}

bool DrawLogo() {
  QImage image(330, 64, QImage::Format_RGB32);
  QPainter p(&image);
  Prepare(p);
  p.fillRect(image.rect(), Vertical(QColor(44, 52, 62), QColor(16, 19, 24), 0, 64));
  p.setPen(QPen(kAccent, 2));
  p.drawLine(0, 62, 330, 62);
  DrawLens(p, QPointF(34, 31), 22);

  QFont word("DejaVu Sans");
  word.setBold(true);
  word.setPixelSize(34);
  word.setLetterSpacing(QFont::AbsoluteSpacing, 6);
  p.setFont(word);
  p.setPen(Qt::white);
  p.drawText(QRectF(68, 4, 262, 40), Qt::AlignLeft | Qt::AlignVCenter, "LUMIVEX");

  QFont line("DejaVu Sans");
  line.setPixelSize(10);
  line.setLetterSpacing(QFont::AbsoluteSpacing, 3.2);
  p.setFont(line);
  p.setPen(kAccent);
  p.drawText(QRectF(70, 42, 260, 16), Qt::AlignLeft | Qt::AlignVCenter,
             "SISTEMI DI VISIONE ARTIFICIALE");
  p.end();
  return SaveImage(image, "logo");
}

bool DrawApplicationIcon() {
  QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  Prepare(p);
  p.setPen(QPen(QColor(10, 12, 16), 6));
  p.setBrush(Vertical(QColor(64, 74, 88), QColor(18, 21, 26), 0, 256));
  p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
  DrawLens(p, QPointF(128, 120), 78);
  p.setPen(QPen(kAccent, 10, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(60, 218), QPointF(196, 218));
  p.end();
  return SaveImage(image, "lumivex");
}

// A dark brushed-steel plate with a fine grid and a soft light from the top left: white captions
// stay readable on every part of it.
bool DrawBackground() {
  QImage image(1024, 768, QImage::Format_RGB32);
  QPainter p(&image);
  Prepare(p);
  QLinearGradient plate(0, 0, 0, 768);
  plate.setColorAt(0, QColor(74, 82, 94));
  plate.setColorAt(0.15, kSteel);
  plate.setColorAt(1, kDark);
  p.fillRect(image.rect(), plate);

  QRandomGenerator random(1000);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int y = 0; y < 768; ++y) {
    const int shade = static_cast<int>(random.bounded(24));
    p.setPen(QColor(255, 255, 255, shade < 12 ? shade / 2 : 0));
    const int start = static_cast<int>(random.bounded(1024));
    p.drawLine(start - 600, y, start + 600, y);
  }
  p.setPen(QColor(255, 255, 255, 9));
  for (int x = 0; x < 1024; x += 16) p.drawLine(x, 0, x, 767);
  for (int y = 0; y < 768; y += 16) p.drawLine(0, y, 1023, y);
  p.setRenderHint(QPainter::Antialiasing, true);

  QRadialGradient light(QPointF(180, 40), 700);
  light.setColorAt(0, QColor(255, 255, 255, 34));
  light.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(image.rect(), light);
  QRadialGradient vignette(QPointF(512, 384), 760);
  vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
  vignette.setColorAt(1, QColor(0, 0, 0, 110));
  p.fillRect(image.rect(), vignette);

  // A thin accent rule under the top band of controls.
  p.setPen(QPen(QColor(46, 196, 214, 120), 1));
  p.drawLine(0, 111, 1023, 111);
  p.end();
  return SaveImage(image, "background");
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: generate_resources OUTPUT_FOLDER\n");
    return 2;
  }
  outputFolder = QString::fromLocal8Bit(argv[1]);
  bool ok = DrawBackground();
  ok &= DrawLogo();
  ok &= DrawApplicationIcon();
  ok &= DrawIcons();
  return ok ? 0 : 1;
}
