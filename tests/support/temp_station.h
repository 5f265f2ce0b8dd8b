#pragma once

#include <QTemporaryDir>
#include <string>

#include "foundation/log.h"

// A throw-away station folder (Data, log, help, file_in_out/in|out|elab) that becomes programFolder
// for the test's lifetime, with errorLog and eventLog writing into it.
class TempStation {
 public:
  explicit TempStation(ClockFunction clock = SystemLocalTime);
  ~TempStation();

  std::string Path(const std::string& relative = "") const;
  // Lines of today's ERR / EV log without their time stamps.
  std::string ErrorLogText() const;
  std::string EventLogText() const;

 private:
  QTemporaryDir dir;
  std::string savedFolder;
  Log* savedError;
  Log* savedEvent;
};

// Whole file as bytes; empty when missing.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Little-endian 32-bit words as bytes, for building expected files.
std::string Words(std::initializer_list<int32_t> words);
