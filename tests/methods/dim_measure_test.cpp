#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "methods/webcam_sistemavisione_dim.h"

namespace {

struct Rgb {
  uint8_t r, g, b;
};

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kOrange{240, 128, 32};

// A filled rectangle (columns x0 ... x1, rows y0 ... y1, inclusive) or, with a radius, the disc of
// the pixels whose distance from (x0, y0) is at most the radius.
struct Shape {
  int32_t x0, y0, x1 = 0, y1 = 0;
  Rgb colour = kOrange;
  int32_t radius = 0;
};
Shape Rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb colour = kOrange) {
  return {.x0 = x0, .y0 = y0, .x1 = x1, .y1 = y1, .colour = colour};
}
Shape Disc(int32_t cx, int32_t cy, int32_t radius) {
  return {.x0 = cx, .y0 = cy, .radius = radius};
}

// The frame bitmap, of the size the capture knows: a background and shapes drawn in order.
struct Scene {
  int32_t width, height;
  std::vector<Shape> shapes;
  Rgb background = kGrey;
};

std::unique_ptr<MyBitmap> Draw(const Scene& scene) {
  auto frame = std::make_unique<MyBitmap>(scene.width, scene.height);
  for (int32_t y = 0; y < scene.height; ++y)
    for (int32_t x = 0; x < scene.width; ++x) {
      Rgb colour = scene.background;
      for (const Shape& s : scene.shapes) {
        const int64_t dx = x - s.x0, dy = y - s.y0;
        const bool inside = s.radius > 0 ? dx * dx + dy * dy <= int64_t{s.radius} * s.radius
                                         : x >= s.x0 && x <= s.x1 && y >= s.y0 && y <= s.y1;
        if (inside) colour = s.colour;
      }
      frame->SetPixel(x, y, colour.r, colour.g, colour.b);
    }
  return frame;
}

// What the dimension record holds; the picture's millimetres default to the initial 300 x 200.
struct Taught {
  Rgb colour = kOrange;
  int32_t tolerance = 90;
  int32_t checkPixels = 1;
  float widthMm = 300.0f, heightMm = 200.0f;
};

DimParams Record(const Taught& taught, int32_t framesToAverage = 1) {
  DimParams dim;
  dim.colR = taught.colour.r;
  dim.colG = taught.colour.g;
  dim.colB = taught.colour.b;
  dim.tolerance = taught.tolerance;
  dim.checkPixels = taught.checkPixels;
  dim.frameWidthMm = taught.widthMm;
  dim.frameHeightMm = taught.heightMm;
  dim.framesToAverage = framesToAverage;
  return dim;
}

// millimetres as the measurement computes them: extended precision, stored as a float.
float Mm(int32_t pixels, float pictureMm, int32_t framePixels) {
  return static_cast<float>(static_cast<long double>(pixels) * pictureMm / framePixels);
}

struct Answer {
  bool found;
  int32_t centreX = 0, centreY = 0, widthPx = 0, heightPx = 0;
  float widthMm = 0, heightMm = 0;
};
constexpr Answer kNotFound{false};

struct MeasureCase {
  const char* name;
  Scene scene;
  Taught taught;
  Answer answer;
};

