#include "station_setup.h"

#include <QTcpServer>
#include <fstream>

std::string LeWords(std::initializer_list<int32_t> words) {
  std::string bytes;
  for (int32_t word : words)
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<char>((static_cast<uint32_t>(word) >> (8 * i)) & 0xFF));
  return bytes;
}

std::string LengthText(const std::string& text) {
  return LeWords({static_cast<int32_t>(text.size())}) + text + std::string(1, '\0');
}

void WriteData(const std::string& stationPath, const std::string& name, const std::string& bytes) {
  std::ofstream(stationPath + "/Data/" + name, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TaughtPointFile(uint8_t r, uint8_t g, uint8_t b) {
  // header, stored, colour, click x/y, point x/y, tolerance, pixels, whole image
  return LeWords({0, 0, r, g, b, 0, 0, 0, 0, 94, 1, 1});
}

int FreeTcpPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}
