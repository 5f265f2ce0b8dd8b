#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bitmap/mybitmap.h"
#include "capture/webcam.h"
#include "inspection/linemarker.h"
#include "inspection/methodwindows.h"
#include "inspection/webcamgetlineaoriz.h"
#include "inspection/webcamgetlineavert.h"
#include "inspection/webcamtestlineaoriz.h"
#include "inspection/webcamtestlineavert.h"
#include "support/control_layout.h"
#include "support/message_box_recorder.h"
#include "support/scene_camera.h"
#include "support/temp_station.h"
#include "window_steps.h"

namespace {

using ::testing::HasSubstr;

// The scene the simulated camera films: 64 x 48, blue background, a red run of 50 pixels on row 30
// (x 10 to 59) and a red run of 40 pixels on column 20 (y 5 to 44), rows counted from the bottom.
constexpr int32_t kSceneWidth = 64, kSceneHeight = 48;
constexpr uint32_t kBackground = 0xA03010;  // 0x00BBGGRR
constexpr uint8_t kRedR = 220, kRedG = 20, kRedB = 30;

// What sets the two methods' windows apart, and what each must show on the scene above.
struct Horizontal {
  using Row = HorizontalLineMethod;
  using Teach = TWebCamForm_GetLineaOriz;
  using Test = TWebCam_TestLineaOriz;
  static Test*& TestGlobal() { return WebCam_TestLineaOriz; }
  static QLabel* PositionLabel(Teach& teach) { return teach.SelLineaOrizLbl; }
  static QLabel* ResultLabel(Test& test) { return test.YLbl; }

  static constexpr char kFile[] = "Data/webcam_lineaoriz.dat";
  static constexpr char kInitialLength[] = "160";
  // A click at (405, 175) of the 640 x 480 still picks frame pixel (40, 30), on the red row.
  static constexpr QPoint kClick{405, 175};
  static constexpr int32_t kPointX = 40, kPointY = 30, kClickY = 305;
  static constexpr char kPosition[] = "Y=30";
  // The band on the 64 x 48 reference: rows 8 to 28 from the top around the taught row (18 from the
  // top). A band drawn upside down would stand on rows 20 to 40.
  static constexpr QPoint kBandEdge{32, 8}, kOffBand{32, 38};
  // With a length of 40 the red row is a line: the 40th match at x = 49, so centreX 29.
  static constexpr char kLength[] = " 4 0 ";
  static constexpr int32_t kLengthValue = 40;
  static constexpr int32_t kX = 29, kY = 30;
  static constexpr char kResult[] = "Y=30";
  // On the 596 x 480 live picture: xw = 270, yw = 180; the outline's bottom edge at y = 190, 20
  // either side of xw; nothing far above it.
  static constexpr QPoint kOutlineEdge{270, 190}, kOffOutline{270, 120};
};

struct Vertical {
  using Row = VerticalLineMethod;
  using Teach = TWebCamForm_GetLineaVert;
  using Test = TWebCam_TestLineaVert;
  static Test*& TestGlobal() { return WebCam_TestLineaVert; }
  static QLabel* PositionLabel(Teach& teach) { return teach.SelLineaVertLbl; }
  static QLabel* ResultLabel(Test& test) { return test.XLbl; }

  static constexpr char kFile[] = "Data/webcam_lineavert.dat";
  static constexpr char kInitialLength[] = "120";
  // A click at (205, 325) picks frame pixel (20, 15), on the red column.
  static constexpr QPoint kClick{205, 325};
  static constexpr int32_t kPointX = 20, kPointY = 15, kClickY = 155;
  static constexpr char kPosition[] = "X=20";
  // The band on the reference: columns 10 to 30 around the taught column, rows 5 to 43.
  static constexpr QPoint kBandEdge{10, 24}, kOffBand{40, 24};
  // With a length of 30 the red column is a line: the 30th match at y = 34, so centreY 19.
  static constexpr char kLength[] = "30";
  static constexpr int32_t kLengthValue = 30;
  static constexpr int32_t kX = 20, kY = 19;
  static constexpr char kResult[] = "X=20";
  // xw = 186, yw = 290: the outline's left edge at x = 176, 15 either side of yw.
  static constexpr QPoint kOutlineEdge{176, 290}, kOffOutline{100, 290};
};

// The pixel of a picture, counted from the top, is the markers' red.
bool IsMarkerRed(const QPixmap& picture, QPoint at) {
  const QColor colour = picture.toImage().pixelColor(at);
  return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
}

template <class Axis>
class LineWindows : public MethodWindowsTest {
 protected:
  using Teach = typename Axis::Teach;
  using Row = typename Axis::Row;

