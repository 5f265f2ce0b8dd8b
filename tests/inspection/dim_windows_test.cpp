#include <QColor>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <string>

#include <gtest/gtest.h>

#include "bitmap/mybitmap.h"
#include "capture/webcam.h"
#include "inspection/methodwindows.h"
#include "inspection/webcamgetdim.h"
#include "inspection/webcamtestdim.h"
#include "methods/webcam_sistemavisione_dim.h"
#include "support/control_layout.h"
#include "support/message_box_recorder.h"
#include "support/modal_script.h"
#include "support/scene_camera.h"
#include "support/temp_station.h"
#include "window_steps.h"

namespace {

// The scene the simulated camera films: 640 x 480, blue background, an orange rectangle from
// column 100 to 199 and row 50 to 129 counted from the bottom row. It measures 99 x 79 pixels
// between its outermost pixels, centre (149, 89): 46 x 32 mm of the initial 300 x 200 mm.
constexpr int32_t kSceneWidth = 640, kSceneHeight = 480;
constexpr uint32_t kBackground = 0xA03010;  // 0x00BBGGRR
constexpr uint8_t kObjectR = 240, kObjectG = 128, kObjectB = 32;

// IEEE 754 single-precision words.
constexpr int32_t k300 = 0x43960000;     // 300.0
constexpr int32_t k200 = 0x43480000;     // 200.0
constexpr int32_t k320_5 = 0x43A04000;   // 320.5
constexpr int32_t k123_46 = 0x42F6EB85;  // 123.46

TestWindowRef* DimTestWindow() {
  return FindMethodWindows(DimMethod::kNumber)->testWindow();
}

// The pixel (x, y) of a picture, counted from the top, is the markers' red.
bool IsMarkerRed(const QPixmap& picture, int x, int y) {
  const QColor colour = picture.toImage().pixelColor(x, y);
  return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
}

std::string Text(const QLabel* label) {
  return label->text().toStdString();
}

class DimWindows : public MethodWindowsTest {
 protected:
  void SetUp() override {
    dimHistory.count = 0;
    ShowScene(true);
  }

  void TearDown() override { dimHistory.count = 0; }

  // Shows the scene with or without the object.
  void ShowScene(bool withObject) {
    MyBitmap scene(kSceneWidth, kSceneHeight);
    scene.FillRect(kBackground, 0, 0, kSceneWidth, kSceneHeight);
    if (withObject)
      scene.FillRect(kObjectR | (kObjectG << 8) | (kObjectB << 16), 100, 50, 200, 130);
    camera.Show(scene);
  }

  std::string DimFile() const { return station.Path("Data/webcam_dim.dat"); }

  // Freezes a snapshot; the picture waits for the click. The test can be opened meanwhile only
  // with a colour taught before.
  void Freeze(TWebCamForm_GetDim& teach, bool testOpen) {
    ASSERT_NO_FATAL_FAILURE(FreezeSnapshot(teach, teach.AcqColBtn));
    EXPECT_EQ(Text(teach.ClickLbl),
              "Clickare sull'immagine per acquisire il colore dell'oggetto di cui ricavare le "
              "dimensioni");
    EXPECT_FALSE(teach.AcqColBtn->isEnabled());
    EXPECT_FALSE(teach.ExitButton->isEnabled());
    EXPECT_EQ(teach.TestBtn->isEnabled(), testOpen);
    EXPECT_FALSE(teach.WC_Panel->isVisible());
  }

