#include "methods/methodparams.h"

#include <array>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/log.h"
#include "foundation/mymessagebox.h"
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

ParamFileReader::ParamFileReader(std::FILE* file) : file(file) {}

bool ParamFileReader::Read(void* target, size_t size) {
  if (ended || failed) return false;
  size_t got = std::fread(target, 1, size, file);
  if (got == size) return true;
  if (std::ferror(file))
    failed = true;
  else
    ended = true;
  return false;
}

bool ParamFileReader::ReadWord(int32_t& value) {
  uint8_t bytes[4];
  if (!Read(bytes, sizeof bytes)) return false;
  value = static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
      (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24));
  return true;
}

void ParamFileReader::Header() {
  int32_t ignored;
  ReadWord(ignored);
}

void ParamFileReader::Word(int32_t& value) {
  int32_t word;
  if (ReadWord(word)) value = word;
}

void ParamFileReader::Flag(bool& value) {
  int32_t word;
  if (ReadWord(word)) value = word > 0;
}

void ParamFileReader::Colour(uint8_t& value) {
  int32_t word;
  if (ReadWord(word)) value = static_cast<uint8_t>(word & 0xFF);
}

void ParamFileReader::Float(float& value) {
  int32_t word;
  if (!ReadWord(word)) return;
  uint32_t bits = static_cast<uint32_t>(word);
  std::memcpy(&value, &bits, sizeof value);
}

void ParamFileReader::Image(MyBitmap* reference, int32_t& frameWidth, int32_t& frameHeight) {
  int32_t height = 0;
  int32_t width = 0;
  if (!ReadWord(height) || !ReadWord(width)) return;
  // Only what the row buffer can have held: no overrun, no allocation sized by the file.
  if (height < 0 || width < 0 || height > kMaxStoredHeight || width > kMaxStoredWidth) {
    failed = true;
    return;
  }
  frameHeight = height;
  frameWidth = width;
  std::array<uint8_t, kRowBufferBytes> row;
  for (int32_t y = 0; y < height; ++y) {
    int32_t count = 0;
    if (!ReadWord(count)) return;
    if (count < 0 || count > kRowBufferBytes || count != 3 * width) {
      failed = true;
      return;
    }
    if (!Read(row.data(), static_cast<size_t>(count))) return;
    if (!reference) continue;
    for (int32_t x = 0; x < width; ++x)
      reference->SetPixel(x, y, row[3 * x], row[3 * x + 1], row[3 * x + 2]);
  }
}

// Writing

void ParamFileWriter::Put(int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void ParamFileWriter::Float(const float& value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  Put(static_cast<int32_t>(bits));
}

void ParamFileWriter::Image(const MyBitmap* reference, const int32_t& frameWidth,
                            const int32_t& frameHeight) {
  int32_t width = frameWidth < 0 ? 0 : frameWidth;
  int32_t height = frameHeight < 0 ? 0 : frameHeight;
  Put(height);
  Put(width);
  bytes.reserve(bytes.size() + static_cast<size_t>(height) * (4 + 3 * static_cast<size_t>(width)) +
                4);
  for (int32_t y = 0; y < height; ++y) {
    Put(3 * width);
    for (int32_t x = 0; x < width; ++x) {
      uint8_t r = 0, g = 0, b = 0;
      if (reference) reference->GetPixel(x, y, r, g, b);
      bytes.push_back(static_cast<char>(r));
      bytes.push_back(static_cast<char>(g));
      bytes.push_back(static_cast<char>(b));
    }
  }
}

// Files

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

void ReportReadError(const ParamFileMessages& messages) {
  LogError(messages.readLog);
  ShowMessageBox(messages.readBox, "ERRORE", kMbError);
}

}  // namespace

ParamFileLoad LoadParamFile(const std::string& path, const ParamFileMessages& messages,
                            const std::function<void(ParamFileReader&)>& fields) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
    LogError(messages.missing);
    return ParamFileLoad::kMissing;
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    ReportReadError(messages);
    return ParamFileLoad::kFailed;
  }
  ParamFileReader reader(file.get());
  fields(reader);
  if (reader.Failed()) {
    ReportReadError(messages);
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
  LogError(messages.writeError);
  ShowMessageBox(messages.writeError, "ERRORE", kMbError);
  return false;
}