  void SetUp() override {
    MyBitmap scene(kSceneWidth, kSceneHeight);
    scene.FillRect(kBackground, 0, 0, kSceneWidth, kSceneHeight);
    const uint32_t red = kRedR | (kRedG << 8) | (kRedB << 16);
    scene.FillRect(red, 10, 30, 60, 31);
    scene.FillRect(red, 20, 5, 21, 45);
    camera.Show(scene);
  }

  std::string FilePath() const { return station.Path(Axis::kFile); }
  static typename Row::Record& Line() { return currentWebCam->Record<Row>(); }

  // Freezes a snapshot and clicks on the line.
  void Pick(Teach& teach) {
    ASSERT_NO_FATAL_FAILURE(FreezeSnapshot(teach, teach.AcqColBtn));
    ExpectWaitingForTheColourClick(teach);
    QTest::mousePress(teach.appImage, Qt::LeftButton, {}, Axis::kClick);
  }
};

using Axes = ::testing::Types<Horizontal, Vertical>;
TYPED_TEST_SUITE(LineWindows, Axes);

TYPED_TEST(LineWindows, PickTeachesTheColourAndShowsTheBand) {
  using Axis = TypeParam;
  typename Axis::Teach teach(nullptr);
  teach.show();
  ASSERT_TRUE(teach.webCamReady);
  // Nothing taught yet: every method's file is missing, in record order.
  const std::string log = this->station.ErrorLogText();
  const size_t point = log.find("WCP003: errore nella lettura dei dati del punto della webcam.");
  const size_t vertical =
      log.find("WCLV003: errore nella lettura dei dati del punto della webcam.");
  const size_t horizontal =
      log.find("WCLO003: errore nella lettura dei dati del punto della webcam.");
  ASSERT_NE(horizontal, std::string::npos);
  EXPECT_LT(point, vertical);
  EXPECT_LT(vertical, horizontal);
  EXPECT_FALSE(teach.TestBtn->isEnabled());
  EXPECT_TRUE(teach.SelColShape->isHidden());
  EXPECT_TRUE(Axis::PositionLabel(teach)->isHidden());
  EXPECT_TRUE(teach.TollLbl->isHidden());
  EXPECT_TRUE(teach.appImage->isHidden());
  EXPECT_EQ(teach.appImage->geometry(), teach.WC_Panel->geometry());

  // A click on the hidden still image does nothing.
  teach.appImageMouseDown(Axis::kClick.x(), Axis::kClick.y());
  EXPECT_FALSE(this->Line().stored);

  this->Pick(teach);
  const LineParams& line = this->Line();
  EXPECT_TRUE(line.stored);
  EXPECT_EQ(line.clickX, Axis::kClick.x());
  EXPECT_EQ(line.clickY, Axis::kClickY);
  EXPECT_EQ(line.pointX, Axis::kPointX);
  EXPECT_EQ(line.pointY, Axis::kPointY);
  EXPECT_EQ(line.colR, kRedR);
  EXPECT_EQ(line.colG, kRedG);
  EXPECT_EQ(line.colB, kRedB);
  EXPECT_EQ(teach.SelColShape->Brush(), LineColour(line));
  EXPECT_FALSE(teach.SelColShape->isHidden());
  EXPECT_EQ(Axis::PositionLabel(teach)->text().toStdString(), Axis::kPosition);
  EXPECT_FALSE(Axis::PositionLabel(teach)->isHidden());
  EXPECT_EQ(teach.TollLbl->text().toStdString(), "Tolleranza sul colore=94%");
  EXPECT_EQ(teach.ClickLbl->text().toStdString(), "Andare nella pagina di test");
  EXPECT_TRUE(teach.AcqColBtn->isEnabled());
  EXPECT_TRUE(teach.TestBtn->isEnabled());
  EXPECT_TRUE(teach.ExitButton->isEnabled());
  EXPECT_TRUE(teach.WC_Panel->isVisible());
  EXPECT_TRUE(teach.appImage->isHidden());
  // The reference with the band at the taught row or column.
  const QPixmap reference = teach.curImage->pixmap();
  ASSERT_EQ(reference.size(), QSize(kSceneWidth, kSceneHeight));
  EXPECT_TRUE(IsMarkerRed(reference, Axis::kBandEdge));
  EXPECT_FALSE(IsMarkerRed(reference, Axis::kOffBand));

  // The close writes the taught record with its picture: 44 bytes, then the picture.
  teach.ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
  const std::string file = ReadFileBytes(this->FilePath());
  ASSERT_EQ(file.size(), 44u + 8 + kSceneHeight * (4 + 3 * kSceneWidth));
  EXPECT_EQ(file.substr(0, 44),
            Words({0, 1, kRedR, kRedG, kRedB, Axis::kClick.x(), Axis::kClickY, Axis::kPointX,
                   Axis::kPointY, 94, TypeParam::Row::kInitialLength}));
  EXPECT_EQ(this->boxes.Count(), 0u);
}

TYPED_TEST(LineWindows, TheLengthEditDecidesWhatIsALineAndIsKept) {
  using Axis = TypeParam;
  typename Axis::Teach teach(nullptr);
  teach.show();
  this->Pick(teach);

  RunTestWindow(teach, Axis::TestGlobal(), [&](typename Axis::Test& test) {
    EXPECT_TRUE(test.TestActive);
    EXPECT_TRUE(test.ownsWebCam);
    EXPECT_EQ(FindMethodWindows(Axis::Row::kNumber)->testWindow(), &test);
    EXPECT_EQ(test.TollBar->value(), 94);
    EXPECT_EQ(test.TollLbl->text().toStdString(), "Tolleranza: 94%");
    EXPECT_EQ(test.QtPixEdt->text().toStdString(), Axis::kInitialLength);
    EXPECT_EQ(test.SelColShape->Brush(), LineColour(this->Line()));
    QLabel* result = Axis::ResultLabel(test);

    // The initial length is longer than the scene: no line, the fail lamp.
    ASSERT_NO_FATAL_FAILURE(WaitForFailLamps(test.lamps));
    EXPECT_FALSE(result->isVisible());
    EXPECT_FALSE(test.curImage->isVisible());
    int32_t outputs[4] = {-5, -5, -5, -5};
    EXPECT_FALSE(test.RunTestOutputs(outputs));
    EXPECT_EQ(outputs[0], -5);
    EXPECT_EQ(outputs[1], -5);

    // Not a whole number: 0 and the conversion's line in the error log, no box; empty: 0 alone.
    const std::string logBefore = this->station.ErrorLogText();
    test.QtPixEdt->setText("12a");
    EXPECT_EQ(this->Line().lineLength, 0);
    EXPECT_THAT(this->station.ErrorLogText().substr(logBefore.size()),
                HasSubstr("MTC003: errore nella conversione numerica. Controllare i valori "
                          "immessi. - stringa: '12a'"));
    test.QtPixEdt->setText("77");
    const std::string logAfter = this->station.ErrorLogText();
    test.QtPixEdt->clear();
    EXPECT_EQ(this->Line().lineLength, 0);
    EXPECT_EQ(this->station.ErrorLogText(), logAfter);
    EXPECT_EQ(this->boxes.Count(), 0u);

    // A length the line reaches: the pass lamp, the position, the marked picture and the reply.
    test.QtPixEdt->setText(Axis::kLength);
    EXPECT_EQ(this->Line().lineLength, Axis::kLengthValue);
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return result->isVisible() && result->text().toStdString() == Axis::kResult; },
        kWaitMs));
    EXPECT_EQ(test.lamps.SpiaNok->Brush(), 0x00004Bu);
    EXPECT_TRUE(test.lamps.LabelOk->isVisible());
    EXPECT_TRUE(test.curImage->isVisible());
    const QPixmap live = test.curImage->pixmap();
    ASSERT_EQ(live.size(), QSize(596, 480));
    EXPECT_TRUE(IsMarkerRed(live, Axis::kOutlineEdge));
    EXPECT_FALSE(IsMarkerRed(live, Axis::kOffOutline));
    EXPECT_TRUE(FindMethodWindows(Axis::Row::kNumber)->testWindow()->RunTestOutputs(outputs));
    EXPECT_EQ(outputs[0], Axis::kX);
    EXPECT_EQ(outputs[1], Axis::kY);

