#include <climits>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "methods/webcam_sistemavisione_lineaoriz.h"
#include "methods/webcam_sistemavisione_lineavert.h"

namespace {

struct Rgb {
  uint8_t r, g, b;
};

// Scenes are told along the search: `across` numbers the lines the search visits in turn (rows for
// the horizontal method, columns for the vertical one), `along` the pixels it counts within one.
struct Run {
  int32_t across;
  int32_t from;  // first pixel along the line
  int32_t count;
  Rgb colour;
  int32_t step = 1;  // 2: every other pixel
};

struct Scene {
  int32_t lines;   // how many lines the search visits
  int32_t length;  // pixels along each
  Rgb background;
  std::vector<Run> runs;
};

struct Taught {
  Rgb colour = {0, 0, 0};
  int32_t tolerance = 94;
  int32_t lineLength = 4;
};

struct Answer {
  bool found;
  int32_t across = 0, centre = 0;  // when found
};
constexpr Answer Found(int32_t across, int32_t centre) {
  return {true, across, centre};
}
constexpr Answer kNotFound{false};

struct FindCase {
  const char* name;
  Scene scene;
  Taught taught;
  Answer answer;
};

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kRed{200, 30, 40};

const FindCase kCases[] = {
    {"matches count over gaps",
     {5, 12, kGrey, {{2, 1, 4, kRed, 2}}},
     {.colour = kRed},
     Found(2, 7 - 4 / 2)},
    {"centre from the last counted pixel, not from the middle of the matches",
     {3, 12, kGrey, {{1, 0, 2, kRed}, {1, 9, 1, kRed}}},
     {.colour = kRed, .lineLength = 3},
     Found(1, 9 - 3 / 2)},
    {"a line one pixel short is not found",
     {3, 12, kGrey, {{1, 2, 4, kRed}}},
     {.colour = kRed, .lineLength = 5},
     kNotFound},
    {"the count starts again on each line",
     {3, 12, kGrey, {{0, 0, 3, kRed}, {1, 0, 3, kRed}}},
     {.colour = kRed},
     kNotFound},
    {"a line longer than the frame is never found",
     {3, 12, kRed, {}},
     {.colour = kRed, .lineLength = 13},
     kNotFound},
    {"two lines: the first visited wins",
     {6, 12, kGrey, {{4, 0, 12, kRed}, {2, 5, 4, kRed}}},
     {.colour = kRed},
     Found(2, 8 - 2)},
    {"within the line, where the count is reached",
     {3, 12, kGrey, {{1, 3, 9, kRed}}},
     {.colour = kRed},
     Found(1, 6 - 2)},
    {"a line on the first row or column",
     {4, 12, kGrey, {{0, 0, 4, kRed}}},
     {.colour = kRed},
     Found(0, 3 - 2)},
    {"a line on the last row or column, at its end",
     {4, 12, kGrey, {{3, 8, 4, kRed}}},
     {.colour = kRed},
     Found(3, 11 - 2)},
    {"length 1: the first match, centred on itself",
     {4, 12, kGrey, {{2, 7, 1, kRed}, {3, 0, 1, kRed}}},
     {.colour = kRed, .lineLength = 1},
     Found(2, 7)},
    {"length 0: the first match",
     {4, 12, kGrey, {{2, 7, 1, kRed}}},
     {.colour = kRed, .lineLength = 0},
     Found(2, 7)},
    {"length 0 finds nothing without a match",
     {4, 12, kGrey, {}},
     {.colour = kRed, .lineLength = 0},
     kNotFound},
    {"negative length: the first match, centre past it",
     {4, 12, kGrey, {{2, 7, 1, kRed}}},
     {.colour = kRed, .lineLength = -5},
     Found(2, 7 + 2)},
    {"length at the bottom of the integer range",
     {4, 12, kGrey, {{0, 0, 1, kRed}}},
     {.colour = kRed, .lineLength = INT_MIN},
     Found(0, 1073741824)},
    {"nothing taught: the search looks for black",
     {4, 12, kGrey, {{1, 2, 4, {10, 0, 15}}, {2, 0, 4, {0, 0, 0}}}},
     {},
     Found(1, 5 - 2)},
    {"tolerance 94: 15 off counts, 16 off does not",
     {3,
      12,
      kGrey,
      {{1, 0, 1, {100, 100, 100}},
       {1, 1, 1, {116, 100, 100}},
       {1, 2, 1, {100, 100, 85}},
       {1, 3, 1, {100, 115, 100}}}},
     {.colour = {100, 100, 100}, .lineLength = 3},
     Found(1, 3 - 1)},
    {"tolerance 100 wants the exact colour",
     {3, 12, {100, 100, 101}, {{2, 0, 4, {100, 100, 100}}}},
     {.colour = {100, 100, 100}, .tolerance = 100},
     Found(2, 3 - 2)},
    {"an empty frame holds no line", {0, 0, kGrey, {}}, {.lineLength = 0}, kNotFound},
};

// One method as the tables see it: its check and how a scene lies in its frame.
struct Axis {
  const char* name;
  bool (*find)(const LineParams&, const MyBitmap&, int32_t, int32_t, int32_t*, int32_t*);
  bool horizontal;  // lines are rows
  int32_t initialLength;
};

const Axis kAxes[] = {
    {"horizontal", FindHorizontalLine, true, HorizontalLineMethod::kInitialLength},
    {"vertical", FindVerticalLine, false, VerticalLineMethod::kInitialLength},
};

// The scene as the frame bitmap of the method: rows for the horizontal method, columns for the
// vertical one. width and height are what the capture knows.
std::unique_ptr<MyBitmap> FrameOf(const Scene& scene, const Axis& axis, int32_t& width,
                                  int32_t& height) {
  width = axis.horizontal ? scene.length : scene.lines;
  height = axis.horizontal ? scene.lines : scene.length;
  auto frame = std::make_unique<MyBitmap>(width, height);
  const Rgb& back = scene.background;
  frame->FillRect(back.r | (back.g << 8) | (back.b << 16), 0, 0, width, height);
  for (const Run& run : scene.runs)
    for (int32_t k = 0; k < run.count; ++k) {
      int32_t along = run.from + k * run.step;
      int32_t x = axis.horizontal ? along : run.across;
      int32_t y = axis.horizontal ? run.across : along;
      frame->SetPixel(x, y, run.colour.r, run.colour.g, run.colour.b);
    }
  return frame;
}

constexpr int32_t kUntouched = -7;

TEST(FindLine, TableForBothAxes) {
  for (const Axis& axis : kAxes) {
    SCOPED_TRACE(axis.name);
    for (const FindCase& c : kCases) {
      SCOPED_TRACE(c.name);
      int32_t width, height;
      auto frame = FrameOf(c.scene, axis, width, height);
      LineParams line;
      line.colR = c.taught.colour.r;
      line.colG = c.taught.colour.g;
      line.colB = c.taught.colour.b;
      line.tolerance = c.taught.tolerance;
      line.lineLength = c.taught.lineLength;
      int32_t across = kUntouched, centre = kUntouched;
      EXPECT_EQ(axis.find(line, *frame, width, height, &across, &centre), c.answer.found);
      EXPECT_EQ(across, c.answer.found ? c.answer.across : kUntouched);
      EXPECT_EQ(centre, c.answer.found ? c.answer.centre : kUntouched);
      // The outputs are optional.
      EXPECT_EQ(axis.find(line, *frame, width, height, nullptr, nullptr), c.answer.found);
    }
  }
}

// A record as the method starts it (nothing taught: black, tolerance 94, its initial length) with
// tolerance 0, where every colour matches: the first line, centred on
// lineLength - 1 - lineLength / 2.
template <class Row>
void ExpectFirstLineAtToleranceZero(const Axis& axis, int32_t centre) {
  SCOPED_TRACE(axis.name);
  typename Row::Record line;
  EXPECT_FALSE(line.stored);
  EXPECT_EQ(LineColour(line), 0u);
  EXPECT_EQ(line.tolerance, 94);
  EXPECT_EQ(line.lineLength, axis.initialLength);
  line.tolerance = 0;
  int32_t width, height;
  auto frame = FrameOf({3, 200, {250, 90, 255}, {}}, axis, width, height);
  int32_t across = kUntouched, found = kUntouched;
  EXPECT_TRUE(axis.find(line, *frame, width, height, &across, &found));
  EXPECT_EQ(across, 0);
  EXPECT_EQ(found, centre);
}

TEST(FindLine, ToleranceZeroWithTheInitialLengths) {
  ExpectFirstLineAtToleranceZero<HorizontalLineMethod>(kAxes[0], 79);
  ExpectFirstLineAtToleranceZero<VerticalLineMethod>(kAxes[1], 59);
}

TEST(FindLine, SearchesTheFrameSizeTheCaptureKnows) {
  // The capture knows 8 pixels along each line while the bitmap still has 4: the pixels beyond
  // read black, so they make a black line that the bitmap alone does not hold.
  for (const Axis& axis : kAxes) {
    SCOPED_TRACE(axis.name);
    int32_t width, height;
    auto frame = FrameOf({2, 4, kGrey, {}}, axis, width, height);
    LineParams line;  // black
    line.lineLength = 4;
    EXPECT_FALSE(axis.find(line, *frame, width, height, nullptr, nullptr));
    int32_t across = kUntouched, centre = kUntouched;
    EXPECT_TRUE(axis.find(line, *frame, axis.horizontal ? 8 : width, axis.horizontal ? height : 8,
                          &across, &centre));
    EXPECT_EQ(across, 0);
    EXPECT_EQ(centre, 7 - 2);
  }
}

}  // namespace
