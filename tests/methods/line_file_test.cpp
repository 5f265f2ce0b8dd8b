#include <QDir>
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "method_file_test.h"
#include "methods/methodtable.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

// What each line method's file and messages must be, written out.
template <class Row>
struct Expected;

template <>
struct Expected<VerticalLineMethod> {
  static constexpr char kFile[] = "Data/webcam_lineavert.dat";
  static constexpr int32_t kLength = 120;
  static constexpr char kMissingLog[] =
      "WCLV003: errore nella lettura dei dati del punto della webcam.\r\n";
  static constexpr char kReadLog[] =
      "WCLV001: errore nella lettura dei dati del punto della webcamo.\r\n";
  static constexpr char kReadBox[] =
      "WCLV001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.";
  static constexpr char kWriteText[] =
      "WCLV002: errore nella scrittura dei dati del punto della webcam.";
};

template <>
struct Expected<HorizontalLineMethod> {
  static constexpr char kFile[] = "Data/webcam_lineaoriz.dat";
  static constexpr int32_t kLength = 160;
  static constexpr char kMissingLog[] =
      "WCLO003: errore nella lettura dei dati del punto della webcam.\r\n";
  static constexpr char kReadLog[] =
      "WCLO001: errore nella lettura dei dati del punto della webcamo.\r\n";
  static constexpr char kReadBox[] =
      "WCLO001: errore nella lettura dei dati del punto della webcam. Reimpostare i valori.";
  static constexpr char kWriteText[] =
      "WCLO002: errore nella scrittura dei dati del punto della webcam.";
};

template <class Row>
class LineFile : public MethodFileTest<Row> {
 protected:
  using Want = Expected<Row>;

  std::string FilePath() const { return this->station.Path(Want::kFile); }

  // Fields in file order (1 stored ... 10 lineLength); those from `field` on keep their defaults.
  void ExpectDefaultsAfter(int32_t field) const {
    const int32_t got[] = {line.stored, line.colR,   line.colG,   line.colB,      line.clickX,
                           line.clickY, line.pointX, line.pointY, line.tolerance, line.lineLength};
    const int32_t want[] = {false, 0, 0, 0, 0, 0, 0, 0, 94, Want::kLength};
    for (int32_t i = std::max(field, 1); i <= 10; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(got[i - 1], want[i - 1]);
    }
  }

  typename Row::Record& line = this->record;
};

using LineMethods = ::testing::Types<VerticalLineMethod, HorizontalLineMethod>;
TYPED_TEST_SUITE(LineFile, LineMethods);

TYPED_TEST(LineFile, WithoutPictureIs44ExactBytes) {
  this->Fresh(4, 3);
  auto& line = this->line;
  line.colR = 10;
  line.colG = 20;
  line.colB = 250;
  line.clickX = 101;
  line.clickY = -2;
  line.pointX = 640;
  line.pointY = 479;
  line.tolerance = 80;
  line.lineLength = -3;
  ASSERT_TRUE(this->Save());
  EXPECT_EQ(ReadFileBytes(this->FilePath()), Words({0, 0, 10, 20, 250, 101, -2, 640, 479, 80, -3}));

  this->Fresh(4, 3);
  EXPECT_EQ(this->Load(), ParamFileLoad::kRead);
  EXPECT_FALSE(line.stored);
  EXPECT_EQ(line.colR, 10);
  EXPECT_EQ(line.colG, 20);
  EXPECT_EQ(line.colB, 250);
  EXPECT_EQ(line.clickX, 101);
  EXPECT_EQ(line.clickY, -2);
  EXPECT_EQ(line.pointX, 640);
  EXPECT_EQ(line.pointY, 479);
  EXPECT_EQ(line.tolerance, 80);
  EXPECT_EQ(line.lineLength, -3);
  EXPECT_EQ(this->station.ErrorLogText(), "");
  EXPECT_EQ(this->boxes.Count(), 0u);
}

TYPED_TEST(LineFile, WithPictureRowsBottomFirstAndNothingAfter) {
  this->Fresh(2, 2);
  auto& line = this->line;
  line.stored = true;
  line.colR = 1;
  line.colG = 2;
  line.colB = 3;
  line.pointX = 1;
  line.lineLength = 7;
  this->PaintTwoByTwo();
  ASSERT_TRUE(this->Save());
  std::string expected = Words({0, 1, 1, 2, 3, 0, 0, 1, 0, 94, 7, 2, 2}) + TwoByTwoRows();
  EXPECT_EQ(ReadFileBytes(this->FilePath()), expected);

  // Read back into a capture that has not met the size yet: the size goes to the frame fields.
  this->Fresh(2, 2);
  this->frameWidth = 640;
  this->frameHeight = 480;
  EXPECT_EQ(this->Load(), ParamFileLoad::kRead);
  EXPECT_TRUE(line.stored);
  EXPECT_EQ(line.lineLength, 7);
  EXPECT_EQ(this->frameWidth, 2);
  EXPECT_EQ(this->frameHeight, 2);
  uint8_t r, g, b;
  line.reference->GetPixel(1, 1, r, g, b);
  EXPECT_EQ(r, 0x41);
  EXPECT_EQ(g, 0x42);
  EXPECT_EQ(b, 0x43);
  line.reference->GetPixel(0, 0, r, g, b);
  EXPECT_EQ(r, 0x11);
  EXPECT_EQ(this->boxes.Count(), 0u);
}