  // Teaches the object's colour with a click on its pixel (150, 90): the still image is 640 x 480
  // over a 640 x 480 frame, so x = mx and y = 480 - my.
  void Teach(TWebCamForm_GetDim& teach, bool taughtBefore = false) {
    Freeze(teach, taughtBefore);
    QTest::mousePress(teach.appImage, Qt::LeftButton, {}, QPoint(150, 390));
  }
};

TEST_F(DimWindows, TeachThenMeasureThenBackWithTheChangedValues) {
  auto* teach = new TWebCamForm_GetDim(nullptr);
  WebCamForm_GetDim = teach;
  teach->show();
  ASSERT_TRUE(teach->webCamReady);
  ASSERT_TRUE(currentWebCam);
  EXPECT_NE(station.ErrorLogText().find(
                "WCD03: errore nella lettura dei dati del punto della webcam.\r\n"),
            std::string::npos);
  // Nothing taught yet: the six parameter controls hidden, no test.
  EXPECT_FALSE(teach->TestBtn->isEnabled());
  for (QWidget* control : std::initializer_list<QWidget*>{
           teach->SelColShape, teach->SelPointLbl, teach->TollLbl, teach->QtPixLbl,
           teach->DimFrameLbl, teach->FrameDaMediareLbl}) {
    SCOPED_TRACE(control->objectName().toStdString());
    EXPECT_TRUE(control->isHidden());
  }
  EXPECT_EQ(teach->appImage->geometry(), teach->WC_Panel->geometry());
  // A click on the hidden still image does nothing.
  teach->appImageMouseDown(150, 390);
  EXPECT_FALSE(currentWebCam->Record<DimMethod>().stored);

  Teach(*teach);
  const DimParams& taught = currentWebCam->Record<DimMethod>();
  EXPECT_TRUE(taught.stored);
  EXPECT_EQ(taught.clickX, 150);
  EXPECT_EQ(taught.clickY, 90);
  EXPECT_EQ(taught.pointX, 150);
  EXPECT_EQ(taught.pointY, 90);
  EXPECT_EQ(DimColour(taught), kObjectR | (kObjectG << 8) | (kObjectB << 16));
  EXPECT_EQ(teach->SelColShape->Brush(), DimColour(taught));
  EXPECT_EQ(Text(teach->SelPointLbl), "X=150 Y=90");
  EXPECT_EQ(Text(teach->TollLbl), "Tolleranza sul colore=90%");
  EXPECT_EQ(Text(teach->QtPixLbl), "Quantità pixel per verifica=1");
  EXPECT_EQ(Text(teach->DimFrameLbl), "Dimensioni frame: 300.00 x 200.00 mm");
  EXPECT_EQ(Text(teach->FrameDaMediareLbl), "Frame da mediare: 1");
  EXPECT_FALSE(teach->DimFrameLbl->isHidden());
  EXPECT_FALSE(teach->FrameDaMediareLbl->isHidden());
  EXPECT_EQ(Text(teach->ClickLbl), "Andare nella pagina di test");
  EXPECT_TRUE(teach->AcqColBtn->isEnabled());
  EXPECT_TRUE(teach->TestBtn->isEnabled());
  EXPECT_TRUE(teach->ExitButton->isEnabled());
  EXPECT_TRUE(teach->WC_Panel->isVisible());
  EXPECT_TRUE(teach->appImage->isHidden());
  EXPECT_FALSE(teach->curImage->pixmap().isNull());

  RunTestWindow(*teach, WebCam_TestDim, [&](TWebCam_TestDim& test) {
    EXPECT_TRUE(test.TestActive);
    EXPECT_TRUE(test.ownsWebCam);
    EXPECT_EQ(DimTestWindow(), &test);
    EXPECT_EQ(test.TollBar->value(), 90);
    EXPECT_EQ(Text(test.TollLbl), "Tolleranza: 90%");
    EXPECT_EQ(test.QtPixEdt->text().toStdString(), "1");
    EXPECT_EQ(test.Edit1->text().toStdString(), "300.0");
    EXPECT_EQ(test.Edit2->text().toStdString(), "200.0");
    EXPECT_EQ(test.Edit3->text().toStdString(), "1");
    EXPECT_EQ(test.SelColShape->Brush(), DimColour(currentWebCam->Record<DimMethod>()));

    // The object is measured on the live frames.
    ASSERT_NO_FATAL_FAILURE(WaitForPassLamps(test.lamps));
    EXPECT_TRUE(test.XYLbl->isVisible());
    EXPECT_EQ(Text(test.XYLbl), "X=149 Y=89");
    EXPECT_TRUE(test.DxDyLbl->isVisible());
    EXPECT_EQ(Text(test.DxDyLbl), "Dimensioni oggetto: 46 x 32 mm");
    EXPECT_TRUE(test.curImage->isVisible());
    int32_t outputs[4] = {-1, -1, -1, -1};
    EXPECT_TRUE(DimTestWindow()->RunTestOutputs(outputs));
    EXPECT_EQ(outputs[0], 149);
    EXPECT_EQ(outputs[1], 89);
    EXPECT_EQ(outputs[2], 46);
    EXPECT_EQ(outputs[3], 32);
    EXPECT_EQ(dimHistory.count, 0);

    // Averaging on: the live display fills the history up to the number of frames.
    test.Edit3->setText("4");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dimHistory.count == 4; }, kWaitMs));
    EXPECT_TRUE(test.RunTest(outputs[0], outputs[1], outputs[2], outputs[3]));
    EXPECT_EQ(outputs[0], 149);
    EXPECT_EQ(outputs[2], 46);
    EXPECT_EQ(dimHistory.count, 4);

