#include "bitmap/bmpfile.h"

#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(SwapRedBlue, MatchesAPlainPixelLoop) {
  struct Case {
    const char* name;
    int32_t width;
  };
  // Odd widths leave every vector length a tail to finish by hand.
  const Case cases[] = {
      {"none", 0},        {"one pixel", 1},   {"three", 3}, {"fifteen", 15}, {"seventeen", 17},
      {"thirty-one", 31}, {"sixty-five", 65}, {"641", 641}, {"1921", 1921},
  };
  constexpr size_t kGuard = 7;  // bytes past the row that must stay as they are
  std::mt19937 random(20240315);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t rowBytes = static_cast<size_t>(c.width) * 3;
    std::vector<uint8_t> source(rowBytes);
    for (uint8_t& byte : source) byte = static_cast<uint8_t>(random());
    std::vector<uint8_t> expected(rowBytes + kGuard, 0xA5);
    for (int32_t x = 0; x < c.width; ++x) {
      expected[3 * x] = source[3 * x + 2];
      expected[3 * x + 1] = source[3 * x + 1];
      expected[3 * x + 2] = source[3 * x];
    }
    std::vector<uint8_t> target(rowBytes + kGuard, 0xA5);
    SwapRedBlue(source.data(), target.data(), c.width);
    EXPECT_EQ(target, expected);
    // Swapping back gives the source again.
    std::vector<uint8_t> back(rowBytes);
    SwapRedBlue(target.data(), back.data(), c.width);
    EXPECT_EQ(back, source);
  }
}

}  // namespace
