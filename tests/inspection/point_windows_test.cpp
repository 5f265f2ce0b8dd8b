#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bitmap/mybitmap.h"
#include "capture/webcam.h"
#include "inspection/methodwindows.h"
#include "inspection/webcamgetpoint.h"
#include "inspection/webcamtestpoint.h"
#include "methods/webcam_sistemavisione_point.h"
#include "support/control_layout.h"
#include "support/message_box_recorder.h"
#include "support/modal_script.h"
#include "support/scene_camera.h"
#include "support/temp_station.h"
#include "window_steps.h"

namespace {

// The scene the simulated camera films: 64 x 48, blue background, a red 5 x 5 square whose
// bottom-left pixel is (20, 30) counted from the bottom row.
constexpr int32_t kSceneWidth = 64, kSceneHeight = 48;
constexpr uint32_t kBackground = 0xA03010;  // 0x00BBGGRR
constexpr uint8_t kRedR = 220, kRedG = 20, kRedB = 30;

// The point test window as the dispatcher finds it.
TestWindowRef* PointTestWindow() {
  return FindMethodWindows(PointMethod::kNumber)->testWindow();
}

// The pixel (x, y) of a picture, counted from the top, is the markers' red.
bool IsMarkerRed(const QPixmap& picture, int x, int y) {
  const QColor colour = picture.toImage().pixelColor(x, y);
  return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
}

class PointWindows : public MethodWindowsTest {
 protected:
  void SetUp() override { ShowScene(true); }

  // Shows the scene with or without the square.
  void ShowScene(bool withSquare) {
    MyBitmap scene(kSceneWidth, kSceneHeight);
    scene.FillRect(kBackground, 0, 0, kSceneWidth, kSceneHeight);
    if (withSquare) scene.FillRect(kRedR | (kRedG << 8) | (kRedB << 16), 20, 30, 25, 35);
    camera.Show(scene);
  }

  std::string PointFile() const { return station.Path("Data/webcam_point.dat"); }

