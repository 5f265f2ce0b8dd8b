#include <QDir>
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "method_file_test.h"
#include "methods/methodtable.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

const char kReadLog[] = "WCP001: errore nella lettura dei dati del punto della webcamo.\r\n";
const char kReadBox[] =
    "WCP001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.";
const char kMissingLog[] = "WCP003: errore nella lettura dei dati del punto della webcam.\r\n";
const char kWriteText[] = "WCP002: errore nella scrittura dei dati del punto della webcam.";

class PointFile : public MethodFileTest<PointMethod> {
 protected:
  std::string FilePath() const { return station.Path("Data/webcam_point.dat"); }

  // Fields in file order (1 stored ... 10 checkPixels); those from `field` on keep their defaults.
  // The mode word is never complete in the files these tests cut short.
  void ExpectDefaultsAfter(int32_t field) const {
    const PointParams defaults;
    const int32_t got[] = {point.stored,    point.colR,       point.colG,   point.colB,
                           point.clickX,    point.clickY,     point.pointX, point.pointY,
                           point.tolerance, point.checkPixels};
    const int32_t want[] = {defaults.stored,     defaults.colR,   defaults.colG,
                            defaults.colB,       defaults.clickX, defaults.clickY,
                            defaults.pointX,     defaults.pointY, defaults.tolerance,
                            defaults.checkPixels};
    for (int32_t i = std::max(field, 1); i <= 10; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(got[i - 1], want[i - 1]);
    }
    EXPECT_FALSE(point.searchWholeImage);
  }

  // The error log holds `lines` WCP001 lines and one box has been shown since the last Clear.
  void ExpectReadError(int lines = 1) {
    std::string log;
    for (int i = 0; i < lines; ++i) log += kReadLog;
    EXPECT_EQ(station.ErrorLogText(), log);
    ExpectErrorBox(kReadBox);
  }

  PointParams& point = record;
};