    // The object leaves the scene: the fail lamp, nothing to show, the history emptied.
    ShowScene(false);
    ASSERT_NO_FATAL_FAILURE(WaitForFailLamps(test.lamps));
    EXPECT_FALSE(test.XYLbl->isVisible());
    EXPECT_FALSE(test.DxDyLbl->isVisible());
    EXPECT_FALSE(test.curImage->isVisible());
    EXPECT_EQ(dimHistory.count, 0);
    int32_t untouched[4] = {-5, -5, -5, -5};
    EXPECT_FALSE(test.RunTestOutputs(untouched));
    EXPECT_EQ(untouched[0], -5);
    EXPECT_EQ(untouched[2], -5);

    // The operator's changes go into the record.
    test.TollBar->setValue(80);
    EXPECT_EQ(Text(test.TollLbl), "Tolleranza: 80%");
    EXPECT_EQ(currentWebCam->Record<DimMethod>().tolerance, 80);
    test.QtPixEdt->setText("abc");
    EXPECT_EQ(currentWebCam->Record<DimMethod>().checkPixels, 0);
    test.QtPixEdt->setText(" 2 ");
    EXPECT_EQ(currentWebCam->Record<DimMethod>().checkPixels, 2);
    test.Edit1->setText("320,5");
    test.Edit2->setText(" 150.25");
    test.Edit3->setText("7");
    test.ExitButton->click();
  });
  EXPECT_EQ(DimTestWindow(), nullptr);

  // The test window's close wrote the file, the teach window's new capture read it back.
  const std::string file = ReadFileBytes(DimFile());
  ASSERT_EQ(file.size(), 64u + 480u * (4 + 3 * 640));
  EXPECT_EQ(file.substr(36, 20), Words({80, 2, k320_5, 0x43164000, 7}));  // 150.25
  ASSERT_TRUE(teach->webCamReady);
  EXPECT_EQ(Text(teach->TollLbl), "Tolleranza sul colore=80%");
  EXPECT_EQ(Text(teach->QtPixLbl), "Quantità pixel per verifica=2");
  EXPECT_EQ(Text(teach->DimFrameLbl), "Dimensioni frame: 320.50 x 150.25 mm");
  EXPECT_EQ(Text(teach->FrameDaMediareLbl), "Frame da mediare: 7");

  teach->ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
  EXPECT_FALSE(teach->isVisible());
  delete teach;
  WebCamForm_GetDim = nullptr;
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(DimWindows, TheEditsTakeNumbersOnlyAndNeverShowABox) {
  // The record's sizes and frame count after each text typed, one edit after the other.
  struct Case {
    const char* edit;
    const char* text;
    float widthMm, heightMm;
    int32_t framesToAverage;
    const char* logged;  // the conversion's error line, when it writes one
  } cases[] = {
      {"Edit1", "320.5", 320.5f, 200, 1, nullptr},
      {"Edit1", "abc", 320.5f, 200, 1, "MTC001: errore nella conversione numerica."},
      {"Edit1", "321,5", 321.5f, 200, 1, nullptr},
      {"Edit1", "", 321.5f, 200, 1, nullptr},
      {"Edit1", " 1 2 ", 12, 200, 1, nullptr},
      {"Edit2", "0,1", 12, 0.1f, 1, nullptr},
      {"Edit2", "1.000,5", 12, 0.1f, 1, "MTC001: errore nella conversione numerica."},
      {"Edit3", "5", 12, 0.1f, 5, nullptr},
      {"Edit3", "2.5", 12, 0.1f, 5, "MTC003: errore nella conversione numerica."},
      {"Edit3", "", 12, 0.1f, 5, nullptr},
      {"Edit3", "999", 12, 0.1f, 999, nullptr},
      {"Edit3", "1000", 12, 0.1f, 999, nullptr},
      {"Edit3", "2147483647", 12, 0.1f, 999, nullptr},
      {"Edit3", "-3", 12, 0.1f, -3, nullptr},
  };
  TWebCam_TestDim test(nullptr);
  test.show();
  ASSERT_TRUE(test.TestActive);
  const DimParams& dim = currentWebCam->Record<DimMethod>();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.edit) + " '" + c.text + "'");
    const std::string before = station.ErrorLogText();
    test.findChild<QLineEdit*>(c.edit)->setText(QString::fromUtf8(c.text));
    EXPECT_EQ(dim.frameWidthMm, c.widthMm);
    EXPECT_EQ(dim.frameHeightMm, c.heightMm);
    EXPECT_EQ(dim.framesToAverage, c.framesToAverage);
    const std::string added = station.ErrorLogText().substr(before.size());
    if (c.logged)
      EXPECT_EQ(added.rfind(c.logged, 0), 0u) << added;
    else
      EXPECT_EQ(added, "");
  }
  test.ExitButton->click();
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(DimWindows, TheOutlineStandsOnTheMeasuredBox) {
  TWebCam_TestDim test(nullptr);
  WriteFileBytes(DimFile(),
                 Words({0, 0, kObjectR, kObjectG, kObjectB, 0, 0, 150, 90, 90, 1, k300, k200, 1}));
  test.show();
  ASSERT_TRUE(test.TestActive);
  ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
  // The live picture at the panel's 596 x 480: centre (596 * 149 / 640, 480 * (480 - 89) / 480) =
  // (138, 391), box 596 * 99 / 640 = 92 by 79: left 92, right 184, upper 352, lower 430.
  const QPixmap result = test.curImage->pixmap();
  ASSERT_EQ(result.size(), QSize(596, 480));
  EXPECT_TRUE(IsMarkerRed(result, 184, 391));   // right side
  EXPECT_TRUE(IsMarkerRed(result, 92, 391));    // left side
  EXPECT_TRUE(IsMarkerRed(result, 138, 352));   // upper side
  EXPECT_TRUE(IsMarkerRed(result, 138, 430));   // lower side
  EXPECT_FALSE(IsMarkerRed(result, 138, 391));  // inside: the object itself
  EXPECT_FALSE(IsMarkerRed(result, 184, 89));   // where a box drawn upside down would be
  test.ExitButton->click();
}