TYPED_TEST(LineFile, MissingFileLogs003OnlyThenFreeWritesTheDefaults) {
  int32_t width = 4, height = 3;
  auto& line = this->line;
  line.stored = true;
  line.lineLength = 5;
  InitParams<TypeParam>(line, width, height);
  EXPECT_EQ(line.path, this->FilePath());
  ASSERT_TRUE(line.reference);
  EXPECT_EQ(line.reference->Width(), 4);
  this->ExpectDefaultsAfter(0);
  EXPECT_EQ(this->station.ErrorLogText(), TestFixture::Want::kMissingLog);
  EXPECT_EQ(this->boxes.Count(), 0u);
  EXPECT_EQ(ReadFileBytes(this->FilePath()), "");  // the load creates nothing

  FreeParams<TypeParam>(line, width, height);
  EXPECT_FALSE(line.reference);
  EXPECT_EQ(ReadFileBytes(this->FilePath()),
            Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 94, TestFixture::Want::kLength}));
}

TYPED_TEST(LineFile, ShortFilesKeepWhatWasReadWithoutAMessage) {
  const std::string whole =
      Words({0, 1, 5, 6, 7, 8, 9, 10, 11, 70, 33, 1, 1}) + Words({3}) + Bytes({1, 2, 3});
  const struct {
    size_t bytes;
    int32_t firstDefault;  // field number (file order) from which defaults stay
  } cases[] = {{0, 0}, {3, 0}, {8, 2}, {20, 5}, {38, 9}, {42, 10}, {44, 11}, {52, 11}, {58, 11}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteFileBytes(this->FilePath(), whole.substr(0, c.bytes));
    this->Fresh(1, 1);
    EXPECT_EQ(this->Load(), ParamFileLoad::kRead);
    this->ExpectDefaultsAfter(c.firstDefault);
  }
  EXPECT_EQ(this->station.ErrorLogText(), "");
  EXPECT_EQ(this->boxes.Count(), 0u);
  // The whole file for comparison: the picture arrives.
  WriteFileBytes(this->FilePath(), whole);
  this->Fresh(1, 1);
  EXPECT_EQ(this->Load(), ParamFileLoad::kRead);
  uint8_t r, g, b;
  this->line.reference->GetPixel(0, 0, r, g, b);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(b, 3);
}

TYPED_TEST(LineFile, StoredMinusOneIsFalseAndColoursComeFromTheLowByte) {
  WriteFileBytes(this->FilePath(), Words({0, -1, 0x1234, 0x7FFFFF05, -1, 0, 0, 0, 0, 94, 9}));
  this->Fresh(2, 2);
  EXPECT_EQ(this->Load(), ParamFileLoad::kRead);
  EXPECT_FALSE(this->line.stored);
  EXPECT_EQ(this->line.colR, 0x34);
  EXPECT_EQ(this->line.colG, 0x05);
  EXPECT_EQ(this->line.colB, 0xFF);
  EXPECT_EQ(this->line.lineLength, 9);
  EXPECT_EQ(this->frameWidth, 2);
  EXPECT_EQ(this->boxes.Count(), 0u);
}

TYPED_TEST(LineFile, BrokenFilesReport001AndKeepWhatWasRead) {
  const std::string head = Words({0, 1, 5, 6, 7, 0, 0, 0, 0, 70, 33});
  const struct {
    const char* name;
    std::string bytes;  // empty: a folder in place of the file
  } cases[] = {
      {"a folder in place of the file", ""},
      {"width above 3333", head + Words({1, 3334, 10002})},
      {"row count unlike 3 * width", head + Words({1, 2, 9}) + Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9})},
  };
  using Want = typename TestFixture::Want;
  std::string log;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.bytes.empty())
      ASSERT_TRUE(QDir().mkpath(QString::fromStdString(this->FilePath())));
    else
      WriteFileBytes(this->FilePath(), c.bytes);
    this->boxes.Clear();
    this->Fresh(2, 2);
    EXPECT_EQ(this->Load(), ParamFileLoad::kFailed);
    log += Want::kReadLog;
    EXPECT_EQ(this->station.ErrorLogText(), log);
    this->ExpectErrorBox(Want::kReadBox);
    if (c.bytes.empty()) {
      this->ExpectDefaultsAfter(0);
      ASSERT_TRUE(QDir().rmdir(QString::fromStdString(this->FilePath())));
    } else {
      EXPECT_TRUE(this->line.stored);
      EXPECT_EQ(this->line.tolerance, 70);
      EXPECT_EQ(this->line.lineLength, 33);
    }
  }
}

TYPED_TEST(LineFile, UnwritableFileReports002) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(this->FilePath())));
  this->Fresh(2, 2);
  EXPECT_FALSE(this->Save());
  const std::string text = TestFixture::Want::kWriteText;
  EXPECT_EQ(this->station.ErrorLogText(), text + "\r\n");
  this->ExpectErrorBox(text);
}

}  // namespace
