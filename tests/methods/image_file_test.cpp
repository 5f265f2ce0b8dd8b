#include <QDir>
#include <string>

#include <gtest/gtest.h>

#include "method_file_test.h"
#include "methods/methodtable.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

const char kReadLog[] =
    "WCI001: errore nella lettura dei dati dell'immagine campione della webcamo.\r\n";
const char kReadBox[] =
    "WCI001: errore nella lettura dei dati dell'immagine campione della webcam. Reimpostare i "
    "valori.";
const char kMissingLog[] =
    "WCI003: errore nella lettura dei dati dell'immagine campione della webcam.\r\n";
const char kWriteText[] =
    "WCI002: errore nella scrittura dei dati dell'immagine campione della webcam.";

class ImageFile : public MethodFileTest<ImageMethod> {
 protected:
  std::string FilePath() const { return station.Path("Data/webcam_image.dat"); }

  void ExpectReadError(const std::string& log) {
    EXPECT_EQ(station.ErrorLogText(), log);
    ExpectErrorBox(kReadBox);
  }

  ImageParams& image = record;
};

TEST_F(ImageFile, WithoutPictureIs12ExactBytesAndReadsBack) {
  Fresh(4, 3);
  image.tolerance = 37;
  ASSERT_TRUE(SaveParams<ImageMethod>(image, frameWidth, frameHeight));
  EXPECT_EQ(ReadFileBytes(FilePath()), Words({0, 0, 37}));

  Fresh(4, 3);
  EXPECT_EQ(Load(), ParamFileLoad::kRead);
  EXPECT_FALSE(image.stored);
  EXPECT_EQ(image.tolerance, 37);
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ImageFile, WithPictureTheCaptureSizeAndRowsBottomFirst) {
  Fresh(2, 1);
  image.stored = true;
  image.reference->SetPixel(0, 0, 0x11, 0x12, 0x13);
  image.reference->SetPixel(1, 0, 0x21, 0x22, 0x23);
  // The capture now knows 2 x 2: the row the reference lacks is written black.
  ASSERT_TRUE(SaveParams<ImageMethod>(image, 2, 2));
  const std::string expected = Words({0, 1, 94, 2, 2}) + Words({6}) +
                               Bytes({0x11, 0x12, 0x13, 0x21, 0x22, 0x23}) + Words({6}) +
                               Bytes({0, 0, 0, 0, 0, 0});
  EXPECT_EQ(ReadFileBytes(FilePath()), expected);
  EXPECT_EQ(expected.size(), 20u + 2 * (4 + 3 * 2));

  Fresh(2, 2);
  frameWidth = 640;
  frameHeight = 480;
  EXPECT_EQ(Load(), ParamFileLoad::kRead);
  EXPECT_TRUE(image.stored);
  EXPECT_EQ(image.tolerance, 94);
  EXPECT_EQ(frameWidth, 2);
  EXPECT_EQ(frameHeight, 2);
  uint8_t r, g, b;
  image.reference->GetPixel(1, 0, r, g, b);
  EXPECT_EQ(Bytes({r, g, b}), Bytes({0x21, 0x22, 0x23}));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ImageFile, MissingFileLogs003OnlyAndCreatesNothing) {
  Fresh(4, 3);
  image.tolerance = 94;
  EXPECT_EQ(Load(), ParamFileLoad::kMissing);
  EXPECT_FALSE(image.stored);
  EXPECT_EQ(image.tolerance, 94);
  EXPECT_EQ(station.ErrorLogText(), kMissingLog);
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(ReadFileBytes(FilePath()), "");
}