    test.TollBar->setValue(80);
    EXPECT_EQ(this->Line().tolerance, 80);
    test.ExitButton->click();
  });

  // The test window's close wrote the file; the teach window's new capture read it back.
  const std::string file = ReadFileBytes(this->FilePath());
  ASSERT_GE(file.size(), 44u);
  EXPECT_EQ(file.substr(36, 8), Words({80, Axis::kLengthValue}));
  ASSERT_TRUE(teach.webCamReady);
  EXPECT_EQ(this->Line().lineLength, Axis::kLengthValue);
  EXPECT_EQ(teach.TollLbl->text().toStdString(), "Tolleranza sul colore=80%");
  teach.ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_EQ(this->boxes.Count(), 0u);
}

TYPED_TEST(LineWindows, ATestWindowWithoutItsOwnCaptureChangesNothing) {
  using Axis = TypeParam;
  QWidget holder;
  holder.resize(64, 48);
  currentWebCam = new WebCam(&holder, 0, 0, 64, 48, 50, true);
  ASSERT_FALSE(currentWebCam->Failed());
  WebCam* other = currentWebCam;
  {
    typename Axis::Test test(nullptr);
    test.show();
    EXPECT_FALSE(test.TestActive);
    EXPECT_FALSE(test.ownsWebCam);
    test.QtPixEdt->setText("7");
    test.TollBar->setValue(20);
    test.ExitButton->click();
  }
  ASSERT_EQ(this->boxes.Count(), 1u);
  EXPECT_EQ(this->boxes.Boxes()[0].text, "WebCam already used");
  EXPECT_EQ(other->Record<typename Axis::Row>().lineLength, Axis::Row::kInitialLength);
  EXPECT_EQ(other->Record<typename Axis::Row>().tolerance, 94);
  currentWebCam = nullptr;
  delete other;
}

