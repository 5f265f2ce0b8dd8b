#include <QDir>
#include <string>

#include <gtest/gtest.h>

#include "method_file_test.h"
#include "methods/methodtable.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

const char kReadLog[] = "WCZ001: errore nella lettura dei dati del punto della webcamo.\r\n";
const char kReadBox[] =
    "WCZ001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.";
const char kMissingLog[] = "WCZ003: errore nella lettura dei dati della zona della webcam.\r\n";
const char kWriteText[] = "WCZ002: errore nella scrittura dei dati del punto della webcam.";

// The record's words in file order after the header: stored, the four clicks, the four corners,
// the tolerance.
std::vector<int32_t> FileOrder(const ZoneParams& zone) {
  return {zone.stored, zone.clickX1, zone.clickY1, zone.clickX2, zone.clickY2,
          zone.zoneX1, zone.zoneY1,  zone.zoneX2,  zone.zoneY2,  zone.tolerance};
}

class ZoneFile : public MethodFileTest<ZoneMethod> {
 protected:
  std::string FilePath() const { return station.Path("Data/webcam_zona.dat"); }

  ZoneParams& zone = record;
};

TEST_F(ZoneFile, WithoutPictureIs44ExactBytesAndReadsBack) {
  Fresh(4, 3);
  zone.clickX1 = 101;
  zone.clickY1 = -2;
  zone.clickX2 = 7;
  zone.clickY2 = 480;
  zone.zoneX1 = 640;
  zone.zoneY1 = 479;
  zone.zoneX2 = -5;
  zone.zoneY2 = 12;
  zone.tolerance = 80;
  ASSERT_TRUE(SaveParams<ZoneMethod>(zone, frameWidth, frameHeight));
  const std::string file = ReadFileBytes(FilePath());
  EXPECT_EQ(file, Words({0, 0, 101, -2, 7, 480, 640, 479, -5, 12, 80}));
  EXPECT_EQ(file.size(), 44u);

  Fresh(4, 3);
  EXPECT_EQ(Load(), ParamFileLoad::kRead);
  EXPECT_EQ(FileOrder(zone), (std::vector<int32_t>{0, 101, -2, 7, 480, 640, 479, -5, 12, 80}));
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ZoneFile, WithPictureRowsBottomFirstAndNothingAfter) {
  Fresh(2, 2);
  zone.stored = true;
  zone.zoneX2 = 1;
  zone.zoneY2 = 1;
  PaintTwoByTwo();
  ASSERT_TRUE(SaveParams<ZoneMethod>(zone, frameWidth, frameHeight));
  const std::string expected = Words({0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 94, 2, 2}) + TwoByTwoRows();
  EXPECT_EQ(ReadFileBytes(FilePath()), expected);
  EXPECT_EQ(expected.size(), 52u + 2 * (4 + 3 * 2));

  // Read back into a capture that has not met the size yet: the size goes to the frame fields.
  Fresh(2, 2);
  frameWidth = 640;
  frameHeight = 480;
  EXPECT_EQ(Load(), ParamFileLoad::kRead);
  EXPECT_EQ(FileOrder(zone), (std::vector<int32_t>{1, 0, 0, 0, 0, 0, 0, 1, 1, 94}));
  EXPECT_EQ(frameWidth, 2);
  EXPECT_EQ(frameHeight, 2);
  uint8_t r, g, b;
  zone.reference->GetPixel(1, 1, r, g, b);
  EXPECT_EQ(Bytes({r, g, b}), Bytes({0x41, 0x42, 0x43}));
  zone.reference->GetPixel(0, 0, r, g, b);
  EXPECT_EQ(Bytes({r, g, b}), Bytes({0x11, 0x12, 0x13}));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ZoneFile, A640x480PictureMakesTheDocumentedSize) {
  Fresh(640, 480);
  zone.stored = true;
  ASSERT_TRUE(SaveParams<ZoneMethod>(zone, frameWidth, frameHeight));
  EXPECT_EQ(ReadFileBytes(FilePath()).size(), 52u + 480u * (4 + 3 * 640));
}

TEST_F(ZoneFile, MissingFileLogs003OnlyAndCreatesNothing) {
  Fresh(4, 3);
  EXPECT_EQ(Load(), ParamFileLoad::kMissing);
  EXPECT_EQ(FileOrder(zone), FileOrder(ZoneParams{}));
  EXPECT_EQ(station.ErrorLogText(), kMissingLog);
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(ReadFileBytes(FilePath()), "");
}