TEST_F(DimWindows, ASecondSnapshotKeepsTheTestOpenWithThePreviousColour) {
  TWebCamForm_GetDim teach(nullptr);
  teach.show();
  Teach(teach);
  ASSERT_TRUE(teach.TestBtn->isEnabled());
  Freeze(teach, true);
  // A click in the middle of the still image of a 640 x 480 frame.
  QTest::mousePress(teach.appImage, Qt::LeftButton, {}, QPoint(320, 240));
  EXPECT_EQ(Text(teach.SelPointLbl), "X=320 Y=240");
  EXPECT_EQ(teach.SelColShape->Brush(), kBackground);
  teach.ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
}

TEST_F(DimWindows, BackFromATestOpenedDuringThePickTheColourStaysAndTheWindowIsLive) {
  TWebCamForm_GetDim teach(nullptr);
  teach.show();
  Teach(teach);
  const uint32_t taught = DimColour(currentWebCam->Record<DimMethod>());
  Freeze(teach, true);
  bool measured = false;
  WhenModalOpens(WebCam_TestDim, [&](TWebCam_TestDim& test) {
    measured = QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs);
    test.ExitButton->click();
  });
  teach.TestBtn->click();
  EXPECT_TRUE(measured);
  ASSERT_TRUE(teach.webCamReady);
  EXPECT_TRUE(teach.appImage->isHidden());
  EXPECT_TRUE(teach.WC_Panel->isVisible());
  EXPECT_EQ(Text(teach.ClickLbl), "Andare nella pagina di test");
  EXPECT_TRUE(teach.AcqColBtn->isEnabled());
  EXPECT_TRUE(teach.TestBtn->isEnabled());
  EXPECT_TRUE(teach.ExitButton->isEnabled());
  EXPECT_EQ(DimColour(currentWebCam->Record<DimMethod>()), taught);
  EXPECT_EQ(teach.SelColShape->Brush(), taught);
  teach.ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
}

TEST_F(DimWindows, ClosingWithoutTeachingWritesTheDefaults) {
  ExpectClosingUntaughtWrites<TWebCamForm_GetDim>(
      DimFile(), Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 90, 1, k300, k200, 1}));
}

