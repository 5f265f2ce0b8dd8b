#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <string>

#include <gtest/gtest.h>

#include "bitmap/mybitmap.h"
#include "capture/webcam.h"
#include "inspection/methodwindows.h"
#include "inspection/webcamgetzona.h"
#include "inspection/webcamtestzona.h"
#include "methods/webcam_sistemavisione_zona.h"
#include "support/control_layout.h"
#include "support/message_box_recorder.h"
#include "support/modal_script.h"
#include "support/scene_camera.h"
#include "support/temp_station.h"
#include "window_steps.h"

namespace {

// The scene the simulated camera films: 64 x 48, blue background, a red 5 x 5 square whose
// bottom-left pixel is (20, 30) counted from the bottom row. The teach window's picture is 640 x
// 480 over it: frame x = mx / 10, frame y = (480 - my) / 10, picture y (from the top) = my / 10.
constexpr int32_t kSceneWidth = 64, kSceneHeight = 48;
constexpr uint32_t kBackground = 0xA03010;  // 0x00BBGGRR
constexpr uint32_t kSquare = 0x1E14DC;

const char kMissingZoneFile[] =
    "WCZ003: errore nella lettura dei dati della zona della webcam.\r\n";

TestWindowRef* ZoneTestWindow() {
  return FindMethodWindows(ZoneMethod::kNumber)->testWindow();
}

bool IsMarkerRed(const QImage& picture, int x, int y) {
  const QColor colour = picture.pixelColor(x, y);
  return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
}

class ZoneWindows : public MethodWindowsTest {
 protected:
  void SetUp() override { ShowScene(true); }

  // Shows the scene with or without the square.
  void ShowScene(bool withSquare) {
    MyBitmap scene(kSceneWidth, kSceneHeight);
    scene.FillRect(kBackground, 0, 0, kSceneWidth, kSceneHeight);
    if (withSquare) scene.FillRect(kSquare, 20, 30, 25, 35);
    camera.Show(scene);
  }

  std::string ZoneFile() const { return station.Path("Data/webcam_zona.dat"); }

