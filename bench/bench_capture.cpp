// Frame conversions of the capture beside peers doing the same work and a read of every byte.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <vector>

#include <benchmark/benchmark.h>

#include "bitmap/mybitmap.h"
#include "capture/webcam.h"
#include "capture/yuvtable.h"

#ifdef LUMIVEX_HAVE_OPENCV
#include <opencv2/imgproc.hpp>
#endif
#ifdef LUMIVEX_HAVE_LIBYUV
#include <libyuv.h>
#endif

namespace {

QTemporaryDir* pictures = nullptr;

// A connected capture whose simulated camera has the size and format of the benchmark; frames are
// handed to ConvertFrame by the benchmark itself.
std::unique_ptr<WebCam> CaptureOf(int w, int h, bool yuy2) {
  const std::string path =
      pictures->path().toStdString() + "/" + std::to_string(w) + "x" + std::to_string(h) + ".bmp";
  MyBitmap picture(w, h);
  picture.SaveBmp(path);
  setenv("LUMIVEX_CAMERA", ((yuy2 ? "sim-yuy2:" : "sim:") + path).c_str(), 1);
  return std::make_unique<WebCam>(nullptr, 0, 0, 64, 48, 1000000, false);
}

std::vector<uint8_t> Bytes(size_t count) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + (i >> 9));
  return bytes;
}

CaptureFrame FrameOf(const std::vector<uint8_t>& bytes) {
  CaptureFrame frame;
  frame.data = bytes.data();
  frame.bufferLength = frame.bytesUsed = static_cast<uint32_t>(bytes.size());
  return frame;
}

void SetBytes(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_ConvertFrameRgb(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  auto cam = CaptureOf(w, h, false);
  const std::vector<uint8_t> data = Bytes(size_t(w) * h * 3);
  for (auto _ : state) benchmark::DoNotOptimize(cam->ConvertFrame(FrameOf(data), *cam->frame));
  SetBytes(state, data.size());
}

void BM_ConvertFrameYuy2(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  auto cam = CaptureOf(w, h, true);
  const std::vector<uint8_t> data = Bytes(size_t(w) * h * 2);
  for (auto _ : state) benchmark::DoNotOptimize(cam->ConvertFrame(FrameOf(data), *cam->frame));
  SetBytes(state, data.size());
}

// The memory floor: one read of every byte of a frame.
void BM_ReadEveryByte(benchmark::State& state) {
  const size_t bytes = size_t(state.range(0)) * state.range(1) * state.range(2);
  const std::vector<uint8_t> data = Bytes(bytes);
  for (auto _ : state) {
    uint64_t sum = std::accumulate(data.begin(), data.end(), uint64_t{0});
    benchmark::DoNotOptimize(sum);
  }
  SetBytes(state, bytes);
}

void BM_YuvTableBuild(benchmark::State& state) {
  auto table = std::make_unique<YuvTable>();
  for (auto _ : state) {
    FillYuvTable(*table);
    benchmark::ClobberMemory();
  }
}

void BM_GetPixelLoop(benchmark::State& state) {
  MyBitmap bitmap(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
  bitmap.FillRect(0x00102030, 0, 0, bitmap.Width(), bitmap.Height());
  for (auto _ : state) {
    uint64_t sum = 0;
    for (int32_t y = 0; y < bitmap.Height(); ++y)
      for (int32_t x = 0; x < bitmap.Width(); ++x) {
        uint8_t r, g, b;
        bitmap.GetPixel(x, y, r, g, b);
        sum += r + g + b;
      }
    benchmark::DoNotOptimize(sum);
  }
  SetBytes(state, size_t(bitmap.Width()) * bitmap.Height() * 3);
}

void BM_SetPixelLoop(benchmark::State& state) {
  MyBitmap bitmap(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
  for (auto _ : state) {
    for (int32_t y = 0; y < bitmap.Height(); ++y)
      for (int32_t x = 0; x < bitmap.Width(); ++x)
        bitmap.SetPixel(x, y, static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7);
    benchmark::ClobberMemory();
  }
  SetBytes(state, size_t(bitmap.Width()) * bitmap.Height() * 3);
}

#ifdef LUMIVEX_HAVE_OPENCV
void BM_OpenCvBgrToRgb(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  std::vector<uint8_t> data = Bytes(size_t(w) * h * 3);
  cv::Mat source(h, w, CV_8UC3, data.data()), target;
  for (auto _ : state) {
    cv::cvtColor(source, target, cv::COLOR_BGR2RGB);
    benchmark::DoNotOptimize(target.data);
  }
  SetBytes(state, data.size());
}

void BM_OpenCvYuy2ToRgb(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  std::vector<uint8_t> data = Bytes(size_t(w) * h * 2);
  cv::Mat source(h, w, CV_8UC2, data.data()), target;
  for (auto _ : state) {
    cv::cvtColor(source, target, cv::COLOR_YUV2RGB_YUY2);
    benchmark::DoNotOptimize(target.data);
  }
  SetBytes(state, data.size());
}
#endif

#ifdef LUMIVEX_HAVE_LIBYUV
void BM_LibyuvYuy2ToArgb(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  std::vector<uint8_t> data = Bytes(size_t(w) * h * 2);
  std::vector<uint8_t> argb(size_t(w) * h * 4);
  for (auto _ : state) {
    libyuv::YUY2ToARGB(data.data(), w * 2, argb.data(), w * 4, w, h);
    benchmark::DoNotOptimize(argb.data());
  }
  SetBytes(state, data.size());
}
#endif

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_ConvertFrameRgb)->Apply(Sizes);
BENCHMARK(BM_ConvertFrameYuy2)->Apply(Sizes);
BENCHMARK(BM_ReadEveryByte)
    ->Args({640, 480, 3})
    ->Args({640, 480, 2})
    ->Args({1920, 1080, 3})
    ->Args({1920, 1080, 2})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YuvTableBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetPixelLoop)->Apply(Sizes);
BENCHMARK(BM_SetPixelLoop)->Apply(Sizes);
#ifdef LUMIVEX_HAVE_OPENCV
BENCHMARK(BM_OpenCvBgrToRgb)->Apply(Sizes);
BENCHMARK(BM_OpenCvYuy2ToRgb)->Apply(Sizes);
#endif
#ifdef LUMIVEX_HAVE_LIBYUV
BENCHMARK(BM_LibyuvYuy2ToArgb)->Apply(Sizes);
#endif

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir folder;
  pictures = &folder;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