const MeasureCase kCases[] = {
    {"rectangle: seed at its bottom-left pixel (100, 50), 99 x 79 between the outermost pixels",
     {640, 480, {Rect(100, 50, 199, 129)}},
     {},
     {true, 149, 89, 99, 79, 46.40625f, Mm(79, 200, 480)}},
    {"disc: the seed row is one pixel wide, the column finds the height, the middle row the width",
     {640, 480, {Disc(300, 200, 50)}},
     {},
     {true, 300, 200, 100, 100, Mm(100, 300, 640), Mm(100, 200, 480)}},
    {"object touching the left edge: the scan stops at column 0",
     {100, 100, {Rect(0, 10, 49, 29)}},
     {.widthMm = 100, .heightMm = 100},
     {true, 24, 19, 49, 19, 49, 19}},
    {"object touching the right and top edges: the outside stops the scans",
     {100, 100, {Rect(60, 70, 99, 99)}},
     {.widthMm = 100, .heightMm = 100},
     {true, 79, 84, 39, 29, 39, 29}},
    {"checkPixels 2 on an object one pixel thick: no block fits",
     {100, 100, {Rect(10, 40, 89, 40)}},
     {.checkPixels = 2},
     kNotFound},
    {"checkPixels 2: the seed is the first pixel whose 2 x 2 block fits, the sizes are the "
     "object's",
     {100, 100, {Rect(10, 10, 19, 19)}},
     {.checkPixels = 2, .widthMm = 100, .heightMm = 100},
     {true, 14, 14, 9, 9, 9, 9}},
    {"checkPixels 1 on the same thin object: found, no height",
     {100, 100, {Rect(10, 40, 89, 40)}},
     {.widthMm = 100, .heightMm = 100},
     {true, 49, 40, 79, 0, 79, 0}},
    {"closest colour seeds: an exact object above beats a near one below",
     {100, 100, {Rect(10, 10, 29, 19, {245, 128, 32}), Rect(50, 60, 59, 79)}},
     {.widthMm = 100, .heightMm = 100},
     {true, 54, 69, 9, 19, 9, 19}},
    {"equal distances: the lower object is measured",
     {100, 100, {Rect(50, 60, 59, 79), Rect(10, 10, 29, 19)}},
     {.widthMm = 100, .heightMm = 100},
     {true, 19, 14, 19, 9, 19, 9}},
    {"tolerance 90 allows 25.5: a column 25 off the colour belongs to the object, one 26 off not",
     {100,
      100,
      {Rect(10, 10, 19, 19), Rect(20, 10, 20, 19, {240, 128, 57}),
       Rect(21, 10, 21, 19, {240, 128, 58})}},
     {.widthMm = 100, .heightMm = 100},
     {true, 15, 14, 10, 9, 10, 9}},
    {"a gap ends a scan: the part beyond it is not measured",
     {100, 100, {Rect(10, 10, 39, 19), Rect(25, 10, 25, 19, kGrey)}},
     {.widthMm = 100, .heightMm = 100},
     {true, 17, 14, 14, 9, 14, 9}},
    {"the second row scan starts again from the seed's column",
     // The bottom row reaches 10..40, the rows above only 20..30: the middle row has nothing at
     // the seed's column 10, so its scan finds no width there.
     {100, 100, {Rect(10, 10, 40, 10), Rect(20, 11, 30, 30)}},
     {.widthMm = 100, .heightMm = 100},
     {true, 10, 20, 0, 20, 0, 20}},
    {"nothing of the colour", {100, 100, {}}, {}, kNotFound},
    {"tolerance 0 takes the first pixel of the frame and the whole frame",
     {40, 30, {}},
     {.tolerance = 0, .widthMm = 40, .heightMm = 30},
     {true, 19, 14, 39, 29, 39, 29}},
};

constexpr int32_t kUntouched = -7;

TEST(MeasureObject, Table) {
  for (const MeasureCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const auto frame = Draw(c.scene);
    const DimParams dim = Record(c.taught);
    DimHistory history;
    DimMeasurement got{kUntouched, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched};
    ASSERT_EQ(MeasureObject(dim, *frame, c.scene.width, c.scene.height, got, history),
              c.answer.found);
    const Answer want =
        c.answer.found ? c.answer : Answer{false,      kUntouched, kUntouched, kUntouched,
                                           kUntouched, kUntouched, kUntouched};
    EXPECT_EQ(got.centreX, want.centreX);
    EXPECT_EQ(got.centreY, want.centreY);
    EXPECT_EQ(got.widthPx, want.widthPx);
    EXPECT_EQ(got.heightPx, want.heightPx);
    EXPECT_EQ(got.widthMm, want.widthMm);
    EXPECT_EQ(got.heightMm, want.heightMm);
    EXPECT_EQ(history.count, 0);
  }
}

TEST(MeasureObject, MillimetresOfTheRectangleAsTheReplyGivesThem) {
  // 99 x 300 / 640 = 46.40625 and 79 x 200 / 480 = 32.916...: 46 and 32.
  const auto frame = Draw({640, 480, {Rect(100, 50, 199, 129)}});
  DimHistory history;
  DimMeasurement got;
  ASSERT_TRUE(MeasureObject(Record({}), *frame, 640, 480, got, history));
  EXPECT_EQ(WholeMillimetres(got.widthMm), 46);
  EXPECT_EQ(WholeMillimetres(got.heightMm), 32);
}

TEST(MeasureObject, SearchesTheFrameSizeTheCaptureKnows) {
  // A black object and a bitmap of 10 x 10 while the capture knows 20 x 10: the columns beyond the
  // bitmap read black, so they are part of the object.
  const auto frame = Draw({10, 10, {Rect(5, 0, 9, 9, {0, 0, 0})}});
  DimHistory history;
  DimMeasurement got;
  ASSERT_TRUE(MeasureObject(Record({.colour = {0, 0, 0}, .widthMm = 20, .heightMm = 10}), *frame,
                            20, 10, got, history));
  EXPECT_EQ(got.widthPx, 14);  // columns 5 ... 19
  EXPECT_EQ(got.centreX, 12);
}

