#pragma once

#include <cstdio>
#include <string>

// A text file exchanged with other programs: opened for reading or writing with retries, written
// line by line, every failure logged (FRW001/003) and shown unless silent.
class FileReadWrite {
 public:
  FileReadWrite(const std::string& path, bool forReading, bool silent, int maxAttempts);
  ~FileReadWrite();
  FileReadWrite(const FileReadWrite&) = delete;
  FileReadWrite& operator=(const FileReadWrite&) = delete;

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
