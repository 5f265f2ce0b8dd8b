#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "methods/webcam_sistemavisione_zona.h"

namespace {

struct Rgb {
  int r, g, b;
};

// The reference's pixel (x, y): red 0, so that a red change up to 255 fits; green and blue vary
// across the picture within 50..199, so that changes of up to 50 either way fit.
Rgb ReferenceAt(int32_t x, int32_t y) {
  return {0, (x * 7 + y * 13) % 150 + 50, (x * 11 + y * 5) % 150 + 50};
}

// Pixels x0 <= x < x1, y0 <= y < y1 of the frame, shifted by a change per channel.
struct Change {
  int32_t x0, y0, x1, y1;
  Rgb by;
};

struct Size {
  int32_t width = 120, height = 60;
};

struct ZoneCase {
  const char* name;
  struct {
    int32_t x1, y1, x2, y2;  // zoneX1, zoneY1, zoneX2, zoneY2 as taught
  } zone;
  int32_t tolerance = 94;
  std::vector<Change> frameChanges = {};  // the frame is the reference with these changes
  bool pass;
  Size frame = {};
  Size reference = {};
};

// 200 pixels changed by d in red inside the 81 x 41 zone between (20, 10) and (100, 50): mean
// 200 d / 3321, within 15.3 for d = 254 (15.297), beyond it for d = 255 (15.357).
const Change kRed254On200{30, 20, 40, 40, {254, 0, 0}};
const Change kRed255On200{30, 20, 40, 40, {255, 0, 0}};

const ZoneCase kCases[] = {
    {.name = "identical zone passes at tolerance 100",
     .zone = {20, 10, 100, 50},
     .tolerance = 100,
     .pass = true},
    {.name = "a change outside the zone is not looked at",
     .zone = {20, 10, 100, 50},
     .tolerance = 100,
     .frameChanges = {{0, 0, 20, 60, {255, 0, 0}}, {101, 0, 120, 60, {0, 50, -50}}},
     .pass = true},
    // A one-pixel zone compares that pixel alone: 15 in every channel passes at 94, 16 does not.
    {.name = "one pixel off by 15 everywhere passes",
     .zone = {7, 3, 7, 3},
     .frameChanges = {{7, 3, 8, 4, {15, 15, -15}}},
     .pass = true},
    {.name = "one pixel off by 16 in blue fails",
     .zone = {7, 3, 7, 3},
     .frameChanges = {{7, 3, 8, 4, {0, 0, 16}}},
     .pass = false},
    // The area is (x1 - x0 + 1) x (y1 - y0 + 1) = 81 x 41 in every corner order.
    {.name = "corners in order, 200 pixels at 254",
     .zone = {20, 10, 100, 50},
     .frameChanges = {kRed254On200},
     .pass = true},
    {.name = "corners in order, 200 pixels at 255",
     .zone = {20, 10, 100, 50},
     .frameChanges = {kRed255On200},
     .pass = false},
    {.name = "reversed corners, 200 pixels at 254",
     .zone = {100, 50, 20, 10},
     .frameChanges = {kRed254On200},
     .pass = true},
    {.name = "reversed corners, 200 pixels at 255",
     .zone = {100, 50, 20, 10},
     .frameChanges = {kRed255On200},
     .pass = false},
    {.name = "crossed corners, 200 pixels at 254",
     .zone = {100, 10, 20, 50},
     .frameChanges = {kRed254On200},
     .pass = true},
    // Uniform red shift of 20 over the zone: threshold 15.3 at 94, 20.4 at 92.
    {.name = "uniform +20 red fails at 94",
     .zone = {20, 10, 100, 50},
     .frameChanges = {{0, 0, 120, 60, {20, 0, 0}}},
     .pass = false},
    {.name = "uniform +20 red passes at 92",
     .zone = {20, 10, 100, 50},
     .tolerance = 92,
     .frameChanges = {{0, 0, 120, 60, {20, 0, 0}}},
     .pass = true},
    {.name = "uniform -20 green passes at 92",
     .zone = {20, 10, 100, 50},
     .tolerance = 92,
     .frameChanges = {{0, 0, 120, 60, {0, -20, 0}}},
     .pass = true},
    {.name = "tolerance 0 passes a zone that differs by 255",
     .zone = {0, 0, 119, 59},
     .tolerance = 0,
     .frameChanges = {{0, 0, 120, 60, {255, 0, 0}}},
     .pass = true},
    // Both ends included: the 3 x 3 zone (2, 2)..(4, 4); one pixel off by 255 gives a mean of 28.3.
    {.name = "change on the last column and row, inside",
     .zone = {2, 2, 4, 4},
     .frameChanges = {{4, 4, 5, 5, {255, 0, 0}}},
     .pass = false},
    {.name = "change on the first column and row, inside",
     .zone = {4, 4, 2, 2},
     .frameChanges = {{2, 2, 3, 3, {255, 0, 0}}},
     .pass = false},
    {.name = "change one column beyond, outside",
     .zone = {2, 2, 4, 4},
     .frameChanges = {{5, 2, 6, 5, {255, 0, 0}}, {1, 2, 2, 5, {255, 0, 0}}},
     .pass = true},
    {.name = "change one row beyond, outside",
     .zone = {2, 2, 4, 4},
     .frameChanges = {{2, 5, 5, 6, {255, 0, 0}}, {2, 1, 5, 2, {255, 0, 0}}},
     .pass = true},
    // Outside the frame both bitmaps read black: nothing is added, the area still counts. The zone
    // (-10, -10)..(9, 9) has 400 pixels, 100 of them in the frame: 100 pixels changed by 61 in red
    // give 15.25, by 62 give 15.5 (inside pixels alone would give 61 and 62).
    {.name = "partly outside: outside pixels count in the area",
     .zone = {-10, -10, 9, 9},
     .frameChanges = {{0, 0, 10, 10, {61, 0, 0}}},
     .pass = true},
    {.name = "partly outside: one more step fails",
     .zone = {9, 9, -10, -10},
     .frameChanges = {{0, 0, 10, 10, {62, 0, 0}}},
     .pass = false},
    {.name = "partly outside beyond the right and top edges",
     .zone = {110, 50, 129, 69},
     .frameChanges = {{110, 50, 120, 60, {62, 0, 0}}},
     .pass = false},
    {.name = "wholly outside the frame passes whatever the frame holds",
     .zone = {200, 100, 300, 200},
     .tolerance = 100,
     .frameChanges = {{0, 0, 120, 60, {255, 50, 50}}},
     .pass = true},
    {.name = "wholly below and left of the frame passes",
     .zone = {-50, -50, -1, -1},
     .tolerance = 100,
     .frameChanges = {{0, 0, 120, 60, {255, 50, 50}}},
     .pass = true},
    {.name = "corners at the ends of the integer range pass at once",
     .zone = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
     .tolerance = 100,
     .frameChanges = {{0, 0, 120, 60, {255, 50, 50}}},
     .pass = true},
    // A reference smaller than the frame (taught at another size) reads black beyond its edge.
    {.name = "the frame beyond a smaller reference meets black",
     .zone = {0, 0, 3, 3},
     .tolerance = 0,
     .pass = true,
     .frame = {4, 4},
     .reference = {2, 2}},
    {.name = "the frame beyond a smaller reference fails at 94",
     .zone = {0, 0, 3, 3},
     .pass = false,
     .frame = {4, 4},
     .reference = {2, 2}},
    {.name = "a zone inside the smaller reference still passes",
     .zone = {0, 0, 1, 1},
     .tolerance = 100,
     .pass = true,
     .frame = {4, 4},
     .reference = {2, 2}},
};

TEST(CheckZone, Table) {
  for (const ZoneCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ZoneParams zone;
    zone.reference = std::make_unique<MyBitmap>(c.reference.width, c.reference.height);
    MyBitmap frame(c.frame.width, c.frame.height);
    for (int32_t y = 0; y < c.frame.height; ++y)
      for (int32_t x = 0; x < c.frame.width; ++x) {
        Rgb p = ReferenceAt(x, y);
        zone.reference->SetPixel(x, y, p.r, p.g, p.b);  // dropped beyond a smaller reference
        for (const Change& change : c.frameChanges)
          if (x >= change.x0 && x < change.x1 && y >= change.y0 && y < change.y1) {
            p.r += change.by.r;
            p.g += change.by.g;
            p.b += change.by.b;
          }
        frame.SetPixel(x, y, p.r, p.g, p.b);
      }
    zone.zoneX1 = c.zone.x1;
    zone.zoneY1 = c.zone.y1;
    zone.zoneX2 = c.zone.x2;
    zone.zoneY2 = c.zone.y2;
    zone.tolerance = c.tolerance;
    EXPECT_EQ(CheckZone(zone, frame), c.pass);
  }
}

TEST(CheckZone, UntaughtRecordComparesTheOnePixelZoneAtTheOrigin) {
  ZoneParams zone;  // corners (0, 0) and (0, 0), not stored
  zone.reference = std::make_unique<MyBitmap>(3, 3);
  MyBitmap frame(3, 3);
  frame.FillRect(0xFFFFFF, 1, 0, 3, 3);  // all but (0, 0)
  zone.tolerance = 100;
  EXPECT_TRUE(CheckZone(zone, frame));
  frame.SetPixel(0, 0, 0, 0, 16);
  zone.tolerance = 94;
  EXPECT_FALSE(CheckZone(zone, frame));
}

}  // namespace