// One frame of a sequence: an object of the given width in pixels (and millimetres: a 100-pixel
// frame of 100 mm), starting at column `left`; width 0 means no object in view.
struct Step {
  int32_t width;
  int32_t left = 20;
  int32_t framesToAverage = 5;
  // What the measurement then reports, and how many entries the history holds.
  struct {
    bool found = true;
    int32_t centreX = 0;
    float widthMm = 0;
  } reported;
  int32_t count = 0;
};

struct SequenceCase {
  const char* name;
  std::vector<Step> steps;
};

const SequenceCase kSequences[] = {
    {"widths 10, 50, 10, 10, 10 averaged over 5: the smallest and the largest are cut",
     {{.width = 10, .reported = {.centreX = 25, .widthMm = 10}, .count = 1},
      {.width = 50, .reported = {.centreX = 35, .widthMm = 30}, .count = 2},
      {.width = 10, .reported = {.centreX = 31, .widthMm = 70.0f / 3}, .count = 3},
      {.width = 10, .reported = {.centreX = 30, .widthMm = 20}, .count = 4},
      {.width = 10, .reported = {.centreX = 25, .widthMm = 10}, .count = 5}}},
    {"centres are integer means, truncated",
     {{.width = 10, .left = 20, .reported = {.centreX = 25, .widthMm = 10}, .count = 1},
      {.width = 10, .left = 21, .reported = {.centreX = 25, .widthMm = 10}, .count = 2}}},
    {"the oldest entry goes once more than framesToAverage are held",
     {{.width = 10, .framesToAverage = 2, .reported = {.centreX = 25, .widthMm = 10}, .count = 1},
      {.width = 20, .framesToAverage = 2, .reported = {.centreX = 27, .widthMm = 15}, .count = 2},
      {.width = 40, .framesToAverage = 2, .reported = {.centreX = 35, .widthMm = 30}, .count = 2}}},
    {"a frame without the object empties the history: averaging starts over",
     {{.width = 10, .reported = {.centreX = 25, .widthMm = 10}, .count = 1},
      {.width = 30, .reported = {.centreX = 30, .widthMm = 20}, .count = 2},
      {.width = 0, .reported = {.found = false}, .count = 0},
      {.width = 40, .reported = {.centreX = 40, .widthMm = 40}, .count = 1}}},
    {"framesToAverage 1: this frame's values, the history stays empty",
     {{.width = 10, .framesToAverage = 1, .reported = {.centreX = 25, .widthMm = 10}},
      {.width = 30, .framesToAverage = 1, .reported = {.centreX = 35, .widthMm = 30}}}},
    {"framesToAverage lowered to 1 empties the history, raised again it starts over",
     {{.width = 10, .reported = {.centreX = 25, .widthMm = 10}, .count = 1},
      {.width = 30, .framesToAverage = 1, .reported = {.centreX = 35, .widthMm = 30}},
      {.width = 50, .reported = {.centreX = 45, .widthMm = 50}, .count = 1}}},
    {"framesToAverage 0 or negative: no averaging",
     {{.width = 10, .framesToAverage = 0, .reported = {.centreX = 25, .widthMm = 10}},
      {.width = 30, .framesToAverage = -3, .reported = {.centreX = 35, .widthMm = 30}}}},
    {"framesToAverage lowered: the history shrinks to the newest entries",
     {{.width = 10, .reported = {.centreX = 25, .widthMm = 10}, .count = 1},
      {.width = 20, .reported = {.centreX = 27, .widthMm = 15}, .count = 2},
      {.width = 30, .reported = {.centreX = 30, .widthMm = 20}, .count = 3},
      {.width = 40, .framesToAverage = 2, .reported = {.centreX = 37, .widthMm = 35}, .count = 2}}},
};

TEST(MeasureObject, RunningTrimmedMean) {
  for (const SequenceCase& c : kSequences) {
    SCOPED_TRACE(c.name);
    DimHistory history;
    int number = 0;
    for (const Step& step : c.steps) {
      SCOPED_TRACE(++number);
      Scene scene{100, 100, {}};
      if (step.width > 0) scene.shapes.push_back(Rect(step.left, 40, step.left + step.width, 60));
      const auto frame = Draw(scene);
      DimParams dim = Record({.widthMm = 100, .heightMm = 100}, step.framesToAverage);
      DimMeasurement got;
      ASSERT_EQ(MeasureObject(dim, *frame, 100, 100, got, history), step.reported.found);
      EXPECT_EQ(history.count, step.count);
      if (!step.reported.found) continue;
      EXPECT_EQ(got.centreX, step.reported.centreX);
      EXPECT_EQ(got.centreY, 50);
      EXPECT_FLOAT_EQ(got.widthMm, step.reported.widthMm);
      EXPECT_FLOAT_EQ(got.heightMm, 20);
      // The pixel sizes are this frame's own.
      EXPECT_EQ(got.widthPx, step.width);
      EXPECT_EQ(got.heightPx, 20);
    }
  }
}

