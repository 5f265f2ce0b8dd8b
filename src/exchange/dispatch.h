#pragma once

#include <string>
#include <vector>

#include "inspection/testwindowref.h"

// Runs the active test window's test on the last converted frame and answers the reply text:
// "1,x,y", "1", "1,a,b,c,d" or "0" (also when no test window is active).
std::string DispatchInspection();

// A test window as the dispatcher visits it: null when it does not exist, and how many of its
// outputs the pass reply carries.
struct DispatchSlot {
  TestWindowRef* window = nullptr;
  int outputs = 0;
};

// The same over the windows given in dispatch order.
std::string DispatchInspectionOn(const std::vector<DispatchSlot>& windows);
