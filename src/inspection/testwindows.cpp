#include "inspection/testwindows.h"

#include "inspection/webcamtestpoint.h"

std::array<TestWindowRef*, 6> TestWindowsInDispatchOrder() {
  // Zone, vertical line, horizontal line, whole image and dimension have no test window yet.
  return {WebCam_TestPoint, nullptr, nullptr, nullptr, nullptr, nullptr};
}
