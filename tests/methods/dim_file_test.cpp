#include <QDir>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "method_file_test.h"
#include "methods/methodtable.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

const char kReadLog[] = "WCD01: errore nella lettura dei dati del punto della webcamo.\r\n";
const char kReadBox[] =
    "WCD01: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.";
const char kMissingLog[] = "WCD03: errore nella lettura dei dati del punto della webcam.\r\n";
const char kWriteText[] = "WCD02: errore nella scrittura dei dati del punto della webcam.";

// IEEE 754 single-precision words of the sizes used below.
constexpr int32_t k300 = 0x43960000;    // 300.0
constexpr int32_t k200 = 0x43480000;    // 200.0
constexpr int32_t k320_5 = 0x43A04000;  // 320.5
constexpr int32_t k0_1 = 0x3DCCCCCD;    // 0.1 rounded to a float

class DimFile : public MethodFileTest<DimMethod> {
 protected:
  std::string FilePath() const { return station.Path("Data/webcam_dim.dat"); }

  DimParams& dim = record;
};

TEST_F(DimFile, DefaultsMake56BytesWithTheTwoFloats) {
  Fresh(4, 3);
  EXPECT_EQ(dim.tolerance, 90);
  ASSERT_TRUE(SaveParams<DimMethod>(dim, frameWidth, frameHeight));
  const std::string file = ReadFileBytes(FilePath());
  EXPECT_EQ(file, Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 90, 1, k300, k200, 1}));
  ASSERT_EQ(file.size(), 56u);
  float width, height;
  std::memcpy(&width, file.data() + 44, 4);
  std::memcpy(&height, file.data() + 48, 4);
  EXPECT_EQ(width, 300.0f);
  EXPECT_EQ(height, 200.0f);
}