TEST_F(ZoneFile, ShortFilesKeepWhatWasReadWithoutAMessage) {
  const std::string whole =
      Words({0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 70, 1, 1, 3}) + Bytes({1, 2, 3});
  const std::vector<int32_t> read = {1, 5, 6, 7, 8, 9, 10, 11, 12, 70};
  const std::vector<int32_t> defaults = FileOrder(ZoneParams{});
  struct Case {
    size_t bytes;
    size_t wordsRead;  // words of FileOrder that the file still supplies
  } cases[] = {{0, 0}, {3, 0}, {8, 1}, {22, 4}, {40, 9}, {44, 10}, {50, 10}, {58, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteFileBytes(FilePath(), whole.substr(0, c.bytes));
    Fresh(1, 1);
    EXPECT_EQ(Load(), ParamFileLoad::kRead);
    std::vector<int32_t> want = defaults;
    std::copy(read.begin(), read.begin() + c.wordsRead, want.begin());
    EXPECT_EQ(FileOrder(zone), want);
  }
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ZoneFile, Exactly44BytesWithStoredZeroLoadsEveryValue) {
  WriteFileBytes(FilePath(), Words({0, 0, 5, 6, 7, 8, 9, 10, 11, 12, 70}));
  Fresh(2, 2);
  EXPECT_EQ(Load(), ParamFileLoad::kRead);
  EXPECT_EQ(FileOrder(zone), (std::vector<int32_t>{0, 5, 6, 7, 8, 9, 10, 11, 12, 70}));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ZoneFile, NegativeStoredIsFalseAndNoPictureIsRead) {
  // A picture follows, but a stored word of -1 is not greater than 0.
  WriteFileBytes(FilePath(),
                 Words({0, -1, 5, 6, 7, 8, 9, 10, 11, 12, 70, 1, 1, 3}) + Bytes({1, 2, 3}));
  Fresh(2, 2);
  EXPECT_EQ(Load(), ParamFileLoad::kRead);
  EXPECT_FALSE(zone.stored);
  EXPECT_EQ(zone.tolerance, 70);
  EXPECT_EQ(frameWidth, 2);
  EXPECT_EQ(frameHeight, 2);
  uint8_t r, g, b;
  zone.reference->GetPixel(0, 0, r, g, b);
  EXPECT_EQ(Bytes({r, g, b}), Bytes({0, 0, 0}));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ZoneFile, PicturesTheRowBufferCannotHoldAreReadErrors) {
  const std::string head = Words({0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 70});
  struct Case {
    const char* name;
    std::string image;
  } cases[] = {
      {"huge height", Words({0x7FFFFFFF, 2, 6})},
      {"negative height", Words({-1, 2})},
      {"width above 3333", Words({1, 3334, 10002})},
      {"row count above 10000", Words({1, 2, 10001})},
      {"row count unlike 3 * width", Words({1, 2, 9}) + Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9})},
  };
  std::string log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(FilePath(), head + c.image);
    boxes.Clear();
    Fresh(2, 2);
    EXPECT_EQ(Load(), ParamFileLoad::kFailed);
    log += kReadLog;
    EXPECT_EQ(station.ErrorLogText(), log);
    ExpectErrorBox(kReadBox);
    // Values read so far stay.
    EXPECT_EQ(FileOrder(zone), (std::vector<int32_t>{1, 5, 6, 7, 8, 9, 10, 11, 12, 70}));
  }
}

TEST_F(ZoneFile, AFolderInPlaceOfTheFileIsAReadError) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath())));
  Fresh(2, 2);
  EXPECT_EQ(Load(), ParamFileLoad::kFailed);
  EXPECT_EQ(station.ErrorLogText(), kReadLog);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, kReadBox);
}

TEST_F(ZoneFile, UnwritableFileReports002InTheLogAndInABox) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath())));  // a folder cannot be replaced
  Fresh(2, 2);
  EXPECT_FALSE(SaveParams<ZoneMethod>(zone, frameWidth, frameHeight));
  EXPECT_EQ(station.ErrorLogText(), std::string(kWriteText) + "\r\n");
  ExpectErrorBox(kWriteText);
}

}  // namespace