TEST_F(DimWindows, AutoStartGoesStraightToTheRunningTestWithTheStoredValues) {
  // Taught earlier: the object's colour, tolerance 75, N 2, 123.46 x 200 mm, 3 frames averaged.
  WriteFileBytes(DimFile(), Words({0, 0, kObjectR, kObjectG, kObjectB, 0, 0, 150, 90, 75, 2,
                                   k123_46, k200, 3}));
  bool reachedTest = false;
  WhenModalOpens(WebCam_TestDim, [&](TWebCam_TestDim& test) {
    EXPECT_TRUE(test.TestActive);
    EXPECT_EQ(Text(test.TollLbl), "Tolleranza: 75%");
    EXPECT_EQ(test.QtPixEdt->text().toStdString(), "2");
    EXPECT_EQ(test.Edit3->text().toStdString(), "3");
    // Shown with one decimal, read back as shown.
    EXPECT_EQ(test.Edit1->text().toStdString(), "123.5");
    EXPECT_EQ(currentWebCam->Record<DimMethod>().frameWidthMm, 123.5f);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dimHistory.count == 3; }, kWaitMs));
    int32_t outputs[4] = {};
    EXPECT_TRUE(test.RunTestOutputs(outputs));
    // 99 x 123.5 / 640 = 19.1; with N 2 the seed is (101, 51), the sizes are the object's.
    EXPECT_EQ(outputs[0], 149);
    EXPECT_EQ(outputs[1], 89);
    EXPECT_EQ(outputs[2], 19);
    EXPECT_EQ(outputs[3], 32);
    reachedTest = true;
    test.ExitButton->click();
  });
  auto* teach = new TWebCamForm_GetDim(nullptr, true);
  WebCamForm_GetDim = teach;
  teach->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return reachedTest; }, kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return teach->webCamReady; }, kWaitMs));
  // The history outlives the windows.
  EXPECT_GT(dimHistory.count, 0);
  teach->ExitButton->click();
  delete teach;
  WebCamForm_GetDim = nullptr;
  EXPECT_EQ(currentWebCam, nullptr);
}