TEST_F(PointFile, WithoutPictureIs48ExactBytes) {
  Fresh(4, 3);
  point.colR = 10;
  point.colG = 20;
  point.colB = 250;
  point.clickX = 101;
  point.clickY = -2;
  point.pointX = 640;
  point.pointY = 479;
  point.tolerance = 80;
  point.checkPixels = 3;
  point.searchWholeImage = true;
  ASSERT_TRUE(SaveParams<PointMethod>(point, frameWidth, frameHeight));
  EXPECT_EQ(ReadFileBytes(FilePath()), Words({0, 0, 10, 20, 250, 101, -2, 640, 479, 80, 3, 1}));

  Fresh(4, 3);
  EXPECT_EQ(LoadParams<PointMethod>(point, frameWidth, frameHeight), ParamFileLoad::kRead);
  EXPECT_FALSE(point.stored);
  EXPECT_EQ(point.colR, 10);
  EXPECT_EQ(point.colG, 20);
  EXPECT_EQ(point.colB, 250);
  EXPECT_EQ(point.clickX, 101);
  EXPECT_EQ(point.clickY, -2);
  EXPECT_EQ(point.pointX, 640);
  EXPECT_EQ(point.pointY, 479);
  EXPECT_EQ(point.tolerance, 80);
  EXPECT_EQ(point.checkPixels, 3);
  EXPECT_TRUE(point.searchWholeImage);
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(PointFile, WithPictureRowsBottomFirstThenTheModeWord) {
  Fresh(2, 2);
  point.stored = true;
  point.colR = 1;
  point.colG = 2;
  point.colB = 3;
  PaintTwoByTwo();
  ASSERT_TRUE(SaveParams<PointMethod>(point, frameWidth, frameHeight));
  std::string expected =
      Words({0, 1, 1, 2, 3, 0, 0, 0, 0, 94, 1, 2, 2}) + TwoByTwoRows() + Words({0});
  EXPECT_EQ(ReadFileBytes(FilePath()), expected);
  EXPECT_EQ(expected.size(), 56u + 2 * (4 + 3 * 2));

  // Read back into a capture that has not met the size yet: the size goes to the frame fields.
  Fresh(2, 2);
  frameWidth = 640;
  frameHeight = 480;
  EXPECT_EQ(LoadParams<PointMethod>(point, frameWidth, frameHeight), ParamFileLoad::kRead);
  EXPECT_TRUE(point.stored);
  EXPECT_EQ(frameWidth, 2);
  EXPECT_EQ(frameHeight, 2);
  uint8_t r, g, b;
  point.reference->GetPixel(1, 1, r, g, b);
  EXPECT_EQ(r, 0x41);
  EXPECT_EQ(g, 0x42);
  EXPECT_EQ(b, 0x43);
  point.reference->GetPixel(0, 0, r, g, b);
  EXPECT_EQ(r, 0x11);
  EXPECT_FALSE(point.searchWholeImage);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(PointFile, PictureUsesTheCaptureSizeAndBlackOutsideTheReference) {
  // The reference is 1 x 1 but the capture now knows 2 x 1.
  Fresh(1, 1);
  point.stored = true;
  point.reference->SetPixel(0, 0, 9, 8, 7);
  ASSERT_TRUE(SaveParams<PointMethod>(point, 2, 1));
  EXPECT_EQ(ReadFileBytes(FilePath()), Words({0, 1, 0, 0, 0, 0, 0, 0, 0, 94, 1, 1, 2, 6}) +
                                           Bytes({9, 8, 7, 0, 0, 0}) + Words({0}));
}

TEST_F(PointFile, A640x480PictureMakesTheDocumentedSize) {
  Fresh(640, 480);
  point.stored = true;
  ASSERT_TRUE(SaveParams<PointMethod>(point, frameWidth, frameHeight));
  EXPECT_EQ(ReadFileBytes(FilePath()).size(), 56u + 480u * 1924u);
}

TEST_F(PointFile, MissingFileLogs003OnlyAndKeepsDefaults) {
  Fresh(4, 3);
  EXPECT_EQ(LoadParams<PointMethod>(point, frameWidth, frameHeight), ParamFileLoad::kMissing);
  ExpectDefaultsAfter(0);
  EXPECT_EQ(station.ErrorLogText(), kMissingLog);
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(ReadFileBytes(FilePath()), "");  // the load creates nothing
}

TEST_F(PointFile, InitSetsDefaultsPathAndReferenceThenReads) {
  WriteFileBytes(FilePath(), Words({0, 0, 5, 6, 7, 0, 0, 2, 1, 70, 2, 1}));
  int32_t width = 8, height = 6;
  point.stored = true;
  point.colR = 99;
  InitParams<PointMethod>(point, width, height);
  EXPECT_EQ(point.path, station.Path("Data/webcam_point.dat"));
  ASSERT_TRUE(point.reference);
  EXPECT_EQ(point.reference->Width(), 8);
  EXPECT_EQ(point.reference->Height(), 6);
  EXPECT_FALSE(point.stored);
  EXPECT_EQ(point.colR, 5);
  EXPECT_EQ(point.tolerance, 70);
  EXPECT_TRUE(point.searchWholeImage);

  FreeParams<PointMethod>(point, width, height);
  EXPECT_FALSE(point.reference);
  EXPECT_EQ(ReadFileBytes(FilePath()), Words({0, 0, 5, 6, 7, 0, 0, 2, 1, 70, 2, 1}));
}

TEST_F(PointFile, ShortFilesKeepWhatWasReadWithoutAMessage) {
  const std::string whole = Words({0, 1, 5, 6, 7, 8, 9, 10, 11, 70, 2, 1, 1}) + Words({3}) +
                            Bytes({1, 2, 3}) + Words({1});
  struct Case {
    size_t bytes;
    int32_t firstDefault;  // field number (file order) from which defaults stay
  } cases[] = {{0, 0}, {3, 0}, {8, 2}, {20, 5}, {38, 9}, {44, 11}, {48, 11}, {56, 11}, {62, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteFileBytes(FilePath(), whole.substr(0, c.bytes));
    Fresh(1, 1);
    EXPECT_EQ(LoadParams<PointMethod>(point, frameWidth, frameHeight), ParamFileLoad::kRead);
    ExpectDefaultsAfter(c.firstDefault);
    if (c.firstDefault > 10) {
      EXPECT_TRUE(point.stored);
      EXPECT_EQ(point.checkPixels, 2);
    }
  }
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
  // The whole file for comparison: the picture and the mode word arrive.
  WriteFileBytes(FilePath(), whole);
  Fresh(1, 1);
  LoadParams<PointMethod>(point, frameWidth, frameHeight);
  uint8_t r, g, b;
  point.reference->GetPixel(0, 0, r, g, b);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(b, 3);
  EXPECT_TRUE(point.searchWholeImage);
}

TEST_F(PointFile, StoredMinusOneIsFalseAndNoPictureFollows) {
  WriteFileBytes(FilePath(), Words({0, -1, 0x1234, 0x7FFFFF05, -1, 0, 0, 0, 0, 94, 1, 1}));
  Fresh(2, 2);
  EXPECT_EQ(LoadParams<PointMethod>(point, frameWidth, frameHeight), ParamFileLoad::kRead);
  EXPECT_FALSE(point.stored);
  // Colours come back from the low byte of their words.
  EXPECT_EQ(point.colR, 0x34);
  EXPECT_EQ(point.colG, 0x05);
  EXPECT_EQ(point.colB, 0xFF);
  EXPECT_TRUE(point.searchWholeImage);  // the word right after checkPixels
  EXPECT_EQ(frameWidth, 2);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(PointFile, PicturesTheRowBufferCannotHoldAreReadErrors) {
  const std::string head = Words({0, 1, 5, 6, 7, 0, 0, 0, 0, 70, 2});
  struct Case {
    const char* name;
    std::string image;
    bool sizeTaken;  // the stored size reached the frame fields before the refusal
  } cases[] = {
      {"huge height", Words({0x7FFFFFFF, 2, 6}), false},
      {"height above the limit", Words({10001, 1, 3}), false},
      {"negative height", Words({-1, 2}), false},
      {"negative width", Words({1, -2}), false},
      {"width above 3333", Words({1, 3334, 10002}), false},
      {"row count above 10000", Words({1, 2, 10001}), true},
      {"row count unlike 3 * width", Words({1, 2, 9}) + Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}), true},
      {"negative row count", Words({1, 2, -6}), true},
      {"second row count wrong", Words({2, 1, 3}) + Bytes({1, 2, 3}) + Words({4}), true},
  };
  int failures = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(FilePath(), head + c.image + Words({1}));
    boxes.Clear();
    Fresh(2, 2);
    EXPECT_EQ(LoadParams<PointMethod>(point, frameWidth, frameHeight), ParamFileLoad::kFailed);
    ExpectReadError(++failures);
    // Values read so far stay; the mode word after the picture is never reached.
    EXPECT_TRUE(point.stored);
    EXPECT_EQ(point.tolerance, 70);
    EXPECT_EQ(point.checkPixels, 2);
    EXPECT_FALSE(point.searchWholeImage);
    if (!c.sizeTaken) {
      EXPECT_EQ(frameWidth, 2);
      EXPECT_EQ(frameHeight, 2);
    }
  }
}

TEST_F(PointFile, WidestStorablePictureIsAccepted) {
  std::string row(3 * 3333, '\x7F');
  WriteFileBytes(FilePath(),
                 Words({0, 1, 5, 6, 7, 0, 0, 0, 0, 70, 2, 1, 3333, 9999}) + row + Words({1}));
  Fresh(3333, 1);
  EXPECT_EQ(LoadParams<PointMethod>(point, frameWidth, frameHeight), ParamFileLoad::kRead);
  EXPECT_EQ(frameWidth, 3333);
  EXPECT_TRUE(point.searchWholeImage);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(PointFile, AFolderInPlaceOfTheFileIsAReadError) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath())));
  Fresh(2, 2);
  EXPECT_EQ(LoadParams<PointMethod>(point, frameWidth, frameHeight), ParamFileLoad::kFailed);
  ExpectReadError();
  ExpectDefaultsAfter(0);
}

TEST_F(PointFile, UnwritableFileReports002) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath())));  // a folder cannot be replaced
  Fresh(2, 2);
  EXPECT_FALSE(SaveParams<PointMethod>(point, frameWidth, frameHeight));
  EXPECT_EQ(station.ErrorLogText(), std::string(kWriteText) + "\r\n");
  ExpectErrorBox(kWriteText);
}

TEST_F(PointFile, ARecordWithoutPathIsNeverWritten) {
  Fresh(2, 2);
  point.path.clear();  // as in a capture that did not connect
  EXPECT_TRUE(SaveParams<PointMethod>(point, frameWidth, frameHeight));
  FreeParams<PointMethod>(point, frameWidth, frameHeight);
  EXPECT_EQ(ReadFileBytes(FilePath()), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