TEST(MeasureObject, TrimCutsMoreEntriesAsTheHistoryGrows) {
  // m entries of which the two smallest are 1 mm and the two largest 1000 mm, the rest 10 mm; the
  // trimmed mean is 10 once m is 10 or more (two cut at each end), and still pulled by the outer
  // ones below that.
  struct Case {
    int m;
    int cut;  // at each end
  } cases[] = {{4, 0}, {5, 1}, {9, 1}, {10, 2}, {14, 2}, {15, 3}, {19, 3}, {20, 4}, {999, 4}};
  const auto frame = Draw({100, 100, {Rect(20, 40, 30, 60)}});  // 10 mm wide
  for (const Case& c : cases) {
    SCOPED_TRACE(c.m);
    DimHistory history;
    // m - 1 entries before this measurement (oldest first); this one is the last 10 mm.
    std::vector<double> widths(c.m - 1, 10.0);
    widths[0] = 1;
    widths[1] = 1000;
    if (c.m > 4) {
      widths[2] = 1;
      widths[3] = 1000;
    }
    history.count = c.m - 1;
    for (int i = 0; i < c.m - 1; ++i) {
      history.centreX[i] = 25;
      history.centreY[i] = 50;
      history.widthMm[i] = widths[i];
      history.heightMm[i] = 20;
    }
    widths.push_back(10);
    std::sort(widths.begin(), widths.end());
    double sum = 0;
    for (int i = c.cut; i < c.m - c.cut; ++i) sum += widths[i];
    DimMeasurement got;
    ASSERT_TRUE(MeasureObject(Record({.widthMm = 100, .heightMm = 100}, c.m), *frame, 100, 100, got,
                              history));
    EXPECT_EQ(history.count, c.m);
    EXPECT_FLOAT_EQ(got.widthMm, static_cast<float>(sum / (c.m - 2 * c.cut)));
  }
}

TEST(MeasureObject, FramesToAverageAboveTheHistoryIsClampedTo999) {
  // A full history: one more measurement must not write past its end.
  auto history = std::make_unique<DimHistory>();
  history->count = kMaxFramesToAverage;
  for (int i = 0; i < kMaxFramesToAverage; ++i) {
    history->centreX[i] = i;
    history->centreY[i] = 50;
    history->widthMm[i] = 10;
    history->heightMm[i] = 20;
  }
  const auto frame = Draw({100, 100, {Rect(20, 40, 30, 60)}});
  for (int32_t frames : {1000, INT32_MAX}) {
    SCOPED_TRACE(frames);
    DimMeasurement got;
    ASSERT_TRUE(MeasureObject(Record({.widthMm = 100, .heightMm = 100}, frames), *frame, 100, 100,
                              got, *history));
    EXPECT_EQ(history->count, 999);
    // The newest entry is this measurement; the oldest went.
    EXPECT_EQ(history->centreX[998], 25);
    EXPECT_FLOAT_EQ(got.widthMm, 10);
  }
  EXPECT_EQ(history->centreX[0], 2);
}

TEST(MeasureObject, TheProgramWideHistoryIsTheDefault) {
  const auto frame = Draw({100, 100, {Rect(20, 40, 30, 60)}});
  DimMeasurement got;
  dimHistory.count = 0;
  ASSERT_TRUE(MeasureObject(Record({}, 3), *frame, 100, 100, got));
  ASSERT_TRUE(MeasureObject(Record({}, 3), *frame, 100, 100, got));
  EXPECT_EQ(dimHistory.count, 2);
  dimHistory.count = 0;
}

TEST(WholeMillimetres, CutsTheFractionAndStaysInRange) {
  struct Case {
    float mm;
    int32_t whole;
  } cases[] = {
      {46.40625f, 46},
      {32.9f, 32},
      {0.99f, 0},
      {-0.99f, 0},
      {-46.7f, -46},
      {2147483520.0f, 2147483520},  // the largest float below 2^31
      {2147483648.0f, INT32_MAX},
      {1e30f, INT32_MAX},
      {-1e30f, INT32_MIN},
      {std::numeric_limits<float>::infinity(), INT32_MAX},
      {std::numeric_limits<float>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mm);
    EXPECT_EQ(WholeMillimetres(c.mm), c.whole);
  }
}

TEST(FixedText, PointDecimalsAndWidth) {
  struct Case {
    double value;
    int decimals, width;
    const char* text;
  } cases[] = {
      {300.0, 2, 4, "300.00"}, {5.0, 2, 5, " 5.00"},    {320.5, 1, 0, "320.5"},
      {0.26, 1, 0, "0.3"},     {-12.74, 1, 0, "-12.7"}, {1e6, 1, 0, "1000000.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FixedText(c.value, c.decimals, c.width), c.text);
  }
}

}  // namespace
