#include "bitmap/mybitmap.h"

#include <QDir>

#include <gtest/gtest.h>

#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

std::string Header(int32_t fileSize, int32_t width, int32_t height) {
  std::string bytes = "BM" + Words({fileSize, 0, 54, 40, width, height});
  bytes += std::string("\x01\x00\x18\x00", 4);
  return bytes + Words({0, 0, 0, 0, 0, 0});
}

// Pixel (x, y) of the pattern: red = 10x + y, green = 100 + y, blue = 200 + x.
void Paint(MyBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      bitmap.SetPixel(x, y, static_cast<uint8_t>(10 * x + y), static_cast<uint8_t>(100 + y),
                      static_cast<uint8_t>(200 + x));
}

TEST(MyBitmapTest, NegativeSizesBecomeZero) {
  struct Case {
    const char* name;
    int32_t w, h, expectW, expectH;
  } cases[] = {{"negative width", -3, 4, 0, 4},
               {"negative height", 5, -1, 5, 0},
               {"both negative", -1, -1, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MyBitmap bitmap(c.w, c.h);
    int32_t w = -9, h = -9;
    bitmap.GetSize(w, h);
    EXPECT_EQ(w, c.expectW);
    EXPECT_EQ(h, c.expectH);
    uint8_t r = 1, g = 1, b = 1;
    EXPECT_FALSE(bitmap.GetPixel(0, 0, r, g, b));
    EXPECT_EQ(r + g + b, 0);
  }
}

TEST(MyBitmapTest, OutsideCoordinatesAnswerBlackAndChangeNothing) {
  MyBitmap bitmap(3, 2);
  bitmap.FillRect(0x00332211, 0, 0, 3, 2);
  struct Case {
    const char* name;
    int32_t x, y;
  } cases[] = {{"left of column 0", -1, 0},
               {"right of last column", 3, 0},
               {"above top row", 0, 2},
               {"below row 0", 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bitmap.SetPixel(c.x, c.y, 9, 9, 9);
    uint8_t r = 1, g = 1, b = 1;
    EXPECT_FALSE(bitmap.GetPixel(c.x, c.y, r, g, b));
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);
  }
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      uint8_t r, g, b;
      ASSERT_TRUE(bitmap.GetPixel(x, y, r, g, b));
      EXPECT_EQ(r, 0x11);
      EXPECT_EQ(g, 0x22);
      EXPECT_EQ(b, 0x33);
    }
}

TEST(MyBitmapTest, NewStorageIsBlackAndResizeClearsOldPixels) {
  MyBitmap bitmap(2, 2);
  bitmap.FillRect(0xFFFFFF, 0, 0, 2, 2);
  bitmap.SetSize(3, 1);
  uint8_t r, g, b;
  ASSERT_TRUE(bitmap.GetPixel(2, 0, r, g, b));
  EXPECT_EQ(r + g + b, 0);
  EXPECT_FALSE(bitmap.allocFailed);
}

TEST(MyBitmapTest, FillRectChangesOnlyTheInsidePart) {
  struct Case {
    const char* name;
    int32_t x0, y0, x1, y1;
    int expectedFilled;  // of the 4 x 3 bitmap
  } cases[] = {{"partly outside", -2, 1, 2, 9, 4},
               {"x1 equal x0", 2, 0, 2, 3, 0},
               {"x1 before x0", 3, 0, 1, 3, 0},
               {"whole", 0, 0, 4, 3, 12},
               {"wholly outside", 5, 5, 9, 9, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MyBitmap bitmap(4, 3);
    bitmap.Clear();
    bitmap.FillRect(0x00030201, c.x0, c.y0, c.x1, c.y1);
    int filled = 0;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        uint8_t r, g, b;
        bitmap.GetPixel(x, y, r, g, b);
        const bool inside = x >= c.x0 && x < c.x1 && y >= c.y0 && y < c.y1;
        EXPECT_EQ(r == 1 && g == 2 && b == 3, inside) << x << "," << y;
        filled += inside;
      }
    EXPECT_EQ(filled, c.expectedFilled);
  }
}

TEST(MyBitmapTest, SaveBmpWritesHeaderAndPaddedRowsBottomFirst) {
  struct Case {
    const char* name;
    int32_t width, height;
    std::string expected;
  } cases[] = {
      {"0 x 0: header only", 0, 0, Header(54, 0, 0)},
      {"width 1: 3 bytes + 1 pad", 1, 2,
       Header(62, 1, 2) + std::string("\xC8\x64\x00\x00\xC8\x65\x01\x00", 8)},
      {"width 3: 9 bytes + 3 pad", 3, 1,
       Header(66, 3, 1) + std::string("\xC8\x64\x00\xC9\x64\x0A\xCA\x64\x14\x00\x00\x00", 12)},
      {"width 4: no padding", 4, 1,
       Header(66, 4, 1) + std::string("\xC8\x64\x00\xC9\x64\x0A\xCA\x64\x14\xCB\x64\x1E", 12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation station;
    MyBitmap bitmap(c.width, c.height);
    Paint(bitmap);
    const std::string path = station.Path("Data/picture.bmp");
    ASSERT_TRUE(bitmap.SaveBmp(path));
    EXPECT_EQ(ReadFileBytes(path), c.expected);
    EXPECT_EQ(station.EventLogText(),
              "Inizio creazione bitmap " + path + "\r\nCreata bitmap " + path + "\r\n");
  }
}

TEST(MyBitmapTest, SaveBmpReplacesAnExistingFileWhole) {
  TempStation station;
  const std::string path = station.Path("Data/webcam_sample.bmp");
  WriteFileBytes(path, std::string(500, 'x'));
  MyBitmap bitmap(1, 1);
  bitmap.SetPixel(0, 0, 1, 2, 3);
  ASSERT_TRUE(bitmap.SaveBmp(path));
  EXPECT_EQ(ReadFileBytes(path), Header(58, 1, 1) + std::string("\x03\x02\x01\x00", 4));
  // No temporary file is left beside it.
  QDir data(QString::fromStdString(station.Path("Data")));
  EXPECT_EQ(data.entryList(QDir::Files).size(), 1);
}

TEST(MyBitmapTest, SaveBmpIntoAMissingFolderIsBmp001) {
  TempStation station;
  MessageBoxRecorder boxes;
  MyBitmap bitmap(2, 2);
  const std::string path = station.Path("Data/missing/sample.bmp");
  EXPECT_FALSE(bitmap.SaveBmp(path));
  EXPECT_EQ(station.EventLogText(), "Inizio creazione bitmap " + path + "\r\n");
  EXPECT_EQ(station.ErrorLogText(), "BMP001: errore nella scrittura della bitmap.\r\n");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
}

}  // namespace
