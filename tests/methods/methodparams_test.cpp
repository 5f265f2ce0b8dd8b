#include "methods/methodparams.h"

#include <QDir>

#include <gtest/gtest.h>

#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

TEST(ToleranceRule, ThresholdAndLargestMatchingDifference) {
  struct Case {
    int32_t tolerance;
    double threshold;
    int32_t limit;
  } cases[] = {
      {94, 15.3, 15},   {100, 0.0, 0},     {0, 255.0, 255},  {95, 12.75, 12},
      {101, -2.55, -1}, {-10, 280.5, 255}, {50, 127.5, 127},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tolerance);
    EXPECT_DOUBLE_EQ(ToleranceThreshold(c.tolerance), c.threshold);
    EXPECT_EQ(ChannelLimit(c.tolerance), c.limit);
  }
}

TEST(ToleranceRule, ChannelsAreJudgedApartWithLessOrEqual) {
  struct Case {
    const char* name;
    uint8_t r, g, b;
    int32_t tolerance;
    bool matches;
  } cases[] = {
      {"15 up in red at 94", 115, 100, 100, 94, true},
      {"16 up in red at 94", 116, 100, 100, 94, false},
      {"15 down in blue at 94", 100, 100, 85, 94, true},
      {"16 down in green at 94", 100, 84, 100, 94, false},
      {"15 in every channel at 94", 115, 85, 115, 94, true},
      {"1 off at 100", 100, 100, 101, 100, false},
      {"exact at 100", 100, 100, 100, 100, true},
      {"far off at 0", 0, 255, 0, 0, true},
      {"exact above 100", 100, 100, 100, 101, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ColourMatches(c.r, c.g, c.b, 100, 100, 100, ChannelLimit(c.tolerance)), c.matches);
  }
}

TEST(ToleranceRule, AveragesAreJudgedAgainstTheDecimalThreshold) {
  struct Case {
    double difference;
    int32_t tolerance;
    bool within;
  } cases[] = {
      {255.0, 0, true},   {15.3, 94, true}, {15.31, 94, false}, {0.0, 100, true},
      {0.01, 100, false}, {51.0, 80, true}, {51.01, 80, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.difference << " at " << c.tolerance);
    EXPECT_EQ(WithinTolerance(c.difference, c.tolerance), c.within);
  }
}

TEST(ViewScale, ScreenAndFrameConversionsTruncateWithProductFirst) {
  // A 640 x 480 panel over a 1280 x 720 frame.
  ViewScale scale{640, 480, 1280, 720};
  struct Case {
    const char* name;
    int32_t got;
    int32_t expected;
  } cases[] = {
      {"frame x of mouse 101", scale.FrameX(101), 202},
      {"frame y of mouse 0 at the top", scale.FrameY(0, 480), 720},
      {"frame y of mouse 479", scale.FrameY(479, 480), 1},  // 1 * 720 / 480 = 1.5
      {"frame y of mouse 1", scale.FrameY(1, 480), 718},    // 479 * 720 / 480 = 718.5
      {"picture y unflipped", scale.PictureY(1), 1},
      {"window x of frame 3", scale.WindowX(3), 1},  // 640 * 3 / 1280 = 1.5
      {"window y of frame 0", scale.WindowY(0), 480},
      {"window y of frame 719", scale.WindowY(719), 0},  // 480 * 1 / 720
      {"window y of frame 718", scale.WindowY(718), 1},  // 480 * 2 / 720 = 1.33
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.got, c.expected);
  }
}

TEST(ViewScale, SizesOfZeroAnswerZeroInsteadOfDividing) {
  ViewScale none{};
  EXPECT_EQ(none.FrameX(10), 0);
  EXPECT_EQ(none.FrameY(10, 480), 0);
  EXPECT_EQ(none.WindowX(10), 0);
  EXPECT_EQ(none.WindowY(10), 0);
  EXPECT_EQ(MulDiv32(INT32_MIN, 1, -1), INT32_MIN);  // wraps in 32-bit arithmetic
  EXPECT_EQ(MulDiv32(-7, 1, 2), -3);                 // truncation toward zero
}

TEST(SaveParamFile, FailedWriteLeavesTheOldFileAndReports002) {
  TempStation station;
  MessageBoxRecorder boxes;
  ParamFileMessages messages{"M003", "M001 log", "M001 box", "M002"};
  std::string path = station.Path("Data/x.dat");
  WriteFileBytes(path, Words({0, 1, 2}));
  // A folder where the temporary file would go makes the write fail before the rename.
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path + ".tmp")));
  EXPECT_FALSE(SaveParamFile(path, messages, [](ParamFileWriter& w) { w.Word(7); }));
  EXPECT_EQ(ReadFileBytes(path), Words({0, 1, 2}));
  EXPECT_EQ(station.ErrorLogText(), "M002\r\n");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "M002");
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
}

TEST(SaveParamFile, EmptyPathWritesNothing) {
  TempStation station;
  MessageBoxRecorder boxes;
  bool called = false;
  EXPECT_TRUE(SaveParamFile("", {"a", "b", "c", "d"}, [&](ParamFileWriter&) { called = true; }));
  EXPECT_FALSE(called);
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(station.ErrorLogText(), "");
}

TEST(ParamFileFloat, RoundTripsTheBits) {
  TempStation station;
  std::string path = station.Path("Data/f.dat");
  ParamFileMessages messages{"M003", "M001 log", "M001 box", "M002"};
  ASSERT_TRUE(SaveParamFile(path, messages, [](ParamFileWriter& w) { w.Float(1.5f); }));
  EXPECT_EQ(ReadFileBytes(path), Words({0x3FC00000}));
  float value = 0;
  EXPECT_EQ(LoadParamFile(path, messages, [&](ParamFileReader& r) { r.Float(value); }),
            ParamFileLoad::kRead);
  EXPECT_EQ(value, 1.5f);
}

}  // namespace