  // Teaches the red square's pixel (22, 32) with a snapshot and a click.
  void Teach(TWebCamForm_GetPoint& teach) {
    ASSERT_NO_FATAL_FAILURE(FreezeSnapshot(teach, teach.AcqColBtn));
    ExpectWaitingForTheColourClick(teach);
    EXPECT_FALSE(teach.WC_Panel->isVisible());
    // 640 x 480 over 64 x 48: x = mx / 10, y = (480 - my) / 10.
    QTest::mousePress(teach.appImage, Qt::LeftButton, {}, QPoint(225, 155));
  }
};

TEST_F(PointWindows, TeachThenTestThenBackWithTheTolerance) {
  auto* teach = new TWebCamForm_GetPoint(nullptr);
  WebCamForm_GetPoint = teach;
  teach->show();
  ASSERT_TRUE(teach->webCamReady);
  ASSERT_TRUE(currentWebCam);
  // Nothing taught yet: no file, the parameters hidden, no test. (Every method's missing file
  // has its line.)
  EXPECT_THAT(
      station.ErrorLogText(),
      ::testing::HasSubstr("WCP003: errore nella lettura dei dati del punto della webcam.\r\n"));
  EXPECT_FALSE(teach->TestBtn->isEnabled());
  EXPECT_TRUE(teach->SelColShape->isHidden());
  EXPECT_TRUE(teach->SelPointLbl->isHidden());
  EXPECT_TRUE(teach->TollLbl->isHidden());
  EXPECT_TRUE(teach->QtPixLbl->isHidden());
  EXPECT_TRUE(teach->appImage->isHidden());
  EXPECT_EQ(teach->appImage->geometry(), teach->WC_Panel->geometry());

  // A click on the hidden still image does nothing.
  teach->appImageMouseDown(225, 155);
  EXPECT_FALSE(currentWebCam->Record<PointMethod>().stored);

  Teach(*teach);
  const PointParams& taught = currentWebCam->Record<PointMethod>();
  EXPECT_TRUE(taught.stored);
  EXPECT_EQ(taught.clickX, 225);
  EXPECT_EQ(taught.clickY, 325);
  EXPECT_EQ(taught.pointX, 22);
  EXPECT_EQ(taught.pointY, 32);
  EXPECT_EQ(taught.colR, kRedR);
  EXPECT_EQ(taught.colG, kRedG);
  EXPECT_EQ(taught.colB, kRedB);
  EXPECT_EQ(teach->SelPointLbl->text().toStdString(), "X=22 Y=32");
  EXPECT_EQ(teach->TollLbl->text().toStdString(), "Tolleranza sul colore=94%");
  EXPECT_EQ(teach->QtPixLbl->text().toStdString(), "Quantità pixel per verifica=1");
  EXPECT_EQ(teach->SelColShape->Brush(), PointColour(taught));
  EXPECT_FALSE(teach->SelColShape->isHidden());
  EXPECT_EQ(teach->ClickLbl->text().toStdString(), "Andare nella pagina di test");
  EXPECT_TRUE(teach->AcqColBtn->isEnabled());
  EXPECT_TRUE(teach->TestBtn->isEnabled());
  EXPECT_TRUE(teach->ExitButton->isEnabled());
  EXPECT_TRUE(teach->WC_Panel->isVisible());
  EXPECT_TRUE(teach->appImage->isHidden());
  EXPECT_FALSE(teach->curImage->pixmap().isNull());
  // The reference picture went through the sample file.
  EXPECT_FALSE(ReadFileBytes(station.Path("Data/webcam_sample.bmp")).empty());

  RunTestWindow(*teach, WebCam_TestPoint, [&](TWebCam_TestPoint& test) {
    EXPECT_TRUE(test.TestActive);
    EXPECT_TRUE(test.ownsWebCam);
    EXPECT_EQ(PointTestWindow(), &test);
    EXPECT_EQ(test.TollBar->value(), 94);
    EXPECT_EQ(test.TollLbl->text().toStdString(), "Tolleranza: 94%");
    EXPECT_EQ(test.QtPixEdt->text().toStdString(), "1");
    EXPECT_TRUE(test.SoloPuntoSelRB->isChecked());
    EXPECT_EQ(test.ClickLbl->text().toStdString(),
              "I pixel del colore selezionato vengono ricercati solo nel punto selezionato");
    EXPECT_EQ(test.SelColShape->Brush(), PointColour(currentWebCam->Record<PointMethod>()));

    // The taught pixel holds the colour: the pass lamp lights up.
    ASSERT_NO_FATAL_FAILURE(WaitForPassLamps(test.lamps));
    EXPECT_TRUE(test.XYLbl->isVisible());
    EXPECT_EQ(test.XYLbl->text().toStdString(), "X=22 Y=32");
    EXPECT_TRUE(test.curImage->isVisible());
    int32_t outputs[4] = {-1, -1, -1, -1};
    EXPECT_TRUE(PointTestWindow()->RunTestOutputs(outputs));
    EXPECT_EQ(outputs[0], 22);
    EXPECT_EQ(outputs[1], 32);

    // Whole-image search: the square's bottom-left pixel is the first of equal matches.
    QTest::mouseClick(test.AllImgRB, Qt::LeftButton);
    EXPECT_TRUE(currentWebCam->Record<PointMethod>().searchWholeImage);
    EXPECT_EQ(test.ClickLbl->text().toStdString(),
              "I pixel del colore selezionato vengono ricercati in tutta l'immagine");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return test.XYLbl->text().toStdString() == "X=20 Y=30"; }, kWaitMs));

    // The square leaves the scene: the fail lamp, nothing to mark.
    ShowScene(false);
    ASSERT_NO_FATAL_FAILURE(WaitForFailLamps(test.lamps));
    EXPECT_FALSE(test.XYLbl->isVisible());
    EXPECT_FALSE(test.curImage->isVisible());
    int32_t x = -5, y = -5;
    EXPECT_FALSE(test.RunTest(x, y));
    EXPECT_EQ(x, -5);

