#include "inspection/methodwindows.h"

#include <gtest/gtest.h>

#include "inspection/webcamtestlineaoriz.h"
#include "inspection/webcamtestlineavert.h"
#include "inspection/webcamtestpoint.h"
#include "methods/methodtable.h"

namespace {

TEST(MethodWindowTable, RowsStandInDispatchOrder) {
  // The dispatcher visits the rows in table order: method numbers 1 to 6, each once, ascending.
  int32_t previous = 0;
  for (const MethodWindows& row : MethodWindowTable()) {
    SCOPED_TRACE(row.number);
    EXPECT_GT(row.number, previous);
    EXPECT_LE(row.number, 6);
    EXPECT_EQ(FindMethodWindows(row.number), &row);
    previous = row.number;
  }
}

TEST(MethodWindowTable, UnknownNumbersHaveNoWindows) {
  for (int32_t number : {0, 7, -1}) {
    SCOPED_TRACE(number);
    EXPECT_EQ(FindMethodWindows(number), nullptr);
  }
}

TEST(MethodWindowTable, PointRowReachesItsTestWindowThroughItsGlobal) {
  const MethodWindows* point = FindMethodWindows(PointMethod::kNumber);
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(point->outputs, 2);
  EXPECT_EQ(point->testWindow(), nullptr);
  {
    HiddenWindow hidden = point->createHiddenTest();
    ASSERT_NE(WebCam_TestPoint, nullptr);
    EXPECT_TRUE(WebCam_TestPoint->isHidden());
    EXPECT_FALSE(WebCam_TestPoint->TestActive);
    EXPECT_EQ(point->testWindow(), WebCam_TestPoint);
  }
  // The owner freed the instance and cleared the global reference.
  EXPECT_EQ(WebCam_TestPoint, nullptr);
  EXPECT_EQ(point->testWindow(), nullptr);
}

TEST(MethodWindowTable, LineRowsReachTheirTestWindowsThroughTheirGlobals) {
  const struct {
    int32_t number;
    QWidget* (*global)();  // the window class's global reference
  } cases[] = {
      {3, []() -> QWidget* { return WebCam_TestLineaVert; }},
      {4, []() -> QWidget* { return WebCam_TestLineaOriz; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    const MethodWindows* line = FindMethodWindows(c.number);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->outputs, 2);
    EXPECT_EQ(line->testWindow(), nullptr);
    {
      HiddenWindow hidden = line->createHiddenTest();
      ASSERT_NE(c.global(), nullptr);
      EXPECT_EQ(c.global(), hidden.Window());
      EXPECT_TRUE(hidden.Window()->isHidden());
      EXPECT_NE(line->testWindow(), nullptr);
      EXPECT_FALSE(line->testWindow()->IsTestActive());
    }
    EXPECT_EQ(c.global(), nullptr);
    EXPECT_EQ(line->testWindow(), nullptr);
  }
}

}  // namespace
