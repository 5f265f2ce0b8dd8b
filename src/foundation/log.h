#pragma once

#include <functional>
#include <mutex>
#include <string>

// Local calendar time with milliseconds, as the logs stamp it.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

using ClockFunction = std::function<LocalTime()>;

LocalTime SystemLocalTime();

// A daily text log: programFolder/log/<prefix>yyyymmdd.txt, one time-stamped line per Write, the
// file opened and closed for every line so that other programs can read it between lines.
class Log {
 public:
  explicit Log(const std::string& prefix, ClockFunction clock = SystemLocalTime);

  // Appends "hh:nn:ss:zzz text\r\n"; texts of 280 bytes or more are cut to 270 + " segue...".
  // A writer that finds the log busy waits for its turn, so no line is ever lost. A missing log
  // folder or a file that cannot be opened drops the line.
  void Write(const std::string& text);

 private:
  std::string prefix;
  ClockFunction clock;
  std::mutex busy;
};

extern Log* errorLog;
extern Log* eventLog;

// Write to errorLog / eventLog when they exist (they live from start-up to shutdown).
void LogError(const std::string& text);
void LogEvent(const std::string& text);
// An error the operator is told about: logged, then shown in an "ERRORE" box with the stop icon.
// The box may say more than the log line (boxText); by default it says the same.
void ReportError(const std::string& text);
void ReportError(const std::string& logText, const std::string& boxText);

// The text as the log writes it: cut when 280 bytes or longer, never splitting a UTF-8 sequence.
std::string LogLineText(const std::string& text);
