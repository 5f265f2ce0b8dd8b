#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <string>

#include <gtest/gtest.h>

#include "bitmap/mybitmap.h"
#include "capture/webcam.h"
#include "inspection/methodwindows.h"
#include "inspection/webcamgetimage.h"
#include "inspection/webcamtestimage.h"
#include "methods/webcam_sistemavisione_image.h"
#include "support/control_layout.h"
#include "support/message_box_recorder.h"
#include "support/modal_script.h"
#include "support/scene_camera.h"
#include "support/temp_station.h"
#include "window_steps.h"

namespace {

// The scene the simulated camera films: 64 x 48 of one colour with a red 5 x 5 square.
constexpr int32_t kSceneWidth = 64, kSceneHeight = 48;
constexpr uint32_t kBlue = 0xA03010, kGreen = 0x10A030;  // 0x00BBGGRR

TestWindowRef* ImageTestWindow() {
  return FindMethodWindows(ImageMethod::kNumber)->testWindow();
}

class ImageWindows : public MethodWindowsTest {
 protected:
  void SetUp() override { ShowScene(kBlue); }

  // Shows the scene on the given background.
  void ShowScene(uint32_t background) {
    MyBitmap scene(kSceneWidth, kSceneHeight);
    scene.FillRect(background, 0, 0, kSceneWidth, kSceneHeight);
    scene.FillRect(0x1E14DC, 20, 30, 25, 35);
    camera.Show(scene);
  }

  std::string ImageFile() const { return station.Path("Data/webcam_image.dat"); }
};

TEST_F(ImageWindows, ASnapshotTeachesAndTheTestLampFollowsTheScene) {
  auto* teach = new TWebCamForm_GetImage(nullptr);
  WebCamForm_GetImage = teach;
  teach->show();
  ASSERT_TRUE(teach->webCamReady);
  // Nothing taught yet: no tolerance, no test; no still image to pick on.
  EXPECT_FALSE(teach->TestBtn->isEnabled());
  EXPECT_TRUE(teach->TollLbl->isHidden());
  EXPECT_EQ(teach->appImage, nullptr);
  EXPECT_EQ(teach->findChild<QWidget*>("appImage"), nullptr);

  teach->AcqImgBtn->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return teach->TestBtn->isEnabled(); }, kWaitMs));
  EXPECT_TRUE(currentWebCam->Record<ImageMethod>().stored);
  EXPECT_FALSE(teach->TollLbl->isHidden());
  EXPECT_EQ(teach->TollLbl->text().toStdString(), "Tolleranza=94%");
  EXPECT_EQ(teach->ClickLbl->text().toStdString(), "Andare nella pagina di test");
  EXPECT_EQ(teach->curImage->pixmap().size(), QSize(kSceneWidth, kSceneHeight));
  // The live picture stays and every button stays usable: no pick follows.
  EXPECT_TRUE(teach->WC_Panel->isVisible());
  EXPECT_TRUE(teach->AcqImgBtn->isEnabled());
  EXPECT_TRUE(teach->ExitButton->isEnabled());

  RunTestWindow(*teach, WebCam_TestImage, [&](TWebCam_TestImage& test) {
    EXPECT_TRUE(test.TestActive);
    EXPECT_EQ(ImageTestWindow(), &test);
    EXPECT_EQ(test.TollBar->value(), 94);
    EXPECT_EQ(test.TollLbl->text().toStdString(), "Tolleranza: 94%");

    ASSERT_NO_FATAL_FAILURE(WaitForPassLamps(test.lamps));
    int32_t outputs[4] = {-1, -1, -1, -1};
    EXPECT_TRUE(ImageTestWindow()->RunTestOutputs(outputs));
    EXPECT_EQ(outputs[0], -1);  // no outputs

    // Another background: the fail lamp.
    ShowScene(kGreen);
    ASSERT_NO_FATAL_FAILURE(WaitForFailLamps(test.lamps));
    EXPECT_FALSE(test.RunTest());

    // At tolerance 0 every frame passes.
    test.TollBar->setValue(0);
    EXPECT_EQ(currentWebCam->Record<ImageMethod>().tolerance, 0);
    EXPECT_EQ(test.TollLbl->text().toStdString(), "Tolleranza: 0%");
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
    EXPECT_TRUE(test.RunTest());
    test.TollBar->setValue(70);
    test.ExitButton->click();
  });
  EXPECT_EQ(ImageTestWindow(), nullptr);

  // The test window's close wrote the file: the reference and the tolerance.
  const std::string file = ReadFileBytes(ImageFile());
  ASSERT_EQ(file.size(), 20u + 48u * (4 + 3 * 64));
  EXPECT_EQ(file.substr(0, 24), Words({0, 1, 70, 48, 64, 192}));
  EXPECT_EQ(file.substr(24, 3), "\x10\x30\xA0");  // the blue background, red byte first
  ASSERT_TRUE(teach->webCamReady);
  EXPECT_EQ(teach->TollLbl->text().toStdString(), "Tolleranza=70%");

  teach->ExitButton->click();
  EXPECT_EQ(currentWebCam, nullptr);
  delete teach;
  WebCamForm_GetImage = nullptr;
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ImageWindows, ATaughtImageIsShownWhenTheWindowOpensAndAutoStartRunsItsTest) {
  // Taught earlier on a uniform green scene: the blue scene with its square fails at 94.
  std::string file = Words({0, 1, 94, kSceneHeight, kSceneWidth});
  for (int32_t y = 0; y < kSceneHeight; ++y) {
    file += Words({3 * kSceneWidth});
    for (int32_t x = 0; x < kSceneWidth; ++x) file += std::string("\x30\xA0\x10", 3);
  }
  WriteFileBytes(ImageFile(), file);

  bool reachedTest = false;
  WhenModalOpens(WebCam_TestImage, [&](TWebCam_TestImage& test) {
    EXPECT_TRUE(test.TestActive);
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaNok->Brush() == 0x0000FFu; }, kWaitMs));
    ShowScene(kGreen);  // only the square differs now: 25 of 3072 pixels
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
    EXPECT_TRUE(test.RunTest());
    reachedTest = true;
    test.ExitButton->click();
  });
  auto* teach = new TWebCamForm_GetImage(nullptr, true);  // opened by the auto-start
  WebCamForm_GetImage = teach;
  teach->show();
  EXPECT_EQ(teach->TollLbl->text().toStdString(), "Tolleranza sul colore=94%");
  EXPECT_TRUE(teach->TestBtn->isEnabled());
  EXPECT_EQ(teach->curImage->pixmap().size(), QSize(kSceneWidth, kSceneHeight));
  ASSERT_TRUE(QTest::qWaitFor([&] { return reachedTest; }, kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return teach->webCamReady; }, kWaitMs));
  teach->ExitButton->click();
  delete teach;
  WebCamForm_GetImage = nullptr;
  EXPECT_EQ(ReadFileBytes(ImageFile()), file);
}