    // The operator's changes go into the record.
    test.TollBar->setValue(80);
    EXPECT_EQ(test.TollLbl->text().toStdString(), "Tolleranza: 80%");
    EXPECT_EQ(currentWebCam->Record<PointMethod>().tolerance, 80);
    test.QtPixEdt->setText("abc");
    EXPECT_EQ(currentWebCam->Record<PointMethod>().checkPixels, 0);
    test.QtPixEdt->setText(" 3 ");
    EXPECT_EQ(currentWebCam->Record<PointMethod>().checkPixels, 3);

    test.ExitButton->click();
  });
  EXPECT_EQ(PointTestWindow(), nullptr);

  // The test window's close wrote the file, the teach window's new capture read it back.
  std::string file = ReadFileBytes(PointFile());
  ASSERT_EQ(file.size(), 56u + 48u * (4 + 3 * 64));
  EXPECT_EQ(file.substr(36, 8), Words({80, 3}));
  EXPECT_EQ(file.substr(file.size() - 4), Words({1}));
  ASSERT_TRUE(teach->webCamReady);
  ASSERT_TRUE(currentWebCam);
  EXPECT_EQ(currentWebCam->Record<PointMethod>().tolerance, 80);
  EXPECT_EQ(teach->TollLbl->text().toStdString(), "Tolleranza sul colore=80%");
  EXPECT_EQ(teach->QtPixLbl->text().toStdString(), "Quantità pixel per verifica=3");

  teach->ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_FALSE(teach->isVisible());
  delete teach;
  WebCamForm_GetPoint = nullptr;
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(PointWindows, AClickOnTheTopEdgeTeachesBlackFromOutsideTheFrame) {
  TWebCamForm_GetPoint teach(nullptr);
  teach.show();
  ASSERT_NO_FATAL_FAILURE(FreezeSnapshot(teach, teach.AcqColBtn));
  QTest::mousePress(teach.appImage, Qt::RightButton, {}, QPoint(225, 0));
  const PointParams& taught = currentWebCam->Record<PointMethod>();
  EXPECT_TRUE(taught.stored);
  EXPECT_EQ(taught.clickY, 480);
  EXPECT_EQ(taught.pointY, 48);
  EXPECT_EQ(PointColour(taught), 0u);
  EXPECT_EQ(teach.SelPointLbl->text().toStdString(), "X=22 Y=48");
  teach.ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
}

TEST_F(PointWindows, MarkersStandOnTheTaughtAndOnTheFoundPixel) {
  TWebCamForm_GetPoint teach(nullptr);
  teach.show();
  Teach(teach);
  // The reference, 64 x 48: the circle of radius 20 around (22, 32) from the bottom, that is row
  // 16 from the top. Its ring crosses row 36 below the centre; row 12, where the ring of a
  // circle drawn upside down would be, lies inside the circle.
  const QPixmap reference = teach.curImage->pixmap();
  ASSERT_EQ(reference.size(), QSize(64, 48));
  EXPECT_TRUE(IsMarkerRed(reference, 22, 36));
  EXPECT_FALSE(IsMarkerRed(reference, 22, 12));

  bool checked = false;
  WhenModalOpens(WebCam_TestPoint, [&](TWebCam_TestPoint& test) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
    // The live picture at the panel's 596 x 480: the found pixel (22, 32) is at
    // (596 * 22 / 64, 480 * (48 - 32) / 48) = (204, 160), the ring's lowest point at row 180-185.
    const QPixmap result = test.curImage->pixmap();
    ASSERT_EQ(result.size(), QSize(596, 480));
    EXPECT_TRUE(IsMarkerRed(result, 204, 183));
    EXPECT_FALSE(IsMarkerRed(result, 204, 340));  // a circle upside down, around row 320
    checked = true;
    test.ExitButton->click();
  });
  teach.TestBtn->click();
  EXPECT_TRUE(checked);
  teach.ExitButton->click();
}

