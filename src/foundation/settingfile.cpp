#include "foundation/settingfile.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "foundation/myutl.h"

void AppendWord(std::string& bytes, int32_t value) {
  uint32_t word = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((word >> (8 * i)) & 0xFF));
}

void AppendText(std::string& bytes, const std::string& text) {
  AppendWord(bytes, static_cast<int32_t>(text.size()));
  bytes += text;
  bytes.push_back('\0');
}

bool ReadWord(std::FILE* file, int32_t& value) {
  unsigned char bytes[4];
  if (std::fread(bytes, 1, 4, file) != 4) return false;
  value = static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
  return true;
}

namespace {

long RemainingBytes(std::FILE* file) {
  long start = std::ftell(file);
  if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
  long end = std::ftell(file);
  if (end < 0 || std::fseek(file, start, SEEK_SET) != 0) return -1;
  return end - start;
}

}  // namespace

bool ReadStoredText(std::FILE* file, std::string& text, int32_t& storedLength) {
  if (!ReadWord(file, storedLength) || storedLength < 0) return false;
  long remaining = RemainingBytes(file);
  if (remaining < 0 || static_cast<long long>(storedLength) + 1 > remaining) return false;
  char kept[kMaxPathText + 1];
  size_t keep = std::min(static_cast<size_t>(storedLength), kMaxPathText);
  if (std::fread(kept, 1, keep, file) != keep) return false;
  // The rest of an over-long text and the zero byte are passed over.
  long skip = static_cast<long>(storedLength - static_cast<int32_t>(keep)) + 1;
  if (std::fseek(file, skip, SEEK_CUR) != 0) return false;
  size_t end = 0;
  while (end < keep && kept[end] != '\0') ++end;
  text = CutText(std::string(kept, end), kMaxPathText);
  return true;
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
