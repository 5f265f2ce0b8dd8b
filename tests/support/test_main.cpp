#include <QApplication>

#include <gtest/gtest.h>

#include "message_box_recorder.h"

// Every test program runs inside a QApplication (offscreen platform under CTest) with a recorder as
// message-box backend, so no test ever waits for a box.
int main(int argc, char** argv) {
  // Test discovery runs the program outside CTest's environment: default to no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  MessageBoxRecorder fallback;
  return RUN_ALL_TESTS();
}
