#include "bitmap/mybitmap.h"

#include <cstring>
#include <new>

#include "bitmap/bmpfile.h"
#include "foundation/log.h"
#include "foundation/myutl.h"

MyBitmap::MyBitmap(int32_t newWidth, int32_t newHeight) {
  SetSize(newWidth, newHeight);
}

void MyBitmap::SetSize(int32_t newWidth, int32_t newHeight) {
  if (newWidth < 0) newWidth = 0;
  if (newHeight < 0) newHeight = 0;
  std::vector<uint8_t>().swap(pixels);
  std::vector<uint8_t*>().swap(rows);
  width = height = 0;
  allocFailed = false;
  try {
    pixels.assign(static_cast<size_t>(newWidth) * newHeight * 3, 0);
    rows.resize(newHeight);
  } catch (const std::bad_alloc&) {
    // Without storage the bitmap is 0 x 0.
    std::vector<uint8_t>().swap(pixels);
    std::vector<uint8_t*>().swap(rows);
    allocFailed = true;
    return;
  }
  width = newWidth;
  height = newHeight;
  for (int32_t y = 0; y < height; ++y) rows[y] = pixels.data() + static_cast<size_t>(y) * width * 3;
}

void MyBitmap::FillRect(uint32_t colour, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (x0 < 0) x0 = 0;
  if (y0 < 0) y0 = 0;
  if (x1 > width) x1 = width;
  if (y1 > height) y1 = height;
  const uint8_t red = colour & 0xFF;
  const uint8_t green = (colour >> 8) & 0xFF;
  const uint8_t blue = (colour >> 16) & 0xFF;
  for (int32_t y = y0; y < y1; ++y)
    for (int32_t x = x0; x < x1; ++x) SetPixel(x, y, red, green, blue);
}

void MyBitmap::Clear() {
  FillRect(0, 0, 0, width, height);
}

bool MyBitmap::SaveBmp(const std::string& path) const {
  LogEvent(StrFormat("Inizio creazione bitmap %s", path.c_str()));
  // Written beside the old file and renamed over it: a failure leaves the old picture whole.
  const bool written = WriteBmp24File(
      path, width, height, [this](int32_t y, uint8_t* row) { SwapRedBlue(rows[y], row, width); });
  if (!written) {
    ReportError("BMP001: errore nella scrittura della bitmap.");
    return false;
  }
  LogEvent(StrFormat("Creata bitmap %s", path.c_str()));
  return true;
}
