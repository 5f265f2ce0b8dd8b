#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bitmap/mybitmap.h"
#include "foundation/settingfile.h"

// What every method's parameter record begins with, and its tolerance. The method's own values
// follow in the method's record.
struct MethodRecord {
  std::string path;                     // the method's file in the data folder; empty: never saved
  std::unique_ptr<MyBitmap> reference;  // reference frame taught in the teach window
  bool stored = false;                  // a reference has been taught
  int32_t tolerance = 94;               // colour tolerance in percent
};

// Sets the common part to its defaults for a capture that connected: the file in the data folder,
// a black reference of the frame size, nothing stored, the method's default tolerance.
void InitRecord(MethodRecord& record, const std::string& fileName, int32_t defaultTolerance,
                int32_t frameWidth, int32_t frameHeight);

// Colour tolerance: threshold (100 - t) * 2.55; 94 gives 15.3, 100 gives 0, 0 gives 255.
inline double ToleranceThreshold(int32_t tolerance) {
  return (100.0 - tolerance) * 2.55;
}

// The largest whole channel difference within the threshold (d matches when d <= threshold).
// Worked out in integers, (100 - t) * 255 / 100 rounded down: in double, 100 * 2.55 is
// 254.99999999999997 and a difference of 255 would fail at tolerance 0, where every colour must
// match. -1 when nothing matches, 255 at most.
int32_t ChannelLimit(int32_t tolerance);

// An average difference over an area (zone, whole image) against the threshold, with the
// threshold's decimal value: the double product's rounding error is absorbed, far below the
// smallest step an average of up to 10^7 pixels can take.
inline bool WithinTolerance(double difference, int32_t tolerance) {
  return difference <= ToleranceThreshold(tolerance) + 1e-9;
}

// Per channel, |difference| <= limit (from ChannelLimit); the three channels are judged apart.
inline bool ColourMatches(uint8_t r, uint8_t g, uint8_t b, uint8_t refR, uint8_t refG, uint8_t refB,
                          int32_t limit) {
  int32_t dr = r > refR ? r - refR : refR - r;
  int32_t dg = g > refG ? g - refG : refG - g;
  int32_t db = b > refB ? b - refB : refB - b;
  return dr <= limit && dg <= limit && db <= limit;
}

// value * numerator / denominator as the station computes it: 32-bit integers, product first,
// truncating division. 0 when the denominator is 0 (a capture that reported no size).
int32_t MulDiv32(int32_t value, int32_t numerator, int32_t denominator);

// Conversions between a window's image control (the capture window's size) and frame pixels.
struct ViewScale {
  int32_t windowWidth = 0;
  int32_t windowHeight = 0;
  int32_t frameWidth = 0;
  int32_t frameHeight = 0;

  // Mouse x in the control to frame x.
  int32_t FrameX(int32_t mx) const { return MulDiv32(mx, frameWidth, windowWidth); }
  // Mouse y in a control of height controlHeight to frame y counted from the bottom row.
  int32_t FrameY(int32_t my, int32_t controlHeight) const {
    return MulDiv32(controlHeight - my, frameHeight, windowHeight);
  }
  // Mouse y to picture y counted from the top (rubber bands drawn into the shown picture).
  int32_t PictureY(int32_t my) const { return MulDiv32(my, frameHeight, windowHeight); }
  // Frame position to window position (y of the window counted from the top).
  int32_t WindowX(int32_t x) const { return MulDiv32(windowWidth, x, frameWidth); }
  int32_t WindowY(int32_t y) const { return MulDiv32(windowHeight, frameHeight - y, frameHeight); }
};

// Limits of a stored reference image: each row goes through a 10000-byte row buffer.
constexpr int32_t kRowBufferBytes = 10000;
constexpr int32_t kMaxStoredWidth = kRowBufferBytes / 3;  // 3333 pixels
constexpr int32_t kMaxStoredHeight = 10000;

// A method's three file messages: 003 missing (error log only), 001 unreadable (logged text and
// box text differ), 002 cannot be written (logged and shown).
struct ParamFileMessages {
  std::string missing;
  std::string readLog;
  std::string readBox;
  std::string writeError;
};

// Reads a parameter file field by field in file order. Once the file has ended or a read has
// failed, every further call leaves its target as it is, so the values read so far stay.
class ParamFileReader {
 public:
  explicit ParamFileReader(SettingFileReader& file) : file(file) {}

  void Header();                // the leading 0, ignored
  void Word(int32_t& value);    // a 32-bit little-endian word
  void Flag(bool& value);       // true when the signed word is > 0
  void Colour(uint8_t& value);  // the word's low byte
  void Float(float& value);     // 32-bit IEEE float
  // height, width (into the capture's frame size fields), then rows bottom first, each a byte count
  // of 3 * width and red, green, blue per pixel; pixels outside the reference (or all of them, when
  // there is none) are dropped. An image that cannot have been stored through the row buffer is
  // refused as a read error.
  void Image(MyBitmap* reference, int32_t& frameWidth, int32_t& frameHeight);

  bool Ended() const { return file.Ended(); }
  bool Failed() const { return file.Failed(); }

 private:
  SettingFileReader& file;
};

// Collects a parameter file's bytes in file order; the same calls as ParamFileReader, so that one
// field list per method serves both directions.
class ParamFileWriter {
 public:
  void Header() { file.Word(0); }
  void Word(const int32_t& value) { file.Word(value); }
  void Flag(const bool& value) { file.Word(value ? 1 : 0); }
  void Colour(const uint8_t& value) { file.Word(value); }
  void Float(const float& value);
  // The capture's frame size and the reference's pixels (black outside the reference).
  void Image(const MyBitmap* reference, const int32_t& frameWidth, const int32_t& frameHeight);

  const std::string& Bytes() const { return file.Contents(); }

 private:
  SettingFileWriter file;
};

enum class ParamFileLoad { kRead, kMissing, kFailed };

// Load steps: a missing file logs message 003 and keeps the defaults; an error while opening or
// reading logs 001 and shows its box, keeping what was read; a file that ends early is not
// reported.
ParamFileLoad LoadParamFile(const std::string& path, const ParamFileMessages& messages,
                            const std::function<void(ParamFileReader&)>& fields);

// Save steps: nothing when path is empty; the file is replaced whole; 002 on failure.
bool SaveParamFile(const std::string& path, const ParamFileMessages& messages,
                   const std::function<void(ParamFileWriter&)>& fields);
