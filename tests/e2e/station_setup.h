#pragma once

#include <cstdint>
#include <string>

// Setting files as an integrator would leave them in a station's Data folder, written byte for byte
// so that the tests do not depend on the station's own writers.
std::string LeWords(std::initializer_list<int32_t> words);
std::string LengthText(const std::string& text);  // 32-bit length, the bytes, one zero byte

void WriteData(const std::string& stationPath, const std::string& name, const std::string& bytes);

// A point method taught on colour (r, g, b), searched in the whole frame, without a stored picture.
std::string TaughtPointFile(uint8_t r, uint8_t g, uint8_t b);

// A TCP port that nothing listens on right now.
int FreeTcpPort();