TEST_F(PointWindows, ClosingWithoutTeachingWritesTheDefaults) {
  // Header, not stored, colour 0 0 0, click 0 0, point 0 0, tolerance 94, N 1, taught point only.
  ExpectClosingUntaughtWrites<TWebCamForm_GetPoint>(PointFile(),
                                                    Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 94, 1, 0}));
}

TEST_F(PointWindows, AutoStartGoesStraightToTheRunningTest) {
  // A point taught earlier: the red square's pixel.
  WriteFileBytes(PointFile(), Words({0, 0, kRedR, kRedG, kRedB, 0, 0, 22, 32, 94, 1, 0}));

  bool reachedTest = false;
  WhenModalOpens(WebCam_TestPoint, [&](TWebCam_TestPoint& test) {
    EXPECT_TRUE(test.TestActive);
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
    int32_t outputs[4] = {};
    EXPECT_TRUE(test.RunTestOutputs(outputs));
    EXPECT_EQ(outputs[0], 22);
    EXPECT_EQ(outputs[1], 32);
    reachedTest = true;
    test.ExitButton->click();
  });
  // Opened by the auto-start.
  auto* teach = new TWebCamForm_GetPoint(nullptr, true);
  WebCamForm_GetPoint = teach;
  teach->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return reachedTest; }, kWaitMs));
  // Back in the teach window with a capture of its own.
  ASSERT_TRUE(QTest::qWaitFor([&] { return teach->webCamReady; }, kWaitMs));
  teach->ExitButton->click();
  delete teach;
  WebCamForm_GetPoint = nullptr;
  EXPECT_EQ(currentWebCam, nullptr);
}

TEST_F(PointWindows, NoAutoStartWithoutTheAutoOpeningFlag) {
  auto* teach = new TWebCamForm_GetPoint(nullptr, false);
  teach->show();
  ASSERT_TRUE(teach->webCamReady);
  // Past the 200 ms tick the window still teaches.
  QTest::qWait(600);
  EXPECT_FALSE(teach->AvvioProgTimer->isActive());
  EXPECT_EQ(WebCam_TestPoint, nullptr);
  teach->ExitButton->click();
  delete teach;
}

TEST_F(PointWindows, ACaptureAlreadyRunningIsRefused) {
  QWidget holder;
  holder.resize(64, 48);
  currentWebCam = new WebCam(&holder, 0, 0, 64, 48, 50, true);
  ASSERT_FALSE(currentWebCam->Failed());
  WebCam* other = currentWebCam;
  other->Record<PointMethod>().tolerance = 50;
  std::string before = ReadFileBytes(PointFile());

  {
    TWebCamForm_GetPoint teach(nullptr);
    teach.show();
    EXPECT_FALSE(teach.webCamReady);
    teach.TestBtn->click();  // does nothing without a capture of its own
    EXPECT_EQ(WebCam_TestPoint, nullptr);
    teach.ExitButton->click();
  }
  {
    TWebCam_TestPoint test(nullptr);
    test.show();
    EXPECT_FALSE(test.TestActive);
    EXPECT_FALSE(test.ownsWebCam);
    test.TollBar->setValue(20);
    test.ExitButton->click();
  }
  ASSERT_EQ(boxes.Count(), 2u);
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.text, "WebCam already used");
    EXPECT_EQ(box.caption, "ERROR");
    EXPECT_EQ(box.flags, kMbOk);
  }
  // The other window's capture and record are untouched.
  EXPECT_EQ(currentWebCam, other);
  EXPECT_EQ(other->Record<PointMethod>().tolerance, 50);
  EXPECT_EQ(ReadFileBytes(PointFile()), before);
  currentWebCam = nullptr;
  delete other;
}

