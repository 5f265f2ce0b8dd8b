#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The station's own 24-bit picture: red, green, blue bytes, row 0 at the BOTTOM of the picture.
// Every inspection reads through GetPixel, so pixel access stays small, inline and allocation-free.
class MyBitmap {
 public:
  MyBitmap(int32_t width, int32_t height);
  MyBitmap(const MyBitmap&) = delete;
  MyBitmap& operator=(const MyBitmap&) = delete;

  // Negative values become 0; new storage is black.
  void SetSize(int32_t newWidth, int32_t newHeight);
  void GetSize(int32_t& outWidth, int32_t& outHeight) const {
    outWidth = width;
    outHeight = height;
  }
  int32_t Width() const { return width; }
  int32_t Height() const { return height; }

  void SetPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
    if (x < 0 || x >= width || y < 0 || y >= height) return;
    uint8_t* p = rows[y] + x * 3;
    p[0] = red;
    p[1] = green;
    p[2] = blue;
  }

  bool GetPixel(int32_t x, int32_t y, uint8_t& red, uint8_t& green, uint8_t& blue) const {
    if (x < 0 || x >= width || y < 0 || y >= height) {
      red = green = blue = 0;
      return false;
    }
    const uint8_t* p = rows[y] + x * 3;
    red = p[0];
    green = p[1];
    blue = p[2];
    return true;
  }

  // colour is 0x00BBGGRR; pixels with x0 <= x < x1 and y0 <= y < y1 inside the bitmap.
  void FillRect(uint32_t colour, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
  void Clear();

  // 24-bit bottom-up BMP; BMP001 on failure.
  bool SaveBmp(const std::string& path) const;

  // Start of row y (bottom row 0); for bulk converters that have checked their bounds.
  uint8_t* Row(int32_t y) { return rows[y]; }
  const uint8_t* Row(int32_t y) const { return rows[y]; }

  bool allocFailed = false;

 private:
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
  std::vector<uint8_t*> rows;
};