TEST_F(ImageFile, BrokenFiles) {
  struct Case {
    const char* name;
    std::string bytes;
    ParamFileLoad load;
    bool stored;
    int32_t tolerance;
  } cases[] = {
      {"empty", "", ParamFileLoad::kRead, false, 94},
      {"header only", Words({0}), ParamFileLoad::kRead, false, 94},
      {"ends inside the tolerance", Words({0, 1}) + Bytes({50, 0}), ParamFileLoad::kRead, true, 94},
      {"ends before the picture", Words({0, 1, 50}), ParamFileLoad::kRead, true, 50},
      {"ends inside a row", Words({0, 1, 50, 1, 2, 6}) + Bytes({1, 2}), ParamFileLoad::kRead, true,
       50},
      {"negative stored reads no picture", Words({0, -1, 50, 0x7FFFFFFF}), ParamFileLoad::kRead,
       false, 50},
      {"huge height", Words({0, 1, 50, 0x7FFFFFFF, 2, 6}), ParamFileLoad::kFailed, true, 50},
      {"negative width", Words({0, 1, 50, 1, -2}), ParamFileLoad::kFailed, true, 50},
      {"width above 3333", Words({0, 1, 50, 1, 3334, 10002}), ParamFileLoad::kFailed, true, 50},
      {"row count unlike 3 * width", Words({0, 1, 50, 1, 2, 3}) + Bytes({1, 2, 3}),
       ParamFileLoad::kFailed, true, 50},
  };
  std::string log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(FilePath(), c.bytes);
    boxes.Clear();
    Fresh(2, 2);
    EXPECT_EQ(Load(), c.load);
    EXPECT_EQ(image.stored, c.stored);
    EXPECT_EQ(image.tolerance, c.tolerance);
    if (c.load == ParamFileLoad::kFailed) {
      log += kReadLog;
      ExpectReadError(log);
    } else {
      EXPECT_EQ(station.ErrorLogText(), log);
      EXPECT_EQ(boxes.Count(), 0u);
    }
  }
}

TEST_F(ImageFile, AFolderInPlaceOfTheFileIsAReadError) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath())));
  Fresh(2, 2);
  EXPECT_EQ(Load(), ParamFileLoad::kFailed);
  ExpectReadError(kReadLog);
}

TEST_F(ImageFile, UnwritableFileReports002InTheLogAndInABox) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath())));
  Fresh(2, 2);
  EXPECT_FALSE(SaveParams<ImageMethod>(image, frameWidth, frameHeight));
  EXPECT_EQ(station.ErrorLogText(), std::string(kWriteText) + "\r\n");
  ExpectErrorBox(kWriteText);
}

// The whole-image record comes first: the size of its stored picture is the frame size that the
// point and zone records are then created with, and the size every file is written with.
TEST(MethodRecords, TheWholeImageFileSizesTheLaterRecords) {
  TempStation station;
  MessageBoxRecorder boxes;
  WriteFileBytes(station.Path("Data/webcam_image.dat"),
                 Words({0, 1, 90, 1, 3, 9}) + Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  MethodRecords records;
  int32_t frameWidth = 640, frameHeight = 480;
  records.InitAll(frameWidth, frameHeight);
  EXPECT_EQ(frameWidth, 3);
  EXPECT_EQ(frameHeight, 1);
  EXPECT_EQ(records.Of<ImageMethod>().reference->Width(), 640);
  EXPECT_EQ(records.Of<PointMethod>().reference->Width(), 3);
  EXPECT_EQ(records.Of<ZoneMethod>().reference->Width(), 3);
  EXPECT_EQ(records.Of<ZoneMethod>().reference->Height(), 1);
  // The whole image was read; the missing files are reported in record order.
  const std::string log = station.ErrorLogText();
  EXPECT_EQ(log.find("WCI003"), std::string::npos);
  ASSERT_NE(log.find("WCZ003: errore nella lettura dei dati della zona della webcam.\r\n"),
            std::string::npos);
  EXPECT_LT(log.find("WCP003: errore nella lettura dei dati del punto della webcam.\r\n"),
            log.find("WCZ003"));

  records.FreeAll(frameWidth, frameHeight);
  EXPECT_EQ(ReadFileBytes(station.Path("Data/webcam_image.dat")),
            Words({0, 1, 90, 1, 3, 9}) + Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(ReadFileBytes(station.Path("Data/webcam_zona.dat")),
            Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 94}));
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
