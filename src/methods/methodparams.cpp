#include "methods/methodparams.h"

#include <array>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>

#include "foundation/log.h"
#include "foundation/progdir.h"
#include "foundation/settingfile.h"

void InitRecord(MethodRecord& record, const std::string& fileName, int32_t defaultTolerance,
                int32_t frameWidth, int32_t frameHeight) {
  record.path = DataFilePath(fileName);
  record.reference = std::make_unique<MyBitmap>(frameWidth, frameHeight);
  record.stored = false;
  record.tolerance = defaultTolerance;
}

int32_t ChannelLimit(int32_t tolerance) {
  int64_t hundredths = (100 - static_cast<int64_t>(tolerance)) * 255;
  if (hundredths < 0) return -1;
  if (hundredths >= 25500) return 255;
  return static_cast<int32_t>(hundredths / 100);
}

int32_t MulDiv32(int32_t value, int32_t numerator, int32_t denominator) {
  if (denominator == 0) return 0;
  // The product wraps at 32 bits as the station's arithmetic does; widened so that neither the
  // product nor INT_MIN / -1 is undefined here.
  int32_t product = static_cast<int32_t>(
      static_cast<uint32_t>(static_cast<int64_t>(value) * static_cast<int64_t>(numerator)));
  return static_cast<int32_t>(static_cast<int64_t>(product) / denominator);
}

// Reading

void ParamFileReader::Header() {
  int32_t ignored;
  file.Word(ignored);
}

void ParamFileReader::Word(int32_t& value) {
  file.Word(value);
}

void ParamFileReader::Flag(bool& value) {
  int32_t word;
  if (file.Word(word)) value = word > 0;
}

void ParamFileReader::Colour(uint8_t& value) {
  int32_t word;
  if (file.Word(word)) value = static_cast<uint8_t>(word & 0xFF);
}

void ParamFileReader::Float(float& value) {
  int32_t word;
  if (!file.Word(word)) return;
  uint32_t bits = static_cast<uint32_t>(word);
  std::memcpy(&value, &bits, sizeof value);
}

void ParamFileReader::Image(MyBitmap* reference, int32_t& frameWidth, int32_t& frameHeight) {
  int32_t height = 0;
  int32_t width = 0;
  if (!file.Word(height) || !file.Word(width)) return;
  // Only what the row buffer can have held: no overrun, no allocation sized by the file.
  if (height < 0 || width < 0 || height > kMaxStoredHeight || width > kMaxStoredWidth) {
    file.MarkDamaged();
    return;
  }
  frameHeight = height;
  frameWidth = width;
  std::array<uint8_t, kRowBufferBytes> row;
  for (int32_t y = 0; y < height; ++y) {
    int32_t count = 0;
    if (!file.Word(count)) return;
    if (count < 0 || count > kRowBufferBytes || count != 3 * width) {
      file.MarkDamaged();
      return;
    }
    if (!file.Bytes(row.data(), static_cast<size_t>(count))) return;
    if (!reference) continue;
    for (int32_t x = 0; x < width; ++x)
      reference->SetPixel(x, y, row[3 * x], row[3 * x + 1], row[3 * x + 2]);
  }
}

// Writing

void ParamFileWriter::Float(const float& value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  file.Word(static_cast<int32_t>(bits));
}

void ParamFileWriter::Image(const MyBitmap* reference, const int32_t& frameWidth,
                            const int32_t& frameHeight) {
  int32_t width = frameWidth < 0 ? 0 : frameWidth;
  int32_t height = frameHeight < 0 ? 0 : frameHeight;
  file.Word(height);
  file.Word(width);
  file.Reserve(static_cast<size_t>(height) * (4 + 3 * static_cast<size_t>(width)) + 4);
  for (int32_t y = 0; y < height; ++y) {
    file.Word(3 * width);
    for (int32_t x = 0; x < width; ++x) {
      uint8_t r = 0, g = 0, b = 0;
      if (reference) reference->GetPixel(x, y, r, g, b);
      file.Byte(r);
      file.Byte(g);
      file.Byte(b);
    }
  }
}

// Files

ParamFileLoad LoadParamFile(const std::string& path, const ParamFileMessages& messages,
                            const std::function<void(ParamFileReader&)>& fields) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
    LogError(messages.missing);
    return ParamFileLoad::kMissing;
  }
  SettingFileReader file(path);
  if (file.Failed()) {
    ReportError(messages.readLog, messages.readBox);
    return ParamFileLoad::kFailed;
  }
  ParamFileReader reader(file);
  fields(reader);
  if (reader.Failed()) {
    ReportError(messages.readLog, messages.readBox);
    return ParamFileLoad::kFailed;
  }
  return ParamFileLoad::kRead;
}

bool SaveParamFile(const std::string& path, const ParamFileMessages& messages,
                   const std::function<void(ParamFileWriter&)>& fields) {
  if (path.empty()) return true;
  ParamFileWriter writer;
  fields(writer);
  if (ReplaceFileWhole(path, writer.Bytes())) return true;
  ReportError(messages.writeError);
  return false;
}
