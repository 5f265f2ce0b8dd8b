#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

// printf into a std::string.
std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The first maxBytes bytes of text at most, never splitting a UTF-8 sequence.
std::string CutText(const std::string& text, size_t maxBytes);

// Room of the station's path and name buffers: 299 bytes of text.
constexpr size_t kMaxPathText = 299;

// Lists ordinary files of pattern (folder + mask, Windows mask rules; dot files are hidden).
// ageLimitDays > 0 skips files dated before today minus the limit. Returns the count stored.
int ListFiles(const std::string& pattern, std::vector<std::string>& names, int ageLimitDays,
              bool includeSubfolders, int maximum);

// Deletes the files of folder matching mask dated before today minus ageDays (-1: every file dated
// today or earlier), keeping those whose name contains keepPart (case-insensitive) when given.
void DeleteOldFiles(const std::string& folder, const std::string& mask, int ageDays,
                    const char* keepPart);

// True when another process holds the name (a flock'ed file in the user's runtime folder).
bool IsAlreadyRunning(const std::string& name);

void SortIntegers(int n, int32_t* values);
void SortReals(int n, double* values);

// Windows mask match ("*.*" matches every name, "?" one character, letters without regard to case).
bool MaskMatches(const std::string& mask, const std::string& name);
