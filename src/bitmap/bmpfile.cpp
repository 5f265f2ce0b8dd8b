#include "bitmap/bmpfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

uint32_t U32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void Put32(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}
void Put16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

bool WriteAll(int fd, const uint8_t* data, size_t length) {
  while (length > 0) {
    ssize_t written = ::write(fd, data, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    length -= static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

void SwapRedBlue(const uint8_t* __restrict source, uint8_t* __restrict target, int32_t width) {
  for (int32_t x = 0; x < width; ++x) {
    target[x * 3] = source[x * 3 + 2];
    target[x * 3 + 1] = source[x * 3 + 1];
    target[x * 3 + 2] = source[x * 3];
  }
}

bool ReadBmp24File(const std::string& path, Bmp24& picture) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  uint8_t header[54];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  if (header[0] != 'B' || header[1] != 'M') return false;
  const uint32_t dataOffset = U32(header + 10);
  const uint32_t infoSize = U32(header + 14);
  const int32_t width = static_cast<int32_t>(U32(header + 18));
  const int32_t rawHeight = static_cast<int32_t>(U32(header + 22));
  if (infoSize < 40 || U16(header + 26) != 1 || U16(header + 28) != 24 || U32(header + 30) != 0)
    return false;
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > 16384) return false;
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;
  if (height > 16384) return false;
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  const size_t stride = (rowBytes + 3) & ~size_t{3};
  std::vector<uint8_t> bgr(rowBytes * height);
  std::vector<uint8_t> row(stride);
  in.seekg(dataOffset);
  for (int32_t i = 0; i < height; ++i) {
    if (!in.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(stride))) {
      // The last row may lack its padding.
      if (i != height - 1 || static_cast<size_t>(in.gcount()) < rowBytes) return false;
    }
    const int32_t y = topDown ? height - 1 - i : i;
    std::memcpy(bgr.data() + rowBytes * y, row.data(), rowBytes);
  }
  picture.width = width;
  picture.height = height;
  picture.bgr = std::move(bgr);
  return true;
}

bool WriteBmp24File(const std::string& path, int32_t width, int32_t height,
                    const BmpRowSource& rowSource) {
  if (width < 0 || height < 0) return false;
  const uint32_t rowBytes = static_cast<uint32_t>(width) * 3;
  const uint32_t pad = rowBytes % 4 == 0 ? 0 : 4 - rowBytes % 4;
  uint8_t header[54] = {};
  header[0] = 'B';
  header[1] = 'M';
  Put32(header + 2, (rowBytes + pad) * static_cast<uint32_t>(height) + 54);
  Put32(header + 10, 54);
  Put32(header + 14, 40);
  Put32(header + 18, static_cast<uint32_t>(width));
  Put32(header + 22, static_cast<uint32_t>(height));
  Put16(header + 26, 1);
  Put16(header + 28, 24);

  std::string temporary = path + ".XXXXXX";
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  ::fchmod(fd, 0644);
  bool ok = WriteAll(fd, header, sizeof header);
  if (ok && height > 0) {
    std::vector<uint8_t> row(rowBytes + pad, 0);
    for (int32_t y = 0; y < height && ok; ++y) {
      rowSource(y, row.data());
      ok = WriteAll(fd, row.data(), row.size());
    }
  }
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}
