#pragma once

#include <vector>

#include "platform/modalwindow.h"

// One hidden instance of each window class, created at start in the station's order and each
// stored in its class's global reference; freed when this owner goes, in the reverse order, so the
// main window goes last.
class StationWindows {
 public:
  StationWindows();
  ~StationWindows();
  StationWindows(const StationWindows&) = delete;
  StationWindows& operator=(const StationWindows&) = delete;

 private:
  std::vector<HiddenWindow> windows;
};
