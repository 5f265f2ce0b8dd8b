#include "foundation/mytypeconversion.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "foundation/log.h"
#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"

bool conversionFailed = false;

namespace {

// The whole text: a cut at a buffer size would change the number typed.
void RemoveSpaces(std::string& text) {
  std::erase(text, ' ');
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// strtol-style: leading blanks and one sign allowed, nothing may follow the number. Independent of
// the process locale.
const char* SkipLeading(const std::string& text, bool& negative) {
  const char* p = text.c_str();
  while (IsBlank(*p)) ++p;
  negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  return p;
}

bool ParseInt(const std::string& text, int32_t& value, std::string& failure) {
  bool negative;
  const char* begin = SkipLeading(text, negative);
  const char* end = text.c_str() + text.size();
  if (begin == end || *begin == '+' || *begin == '-') {
    failure = "'" + text + "' is not a valid integer value";
    return false;
  }
  uint64_t magnitude = 0;
  auto [stop, error] = std::from_chars(begin, end, magnitude);
  if (stop != end || (error != std::errc() && error != std::errc::result_out_of_range)) {
    failure = "'" + text + "' is not a valid integer value";
    return false;
  }
  uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  if (error == std::errc::result_out_of_range || magnitude > limit) {
    failure = "'" + text + "' is out of the 32-bit integer range";
    return false;
  }
  value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                   : static_cast<int32_t>(magnitude);
  return true;
}

// The comma is the decimal separator.
bool ParseFloat(const std::string& text, float& value, std::string& failure) {
  std::string points = text;
  for (char& c : points)
    if (c == ',') c = '.';
  bool negative;
  const char* begin = SkipLeading(points, negative);
  const char* end = points.c_str() + points.size();
  double number = 0;
  auto [stop, error] = std::from_chars(begin, end, number, std::chars_format::general);
  if (begin == end || *begin == '+' || *begin == '-' || stop != end ||
      (error != std::errc() && error != std::errc::result_out_of_range) ||
      (error == std::errc() && !std::isfinite(number))) {
    failure = "'" + text + "' is not a valid floating point value";
    return false;
  }
  float rounded = static_cast<float>(negative ? -number : number);
  if (error == std::errc::result_out_of_range || !std::isfinite(rounded)) {
    failure = "'" + text + "' is out of the floating point range";
    return false;
  }
  value = rounded;
  return true;
}

void ReportInvalid(const char* message, const std::string& text, const std::string& failure,
                   bool showMessage) {
  if (showMessage) ShowMessageBox(message, "ERRORE", kMbError);
  LogError(StrFormat("%s - stringa: '%s' - %s", message, text.c_str(), failure.c_str()));
  conversionFailed = true;
}

}  // namespace

int32_t TextToInt(std::string text, bool showMessage, bool removeSpaces) {
  conversionFailed = false;
  if (removeSpaces) RemoveSpaces(text);
  if (text.empty()) {
    if (showMessage)
      ShowMessageBox("MTC006: errore nella conversione numerica: stringa vuota.", "ERRORE",
                     kMbError);
    conversionFailed = true;
    return 0;
  }
  int32_t value = 0;
  std::string failure;
  if (!ParseInt(text, value, failure)) {
    ReportInvalid("MTC003: errore nella conversione numerica. Controllare i valori immessi.", text,
                  failure, showMessage);
    return 0;
  }
  return value;
}

float TextToFloat(std::string text, bool showMessage, bool removeSpaces) {
  conversionFailed = false;
  if (removeSpaces) RemoveSpaces(text);
  for (char& c : text)
    if (c == '.') c = ',';
  if (text.empty()) {
    if (showMessage)
      ShowMessageBox("MTC004: errore nella conversione numerica: stringa vuota.", "ERRORE",
                     kMbError);
    conversionFailed = true;
    return 0;
  }
  float value = 0;
  std::string failure;
  if (!ParseFloat(text, value, failure)) {
    ReportInvalid("MTC001: errore nella conversione numerica. Controllare i valori immessi.", text,
                  failure, showMessage);
    return 0;
  }
  return value;
}
