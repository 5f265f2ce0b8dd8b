#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "methods/webcam_sistemavisione_point.h"

namespace {

struct Rgb {
  uint8_t r, g, b;
};

struct Pixel {
  int32_t x, y;
  Rgb colour;
};

// The frame bitmap, of the size the capture knows: a background and a few pixels set on it.
struct Scene {
  int32_t width, height;
  Rgb background;
  std::vector<Pixel> pixels;
};

// What the point record holds.
struct Taught {
  Rgb colour;
  int32_t tolerance = 94;
  int32_t checkPixels = 1;
  bool whole = true;  // searchWholeImage; false: only at point
  struct {
    int32_t x = 0, y = 0;
  } point;
};

struct Answer {
  bool found;
  int32_t x = 0, y = 0;  // when found
};
constexpr Answer Found(int32_t x, int32_t y) {
  return {true, x, y};
}
constexpr Answer kNotFound{false};

struct FindCase {
  const char* name;
  Scene scene;
  Taught taught;
  Answer answer;
};

constexpr int32_t kUntouched = -7;

const FindCase kCases[] = {
    // Threshold edges at tolerance 94 (15.3): 15 passes, 16 fails, in either direction.
    {"red 15 above passes",
     {3, 3, {0, 0, 0}, {{1, 1, {115, 100, 100}}}},
     {.colour = {100, 100, 100}},
     Found(1, 1)},
    {"red 16 above fails",
     {3, 3, {0, 0, 0}, {{1, 1, {116, 100, 100}}}},
     {.colour = {100, 100, 100}},
     kNotFound},
    {"blue 15 below passes",
     {3, 3, {0, 0, 0}, {{2, 0, {100, 100, 85}}}},
     {.colour = {100, 100, 100}},
     Found(2, 0)},
    {"green 16 below fails",
     {3, 3, {0, 0, 0}, {{2, 0, {100, 84, 100}}}},
     {.colour = {100, 100, 100}},
     kNotFound},
    {"tolerance 100 wants the exact colour",
     {3, 3, {0, 0, 0}, {{1, 1, {100, 100, 101}}}},
     {.colour = {100, 100, 100}, .tolerance = 100},
     kNotFound},
    {"tolerance 0 takes any colour, first pixel",
     {3, 3, {0, 0, 0}, {}},
     {.colour = {255, 255, 255}, .tolerance = 0},
     Found(0, 0)},
    // Best match and tie-breaks.
    {"smallest sum wins over an earlier match",
     {3, 3, {0, 0, 0}, {{0, 0, {110, 100, 100}}, {2, 2, {100, 100, 101}}}},
     {.colour = {100, 100, 100}},
     Found(2, 2)},
    {"equal sums: lower row wins",
     {3, 3, {0, 0, 0}, {{2, 1, {100, 100, 100}}, {0, 2, {100, 100, 100}}}},
     {.colour = {100, 100, 100}},
     Found(2, 1)},
    {"equal sums in one row: left wins",
     {3, 3, {0, 0, 0}, {{2, 1, {105, 100, 100}}, {0, 1, {100, 105, 100}}}},
     {.colour = {100, 100, 100}},
     Found(0, 1)},
    // Neighbourhood blocks of 2 (N - 1).
    {"N 1: no block", {3, 3, {50, 50, 50}, {}}, {.colour = {50, 50, 50}}, Found(0, 0)},
    {"N 0: no block",
     {3, 3, {50, 50, 50}, {}},
     {.colour = {50, 50, 50}, .checkPixels = 0},
     Found(0, 0)},
    {"N negative: no block",
     {3, 3, {50, 50, 50}, {}},
     {.colour = {50, 50, 50}, .checkPixels = -5},
     Found(0, 0)},
    {"N 2: row 0 and column 0 never pass",
     {4, 4, {50, 50, 50}, {}},
     {.colour = {50, 50, 50}, .checkPixels = 2},
     Found(1, 1)},
    {"N 2: block is x-1..x, y-1..y",
     {4,
      4,
      {0, 0, 0},
      {{1, 1, {50, 50, 50}}, {2, 1, {50, 50, 50}}, {1, 2, {50, 50, 50}}, {2, 2, {50, 50, 50}}}},
     {.colour = {50, 50, 50}, .checkPixels = 2},
     Found(2, 2)},
    {"N 3: a 4x4 frame holds the block of (2,2)",
     {4, 4, {50, 50, 50}, {}},
     {.colour = {50, 50, 50}, .checkPixels = 3},
     Found(2, 2)},
    {"N 3: a 3x3 frame holds no block",
     {3, 3, {50, 50, 50}, {}},
     {.colour = {50, 50, 50}, .checkPixels = 3},
     kNotFound},
    {"N 3: block reaches x+1, y+1",
     {4, 4, {50, 50, 50}, {{3, 3, {0, 0, 0}}}},
     {.colour = {50, 50, 50}, .checkPixels = 3},
     kNotFound},
    {"N 3: block stops short of x+2, y+2",
     {5, 5, {50, 50, 50}, {{4, 4, {0, 0, 0}}}},
     {.colour = {50, 50, 50}, .checkPixels = 3},
     Found(2, 2)},
    {"N 3: block reaches x-2, y-2",
     {5, 5, {50, 50, 50}, {{0, 0, {0, 0, 0}}}},
     {.colour = {50, 50, 50}, .checkPixels = 3},
     Found(3, 2)},
    {"N 2: the best sum must also have its block",
     {4, 4, {50, 50, 50}, {{0, 3, {52, 50, 50}}}},
     {.colour = {52, 50, 50}, .checkPixels = 2},
     Found(1, 1)},
    // Selected-point mode.
    {"selected point: only the taught pixel",
     {3, 3, {100, 100, 100}, {{1, 2, {105, 100, 100}}}},
     {.colour = {100, 100, 100}, .whole = false, .point = {1, 2}},
     Found(1, 2)},
    {"selected point: a match elsewhere does not count",
     {3, 3, {100, 100, 100}, {{1, 2, {200, 100, 100}}}},
     {.colour = {100, 100, 100}, .whole = false, .point = {1, 2}},
     kNotFound},
    {"selected point with its block inside",
     {3, 3, {100, 100, 100}, {}},
     {.colour = {100, 100, 100}, .checkPixels = 2, .whole = false, .point = {1, 1}},
     Found(1, 1)},
    {"selected point with its block leaving the frame",
     {3, 3, {100, 100, 100}, {}},
     {.colour = {100, 100, 100}, .checkPixels = 2, .whole = false, .point = {0, 1}},
     kNotFound},
    {"point outside the frame reads black: near-black passes",
     {3, 3, {100, 100, 100}, {}},
     {.colour = {10, 10, 10}, .whole = false, .point = {10, 0}},
     Found(10, 0)},
    {"point outside the frame reads black: red fails",
     {3, 3, {0, 0, 0}, {}},
     {.colour = {20, 0, 0}, .whole = false, .point = {-1, 0}},
     kNotFound},
    {"point outside the frame with a block always fails",
     {3, 3, {0, 0, 0}, {}},
     {.colour = {0, 0, 0}, .checkPixels = 2, .whole = false, .point = {5, 5}},
     kNotFound},
    {"point at the end of the integer range reads black",
     {3, 3, {100, 100, 100}, {}},
     {.colour = {0, 0, 0}, .whole = false, .point = {INT32_MAX, INT32_MAX}},
     Found(INT32_MAX, INT32_MAX)},
    {"huge N leaves every block outside",
     {3, 3, {50, 50, 50}, {}},
     {.colour = {50, 50, 50}, .checkPixels = INT32_MAX},
     kNotFound},
};

TEST(FindPoint, Table) {
  for (const FindCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const Scene& scene = c.scene;
    MyBitmap frame(scene.width, scene.height);
    const Rgb& back = scene.background;
    frame.FillRect(back.r | (back.g << 8) | (back.b << 16), 0, 0, scene.width, scene.height);
    for (const Pixel& p : scene.pixels)
      frame.SetPixel(p.x, p.y, p.colour.r, p.colour.g, p.colour.b);
    PointParams point;
    point.colR = c.taught.colour.r;
    point.colG = c.taught.colour.g;
    point.colB = c.taught.colour.b;
    point.tolerance = c.taught.tolerance;
    point.checkPixels = c.taught.checkPixels;
    point.searchWholeImage = c.taught.whole;
    point.pointX = c.taught.point.x;
    point.pointY = c.taught.point.y;
    int32_t x = kUntouched, y = kUntouched;
    EXPECT_EQ(FindPoint(point, frame, scene.width, scene.height, &x, &y), c.answer.found);
    EXPECT_EQ(x, c.answer.found ? c.answer.x : kUntouched);
    EXPECT_EQ(y, c.answer.found ? c.answer.y : kUntouched);
    // The outputs are optional.
    EXPECT_EQ(FindPoint(point, frame, scene.width, scene.height, nullptr, nullptr), c.answer.found);
  }
}

TEST(FindPoint, SearchesTheFrameSizeTheCaptureKnows) {
  // The capture reports 4 x 2 while the bitmap is still 2 x 2: the columns beyond read black.
  MyBitmap frame(2, 2);
  frame.FillRect(0x0000FF, 0, 0, 2, 2);
  PointParams point;
  point.searchWholeImage = true;  // black
  int32_t x = kUntouched, y = kUntouched;
  EXPECT_TRUE(FindPoint(point, frame, 4, 2, &x, &y));
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 0);
  EXPECT_FALSE(FindPoint(point, frame, 2, 2, &x, &y));
}

TEST(FindPoint, EmptyFrameFindsNothing) {
  MyBitmap frame(0, 0);
  PointParams point;
  point.searchWholeImage = true;
  EXPECT_FALSE(FindPoint(point, frame, 0, 0, nullptr, nullptr));
}

}  // namespace