  // A drag over appImage with the left button, through the given points.
  static void Drag(TWebCamForm_GetZona& teach, QPoint from, std::initializer_list<QPoint> through,
                   QPoint to) {
    QTest::mousePress(teach.appImage, Qt::LeftButton, {}, from);
    for (QPoint point : through) QTest::mouseMove(teach.appImage, point);
    QTest::mouseRelease(teach.appImage, Qt::LeftButton, {}, to);
  }
};

TEST_F(ZoneWindows, TheRubberBandFollowsTheDragAndLeavesNothingBehind) {
  TWebCamForm_GetZona teach(nullptr);
  teach.show();
  ASSERT_TRUE(teach.webCamReady);
  // Nothing taught yet: the parameters hidden, no test.
  EXPECT_NE(station.ErrorLogText().find(kMissingZoneFile), std::string::npos);
  EXPECT_FALSE(teach.TestBtn->isEnabled());
  EXPECT_TRUE(teach.SelZonaLbl->isHidden());
  EXPECT_TRUE(teach.TollLbl->isHidden());
  EXPECT_EQ(teach.appImage->geometry(), teach.WC_Panel->geometry());
  // A press on the hidden still image does nothing.
  teach.appImageMouseDown(150, 200);
  EXPECT_FALSE(teach.dragging);

  FreezeSnapshot(teach, teach.AcqZonaBtn);
  EXPECT_EQ(teach.ClickLbl->text().toStdString(),
            "Selezionare un'area rettangolare sull'immagine utilizzando il mouse");
  EXPECT_FALSE(teach.AcqZonaBtn->isEnabled());
  EXPECT_FALSE(teach.TestBtn->isEnabled());
  EXPECT_FALSE(teach.ExitButton->isEnabled());
  EXPECT_FALSE(teach.WC_Panel->isVisible());
  const QImage snapshot = teach.Picture();
  ASSERT_EQ(snapshot.size(), QSize(kSceneWidth, kSceneHeight));

  // Moving without a button pressed draws nothing.
  teach.appImageMouseMove(300, 100);
  EXPECT_EQ(teach.Picture(), snapshot);

  // Exclusive-or in white: a pixel of the outline is the snapshot's inverted.
  auto inverted = [&](int x, int y) {
    return teach.Picture().pixel(x, y) == (snapshot.pixel(x, y) ^ 0x00FFFFFFu);
  };
  QTest::mousePress(teach.appImage, Qt::LeftButton, {}, QPoint(150, 200));
  EXPECT_TRUE(teach.dragging);
  EXPECT_EQ(teach.anchorX, 15);
  EXPECT_EQ(teach.anchorY, 20);
  EXPECT_EQ(teach.Picture(), snapshot);
  QTest::mouseMove(teach.appImage, QPoint(300, 100));
  EXPECT_EQ(teach.lastX, 30);
  EXPECT_EQ(teach.lastY, 10);
  for (QPoint corner : {QPoint(15, 20), QPoint(15, 10), QPoint(30, 10), QPoint(30, 20)}) {
    SCOPED_TRACE(corner.x() * 100 + corner.y());
    EXPECT_TRUE(inverted(corner.x(), corner.y()));
  }
  EXPECT_TRUE(inverted(22, 10));  // on the edges
  EXPECT_TRUE(inverted(15, 15));
  EXPECT_TRUE(teach.Picture().pixel(22, 15) == snapshot.pixel(22, 15));  // inside
  // The next position: the first outline goes, the new one stands.
  QTest::mouseMove(teach.appImage, QPoint(250, 150));
  EXPECT_TRUE(teach.Picture().pixel(30, 10) == snapshot.pixel(30, 10));
  EXPECT_TRUE(teach.Picture().pixel(22, 10) == snapshot.pixel(22, 10));
  EXPECT_TRUE(inverted(25, 15));
  EXPECT_TRUE(inverted(20, 15));
  EXPECT_EQ(teach.savedPenMode, QPainter::CompositionMode_SourceOver);

  QTest::mouseRelease(teach.appImage, Qt::LeftButton, {}, QPoint(250, 150));
  EXPECT_FALSE(teach.dragging);
  EXPECT_EQ(teach.lastX, -1);
  EXPECT_EQ(teach.Picture(), snapshot);  // no line left

  const ZoneParams& zone = currentWebCam->Record<ZoneMethod>();
  EXPECT_TRUE(zone.stored);
  EXPECT_EQ(teach.SelZonaLbl->text().toStdString(), "X1=15 Y1=28 X2=25 Y2=33");
  EXPECT_EQ(teach.TollLbl->text().toStdString(), "Tolleranza sul colore=94%");
  EXPECT_FALSE(teach.SelZonaLbl->isHidden());
  EXPECT_FALSE(teach.TollLbl->isHidden());
  EXPECT_EQ(teach.ClickLbl->text().toStdString(), "Andare nella pagina di test");
  EXPECT_TRUE(teach.AcqZonaBtn->isEnabled());
  EXPECT_TRUE(teach.TestBtn->isEnabled());
  EXPECT_TRUE(teach.ExitButton->isEnabled());
  EXPECT_TRUE(teach.WC_Panel->isVisible());
  EXPECT_TRUE(teach.appImage->isHidden());
  // The reference with the zone in red: (15, 48 - 28) to (25, 48 - 33) from the top.
  const QImage reference = teach.curImage->pixmap().toImage();
  ASSERT_EQ(reference.size(), QSize(kSceneWidth, kSceneHeight));
  EXPECT_TRUE(IsMarkerRed(reference, 15, 18));
  EXPECT_TRUE(IsMarkerRed(reference, 20, 15));
  EXPECT_FALSE(IsMarkerRed(reference, 40, 40));
  teach.ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ZoneWindows, DragsInEveryDirectionAndAClick) {
  struct Case {
    const char* name;
    QPoint press;
    QPoint release;
    struct {
      int32_t x1, y1, x2, y2;
    } zone;
    const char* label;
  } cases[] = {
      {"upper left to lower right",
       {150, 100},
       {250, 300},
       {15, 38, 25, 18},
       "X1=15 Y1=38 X2=25 Y2=18"},
      {"lower right to upper left",
       {250, 300},
       {150, 100},
       {25, 18, 15, 38},
       "X1=25 Y1=18 X2=15 Y2=38"},
      {"lower left to upper right",
       {150, 300},
       {250, 100},
       {15, 18, 25, 38},
       "X1=15 Y1=18 X2=25 Y2=38"},
      {"upper right to lower left",
       {250, 100},
       {150, 300},
       {25, 38, 15, 18},
       "X1=25 Y1=38 X2=15 Y2=18"},
      {"a click without movement",
       {205, 155},
       {205, 155},
       {20, 32, 20, 32},
       "X1=20 Y1=32 X2=20 Y2=32"},
      {"ending beyond the picture",
       {600, 450},
       {700, -30},
       {60, 3, 70, 51},
       "X1=60 Y1=3 X2=70 Y2=51"},
      // Past the left edge the rubber band's corner is negative: it is still removed.
      {"ending beyond the left edge",
       {100, 100},
       {-50, 200},
       {10, 38, -5, 28},
       "X1=10 Y1=38 X2=-5 Y2=28"},
  };
  TWebCamForm_GetZona teach(nullptr);
  teach.show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreezeSnapshot(teach, teach.AcqZonaBtn);
    const QImage snapshot = teach.Picture();
    if (c.press == c.release)
      Drag(teach, c.press, {}, c.release);
    else
      Drag(teach, c.press, {(c.press + c.release) / 2, c.release}, c.release);
    EXPECT_EQ(teach.Picture(), snapshot);
    const ZoneParams& zone = currentWebCam->Record<ZoneMethod>();
    EXPECT_EQ(zone.clickX1, c.press.x());
    EXPECT_EQ(zone.clickY1, 480 - c.press.y());
    EXPECT_EQ(zone.clickX2, c.release.x());
    EXPECT_EQ(zone.clickY2, 480 - c.release.y());
    EXPECT_EQ(zone.zoneX1, c.zone.x1);
    EXPECT_EQ(zone.zoneY1, c.zone.y1);
    EXPECT_EQ(zone.zoneX2, c.zone.x2);
    EXPECT_EQ(zone.zoneY2, c.zone.y2);
    EXPECT_EQ(teach.SelZonaLbl->text().toStdString(), c.label);
  }
  teach.ExitButton->click();
  // The last zone taught reaches the file.
  EXPECT_EQ(ReadFileBytes(ZoneFile()).substr(0, 44),
            Words({0, 1, 100, 380, -50, 280, 10, 38, -5, 28, 94}));
}