TEST_F(PointWindows, NoCameraShowsTheConnectionMessage) {
  setenv("LUMIVEX_CAMERA", "none", 1);
  TWebCamForm_GetPoint teach(nullptr);
  teach.show();
  EXPECT_FALSE(teach.webCamReady);
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_FALSE(teach.AcqColBtn->isEnabled());
  EXPECT_FALSE(teach.TestBtn->isEnabled());
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            "Errore nella connessione con la webcam.\nVerificare che la webcam sia "
            "correttamente collegata.");
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbInformation);
  teach.ExitButton->click();
  // A capture that never connected reads and writes no file.
  EXPECT_EQ(ReadFileBytes(PointFile()), "");
  EXPECT_EQ(station.ErrorLogText(), "");
}

TEST_F(PointWindows, ControlsCarryTheirNamesPlacesAndTexts) {
  TWebCamForm_GetPoint teach(nullptr);
  TWebCam_TestPoint test(nullptr);
  const ControlCase cases[] = {
      {&teach,
       "ClickLbl",
       {16, 12, 640, 17},
       "Acquisire colore di riferimento e poi andare nella pagina di test"},
      {&teach, "WC_Panel", {16, 58, 640, 480}, nullptr},
      {&teach, "AcqColBtn", {680, 58, 203, 57}, "  Acquisisci colore"},
      {&teach, "TestBtn", {680, 121, 203, 57}, "    Test"},
      {&teach, "ExitButton", {680, 480, 201, 58}, " Esci"},
      {&teach, "GroupBox1", {673, 211, 216, 250}, nullptr},
      {&teach, "SelColShape", {10, 21, 111, 22}, nullptr},
      {&teach, "SelPointLbl", {127, 31, 0, 0}, "X=0 Y=0"},
      {&teach, "curImage", {6, 90, 204, 153}, nullptr},
      {&test, "WC_Panel", {8, 8, 596, 480}, nullptr},
      {&test,
       "ClickLbl",
       {8, 488, 596, 19},
       "I pixel del colore selezionato vengono ricercati in tutta l'immagine"},
      {&test, "SpiaOkBack", {174, 509, 120, 120}, nullptr},
      {&test, "SpiaOk", {178, 513, 112, 112}, nullptr},
      {&test, "LabelOk", {220, 555, 0, 0}, "OK"},
      {&test, "SpiaNokBack", {308, 509, 120, 120}, nullptr},
      {&test, "SpiaNok", {312, 513, 112, 112}, nullptr},
      {&test, "LabelNok", {347, 555, 0, 0}, "NOK"},
      {&test, "TollBar", {12, 74, 303, 17}, nullptr},
      {&test, "QtPixEdt", {128, 109, 53, 21}, nullptr},
      {&test, "AllImgRB", {12, 142, 0, 0}, "Cerca in tutta l'immagine"},
      {&test, "SoloPuntoSelRB", {12, 158, 0, 0}, "Cerca solo nel punto selezionato"},
      {&test, "XYLbl", {11, 24, 0, 0}, "X= Y="},
      {&test, "curImage", {6, 43, 323, 244}, nullptr},
      {&test, "ExitButton", {720, 571, 167, 58}, "Esci"},
  };
  ExpectControls(cases);
  EXPECT_EQ(teach.windowTitle().toStdString(), "WEBCAM - RICONOSCIMENTO PER PUNTO");
  EXPECT_EQ(teach.size(), QSize(902, 548));
  EXPECT_EQ(test.windowTitle().toStdString(), "WEBCAM - TEST RICONOSCIMENTO PUNTO");
  EXPECT_EQ(test.size(), QSize(944, 648));
  EXPECT_EQ(test.TollBar->minimum(), 0);
  EXPECT_EQ(test.TollBar->maximum(), 100);
  EXPECT_EQ(test.TollBar->pageStep(), 10);
  EXPECT_EQ(teach.AvvioProgTimer->interval(), 200);
  EXPECT_FALSE(teach.AvvioProgTimer->isActive());
  EXPECT_EQ(test.lamps.LabelOk->font().family().toStdString(), "Comic Sans MS");
  EXPECT_EQ(test.lamps.LabelOk->font().pixelSize(), 19);
  EXPECT_TRUE(test.lamps.LabelOk->font().bold());
}

}  // namespace
