#pragma once

#include <cstdint>
#include <string>

class PseudoTerminal;

// Setting files as an integrator would leave them in a station's Data folder, written byte for byte
// so that the tests do not depend on the station's own writers.
std::string LeWords(std::initializer_list<int32_t> words);
std::string LengthText(const std::string& text);  // 32-bit length, the bytes, one zero byte

void WriteData(const std::string& stationPath, const std::string& name, const std::string& bytes);

// A point method taught on colour (r, g, b), searched in the whole frame, without a stored picture.
std::string TaughtPointFile(uint8_t r, uint8_t g, uint8_t b);

// The auto-start opens the test window of method `method`; the controller talks through channel
// `channel` (1 files, 2 serial line, 3 TCP).
void WriteAutoStart(const std::string& stationPath, int32_t method, int32_t channel);

// The TCP server on 127.0.0.1 at a port that nothing listens on right now; returns the port.
int WriteTcpSettings(const std::string& stationPath);

// The serial line: Data/COM1 links to the pseudo-terminal, at 9600 baud, 8 data bits, no parity,
// one stop bit; false when the link could not be made.
bool WriteSerialSettings(const std::string& stationPath, const PseudoTerminal& line);
