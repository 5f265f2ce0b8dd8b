#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The station's small binary setting files: 32-bit little-endian words and texts stored as a
// length word, the characters and one zero byte.

void AppendWord(std::string& bytes, int32_t value);
void AppendText(std::string& bytes, const std::string& text);

bool ReadWord(std::FILE* file, int32_t& value);

// A stored text: its length word, the characters and the zero byte. storedLength is the length
// the file gives; text keeps at most kMaxPathText bytes and stops at a zero byte. A negative length
// or one that runs past the end of the file is a damaged file (false); nothing is allocated from
// the length read.
bool ReadStoredText(std::FILE* file, std::string& text, int32_t& storedLength);

// Writes the file whole: a temporary file in the same folder, flushed, then renamed over the old
// one, so that a failed write leaves the old file as it was.
bool ReplaceFileWhole(const std::string& path, const std::string& bytes);