TEST_F(ZoneWindows, TheTestLampFollowsTheSceneAndTheToleranceGoesBackToTheFile) {
  auto* teach = new TWebCamForm_GetZona(nullptr);
  WebCamForm_GetZona = teach;
  teach->show();
  FreezeSnapshot(*teach, teach->AcqZonaBtn);
  // The zone (15, 28)..(25, 33) holds 20 pixels of the square.
  Drag(*teach, {150, 200}, {{250, 150}}, {250, 150});

  RunTestWindow(*teach, WebCam_TestZona, [&](TWebCam_TestZona& test) {
    EXPECT_TRUE(test.TestActive);
    EXPECT_TRUE(test.ownsWebCam);
    EXPECT_EQ(ZoneTestWindow(), &test);
    EXPECT_EQ(test.TollBar->value(), 94);
    EXPECT_EQ(test.TollLbl->text().toStdString(), "Tolleranza: 94%");

    // The frame is the reference: FOUND! on the bright green lamp, the zone marked in red.
    ASSERT_NO_FATAL_FAILURE(WaitForPassLamps(test.lamps));
    EXPECT_TRUE(test.Label1->isVisible());
    EXPECT_TRUE(test.curImage->isVisible());
    // At the panel's 596 x 480: x = 596 * 15 / 64 = 139, y = 480 * (48 - 28) / 48 = 200 from the
    // top; the opposite corner is (232, 150).
    const QImage result = test.curImage->pixmap().toImage();
    ASSERT_EQ(result.size(), QSize(596, 480));
    EXPECT_TRUE(IsMarkerRed(result, 139, 175));
    EXPECT_TRUE(IsMarkerRed(result, 185, 200));
    EXPECT_TRUE(IsMarkerRed(result, 232, 160));
    EXPECT_FALSE(IsMarkerRed(result, 300, 300));
    int32_t outputs[4] = {-1, -1, -1, -1};
    EXPECT_TRUE(ZoneTestWindow()->RunTestOutputs(outputs));
    EXPECT_EQ(outputs[0], -1);  // no outputs

    // The square leaves: NOT FOUND on the bright red lamp, no picture.
    ShowScene(false);
    ASSERT_NO_FATAL_FAILURE(WaitForFailLamps(test.lamps));
    EXPECT_TRUE(test.Label1->isVisible());
    EXPECT_FALSE(test.curImage->isVisible());
    EXPECT_FALSE(test.RunTest());

    // At tolerance 0 every zone matches: the lamp comes back.
    test.TollBar->setValue(0);
    EXPECT_EQ(test.TollLbl->text().toStdString(), "Tolleranza: 0%");
    EXPECT_EQ(currentWebCam->Record<ZoneMethod>().tolerance, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
    EXPECT_TRUE(test.RunTest());
    test.TollBar->setValue(60);
    test.ExitButton->click();
  });
  EXPECT_EQ(ZoneTestWindow(), nullptr);

  // The test window's close wrote the file, the teach window's new capture read it back.
  const std::string file = ReadFileBytes(ZoneFile());
  ASSERT_EQ(file.size(), 52u + 48u * (4 + 3 * 64));
  EXPECT_EQ(file.substr(0, 52), Words({0, 1, 150, 280, 250, 330, 15, 28, 25, 33, 60, 48, 64}));
  ASSERT_TRUE(teach->webCamReady);
  EXPECT_EQ(teach->TollLbl->text().toStdString(), "Tolleranza sul colore=60%");
  EXPECT_EQ(teach->SelZonaLbl->text().toStdString(), "X1=15 Y1=28 X2=25 Y2=33");

  teach->ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
  delete teach;
  WebCamForm_GetZona = nullptr;
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ZoneWindows, ATaughtZoneIsShownWhenTheWindowOpensAndAutoStartRunsItsTest) {
  // Taught earlier, on a scene without the square: the whole picture is the background.
  std::string file = Words({0, 1, 0, 0, 0, 0, 0, 0, 63, 47, 94, kSceneHeight, kSceneWidth});
  for (int32_t y = 0; y < kSceneHeight; ++y) {
    file += Words({3 * kSceneWidth});
    for (int32_t x = 0; x < kSceneWidth; ++x) file += std::string("\x10\x30\xA0", 3);
  }
  WriteFileBytes(ZoneFile(), file);
  ShowScene(false);

  bool reachedTest = false;
  WhenModalOpens(WebCam_TestZona, [&](TWebCam_TestZona& test) {
    EXPECT_TRUE(test.TestActive);
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
    int32_t outputs[4] = {};
    EXPECT_TRUE(test.RunTestOutputs(outputs));
    reachedTest = true;
    test.ExitButton->click();
  });
  auto* teach = new TWebCamForm_GetZona(nullptr, true);  // opened by the auto-start
  WebCamForm_GetZona = teach;
  teach->show();
  EXPECT_EQ(teach->SelZonaLbl->text().toStdString(), "X1=0 Y1=0 X2=63 Y2=47");
  EXPECT_TRUE(teach->TestBtn->isEnabled());
  EXPECT_FALSE(teach->curImage->pixmap().isNull());
  ASSERT_TRUE(QTest::qWaitFor([&] { return reachedTest; }, kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return teach->webCamReady; }, kWaitMs));
  teach->ExitButton->click();
  delete teach;
  WebCamForm_GetZona = nullptr;
  EXPECT_EQ(ReadFileBytes(ZoneFile()), file);
}

