#pragma once

#include <cstdio>
#include <string>

// A text file exchanged with other programs: opened for reading or writing with retries, read and
// written line by line, every failure logged (FRW001/002/003) and shown unless silent.
class FileReadWrite {
 public:
  FileReadWrite(const std::string& path, bool forReading, bool silent, int maxAttempts);
  ~FileReadWrite();
  FileReadWrite(const FileReadWrite&) = delete;
  FileReadWrite& operator=(const FileReadWrite&) = delete;

  // Next line without its CR LF / LF ending (at most 599 bytes with its LF). endOfFile, when given,
  // tells whether the end of the file was reached during this call.
  bool ReadLine(std::string& line, bool* endOfFile = nullptr);
  // Appends the text (at most 497 bytes, longer texts are cut) followed by CR LF.
  bool WriteLine(const std::string& text);
  void Close();

  bool failed = false;

 private:
  std::FILE* stream = nullptr;
  std::string path;
  bool silent;
};

constexpr int kFileReadWriteRetryPauseMs = 300;
