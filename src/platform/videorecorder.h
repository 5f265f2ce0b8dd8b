#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/capturepreview.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;

// An AVI file with one MJPEG stream at a fixed frame rate, written on a thread of its own. Frames
// are handed over with Push; the writer takes the newest one at each frame time, so a writer that
// falls behind drops frames and never holds up the camera.
class VideoRecorder {
 public:
  VideoRecorder() = default;
  ~VideoRecorder();
  VideoRecorder(const VideoRecorder&) = delete;
  VideoRecorder& operator=(const VideoRecorder&) = delete;

  // Creates the file and starts the writer. quality: 1 (smallest) ... 100 (best).
  bool Start(const std::string& path, int framesPerSecond, int width, int height, int quality);
  // Thread-safe; copies the frame.
  void Push(const uint8_t* data, uint32_t used, int32_t width, int32_t height, FramePixels pixels);
  // Writes the pending frames and the trailer; safe to call twice. False when writing failed.
  bool Stop();

 private:
  void Run();
  bool Encode(const std::vector<uint8_t>& data, uint32_t used, int32_t width, int32_t height,
              FramePixels pixels, int64_t pts);
  bool WritePackets();
  void Release();

  std::mutex mutex;
  std::condition_variable wake;
  bool stopping = false;
  bool accepting = false;
  std::vector<uint8_t> slot;
  uint32_t slotUsed = 0;
  int32_t slotWidth = 0;
  int32_t slotHeight = 0;
  FramePixels slotPixels = FramePixels::kBgrBottomUp;
  bool slotFresh = false;

  std::thread thread;
  int fps = 15;
  int outWidth = 0;
  int outHeight = 0;
  bool failed = false;

  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVFrame* picture = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  int scalerWidth = 0;
  int scalerHeight = 0;
  FramePixels scalerPixels = FramePixels::kBgrBottomUp;
};
