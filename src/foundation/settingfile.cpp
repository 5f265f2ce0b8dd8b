#include "foundation/settingfile.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/myutl.h"

SettingFileReader::SettingFileReader(const std::string& path, PartialWord partialWord)
    : file(std::fopen(path.c_str(), "rbe")), partialWord(partialWord) {
  struct stat info;
  if (file == nullptr || ::fstat(::fileno(file), &info) != 0)
    failed = true;
  else
    length = info.st_size;
}

SettingFileReader::~SettingFileReader() {
  if (file != nullptr) std::fclose(file);
}

size_t SettingFileReader::ReadUpTo(void* target, size_t count) {
  if (ended || failed) return 0;
  size_t got = std::fread(target, 1, count, file);
  position += static_cast<int64_t>(got);
  if (got < count) {
    if (std::ferror(file))
      failed = true;
    else
      ended = true;
  }
  return got;
}

bool SettingFileReader::Word(int32_t& value) {
  unsigned char bytes[4];
  size_t got = ReadUpTo(bytes, sizeof bytes);
  if (failed) return false;
  if (got < sizeof bytes && partialWord == PartialWord::kIgnore) return false;
  uint32_t word = static_cast<uint32_t>(value);
  for (size_t i = 0; i < got; ++i) {
    word &= ~(0xFFu << (8 * i));
    word |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  }
  value = static_cast<int32_t>(word);
  return got == sizeof bytes;
}

bool SettingFileReader::Text(std::string& text, int32_t& storedLength) {
  if (!Word(storedLength)) return false;
  if (storedLength < 0 || static_cast<int64_t>(storedLength) + 1 > length - position) {
    MarkDamaged();
    return false;
  }
  char kept[kMaxPathText + 1];
  size_t keep = std::min(static_cast<size_t>(storedLength), kMaxPathText);
  if (ReadUpTo(kept, keep) != keep) return false;
  // The rest of an over-long text and the zero byte are passed over.
  long skip = static_cast<long>(storedLength - static_cast<int32_t>(keep)) + 1;
  if (std::fseek(file, skip, SEEK_CUR) != 0) {
    failed = true;
    return false;
  }
  position += skip;
  size_t end = 0;
  while (end < keep && kept[end] != '\0') ++end;
  text = CutText(std::string(kept, end), kMaxPathText);
  return true;
}

bool SettingFileReader::Bytes(void* target, size_t count) {
  return ReadUpTo(target, count) == count && !ended && !failed;
}

void SettingFileWriter::Word(int32_t value) {
  uint32_t word = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((word >> (8 * i)) & 0xFF));
}

void SettingFileWriter::Text(const std::string& text) {
  Word(static_cast<int32_t>(text.size()));
  bytes += text;
  bytes.push_back('\0');
}

bool SettingFileWriter::ReplaceWhole(const std::string& path) const {
  return ReplaceFileWhole(path, bytes);
}

bool ReplaceFileWhole(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".tmp";
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0)
      ok = false;
    else
      done += static_cast<size_t>(written);
  }
  if (ok && ::fdatasync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}
