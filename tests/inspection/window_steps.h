#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "inspection/methodcontrols.h"
#include "inspection/methodwindows.h"
#include "support/message_box_recorder.h"
#include "support/modal_script.h"
#include "support/scene_camera.h"
#include "support/temp_station.h"

// Waits are generous: a frame comes every 50 ms, the slowest machine may take far longer.
inline constexpr int kWaitMs = 20000;

// A throw-away station, the recorded message boxes and the simulated camera filming its scene, for
// a method's teach and test windows.
class MethodWindowsTest : public ::testing::Test {
 protected:
  TempStation station;
  MessageBoxRecorder boxes;
  SceneCamera camera{station};
};

// Freezes a snapshot in the teach window: its acquire button, then the still image shows.
template <class Teach>
void FreezeSnapshot(Teach& teach, QAbstractButton* acquire) {
  ASSERT_TRUE(teach.webCamReady);
  acquire->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return teach.appImage->isVisible(); }, kWaitMs));
}

// A colour teach window's still image waits for the click: nothing else can be pressed.
template <class Teach>
void ExpectWaitingForTheColourClick(Teach& teach) {
  EXPECT_EQ(teach.ClickLbl->text().toStdString(), "Clickare sull'immagine per acquisire il colore");
  EXPECT_FALSE(teach.AcqColBtn->isEnabled());
  EXPECT_FALSE(teach.TestBtn->isEnabled());
  EXPECT_FALSE(teach.ExitButton->isEnabled());
}

// A teach window opened with the camera and closed without teaching writes `expected` to `file`.
template <class Teach>
void ExpectClosingUntaughtWrites(const std::string& file, const std::string& expected) {
  Teach teach(nullptr);
  teach.show();
  ASSERT_TRUE(teach.webCamReady);
  teach.ExitButton->click();
  EXPECT_EQ(ReadFileBytes(file), expected);
}

// Opens the test window with the teach window's TestBtn and runs script in it; back once the script
// has closed it, when its global no longer names it.
template <class Teach, class Test>
void RunTestWindow(Teach& teach, Test*& global,
                   std::type_identity_t<std::function<void(Test&)>> script) {
  bool scriptRan = false;
  WhenModalOpens(global, [&](Test& test) {
    scriptRan = true;
    script(test);
  });
  teach.TestBtn->click();  // returns when the test window has closed
  ASSERT_TRUE(scriptRan);
  EXPECT_EQ(global, nullptr);
}

// Waits until the lamps show a pass: the bright green lamp, the dark red one, only OK written.
inline void WaitForPassLamps(const ResultLamps& lamps) {
  ASSERT_TRUE(QTest::qWaitFor([&] { return lamps.SpiaOk->Brush() == 0x00FF00u; }, kWaitMs));
  EXPECT_EQ(lamps.SpiaNok->Brush(), 0x00004Bu);
  EXPECT_TRUE(lamps.LabelOk->isVisible());
  EXPECT_FALSE(lamps.LabelNok->isVisible());
}

// Waits until the lamps show a fail: the bright red lamp, the dark green one, only NOK written.
inline void WaitForFailLamps(const ResultLamps& lamps) {
  ASSERT_TRUE(QTest::qWaitFor([&] { return lamps.SpiaNok->Brush() == 0x0000FFu; }, kWaitMs));
  EXPECT_EQ(lamps.SpiaOk->Brush(), 0x004B00u);
  EXPECT_TRUE(lamps.LabelNok->isVisible());
  EXPECT_FALSE(lamps.LabelOk->isVisible());
}

// The method's row creates its hidden test, then its hidden teach window, each named by its global
// while it lives.
template <class Teach, class Test>
void ExpectHiddenWindowsThroughTheirGlobals(int32_t number, int32_t outputs, Teach*& teachGlobal,
                                            Test*& testGlobal) {
  const MethodWindows* row = FindMethodWindows(number);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->outputs, outputs);
  {
    HiddenWindow hidden = row->createHiddenTest();
    ASSERT_NE(testGlobal, nullptr);
    EXPECT_FALSE(testGlobal->TestActive);
    EXPECT_EQ(row->testWindow(), testGlobal);
    HiddenWindow hiddenTeach = row->createHiddenTeach();
    EXPECT_NE(teachGlobal, nullptr);
  }
  EXPECT_EQ(testGlobal, nullptr);
  EXPECT_EQ(teachGlobal, nullptr);
}