TYPED_TEST(LineWindows, ControlsCarryTheirNamesPlacesAndTexts) {
  using Axis = TypeParam;
  typename Axis::Teach teach(nullptr);
  typename Axis::Test test(nullptr);
  const bool horizontal = Axis::Row::kAxis == LineAxis::kHorizontal;
  const ControlCase cases[] = {
      {&teach,
       "ClickLbl",
       {17, 8, 640, 17},
       "Acquisire colore di riferimento e poi andare nella pagina di test"},
      {&teach,
       "Label1",
       {17, 31, 640, 17},
       "Per ottenere risultati migliori si consiglia di contrastare il colore di sfondo rispetto "
       "al colore dell'oggetto scelto"},
      {&teach, "WC_Panel", {17, 54, 640, 480}, nullptr},
      {&teach, "AcqColBtn", {683, 54, 203, 57}, "  Acquisisci colore linea"},
      {&teach, "TestBtn", {683, 117, 203, 57}, "    Test"},
      {&teach, "ExitButton", {683, 476, 203, 58}, " Esci"},
      {&teach, "GroupBox1", {676, 219, 216, 238}, nullptr},
      {&teach, "SelColShape", {10, 21, 111, 22}, nullptr},
      {&teach, horizontal ? "SelLineaOrizLbl" : "SelLineaVertLbl", {127, 31, 0, 0}, "X=0 Y=0"},
      {&teach, "TollLbl", {10, 49, 0, 0}, "Tolleranza sul colore:"},
      {&teach, "curImage", {6, 79, 204, 153}, nullptr},
      {&test, "WC_Panel", {2, 5, 596, 480}, nullptr},
      {&test,
       "ClickLbl",
       {5, 488, 593, 19},
       horizontal
           ? "Una linea orizzontale del colore selezionato viene ricercata in tutta l'immagine"
           : "Una linea verticale del colore selezionato viene ricercata in tutta l'immagine"},
      {&test, "SpiaOkBack", {198, 509, 120, 120}, nullptr},
      {&test, "SpiaOk", {202, 513, 112, 112}, nullptr},
      {&test, "LabelOk", {244, 555, 0, 0}, "OK"},
      {&test, "SpiaNokBack", {332, 509, 120, 120}, nullptr},
      {&test, "SpiaNok", {336, 513, 112, 112}, nullptr},
      {&test, "LabelNok", {371, 555, 0, 0}, "NOK"},
      {&test, "GroupBox1", {602, 88, 334, 150}, nullptr},
      {&test, "ColLbl", {8, 25, 0, 0}, "Colore:"},
      {&test, "SelColShape", {56, 23, 267, 16}, nullptr},
      {&test, "TollLbl", {8, 55, 0, 0}, "Tolleranza sul colore:"},
      {&test, "TollBar", {12, 74, 311, 17}, nullptr},
      {&test, "QtPixEdt", {108, 113, 38, 21}, nullptr},
      {&test, "Label1", {152, 116, 0, 0}, "pixel"},
      {&test, "GroupBox2", {602, 244, 334, 244}, nullptr},
      {&test, horizontal ? "YLbl" : "XLbl", {11, 24, 0, 0}, horizontal ? "Y=" : "X="},
      {&test, "curImage", {3, 43, 326, 196}, nullptr},
      {&test, "ExitButton", {683, 567, 167, 58}, "Esci"},
  };
  ExpectControls(cases);
  // The length edit's caption stands on its left.
  EXPECT_EQ(test.QtPixEdtLabel->text().toStdString(), "Lunghezza linea:");
  EXPECT_LE(test.QtPixEdtLabel->geometry().right(), test.QtPixEdt->geometry().left());
  EXPECT_EQ(teach.objectName().toStdString(),
            horizontal ? "WebCamForm_GetLineaOriz" : "WebCamForm_GetLineaVert");
  EXPECT_EQ(teach.windowTitle().toStdString(), horizontal
                                                   ? "WEBCAM - RICONOSCIMENTO LINEA ORIZZONTALE"
                                                   : "WEBCAM - RICONOSCIMENTO LINEA VERTICALE");
  EXPECT_EQ(teach.size(), QSize(902, 548));
  EXPECT_EQ(test.objectName().toStdString(),
            horizontal ? "WebCam_TestLineaOriz" : "WebCam_TestLineaVert");
  EXPECT_EQ(test.windowTitle().toStdString(), horizontal
                                                  ? "WEBCAM - TEST RICONOSCIMENTO LINEA ORIZZONTALE"
                                                  : "WEBCAM - TEST RICONOSCIMENTO LINEA VERTICALE");
  EXPECT_EQ(test.size(), QSize(944, horizontal ? 644 : 647));
  EXPECT_EQ(test.TollBar->minimum(), 0);
  EXPECT_EQ(test.TollBar->maximum(), 100);
  EXPECT_EQ(test.TollBar->pageStep(), 10);
  EXPECT_EQ(teach.AvvioProgTimer->interval(), 200);
}

