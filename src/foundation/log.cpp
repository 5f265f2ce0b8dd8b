#include "foundation/log.h"

#include <cerrno>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"
#include "foundation/progdir.h"

Log* errorLog = nullptr;
Log* eventLog = nullptr;

namespace {

constexpr size_t kCutFrom = 280;
constexpr size_t kKeptBytes = 270;

}  // namespace

LocalTime SystemLocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  LocalTime time;
  time.year = local.tm_year + 1900;
  time.month = local.tm_mon + 1;
  time.day = local.tm_mday;
  time.hour = local.tm_hour;
  time.minute = local.tm_min;
  time.second = local.tm_sec;
  time.millisecond = static_cast<int>(now.tv_nsec / 1000000);
  return time;
}

std::string LogLineText(const std::string& text) {
  if (text.size() < kCutFrom) return text;
  return CutText(text, kKeptBytes) + " segue...";
}

Log::Log(const std::string& prefix, ClockFunction clock)
    : prefix(CutText(prefix, kMaxPathText)), clock(std::move(clock)) {}

void Log::Write(const std::string& text) {
  // A second writer waits here instead of losing its line.
  std::lock_guard lock(busy);
  try {
    LocalTime date = clock();
    std::string path = ProgramSubfolder("log") + StrFormat("/%s%04d%02d%02d.txt", prefix.c_str(),
                                                           date.year, date.month, date.day);
    int file = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0) return;  // no log folder or no access: the line is dropped
    LocalTime time = clock();
    std::string line =
        StrFormat("%02d:%02d:%02d:%03d ", time.hour, time.minute, time.second, time.millisecond) +
        LogLineText(text) + "\r\n";
    ssize_t written;
    do {
      written = ::write(file, line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    close(file);
  } catch (...) {
    // A log never takes its caller down.
  }
}

void LogError(const std::string& text) {
  if (errorLog != nullptr) errorLog->Write(text);
}

void LogEvent(const std::string& text) {
  if (eventLog != nullptr) eventLog->Write(text);
}

void ReportError(const std::string& text) {
  ReportError(text, text);
}

void ReportError(const std::string& logText, const std::string& boxText) {
  LogError(logText);
  ShowMessageBox(boxText, "ERRORE", kMbError);
}
