#pragma once

#include <string>

// Runs the active test window's test on the last converted frame and answers the reply text:
// "1,x,y", "1", "1,a,b,c,d" or "0" (also when no test window is active).
std::string DispatchInspection();