TEST_F(ImageWindows, ClosingWithoutTeachingWritesThe12ByteDefaults) {
  ExpectClosingUntaughtWrites<TWebCamForm_GetImage>(ImageFile(), Words({0, 0, 94}));
}

TEST_F(ImageWindows, NoCameraDisablesTheAcquisitionAndTheTest) {
  setenv("LUMIVEX_CAMERA", "none", 1);
  TWebCamForm_GetImage teach(nullptr);
  teach.show();
  EXPECT_FALSE(teach.webCamReady);
  EXPECT_FALSE(teach.AcqImgBtn->isEnabled());
  EXPECT_FALSE(teach.TestBtn->isEnabled());
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  teach.ExitButton->click();
  EXPECT_EQ(ReadFileBytes(ImageFile()), "");
}

TEST_F(ImageWindows, ControlsCarryTheirNamesPlacesAndTexts) {
  TWebCamForm_GetImage teach(nullptr);
  TWebCam_TestImage test(nullptr);
  const ControlCase cases[] = {
      {&teach,
       "ClickLbl",
       {16, 12, 640, 17},
       "Acquisire immagine di riferimento e poi andare nella pagina di test"},
      {&teach, "WC_Panel", {16, 38, 640, 480}, nullptr},
      {&teach, "AcqImgBtn", {680, 38, 203, 57}, "  Acquisisci immagine"},
      {&teach, "TestBtn", {680, 101, 203, 57}, "    Test"},
      {&teach, "ExitButton", {680, 460, 203, 58}, " Esci"},
      {&teach, "GroupBox1", {673, 203, 216, 224}, nullptr},
      {&teach, "TollLbl", {8, 31, 0, 0}, "Tolleranza sul colore:"},
      {&teach, "curImage", {6, 61, 204, 153}, nullptr},
      {&test, "WC_Panel", {5, 5, 596, 480}, nullptr},
      {&test, "ClickLbl", {5, 488, 594, 19}, "Viene eseguito un confronto sull'intera immagine"},
      {&test, "SpiaOkBack", {174, 509, 120, 120}, nullptr},
      {&test, "SpiaOk", {178, 513, 112, 112}, nullptr},
      {&test, "LabelOk", {220, 555, 0, 0}, "OK"},
      {&test, "SpiaNokBack", {308, 509, 120, 120}, nullptr},
      {&test, "SpiaNok", {312, 513, 112, 112}, nullptr},
      {&test, "LabelNok", {347, 555, 0, 0}, "NOK"},
      {&test, "GroupBox1", {605, 350, 334, 135}, nullptr},
      {&test, "TollLbl", {12, 45, 0, 0}, "Tolleranza sui colori:"},
      {&test, "TollBar", {14, 64, 309, 17}, nullptr},
      {&test, "ExitButton", {691, 567, 167, 58}, "Esci"},
  };
  ExpectControls(cases);
  // No result picture in the test window.
  EXPECT_EQ(test.findChild<QWidget*>("curImage"), nullptr);
  EXPECT_EQ(teach.windowTitle().toStdString(), "WEBCAM - RICONOSCIMENTO IMMAGINE");
  EXPECT_EQ(teach.size(), QSize(902, 530));
  EXPECT_EQ(test.windowTitle().toStdString(), "WEBCAM - TEST RICONOSCIMENTO IMMAGINE");
  EXPECT_EQ(test.size(), QSize(944, 640));
  EXPECT_EQ(test.TollBar->maximum(), 100);
  EXPECT_EQ(test.TollBar->pageStep(), 10);
  EXPECT_EQ(test.lamps.LabelOk->font().family().toStdString(), "Comic Sans MS");
}

TEST_F(ImageWindows, TheRowReachesTheTestWindowThroughItsGlobal) {
  ExpectHiddenWindowsThroughTheirGlobals(5, 0, WebCamForm_GetImage, WebCam_TestImage);
}

}  // namespace
