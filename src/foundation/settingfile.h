#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// The station's small binary setting files: 32-bit little-endian words and texts stored as a
// length word, the characters and one zero byte.

// How a word that the end of the file cuts short is taken.
enum class PartialWord {
  kIgnore,     // the target keeps its value
  kKeepBytes,  // the bytes present replace the target's low bytes; its other bytes stay
};

// Reads a setting file front to back: opened by the constructor, closed by the destructor. Once
// the file has ended or a read has failed, every further read answers false and leaves its target
// as it is.
class SettingFileReader {
 public:
  explicit SettingFileReader(const std::string& path,
                             PartialWord partialWord = PartialWord::kIgnore);
  ~SettingFileReader();
  SettingFileReader(const SettingFileReader&) = delete;
  SettingFileReader& operator=(const SettingFileReader&) = delete;

  // True when the whole word was there. A read error leaves value as it is, whatever partialWord.
  bool Word(int32_t& value);
  // A stored text: its length word, the characters and the zero byte. storedLength is the length
  // the file gives; text keeps at most kMaxPathText bytes and stops at a zero byte. A negative
  // length or one that runs past the end of the file is a damaged file (false, and Failed);
  // nothing is allocated from the length read.
  bool Text(std::string& text, int32_t& storedLength);
  // count bytes into target.
  bool Bytes(void* target, size_t count);
  // The caller found a value the file cannot hold: the file counts as failed, nothing more is read.
  void MarkDamaged() { failed = true; }

  bool Ended() const { return ended; }    // the file ended before a read was complete
  bool Failed() const { return failed; }  // not opened, unreadable or damaged

 private:
  // Reads up to count bytes; the number read. A short count sets ended or failed.
  size_t ReadUpTo(void* target, size_t count);

  std::FILE* file = nullptr;
  PartialWord partialWord;
  int64_t length = 0;    // the file's size when opened
  int64_t position = 0;  // bytes consumed so far
  bool ended = false;
  bool failed = false;
};

// Collects a setting file's bytes in file order, then replaces the file whole.
class SettingFileWriter {
 public:
  void Word(int32_t value);
  // Length word, the characters, the zero byte.
  void Text(const std::string& text);
  void Byte(uint8_t value) { bytes.push_back(static_cast<char>(value)); }
  // Room for count more bytes, for a large file whose size is known up front.
  void Reserve(size_t count) { bytes.reserve(bytes.size() + count); }

  const std::string& Contents() const { return bytes; }
  bool ReplaceWhole(const std::string& path) const;

 private:
  std::string bytes;
};

// Writes the file whole: a temporary file in the same folder, flushed, then renamed over the old
// one, so that a failed write leaves the old file as it was.
bool ReplaceFileWhole(const std::string& path, const std::string& bytes);