TEST_F(DimFile, EveryFieldInFileOrderAndBack) {
  Fresh(4, 3);
  dim.colR = 10;
  dim.colG = 20;
  dim.colB = 250;
  dim.clickX = 101;
  dim.clickY = -2;
  dim.pointX = 640;
  dim.pointY = 479;
  dim.tolerance = 80;
  dim.checkPixels = 3;
  dim.frameWidthMm = 320.5f;
  dim.frameHeightMm = 0.1f;
  dim.framesToAverage = 25;
  ASSERT_TRUE(SaveParams<DimMethod>(dim, frameWidth, frameHeight));
  EXPECT_EQ(ReadFileBytes(FilePath()),
            Words({0, 0, 10, 20, 250, 101, -2, 640, 479, 80, 3, k320_5, k0_1, 25}));

  Fresh(4, 3);
  EXPECT_EQ(LoadParams<DimMethod>(dim, frameWidth, frameHeight), ParamFileLoad::kRead);
  EXPECT_FALSE(dim.stored);
  EXPECT_EQ(dim.colR, 10);
  EXPECT_EQ(dim.colG, 20);
  EXPECT_EQ(dim.colB, 250);
  EXPECT_EQ(dim.clickX, 101);
  EXPECT_EQ(dim.clickY, -2);
  EXPECT_EQ(dim.pointX, 640);
  EXPECT_EQ(dim.pointY, 479);
  EXPECT_EQ(dim.tolerance, 80);
  EXPECT_EQ(dim.checkPixels, 3);
  EXPECT_EQ(dim.frameWidthMm, 320.5f);
  EXPECT_EQ(dim.frameHeightMm, 0.1f);
  EXPECT_EQ(dim.framesToAverage, 25);
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(DimFile, PictureComesLastRowsBottomFirst) {
  Fresh(2, 2);
  dim.stored = true;
  dim.colR = 1;
  dim.colG = 2;
  dim.colB = 3;
  PaintTwoByTwo();
  ASSERT_TRUE(SaveParams<DimMethod>(dim, frameWidth, frameHeight));
  const std::string expected =
      Words({0, 1, 1, 2, 3, 0, 0, 0, 0, 90, 1, k300, k200, 1, 2, 2}) + TwoByTwoRows();
  EXPECT_EQ(ReadFileBytes(FilePath()), expected);

  // Read back into a capture that has not met the size yet: the size goes to the frame fields.
  Fresh(2, 2);
  frameWidth = 640;
  frameHeight = 480;
  EXPECT_EQ(LoadParams<DimMethod>(dim, frameWidth, frameHeight), ParamFileLoad::kRead);
  EXPECT_TRUE(dim.stored);
  EXPECT_EQ(frameWidth, 2);
  EXPECT_EQ(frameHeight, 2);
  uint8_t r, g, b;
  dim.reference->GetPixel(1, 1, r, g, b);
  EXPECT_EQ(r, 0x41);
  EXPECT_EQ(g, 0x42);
  EXPECT_EQ(b, 0x43);
  EXPECT_EQ(dim.frameWidthMm, 300.0f);
  EXPECT_EQ(dim.framesToAverage, 1);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(DimFile, ShortFilesKeepWhatWasReadWithoutAMessage) {
  const std::string whole = Words({0, 0, 5, 6, 7, 8, 9, 10, 11, 70, 2, k320_5, k0_1, 25});
  struct Case {
    size_t bytes;
    float widthMm, heightMm;
    int32_t framesToAverage;
  } cases[] = {{44, 300, 200, 1},     {46, 300, 200, 1},     {48, 320.5f, 200, 1},
               {52, 320.5f, 0.1f, 1}, {55, 320.5f, 0.1f, 1}, {56, 320.5f, 0.1f, 25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteFileBytes(FilePath(), whole.substr(0, c.bytes));
    Fresh(1, 1);
    EXPECT_EQ(LoadParams<DimMethod>(dim, frameWidth, frameHeight), ParamFileLoad::kRead);
    EXPECT_EQ(dim.checkPixels, 2);
    EXPECT_EQ(dim.frameWidthMm, c.widthMm);
    EXPECT_EQ(dim.frameHeightMm, c.heightMm);
    EXPECT_EQ(dim.framesToAverage, c.framesToAverage);
  }
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(DimFile, MissingFileLogsWCD03OnlyAndKeepsDefaults) {
  Fresh(4, 3);
  EXPECT_EQ(LoadParams<DimMethod>(dim, frameWidth, frameHeight), ParamFileLoad::kMissing);
  EXPECT_EQ(dim.tolerance, 90);
  EXPECT_EQ(dim.frameWidthMm, 300.0f);
  EXPECT_EQ(dim.frameHeightMm, 200.0f);
  EXPECT_EQ(dim.framesToAverage, 1);
  EXPECT_EQ(station.ErrorLogText(), kMissingLog);
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(ReadFileBytes(FilePath()), "");  // the load creates nothing
}

TEST_F(DimFile, InitSetsDefaultsPathAndReferenceThenReadsAndFreeWrites) {
  const std::string file = Words({0, 0, 5, 6, 7, 0, 0, 2, 1, 70, 2, k320_5, k200, 4});
  WriteFileBytes(FilePath(), file);
  int32_t width = 8, height = 6;
  dim.stored = true;
  dim.tolerance = 5;
  InitParams<DimMethod>(dim, width, height);
  EXPECT_EQ(dim.path, station.Path("Data/webcam_dim.dat"));
  ASSERT_TRUE(dim.reference);
  EXPECT_EQ(dim.reference->Width(), 8);
  EXPECT_EQ(dim.reference->Height(), 6);
  EXPECT_FALSE(dim.stored);
  EXPECT_EQ(dim.tolerance, 70);
  EXPECT_EQ(dim.frameWidthMm, 320.5f);
  EXPECT_EQ(dim.framesToAverage, 4);

  FreeParams<DimMethod>(dim, width, height);
  EXPECT_FALSE(dim.reference);
  EXPECT_EQ(ReadFileBytes(FilePath()), file);
}

TEST_F(DimFile, AFolderInPlaceOfTheFileIsAReadError) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath())));
  Fresh(2, 2);
  EXPECT_EQ(LoadParams<DimMethod>(dim, frameWidth, frameHeight), ParamFileLoad::kFailed);
  EXPECT_EQ(station.ErrorLogText(), kReadLog);
  ExpectErrorBox(kReadBox);
}

TEST_F(DimFile, APictureTheRowBufferCannotHoldIsAReadError) {
  WriteFileBytes(FilePath(),
                 Words({0, 1, 5, 6, 7, 0, 0, 0, 0, 70, 2, k320_5, k200, 4, 1, 3334, 10002}));
  Fresh(2, 2);
  EXPECT_EQ(LoadParams<DimMethod>(dim, frameWidth, frameHeight), ParamFileLoad::kFailed);
  EXPECT_EQ(station.ErrorLogText(), kReadLog);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, kReadBox);
  // What came before the picture stays.
  EXPECT_EQ(dim.framesToAverage, 4);
  EXPECT_EQ(frameWidth, 2);
}

TEST_F(DimFile, UnwritableFileReportsWCD02) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath())));  // a folder cannot be replaced
  Fresh(2, 2);
  EXPECT_FALSE(SaveParams<DimMethod>(dim, frameWidth, frameHeight));
  EXPECT_EQ(station.ErrorLogText(), std::string(kWriteText) + "\r\n");
  ExpectErrorBox(kWriteText);
}

}  // namespace
