// The point search in whole-image mode, the check a point test window runs on every previewed
// frame (20 per second), beside an OpenCV peer doing the same per-channel threshold search and a
// plain read of every byte of the frame (the memory floor).

#include <cstdint>
#include <random>

#include <benchmark/benchmark.h>

#if LUMIVEX_HAVE_OPENCV
// OpenCV 4.6's headers mix enumerations in arithmetic, which C++20 deprecates.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-enum-enum-conversion"
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#pragma GCC diagnostic pop
#endif

#include "bitmap/mybitmap.h"
#include "methods/methodparams.h"
#include "methods/webcam_sistemavisione_point.h"

namespace {

constexpr uint8_t kRefR = 200, kRefG = 40, kRefB = 90;

// A noisy scene in which the taught colour appears, never exactly, in a 40 x 40 square near the
// top right: the search cannot stop early and visits the whole frame; with N = 3 every pixel of
// the square is a candidate whose block is read.
void FillScene(MyBitmap& frame) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> any(0, 255);
  std::uniform_int_distribution<int> near(1, 5);
  int32_t width = frame.Width(), height = frame.Height();
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      bool inSquare = x >= width - 100 && x < width - 60 && y >= height - 100 && y < height - 60;
      if (inSquare)
        frame.SetPixel(x, y, kRefR - near(random), kRefG + near(random), kRefB + near(random));
      else
        frame.SetPixel(x, y, any(random) / 2, any(random), any(random));  // red never near 200
    }
}

PointParams Taught(int32_t checkPixels) {
  PointParams point;
  point.colR = kRefR;
  point.colG = kRefG;
  point.colB = kRefB;
  point.tolerance = 94;
  point.checkPixels = checkPixels;
  point.searchWholeImage = true;
  return point;
}

void BM_FindPointWholeImage(benchmark::State& state) {
  int32_t width = static_cast<int32_t>(state.range(0));
  int32_t height = static_cast<int32_t>(state.range(1));
  MyBitmap frame(width, height);
  FillScene(frame);
  PointParams point = Taught(static_cast<int32_t>(state.range(2)));
  int32_t x = -1, y = -1;
  for (auto _ : state) {
    bool found = FindPoint(point, frame, width, height, &x, &y);
    benchmark::DoNotOptimize(found);
    benchmark::DoNotOptimize(x);
  }
  if (!FindPoint(point, frame, width, height, &x, &y)) state.SkipWithError("nothing found");
  state.counters["x"] = x;
  state.counters["y"] = y;
  state.SetBytesProcessed(state.iterations() * int64_t{width} * height * 3);
}

void BM_ReadEveryByte(benchmark::State& state) {
  int32_t width = static_cast<int32_t>(state.range(0));
  int32_t height = static_cast<int32_t>(state.range(1));
  MyBitmap frame(width, height);
  FillScene(frame);
  for (auto _ : state) {
    uint64_t sum = 0;
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* row = frame.Row(y);
      for (int32_t i = 0; i < width * 3; ++i) sum += row[i];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{width} * height * 3);
}

#if LUMIVEX_HAVE_OPENCV
// The same search with OpenCV: per-channel |difference| <= limit, the 2(N-1) block by erosion
// (pixels outside the frame count as not matching), the smallest channel sum by minMaxLoc, whose
// first minimum in row order is the station's tie-break because row 0 is the bottom row here too.
bool OpenCvFindPoint(const cv::Mat& frame, const PointParams& point, cv::Mat& diff, cv::Mat& wide,
                     cv::Mat& mask, cv::Mat& sum, cv::Point& best) {
  int32_t limit = ChannelLimit(point.tolerance);
  cv::absdiff(frame, cv::Scalar(point.colR, point.colG, point.colB), diff);
  cv::inRange(diff, cv::Scalar(0, 0, 0), cv::Scalar(limit, limit, limit), mask);
  if (point.checkPixels > 1) {
    int n = point.checkPixels - 1;
    cv::erode(mask, mask, cv::Mat::ones(2 * n, 2 * n, CV_8U), cv::Point(n, n), 1,
              cv::BORDER_CONSTANT, cv::Scalar(0));
  }
  diff.convertTo(wide, CV_16U);  // sums up to 765
  cv::transform(wide, sum, cv::Matx13f(1, 1, 1));
  sum.setTo(65535, mask == 0);
  double minimum;
  cv::minMaxLoc(sum, &minimum, nullptr, &best, nullptr);
  return minimum < 65535;
}

void BM_OpenCvPeer(benchmark::State& state) {
  int32_t width = static_cast<int32_t>(state.range(0));
  int32_t height = static_cast<int32_t>(state.range(1));
  MyBitmap bitmap(width, height);
  FillScene(bitmap);
  cv::Mat frame(height, width, CV_8UC3);
  for (int32_t y = 0; y < height; ++y)
    std::copy(bitmap.Row(y), bitmap.Row(y) + 3 * width, frame.ptr<uint8_t>(y));
  PointParams point = Taught(static_cast<int32_t>(state.range(2)));
  cv::Mat diff, wide, mask, sum;
  cv::Point best;
  for (auto _ : state) {
    bool found = OpenCvFindPoint(frame, point, diff, wide, mask, sum, best);
    benchmark::DoNotOptimize(found);
  }
  // Both must answer the same pixel, or the comparison means nothing.
  int32_t x = -1, y = -1;
  bool found = FindPoint(point, bitmap, width, height, &x, &y);
  if (found != OpenCvFindPoint(frame, point, diff, wide, mask, sum, best) || best.x != x ||
      best.y != y)
    state.SkipWithError("the peer disagrees with FindPoint");
  state.counters["x"] = best.x;
  state.counters["y"] = best.y;
  state.SetBytesProcessed(state.iterations() * int64_t{width} * height * 3);
}
#endif

void Sizes(benchmark::internal::Benchmark* b) {
  for (int n : {1, 3}) {
    b->Args({640, 480, n});
    b->Args({1920, 1080, n});
  }
  b->ArgNames({"w", "h", "N"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_FindPointWholeImage)->Apply(Sizes);
#if LUMIVEX_HAVE_OPENCV
BENCHMARK(BM_OpenCvPeer)->Apply(Sizes);
#endif
BENCHMARK(BM_ReadEveryByte)
    ->Args({640, 480})
    ->Args({1920, 1080})
    ->ArgNames({"w", "h"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