TEST_F(ZoneWindows, ClosingWithoutTeachingWritesThe44ByteDefaults) {
  ExpectClosingUntaughtWrites<TWebCamForm_GetZona>(ZoneFile(),
                                                   Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 94}));
}

TEST_F(ZoneWindows, ControlsCarryTheirNamesPlacesAndTexts) {
  TWebCamForm_GetZona teach(nullptr);
  TWebCam_TestZona test(nullptr);
  const ControlCase cases[] = {
      {&teach,
       "ClickLbl",
       {18, 8, 640, 17},
       "Acquisire zona di riferimento nell'immagine e poi andare nella pagina di test"},
      {&teach,
       "Label1",
       {18, 31, 640, 17},
       "Per ottenere risultati migliori si consiglia di contrastare il colore di sfondo rispetto "
       "al colore dell'oggetto scelto"},
      {&teach, "WC_Panel", {18, 56, 640, 480}, nullptr},
      {&teach, "AcqZonaBtn", {680, 56, 203, 57}, "  Acquisisci zona"},
      {&teach, "TestBtn", {680, 119, 203, 57}, "    Test"},
      {&teach, "ExitButton", {680, 478, 203, 58}, " Esci"},
      {&teach, "GroupBox1", {673, 221, 216, 232}, nullptr},
      {&teach, "SelZonaLbl", {10, 24, 0, 0}, "X=0 Y=0"},
      {&teach, "TollLbl", {10, 43, 0, 0}, "Tolleranza sul colore:"},
      {&teach, "curImage", {6, 72, 204, 153}, nullptr},
      {&test, "WC_Panel", {5, 5, 596, 480}, nullptr},
      {&test,
       "ClickLbl",
       {5, 488, 596, 19},
       "Posizionare l'oggetto nella stessa zona dell'immagine in cui è stato acquisito"},
      {&test, "SpiaOkBack", {162, 515, 120, 120}, nullptr},
      {&test, "SpiaOk", {166, 519, 112, 112}, nullptr},
      {&test, "LabelOk", {184, 561, 0, 0}, "FOUND!"},
      {&test, "SpiaNokBack", {296, 515, 120, 120}, nullptr},
      {&test, "SpiaNok", {300, 519, 112, 112}, nullptr},
      {&test, "LabelNok", {335, 544, 0, 0}, "NOT"},
      {&test, "Label1", {324, 569, 0, 0}, "FOUND"},
      {&test, "GroupBox1", {603, 60, 336, 120}, nullptr},
      {&test, "TollLbl", {12, 45, 0, 0}, "Tolleranza sui colori:"},
      {&test, "TollBar", {14, 64, 311, 17}, nullptr},
      {&test, "GroupBox2", {603, 183, 336, 302}, nullptr},
      {&test, "curImage", {6, 27, 327, 270}, nullptr},
      {&test, "ExitButton", {693, 565, 167, 58}, "Esci"},
  };
  ExpectControls(cases);
  EXPECT_EQ(teach.windowTitle().toStdString(), "WEBCAM - RICONOSCIMENTO ZONA");
  EXPECT_EQ(teach.size(), QSize(902, 548));
  EXPECT_EQ(test.windowTitle().toStdString(), "WEBCAM - TEST RICONOSCIMENTO ZONA");
  EXPECT_EQ(test.size(), QSize(944, 652));
  EXPECT_EQ(test.TollBar->minimum(), 0);
  EXPECT_EQ(test.TollBar->maximum(), 100);
  EXPECT_EQ(test.TollBar->pageStep(), 10);
  EXPECT_EQ(teach.AvvioProgTimer->interval(), 200);
  for (QLabel* label : {test.lamps.LabelOk, test.lamps.LabelNok, test.Label1}) {
    EXPECT_EQ(label->font().family().toStdString(), "Comic Sans MS");
    EXPECT_EQ(label->font().pixelSize(), 19);
    EXPECT_TRUE(label->font().bold());
  }
}

TEST_F(ZoneWindows, TheRowReachesTheTestWindowThroughItsGlobal) {
  ExpectHiddenWindowsThroughTheirGlobals(2, 0, WebCamForm_GetZona, WebCam_TestZona);
}

}  // namespace