TEST_F(DimWindows, ControlsCarryTheirNamesPlacesAndTexts) {
  TWebCamForm_GetDim teach(nullptr);
  TWebCam_TestDim test(nullptr);
  const ControlCase cases[] = {
      {&teach,
       "ClickLbl",
       {18, 8, 640, 17},
       "Acquisire un punto con il colore dell'oggetto e poi andare nella pagina di test"},
      {&teach,
       "Label1",
       {18, 31, 640, 17},
       "Per ottenere risultati migliori si consiglia di contrastare il colore di sfondo rispetto "
       "al colore dell'oggetto scelto"},
      {&teach, "WC_Panel", {18, 56, 640, 480}, nullptr},
      {&teach, "AcqColBtn", {680, 56, 203, 57}, "  Acquisisci colore"},
      {&teach, "TestBtn", {680, 119, 203, 57}, "    Test"},
      {&teach, "ExitButton", {680, 478, 203, 58}, " OK"},
      {&teach, "GroupBox1", {673, 187, 216, 285}, nullptr},
      {&teach, "SelColShape", {10, 21, 111, 22}, nullptr},
      {&teach, "SelPointLbl", {127, 31, 0, 0}, "X=0 Y=0"},
      {&teach, "TollLbl", {10, 49, 0, 0}, "Tolleranza sul colore:"},
      {&teach, "QtPixLbl", {10, 66, 0, 0}, "Qt pixel"},
      {&teach, "DimFrameLbl", {10, 83, 0, 0}, "Dimesione frame"},
      {&teach, "FrameDaMediareLbl", {10, 100, 0, 0}, "Frame da mediare"},
      {&teach, "curImage", {6, 125, 204, 153}, nullptr},
      {&test, "WC_Panel", {5, 5, 596, 480}, nullptr},
      {&test,
       "ClickLbl",
       {5, 488, 596, 19},
       "Viene ricercato un oggetto di forma rettangolare o circolare di colore uniforme"},
      {&test, "SpiaOkBack", {175, 517, 120, 120}, nullptr},
      {&test, "SpiaOk", {179, 521, 112, 112}, nullptr},
      {&test, "LabelOk", {221, 563, 0, 0}, "OK"},
      {&test, "SpiaNokBack", {301, 517, 120, 120}, nullptr},
      {&test, "SpiaNok", {305, 521, 112, 112}, nullptr},
      {&test, "LabelNok", {340, 563, 0, 0}, "NOK"},
      {&test, "GroupBox1", {604, 5, 337, 223}, nullptr},
      {&test, "ColLbl", {8, 25, 0, 0}, "Colore:"},
      {&test, "SelColShape", {60, 22, 271, 16}, nullptr},
      {&test, "TollLbl", {8, 53, 0, 0}, "Tolleranza sul colore:"},
      {&test, "TollBar", {8, 72, 321, 17}, nullptr},
      {&test, "QtPixEdt", {118, 101, 53, 21}, nullptr},
      {&test, "Label1", {8, 138, 0, 0}, "Dimensioni fisiche immagine:"},
      {&test, "Edit1", {8, 154, 53, 21}, "0.00"},
      {&test, "Label2", {66, 158, 0, 0}, "X"},
      {&test, "Edit2", {79, 154, 53, 21}, "0.00"},
      {&test, "Label3", {138, 158, 0, 0}, "mm"},
      {&test, "Label4", {8, 195, 0, 0}, "Frame da mediare:"},
      {&test, "Edit3", {125, 189, 46, 21}, "1"},
      {&test, "GroupBox2", {604, 232, 337, 256}, nullptr},
      {&test, "XYLbl", {11, 24, 0, 0}, "X= Y="},
      {&test, "DxDyLbl", {11, 43, 0, 0}, "Dimensioni oggetto:"},
      {&test, "curImage", {3, 62, 331, 188}, nullptr},
      {&test, "ExitButton", {674, 575, 167, 58}, "Esci"},
  };
  ExpectControls(cases);
  // The edit's caption stands on its left.
  EXPECT_EQ(Text(test.QtPixEdtLabel), "Qt. pixel conscutivi: ");
  EXPECT_LT(test.QtPixEdtLabel->x(), test.QtPixEdt->x());
  EXPECT_EQ(test.GroupBox1->childAt(test.QtPixEdt->pos() + QPoint(2, 10)), test.QtPixEdt);
  EXPECT_EQ(test.QtPixEdtLabel->buddy(), test.QtPixEdt);
  EXPECT_EQ(teach.windowTitle().toStdString(), "WEBCAM - RICONOSCIMENTO DIMENSIONI OGGETTO");
  EXPECT_EQ(teach.size(), QSize(902, 548));
  EXPECT_EQ(test.windowTitle().toStdString(), "WEBCAM - TEST RICONOSCIMENTO DIMENSIONI OGGETTO");
  EXPECT_EQ(test.size(), QSize(944, 648));
  EXPECT_EQ(test.TollBar->minimum(), 0);
  EXPECT_EQ(test.TollBar->maximum(), 100);
  EXPECT_EQ(test.TollBar->pageStep(), 10);
  EXPECT_EQ(teach.AvvioProgTimer->interval(), 200);
  EXPECT_FALSE(teach.AvvioProgTimer->isActive());
  EXPECT_TRUE(test.font().bold());
  EXPECT_EQ(test.lamps.LabelOk->font().family().toStdString(), "Comic Sans MS");
  EXPECT_EQ(test.lamps.LabelOk->font().pixelSize(), 19);
  EXPECT_TRUE(test.lamps.LabelOk->font().bold());
}

TEST_F(DimWindows, TheMethodRowOpensTheseWindows) {
  const MethodWindows* row = FindMethodWindows(6);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->outputs, 4);
  EXPECT_EQ(row->testWindow(), nullptr);
  {
    HiddenWindow hiddenTeach = row->createHiddenTeach();
    HiddenWindow hiddenTest = row->createHiddenTest();
    ASSERT_NE(WebCamForm_GetDim, nullptr);
    ASSERT_NE(WebCam_TestDim, nullptr);
    EXPECT_TRUE(WebCam_TestDim->isHidden());
    EXPECT_FALSE(WebCam_TestDim->TestActive);
    EXPECT_EQ(row->testWindow(), WebCam_TestDim);
  }
  EXPECT_EQ(WebCamForm_GetDim, nullptr);
  EXPECT_EQ(WebCam_TestDim, nullptr);
}

}  // namespace
