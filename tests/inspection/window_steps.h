#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <cstdint>

#include <gtest/gtest.h>

#include "inspection/methodwindows.h"

// Waits are generous: a frame comes every 50 ms, the slowest machine may take far longer.
inline constexpr int kWaitMs = 20000;

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