// The marker outlines, corner by corner in drawing order (y from the top).
TEST(LineMarkers, OutlinesFollowTheirAxis) {
  const ViewScale scale{596, 480, 64, 48};
  const struct {
    const char* name;
    LineOutline outline;
    LineOutline expected;
  } cases[] = {
      {"horizontal band at row 30 of 64 x 48",
       ReferenceBand(LineAxis::kHorizontal, 40, 30, 64, 48),
       {QPoint(5, 8), QPoint(5, 28), QPoint(59, 28), QPoint(59, 8)}},
      {"vertical band at column 20 of 64 x 48",
       ReferenceBand(LineAxis::kVertical, 20, 15, 64, 48),
       {QPoint(10, 5), QPoint(10, 43), QPoint(30, 43), QPoint(30, 5)}},
      {"horizontal result: half length not scaled, 10 above and below",
       ResultOutline(LineAxis::kHorizontal, scale, 30, 29, 40),
       {QPoint(290, 170), QPoint(290, 190), QPoint(250, 190), QPoint(250, 170)}},
      {"vertical result: 10 left and right, half length not scaled",
       ResultOutline(LineAxis::kVertical, scale, 20, 19, 30),
       {QPoint(176, 305), QPoint(176, 275), QPoint(196, 275), QPoint(196, 305)}},
      {"a line at the top edge reaches past the picture",
       ResultOutline(LineAxis::kHorizontal, scale, 48, 0, 7),
       {QPoint(3, -10), QPoint(3, 10), QPoint(-3, 10), QPoint(-3, -10)}},
      {"a huge length stays in the drawable range",
       ResultOutline(LineAxis::kVertical, scale, 0, 0, INT32_MAX),
       {QPoint(-10, kFarOutside), QPoint(-10, -kFarOutside), QPoint(10, -kFarOutside),
        QPoint(10, kFarOutside)}},
      {"a taught row far outside stays in the drawable range",
       ReferenceBand(LineAxis::kHorizontal, 0, INT32_MIN, 64, 48),
       {QPoint(5, kFarOutside), QPoint(5, kFarOutside), QPoint(59, kFarOutside),
        QPoint(59, kFarOutside)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.outline, c.expected);
  }
}

}  // namespace
