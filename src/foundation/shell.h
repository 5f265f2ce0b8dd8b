#pragma once

#include <string>

// Asks the desktop to open the file with its registered application (xdg-open). Answers whether
// the request was handed over; the station's callers ignore it.
int OpenWithShell(const std::string& file, const char* workingFolder);
