#include "temp_station.h"

#include <QDir>
#include <fstream>
#include <sstream>

#include "foundation/progdir.h"

namespace {

std::string LogText(const std::string& folder, const std::string& prefix) {
  LocalTime now = SystemLocalTime();
  char name[64];
  std::snprintf(name, sizeof name, "/log/%s%04d%02d%02d.txt", prefix.c_str(), now.year, now.month,
                now.day);
  std::string raw = ReadFileBytes(folder + name);
  // Drop the "hh:nn:ss:zzz " stamp of every line.
  std::string text;
  std::istringstream lines(raw);
  std::string line;
  while (std::getline(lines, line)) text += (line.size() >= 13 ? line.substr(13) : line) + "\n";
  return text;
}

}  // namespace

TempStation::TempStation(ClockFunction clock)
    : savedFolder(programFolder), savedError(errorLog), savedEvent(eventLog) {
  QDir root(dir.path());
  for (const char* folder :
       {"Data", "log", "help", "file_in_out/in", "file_in_out/out", "file_in_out/elab"})
    root.mkpath(folder);
  programFolder = dir.path().toStdString();
  errorLog = new Log("ERR", clock);
  eventLog = new Log("EV", clock);
}

TempStation::~TempStation() {
  delete eventLog;
  delete errorLog;
  errorLog = savedError;
  eventLog = savedEvent;
  programFolder = savedFolder;
}

std::string TempStation::Path(const std::string& relative) const {
  return relative.empty() ? programFolder : programFolder + "/" + relative;
}

std::string TempStation::ErrorLogText() const {
  return LogText(programFolder, "ERR");
}
std::string TempStation::EventLogText() const {
  return LogText(programFolder, "EV");
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Words(std::initializer_list<int32_t> words) {
  std::string bytes;
  for (int32_t word : words) {
    uint32_t value = static_cast<uint32_t>(word);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
  return bytes;
}
