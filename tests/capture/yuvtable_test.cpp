#include "capture/yuvtable.h"

#include <gtest/gtest.h>

namespace {

TEST(YuvTableTest, CornerValues) {
  BuildYuvTable();
  ASSERT_NE(yuvTable, nullptr);
  // Worked out by hand from R = Y + 1.371(V-128), G = Y - 0.698(V-128) - 0.336(U-128),
  // B = Y + 1.732(U-128): truncated toward zero, negative values reflected, 255 at most.
  struct Case {
    const char* name;
    int y, u, v;
    int r, g, b;
  } cases[] = {
      {"grey 16", 16, 128, 128, 16, 16, 16},
      {"blue reflected: |-221.696|", 0, 0, 128, 0, 43, 221},
      {"red capped", 255, 128, 255, 255, 166, 255},
      {"all zero", 0, 0, 0, 175, 132, 221},
      {"all 255", 255, 255, 255, 255, 123, 255},
      {"mixed: B -35.096 reflected", 100, 50, 200, 198, 75, 35},
      {"green exactly 8 (0.336 x 125 = 42)", 50, 253, 128, 50, 8, 255},
      {"B -216.5 reflected to 216", 0, 3, 128, 0, 42, 216},
      {"R -165.488 reflected", 10, 128, 0, 165, 99, 10},
      {"neutral 128", 128, 128, 128, 128, 128, 128},
      {"G capped from 332.352, B reflected from -21.696", 200, 0, 0, 24, 255, 21},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(yuvTable->r[c.y][c.v][c.u], c.r);
    EXPECT_EQ(yuvTable->g[c.y][c.v][c.u], c.g);
    EXPECT_EQ(yuvTable->b[c.y][c.v][c.u], c.b);
  }
}

TEST(YuvTableTest, BuiltOnceAndKept) {
  BuildYuvTable();
  YuvTable* first = yuvTable;
  BuildYuvTable();
  EXPECT_EQ(yuvTable, first);
}

}  // namespace
