#pragma once

#include <cstdint>
#include <string>

// Set by TextToInt and TextToFloat when their last conversion failed; read it right after the call.
extern bool conversionFailed;

// Operator-typed text to a 32-bit integer; 0 and conversionFailed on failure (MTC006 empty,
// MTC003 invalid).
int32_t TextToInt(std::string text, bool showMessage, bool removeSpaces);

// Operator-typed text to a number of float precision; comma and point are both decimal separators.
// 0 and conversionFailed on failure (MTC004 empty, MTC001 invalid).
float TextToFloat(std::string text, bool showMessage, bool removeSpaces);
