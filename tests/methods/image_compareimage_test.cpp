#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "methods/webcam_sistemavisione_image.h"

namespace {

struct Rgb {
  int r, g, b;
};

// The reference's pixel (x, y): red 0, so that a red change up to 255 fits; green and blue vary
// across the picture within 40..199, so that changes of up to 40 either way fit.
Rgb ReferenceAt(int32_t x, int32_t y) {
  return {0, (x * 7 + y * 13) % 160 + 40, (x * 11 + y * 5) % 160 + 40};
}

// Pixels x0 <= x < x1, y0 <= y < y1 of the frame: shifted by `by`, or set to `by` when absolute.
struct Change {
  int32_t x0, y0, x1, y1;
  Rgb by;
  bool absolute = false;
};

struct Size {
  int32_t width, height;
};

struct ImageCase {
  const char* name;
  int32_t tolerance = 94;
  std::vector<Change> frameChanges = {};  // the frame is the reference with these changes
  bool pass;
  Size frame = {20, 10};           // the frame bitmap (200 pixels)
  Size reference = {20, 10};       // the reference bitmap; beyond its edge it reads black
  std::optional<Size> known = {};  // the capture's frame size, when not the frame bitmap's
};

const Change kAllPlus16Green{0, 0, 20, 10, {0, 16, 0}};
// A 4 x 4 frame over a 2 x 2 reference: the 12 pixels beyond the reference set to (0, g, 0).
std::vector<Change> BeyondTheReference(int g) {
  return {{2, 0, 4, 4, {0, g, 0}, true}, {0, 2, 2, 4, {0, g, 0}, true}};
}

const ImageCase kCases[] = {
    {.name = "identical frame passes at 100", .tolerance = 100, .pass = true},
    {.name = "identical frame passes at 94", .pass = true},
    {.name = "+16 green everywhere fails at 94", .frameChanges = {kAllPlus16Green}, .pass = false},
    {.name = "+16 green everywhere passes at 93",
     .tolerance = 93,
     .frameChanges = {kAllPlus16Green},
     .pass = true},
    {.name = "-16 blue everywhere fails at 94",
     .frameChanges = {{0, 0, 20, 10, {0, 0, -16}}},
     .pass = false},
    {.name = "+15 red, green and blue everywhere passes at 94",
     .frameChanges = {{0, 0, 20, 10, {15, 15, 15}}},
     .pass = true},
    {.name = "tolerance 0 passes white against black",
     .tolerance = 0,
     .frameChanges = {{0, 0, 20, 10, {255, 255, 255}, true}},
     .pass = true,
     .reference = {0, 0}},
    // 255 on 12 of 200 pixels (6 %) lifts the mean to 15.3 exactly: the edge still passes.
    {.name = "255 on 6 % of the pixels passes",
     .frameChanges = {{0, 0, 12, 1, {255, 0, 0}}},
     .pass = true},
    {.name = "255 on 13 pixels fails", .frameChanges = {{0, 0, 13, 1, {255, 0, 0}}}, .pass = false},
    // 12 uncovered pixels at 20 over 16 give 15, at 21 they give 15.75.
    {.name = "frame beyond a smaller reference at 20 passes",
     .frameChanges = BeyondTheReference(20),
     .pass = true,
     .frame = {4, 4},
     .reference = {2, 2}},
    {.name = "frame beyond a smaller reference at 21 fails",
     .frameChanges = BeyondTheReference(21),
     .pass = false,
     .frame = {4, 4},
     .reference = {2, 2}},
    // The capture's frame size decides the pixels compared: beyond the bitmaps black meets black.
    {.name = "a known size larger than the bitmaps counts black pixels too",
     .frameChanges = {{0, 0, 1, 1, {40, 0, 0}}},
     .pass = true,
     .frame = {1, 1},
     .reference = {1, 1},
     .known = Size{3, 1}},
    {.name = "the same difference over the bitmap's size alone fails",
     .frameChanges = {{0, 0, 1, 1, {40, 0, 0}}},
     .pass = false,
     .frame = {1, 1},
     .reference = {1, 1}},
    {.name = "no pixels to compare fails", .tolerance = 0, .pass = false, .known = Size{0, 5}},
};

TEST(CompareImage, Table) {
  for (const ImageCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ImageParams image;
    image.reference = std::make_unique<MyBitmap>(c.reference.width, c.reference.height);
    image.tolerance = c.tolerance;
    MyBitmap frame(c.frame.width, c.frame.height);
    for (int32_t y = 0; y < c.frame.height; ++y)
      for (int32_t x = 0; x < c.frame.width; ++x) {
        Rgb p = ReferenceAt(x, y);
        image.reference->SetPixel(x, y, p.r, p.g, p.b);  // dropped beyond a smaller reference
        for (const Change& change : c.frameChanges)
          if (x >= change.x0 && x < change.x1 && y >= change.y0 && y < change.y1)
            p = change.absolute ? change.by
                                : Rgb{p.r + change.by.r, p.g + change.by.g, p.b + change.by.b};
        frame.SetPixel(x, y, p.r, p.g, p.b);
      }
    const Size known = c.known.value_or(c.frame);
    EXPECT_EQ(CompareImage(image, frame, known.width, known.height), c.pass);
  }
}

}  // namespace
