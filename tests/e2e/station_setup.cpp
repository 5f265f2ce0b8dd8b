#include "station_setup.h"

#include <QTcpServer>
#include <fstream>

#include "exchange/rs232_pty.h"

namespace {

// A TCP port that nothing listens on right now.
int FreeTcpPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

}  // namespace

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

void WriteAutoStart(const std::string& stationPath, int32_t method, int32_t channel) {
  WriteData(stationPath, "AvvioProg.dat", LeWords({0, method}));
  WriteData(stationPath, "MetodoInOut.dat", LeWords({0, channel}));
}

int WriteTcpSettings(const std::string& stationPath) {
  const int port = FreeTcpPort();
  WriteData(stationPath, "tcp_ip.dat", LeWords({0}) + LengthText("127.0.0.1") + LeWords({port}));
  return port;
}

bool WriteSerialSettings(const std::string& stationPath, const PseudoTerminal& line) {
  if (!line.LinkAs(stationPath + "/Data/COM1")) return false;
  WriteData(stationPath, "rs232par.dat", LeWords({1, 9600, 8, 0, 0}));
  return true;
}
