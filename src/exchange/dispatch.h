#pragma once

#include <array>
#include <string>

#include "inspection/testwindows.h"

// Runs the active test window's test on the last converted frame and answers the reply text:
// "1,x,y", "1", "1,a,b,c,d" or "0" (also when no test window is active).
std::string DispatchInspection();

// The same over the six windows given in dispatch order (point, zone, vertical line, horizontal
// line, whole image, dimension); a null entry is a window that does not exist.
std::string DispatchInspectionOn(const std::array<TestWindowRef*, 6>& windows);
